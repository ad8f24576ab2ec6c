#pragma once

#include "model/CubeStore.h"
#include "model/CubeTypes.h"
#include "model/WorkProgress.h"

#include <cstdint>
#include <optional>

// A whole-model action that maps every cell it moves to exactly one cell, so
// that its inverse undoes it: the history keeps the action (a few bytes)
// instead of a record for every cube it moved.
//
// Arithmetic wraps around the 32-bit range, which keeps every map one to one
// even for hidden cubes near its ends.
struct ModelTransform {
    enum class Kind : std::uint8_t {
        TurnRight, // a quarter turn about the vertical axis, clockwise seen from above
        TurnLeft,
        Flip,      // across the middle of the grid along one axis
        Shift,     // the cubes of the grid box one step; the rest stay
        Translate, // every cube, hidden ones too
    };
    Kind kind = Kind::Translate;
    // TurnRight, TurnLeft: a = X and c = Z, the grid's size before the turn.
    // Flip: a = the axis (0 X, 1 Y, 2 Z), b = the grid's size along it.
    // Shift, Translate: (a, b, c) is the step.
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;

    CUBEPOS Map(const CUBEPOS& p) const;
    ModelTransform Inverse() const;
    // Whether the cube at p moves when the grid box is box.
    bool Moves(const CUBEPOS& p, const GridSize& box) const;

    friend bool operator==(const ModelTransform&, const ModelTransform&) = default;
};

// The store after the transform, the grid box being box; progress hears of
// the chunks done. None when progress asked to stop (the store is untouched).
std::optional<CCubeStore> Transformed(const CCubeStore& store, const ModelTransform& transform, const GridSize& box,
                                      const WorkProgress& progress = {});

// The transform as a history record and back.
CUBERECORD ToRecord(const ModelTransform& transform);
bool IsTransformRecord(const CUBERECORD& record);
ModelTransform FromRecord(const CUBERECORD& record);

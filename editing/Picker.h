#pragma once

#include "model/CubeTypes.h"

#include "scene/CameraState.h"
#include "scene/EditState.h"
#include "scene/PointerState.h"

class CMiravelDoc;

// Finds the cell under a point of the view by casting the ray of that point
// through the same matrices the frame draws with, and walking the grid cell by
// cell, without recursion: a few thousand steps at most on the largest grid,
// with one store lookup per chunk the ray passes.
//
// The point is given in the view's window coordinates in logical pixels, with
// the origin at the bottom left as the projection sees it; for the pixel
// (x, y) counted from the top left, pass its centre (x + 0.5, h - y - 0.5).
//
// Candidates are solid unit cubes. The nearest candidate along the ray wins;
// candidates that the ray meets at the same depth (through a shared edge or
// corner) are resolved toward the later one in x, y, z order, the order the
// candidates have always been offered in.
namespace Picker {

inline constexpr CUBEPOS kNone{-1, -1, -1};

// The ray of a point is that of the camera projecting into a client area of
// the given size; nothing is found in an empty one.
//
// Canvas mode: the cell of the canvas layer under the point, empty or not.
// Attach mode: the cube of the grid box under the point.
CUBEPOS PickSight(const CCameraState& camera, ViewSize size, const CEditState& edit, const CMiravelDoc& doc,
                  double wx, double wy);

// Attach mode only: of the empty face neighbours of the pointer's sight cube,
// the one under the point; none if it lies outside the grid box.
CUBEPOS PickAttach(const CCameraState& camera, ViewSize size, const CEditState& edit,
                   const CPointerState& pointer, const CMiravelDoc& doc, double wx, double wy);

} // namespace Picker

#pragma once

#include "model/CubeTypes.h"

#include <climits>
#include <cstdint>
#include <functional>
#include <vector>

// The cells of the drawing tools' shapes, as plain arithmetic.
//
// A shape is drawn in a plane across one axis (the canvas axis, or the axis
// of the face it was drawn on) between two corner cells, and spans every
// layer along that axis between the corners' layers: a box is a box of
// cells, an ellipse the ellipse inscribed in the rectangle of the corners
// repeated on every layer (an elliptic cylinder), a line the straight line
// from one corner to the other.
//
// Hollow boxes and ellipses keep only their shell: the cells with a face
// neighbour outside the solid shape. A shape one layer deep is a flat
// figure, so its shell is its outline; a deeper one is closed by its first
// and last layers.
//
// Lines are 26-connected: each step moves one cell along the longest axis
// and at most one along each of the others, so a line on one layer is the
// familiar thin line of a paint program.
namespace Shapes {

enum class Kind : std::uint8_t { Box, Line, Ellipse };

struct Spec {
    Kind kind = Kind::Box;
    bool hollow = false;
    int axis = 1;  // 0 X, 1 Y, 2 Z: the axis the plane stands across
    CUBEPOS a, b;  // the corners, both included, in any order
};

// The box of cells a..b with the lower corner first.
struct CellBox {
    CUBEPOS lo, hi;
    std::int64_t Count() const { return std::int64_t(hi.x - lo.x + 1) * (hi.y - lo.y + 1) * (hi.z - lo.z + 1); }
};
CellBox Bounds(const Spec& shape);

// Calls f(CUBEPOS) once for every cell of the shape inside the grid box
// [0, grid) whose layer along the shape's axis lies in layerLo..layerHi;
// cells outside are skipped. Cells come x outermost, z innermost, except a
// line's, which come from a to b.
using CellVisitor = std::function<void(const CUBEPOS&)>;
void Visit(const Spec& shape, const GridSize& grid, int layerLo, int layerHi, const CellVisitor& f);
inline void Visit(const Spec& shape, const GridSize& grid, const CellVisitor& f)
{
    Visit(shape, grid, INT_MIN, INT_MAX, f);
}

// The cells as a list (tests, small previews).
std::vector<CUBEPOS> Cells(const Spec& shape, const GridSize& grid);

// Whether the in-plane cell (u, v) of the rectangle u0..u1 x v0..v1 lies in
// its inscribed ellipse: its centre inside the ellipse through the
// rectangle's edges.
bool InEllipse(int u, int v, int u0, int u1, int v0, int v1);

} // namespace Shapes

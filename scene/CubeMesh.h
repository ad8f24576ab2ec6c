#pragma once

#include "scene/CubeGridMirror.h"

#include <array>
#include <cstdint>
#include <vector>

// Cube geometry in the form the fast drawing hands to GL. Faces go in the
// unit cube's face order: z = 0, x = 1, z = 1, x = 0, y = 0, y = 1.
namespace CubeMesh {

// Neighbour offset and outward normal of each face direction.
extern const std::array<std::array<int, 3>, 6> kFaceOffset;

// One corner: grid position (whole units) and the cube's colour.
struct Vertex {
    std::int16_t x, y, z, pad;
    std::uint8_t r, g, b, a;
};
static_assert(sizeof(Vertex) == 12);

// The faces of the cubes in one slab of the grid (one x layer), grouped by
// direction, four corners per face in the order the unit cube sends them.
// Only faces whose neighbour cell is empty or outside the box are kept:
// with the cubes drawn filled, a face between two cubes can never be seen.
struct Slab {
    std::array<std::vector<Vertex>, 6> faces;
    std::size_t FaceCount() const;
    std::size_t MemoryBytes() const;
};

void BuildExposedFaces(const CCubeGridMirror& grid, int x, Slab& slab);

// The corners of a unit cube face at cell (x, y, z) in send order.
void AppendFace(std::vector<Vertex>& out, int direction, int x, int y, int z, COLORREF color);

} // namespace CubeMesh

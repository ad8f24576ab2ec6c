#pragma once

#include <array>
#include <vector>

// The fixed geometry of the scene as plain data: the display lists are
// compiled from it, and tests can count and check it without a GL context.
namespace SceneGeometry {

struct Vec3 {
    double x = 0, y = 0, z = 0;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

struct Face {
    Vec3 normal;
    bool hasNormal = true;
    std::array<Vec3, 4> corners;  // in the order they are sent
};

// Corners 0..7 of the unit cube and its six faces as corner indices:
// z = 0, x = 1, z = 1, x = 0, y = 0, y = 1.
extern const std::array<Vec3, 8> kCubeCorners;
extern const std::array<std::array<int, 4>, 6> kCubeFaceIndices;

// The unit cube's six quads with outward normals, each sent in reverse corner
// order so that front faces are counter-clockwise seen from outside.
std::array<Face, 6> CubeFaces();

// Line segments as pairs of points.
using Lines = std::vector<std::pair<Vec3, Vec3>>;

// A unit lattice over the six faces of the box (0,0,0)..(X,Y,Z).
Lines FrameLines(int sizeX, int sizeY, int sizeZ);
// A lattice over a slab one cell thick at layer 0 of the canvas axis.
Lines CanvasLines(int axis, int sizeX, int sizeY, int sizeZ);
// The ground quad just below the grid, reaching 5 units beyond it in x and z.
std::array<Vec3, 4> GroundQuad(int sizeX, int sizeZ);

} // namespace SceneGeometry

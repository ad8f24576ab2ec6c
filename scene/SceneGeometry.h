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

// A unit lattice over the six faces of the box (0,0,0)..(X,Y,Z): f(a, b)
// for each line from a to b, whole grid units, in the order it is drawn.
template <class F>
void VisitFrameLines(int sx, int sy, int sz, F&& f)
{
    for (int i = 0; i <= sx; ++i)
        for (int j = 0; j <= sy; ++j)
            if (i == 0 || j == 0 || i == sx || j == sy)
                f(std::array<int, 3>{i, j, 0}, std::array<int, 3>{i, j, sz});
    for (int i = 0; i <= sx; ++i)
        for (int k = 0; k <= sz; ++k)
            if (i == 0 || k == 0 || i == sx || k == sz)
                f(std::array<int, 3>{i, 0, k}, std::array<int, 3>{i, sy, k});
    for (int j = 0; j <= sy; ++j)
        for (int k = 0; k <= sz; ++k)
            if (j == 0 || k == 0 || j == sy || k == sz)
                f(std::array<int, 3>{0, j, k}, std::array<int, 3>{sx, j, k});
}

// A lattice over a slab one cell thick at layer 0 of the canvas axis, the
// same way. The lines across the slab, one unit long, are its posts.
template <class F>
void VisitCanvasLines(int axis, int sx, int sy, int sz, F&& f)
{
    const int ex = axis == 0 ? 1 : sx;
    const int ey = axis == 1 ? 1 : sy;
    const int ez = axis == 2 ? 1 : sz;
    for (int u = 0; u <= ex; ++u)
        for (int v = 0; v <= ey; ++v)
            f(std::array<int, 3>{u, v, 0}, std::array<int, 3>{u, v, ez});
    for (int u = 0; u <= ex; ++u)
        for (int w = 0; w <= ez; ++w)
            f(std::array<int, 3>{u, 0, w}, std::array<int, 3>{u, ey, w});
    for (int v = 0; v <= ey; ++v)
        for (int w = 0; w <= ez; ++w)
            f(std::array<int, 3>{0, v, w}, std::array<int, 3>{ex, v, w});
}

Lines FrameLines(int sizeX, int sizeY, int sizeZ);
Lines CanvasLines(int axis, int sizeX, int sizeY, int sizeZ);
// The ground quad just below the grid, reaching 5 units beyond it in x and z.
std::array<Vec3, 4> GroundQuad(int sizeX, int sizeZ);

} // namespace SceneGeometry

#include "scene/SceneGeometry.h"

#include <cmath>

namespace SceneGeometry {

const std::array<Vec3, 8> kCubeCorners = {{
    {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
    {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1},
}};

const std::array<std::array<int, 4>, 6> kCubeFaceIndices = {{
    {0, 1, 2, 3}, {1, 5, 6, 2}, {5, 4, 7, 6}, {4, 0, 3, 7}, {4, 5, 1, 0}, {3, 2, 6, 7},
}};

std::array<Face, 6> CubeFaces()
{
    std::array<Face, 6> faces;
    for (size_t f = 0; f < 6; ++f) {
        const auto& idx = kCubeFaceIndices[f];
        const Vec3 p0 = kCubeCorners[size_t(idx[0])], p1 = kCubeCorners[size_t(idx[1])],
                   p2 = kCubeCorners[size_t(idx[2])];
        // (P0 - P1) x (P2 - P1)
        const Vec3 a{p0.x - p1.x, p0.y - p1.y, p0.z - p1.z};
        const Vec3 b{p2.x - p1.x, p2.y - p1.y, p2.z - p1.z};
        const Vec3 n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        Face& face = faces[f];
        face.hasNormal = len != 0.0;
        if (face.hasNormal)
            face.normal = {n.x / len, n.y / len, n.z / len};
        for (int i = 0; i < 4; ++i)
            face.corners[size_t(i)] = kCubeCorners[size_t(idx[size_t(3 - i)])];
    }
    return faces;
}

namespace {

struct Collect {
    Lines& lines;
    void operator()(const std::array<int, 3>& a, const std::array<int, 3>& b) const
    {
        lines.push_back({{double(a[0]), double(a[1]), double(a[2])}, {double(b[0]), double(b[1]), double(b[2])}});
    }
};

} // namespace

Lines FrameLines(int sx, int sy, int sz)
{
    Lines lines;
    VisitFrameLines(sx, sy, sz, Collect{lines});
    return lines;
}

Lines CanvasLines(int axis, int sx, int sy, int sz)
{
    Lines lines;
    VisitCanvasLines(axis, sx, sy, sz, Collect{lines});
    return lines;
}

std::array<Vec3, 4> GroundQuad(int sx, int sz)
{
    const double y = -0.1;
    return {{{-5, y, -5}, {-5, y, sz + 5.0}, {sx + 5.0, y, sz + 5.0}, {sx + 5.0, y, -5}}};
}

} // namespace SceneGeometry

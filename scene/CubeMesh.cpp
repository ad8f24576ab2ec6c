#include "scene/CubeMesh.h"

#include "scene/SceneGeometry.h"

#include <cstddef>

namespace CubeMesh {

const std::array<std::array<int, 3>, 6> kFaceOffset = {{
    {0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0},
}};

namespace {

// Corner offsets of each face in send order, as whole units.
struct FaceCorners {
    std::array<std::array<int, 3>, 4> c;
};

std::array<FaceCorners, 6> MakeCorners()
{
    std::array<FaceCorners, 6> out{};
    const auto faces = SceneGeometry::CubeFaces();
    for (std::size_t f = 0; f < 6; ++f)
        for (std::size_t i = 0; i < 4; ++i)
            out[f].c[i] = {int(faces[f].corners[i].x), int(faces[f].corners[i].y), int(faces[f].corners[i].z)};
    return out;
}

const std::array<FaceCorners, 6> kCorners = MakeCorners();

} // namespace

std::size_t Slab::FaceCount() const
{
    std::size_t n = 0;
    for (const auto& v : faces)
        n += v.size() / 4;
    return n;
}

std::size_t Slab::MemoryBytes() const
{
    std::size_t n = 0;
    for (const auto& v : faces)
        n += v.capacity() * sizeof(Vertex);
    return n;
}

void AppendFace(std::vector<Vertex>& out, int direction, int x, int y, int z, COLORREF color)
{
    for (const auto& c : kCorners[std::size_t(direction)].c)
        out.push_back({std::int16_t(x + c[0]), std::int16_t(y + c[1]), std::int16_t(z + c[2]), 0,
                       GetRValue(color), GetGValue(color), GetBValue(color), 255});
}

void BuildExposedFaces(const CCubeGridMirror& grid, int x, Slab& slab)
{
    for (auto& v : slab.faces)
        v.clear();
    for (int y = 0; y < grid.SizeY(); ++y)
        for (int z = 0; z < grid.SizeZ(); ++z) {
            const COLORREF color = grid.At(x, y, z);
            if (color == CLR_NONE)
                continue;
            for (int f = 0; f < 6; ++f) {
                const auto& d = kFaceOffset[std::size_t(f)];
                if (!grid.Filled(x + d[0], y + d[1], z + d[2]))
                    AppendFace(slab.faces[std::size_t(f)], f, x, y, z, color);
            }
        }
    for (auto& v : slab.faces)
        v.shrink_to_fit();
}

} // namespace CubeMesh

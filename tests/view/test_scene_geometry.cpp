// The fixed scene geometry as data: counts, extents, orientation.
#include "scene/SceneGeometry.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using SceneGeometry::Vec3;

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(SceneGeometry, CubeFacesPointOutwardAndWindCounterClockwiseFromOutside)
{
    const Vec3 normals[6] = {{0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
    std::set<std::tuple<double, double, double>> corners;
    for (int f = 0; f < 6; ++f) {
        const auto face = SceneGeometry::CubeFaces()[size_t(f)];
        EXPECT_EQ(face.normal, normals[f]) << f;
        for (const Vec3& c : face.corners) {
            corners.insert({c.x, c.y, c.z});
            EXPECT_GT(Dot(face.normal, Sub(c, {0.5, 0.5, 0.5})), 0) << f;  // on the face's side
        }
        // Sent order: counter-clockwise seen from the side the normal points to.
        const Vec3 a = Sub(face.corners[1], face.corners[0]), b = Sub(face.corners[2], face.corners[1]);
        EXPECT_GT(Dot({a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}, face.normal), 0) << f;
    }
    EXPECT_EQ(corners.size(), 8u);
}

TEST(SceneGeometry, FrameOnTheBoxSurfaceCanvasInItsSlabSingleCellsAreTwelveEdges)
{
    const double X = 3, Y = 4, Z = 5;
    const auto frame = SceneGeometry::FrameLines(3, 4, 5);
    // Lines along z: (X+1)(Y+1) minus the interior (X-1)(Y-1), likewise for y and x.
    EXPECT_EQ(frame.size(), size_t(4 * 5 - 2 * 3 + 4 * 6 - 2 * 4 + 5 * 6 - 3 * 4));
    for (const auto& [a, b] : frame) {
        EXPECT_TRUE(a.x == 0 || a.x == X || a.y == 0 || a.y == Y || a.z == 0 || a.z == Z);
        EXPECT_TRUE(b.x <= X && b.y <= Y && b.z <= Z);
    }
    const auto canvas = SceneGeometry::CanvasLines(1, 3, 4, 5);
    EXPECT_EQ(canvas.size(), size_t(4 * 2 + 4 * 6 + 2 * 6));
    for (const auto& [a, b] : canvas)
        EXPECT_TRUE(a.y >= 0 && a.y <= 1 && b.y >= 0 && b.y <= 1 && b.x <= X && b.z <= Z);
    EXPECT_EQ(SceneGeometry::GroundQuad(3, 5)[0], (Vec3{-5, -0.1, -5}));
    EXPECT_EQ(SceneGeometry::GroundQuad(3, 5)[2], (Vec3{8, -0.1, 10}));

    // A single cell: every lattice is its twelve edges, unit steps between its corners.
    const auto corner = [](Vec3 p) { return (p.x == 0 || p.x == 1) && (p.y == 0 || p.y == 1) && (p.z == 0 || p.z == 1); };
    for (int lattice = 0; lattice < 4; ++lattice) {
        const auto lines = lattice == 3 ? SceneGeometry::FrameLines(1, 1, 1) : SceneGeometry::CanvasLines(lattice, 1, 1, 1);
        std::set<std::tuple<double, double, double, double, double, double>> edges;
        for (const auto& [a, b] : lines) {
            const Vec3 d = Sub(b, a);
            EXPECT_TRUE(corner(a) && corner(b) && std::abs(d.x) + std::abs(d.y) + std::abs(d.z) == 1.0) << lattice;
            edges.insert({a.x + b.x, a.y + b.y, a.z + b.z, std::abs(d.x), std::abs(d.y), std::abs(d.z)});
        }
        EXPECT_EQ(lines.size(), 12u) << lattice;
        EXPECT_EQ(edges.size(), 12u) << lattice;
    }
}

} // namespace

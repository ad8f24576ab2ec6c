// The fixed scene geometry as data: counts, extents, orientation.
#include "view/SceneGeometry.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using SceneGeometry::Vec3;

Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(SceneGeometry, CubeFacesPointOutwardAndWindCounterClockwiseFromOutside)
{
    const auto faces = SceneGeometry::CubeFaces();
    const Vec3 centre{0.5, 0.5, 0.5};
    const Vec3 expectedNormals[6] = {{0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
    std::set<std::tuple<double, double, double>> corners;
    for (int f = 0; f < 6; ++f) {
        const auto& face = faces[size_t(f)];
        ASSERT_TRUE(face.hasNormal);
        EXPECT_EQ(face.normal, expectedNormals[f]) << f;
        Vec3 mid{};
        for (const Vec3& c : face.corners) {
            mid = {mid.x + c.x / 4, mid.y + c.y / 4, mid.z + c.z / 4};
            corners.insert({c.x, c.y, c.z});
        }
        EXPECT_GT(Dot(face.normal, Sub(mid, centre)), 0) << f;
        // Sent order: counter-clockwise seen from the side the normal points to.
        const Vec3 turn = Cross(Sub(face.corners[1], face.corners[0]), Sub(face.corners[2], face.corners[1]));
        EXPECT_GT(Dot(turn, face.normal), 0) << f;
        // The first corner sent is the last of the face's index list.
        const auto& idx = SceneGeometry::kCubeFaceIndices[size_t(f)];
        EXPECT_EQ(face.corners[0], SceneGeometry::kCubeCorners[size_t(idx[3])]);
    }
    EXPECT_EQ(corners.size(), 8u);
}

bool OnBoxEdge(const std::pair<Vec3, Vec3>& l, double X, double Y, double Z)
{
    auto onEnds = [](double v, double hi) { return v == 0 || v == hi; };
    int free = 0;
    if (l.first.x != l.second.x) ++free; else if (!onEnds(l.first.x, X)) return false;
    if (l.first.y != l.second.y) ++free; else if (!onEnds(l.first.y, Y)) return false;
    if (l.first.z != l.second.z) ++free; else if (!onEnds(l.first.z, Z)) return false;
    return free == 1;
}

TEST(SceneGeometry, LatticesOfASingleCellAreItsTwelveEdges)
{
    const auto frame = SceneGeometry::FrameLines(1, 1, 1);
    ASSERT_EQ(frame.size(), 12u);
    for (const auto& l : frame)
        EXPECT_TRUE(OnBoxEdge(l, 1, 1, 1));
    for (int axis = 0; axis < 3; ++axis) {
        const auto canvas = SceneGeometry::CanvasLines(axis, 1, 1, 1);
        ASSERT_EQ(canvas.size(), 12u) << axis;
        for (const auto& l : canvas)
            EXPECT_TRUE(OnBoxEdge(l, 1, 1, 1));
    }
}

TEST(SceneGeometry, FrameLiesOnTheBoxSurfaceAndCanvasInItsSlab)
{
    const int X = 3, Y = 4, Z = 5;
    const auto frame = SceneGeometry::FrameLines(X, Y, Z);
    // Lines along z: (X+1)(Y+1) minus the interior (X-1)(Y-1), likewise for y and x.
    const size_t expected = size_t((X + 1) * (Y + 1) - (X - 1) * (Y - 1) + (X + 1) * (Z + 1) -
                                   (X - 1) * (Z - 1) + (Y + 1) * (Z + 1) - (Y - 1) * (Z - 1));
    EXPECT_EQ(frame.size(), expected);
    for (const auto& [a, b] : frame) {
        const bool surface = a.x == 0 || a.x == X || a.y == 0 || a.y == Y || a.z == 0 || a.z == Z;
        EXPECT_TRUE(surface);
        EXPECT_TRUE(b.x <= X && b.y <= Y && b.z <= Z);
    }
    const auto canvas = SceneGeometry::CanvasLines(1, X, Y, Z);
    EXPECT_EQ(canvas.size(), size_t((X + 1) * 2 + (X + 1) * (Z + 1) + 2 * (Z + 1)));
    for (const auto& [a, b] : canvas) {
        EXPECT_TRUE(a.y >= 0 && a.y <= 1 && b.y >= 0 && b.y <= 1);
        EXPECT_TRUE(b.x <= X && b.z <= Z);
    }
    const auto ground = SceneGeometry::GroundQuad(X, Z);
    EXPECT_EQ(ground[0], (Vec3{-5, -0.1, -5}));
    EXPECT_EQ(ground[2], (Vec3{X + 5.0, -0.1, Z + 5.0}));
}

} // namespace

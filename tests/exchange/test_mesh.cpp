// The cube mesh: closed, outward, merged, without T-junctions.
#include "ExchangeTestUtil.h"
#include "MeshCheck.h"


using namespace exchange_test;

TEST(CubeMesh, ClosedOutwardAndCrackFree)
{
    const struct {
        const char* name;
        ModelData model;
        bool manifold; // no two cubes meet along an edge only
    } models[] = {
        {"one cube", {3, 3, 3, {{CUBEPOS{1, 1, 1}, RGB(1, 2, 3)}}}, true},
        {"solid", Solid(1), true},
        {"solid 2", Solid(2), true},
        {"random", RandomModel(8, 6, 7, 0.45, 5, 9), false},
        {"sample", SampleModel(), false},
    };
    for (const auto& m : models) {
        for (MeshAxes axes : {MeshAxes::YUp, MeshAxes::ZUp}) {
            CubeMesh mesh;
            ASSERT_TRUE(BuildCubeMesh(m.model, axes, mesh));
            const SoupFacts f = Examine(SoupOf(mesh), m.model.cubes.size() < 600);
            EXPECT_EQ(f.unpairedEdges, 0) << m.name;
            if (m.manifold) {
                EXPECT_EQ(f.edgesNotShared, 0) << m.name;
            }
            EXPECT_EQ(f.degenerate, 0) << m.name;
            EXPECT_EQ(f.tJunctions, 0) << m.name;
            EXPECT_NEAR(f.area, double(mesh.exposedFaces), 1e-6) << m.name;
            EXPECT_NEAR(f.volume, double(m.model.cubes.size()), 1e-6) << m.name;
            // Each triangle's winding agrees with its vertices' normals.
            for (std::size_t t = 0; t < mesh.TriangleCount(); ++t) {
                const float* a = &mesh.positions[3 * mesh.triangles[3 * t]];
                const float* b = &mesh.positions[3 * mesh.triangles[3 * t + 1]];
                const float* c = &mesh.positions[3 * mesh.triangles[3 * t + 2]];
                const float* n = &mesh.normals[3 * mesh.triangles[3 * t]];
                const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
                const float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
                const float dot = (u[1] * v[2] - u[2] * v[1]) * n[0] + (u[2] * v[0] - u[0] * v[2]) * n[1] +
                                  (u[0] * v[1] - u[1] * v[0]) * n[2];
                ASSERT_GT(dot, 0) << m.name << " triangle " << t;
            }
        }
    }
}

TEST(CubeMesh, MergesAndPlacesTheModel)
{
    // A full grid of one colour is six rectangles, two triangles each; the
    // origin is the centre of the floor, one unit per cube.
    ModelData full{5, 3, 4, {}};
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 3; ++y)
            for (int z = 0; z < 4; ++z)
                full.cubes.push_back({CUBEPOS{x, y, z}, RGB(9, 9, 9)});
    CubeMesh mesh;
    ASSERT_TRUE(BuildCubeMesh(full, MeshAxes::YUp, mesh));
    EXPECT_EQ(mesh.rectangles, 6);
    EXPECT_EQ(mesh.TriangleCount(), 12u);
    EXPECT_EQ(mesh.exposedFaces, 2 * (5 * 3 + 3 * 4 + 5 * 4));
    const SoupFacts f = Examine(SoupOf(mesh), false);
    EXPECT_EQ(f.low, (std::array<float, 3>{-2.5f, 0.0f, -2.0f}));
    EXPECT_EQ(f.high, (std::array<float, 3>{2.5f, 3.0f, 2.0f}));
    // Turned for z up: (x, y, z) -> (x, -z, y).
    ASSERT_TRUE(BuildCubeMesh(full, MeshAxes::ZUp, mesh));
    const SoupFacts g = Examine(SoupOf(mesh), false);
    EXPECT_EQ(g.low, (std::array<float, 3>{-2.5f, -2.0f, 0.0f}));
    EXPECT_EQ(g.high, (std::array<float, 3>{2.5f, 2.0f, 3.0f}));

    // The sample's shape (as STL writes it, without colours): at most half
    // the triangles of one quad per face. In its colours the checkered floor
    // is single faces that no one-colour rectangle can join.
    ModelData shape = SampleModel();
    for (auto& cube : shape.cubes)
        cube.second = RGB(1, 1, 1);
    ASSERT_TRUE(BuildCubeMesh(shape, MeshAxes::YUp, mesh));
    EXPECT_GT(mesh.exposedFaces, 1000);
    EXPECT_LE(std::int64_t(mesh.TriangleCount()), mesh.exposedFaces / 2);

    // A cancelled build says so.
    EXPECT_FALSE(BuildCubeMesh(SampleModel(), MeshAxes::YUp, mesh, [](int, int) { return false; }));
}

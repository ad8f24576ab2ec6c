// The fixed scene geometry as data, and the wireframe's runs and texture read
// back edge by edge against the literal drawing's painting order replayed cube
// by cube. (Edits and the texture rows they report are checked by the fast
// drawing's as-from-scratch comparison, to the pixel.)
#include "model/CMiravelDoc.h"
#include "scene/SceneGeometry.h"
#include "scene/WireframeRuns.h"

#include <gtest/gtest.h>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

using EdgeId = std::tuple<int, int, int, int>;  // axis, i, j, k
using Painted = std::map<EdgeId, std::pair<COLORREF, int>>;

// Every front face of every outlined cube, in drawing order; the last one
// on an edge is what shows.
Painted Replay(const CMiravelDoc& doc, const CWireframeRuns::Key& key)
{
    Painted out;
    const auto faces = SceneGeometry::CubeFaces();
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z) {
                const COLORREF c = doc.GetCube(x, y, z);
                const int cell[3] = {x, y, z};
                if (c == CLR_NONE || (key.showCanvas && cell[key.axis] == key.pos))
                    continue;
                for (int f = 0; f < 6; ++f) {
                    if (!key.front[size_t(f)])
                        continue;
                    const auto& k = faces[size_t(f)].corners;
                    for (size_t e = 0; e < 4; ++e) {
                        const double a[3] = {k[e].x, k[e].y, k[e].z};
                        const double b[3] = {k[(e + 1) % 4].x, k[(e + 1) % 4].y, k[(e + 1) % 4].z};
                        const int axis = a[0] != b[0] ? 0 : a[1] != b[1] ? 1 : 2;
                        const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
                        out[{axis, cell[a1] + int(a[a1]), cell[a2] + int(a[a2]), cell[axis]}] = {c, f};
                    }
                }
            }
    return out;
}

// What the runs draw: each unit edge with the colour its texel gives and the
// face it is lit as. Fails on an edge drawn twice or a wrong end colour.
Painted Decode(const CWireframeRuns& runs)
{
    Painted out;
    const int tw = CWireframeRuns::kTextureWidth, th = runs.TextureHeight();
    auto texel = [&](int column, int row) {
        const auto& t = runs.Texels()[size_t(row) * size_t(tw) + size_t(column)];
        return RGB(t[0], t[1], t[2]);
    };
    for (const auto& group : runs.Groups())
        for (int f = 0; f < 6; ++f) {
            const auto& v = group.lines[size_t(f)];
            for (size_t n = 0; n + 1 < v.size(); n += 2) {
                const float a[3] = {v[n].x, v[n].y, v[n].z}, b[3] = {v[n + 1].x, v[n + 1].y, v[n + 1].z};
                int axis = 0;
                while (axis < 2 && a[axis] == b[axis])
                    ++axis;
                const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
                const int k0 = int(a[axis]), k1 = int(b[axis]);
                EXPECT_LT(k0, k1);
                const double c0 = double(v[n].s) * tw, c1 = double(v[n + 1].s) * tw;
                // The middle of a texel row.
                const double row = std::round(double(v[n].t) * th - 0.5);
                EXPECT_EQ(c1 - c0, k1 - k0);  // one texel per edge
                const int column = int(c0);
                for (int k = k0; k < k1; ++k) {
                    const bool fresh = out.insert({{axis, int(a[a1]), int(a[a2]), k}, {texel(column + k - k0, int(row)), f}}).second;
                    EXPECT_TRUE(fresh) << "edge drawn twice";
                }
                // A pixel just past either end keeps that end's colour.
                EXPECT_EQ(texel(column - 1, int(row)), texel(column, int(row)));
                EXPECT_EQ(texel(int(c1), int(row)), texel(int(c1) - 1, int(row)));
            }
        }
    return out;
}

CWireframeRuns::Key RandomKey(std::mt19937& rng, const CMiravelDoc& doc)
{
    CWireframeRuns::Key key;
    // One of each opposite pair faces the viewer, or both when seen edge-on.
    const int pairs[3][2] = {{3, 1}, {4, 5}, {0, 2}};
    for (const auto& p : pairs) {
        const unsigned r = rng() % 5;
        key.front[size_t(p[0])] = r != 0;
        key.front[size_t(p[1])] = r == 0 || r == 4;
    }
    key.showCanvas = rng() % 2;
    if (key.showCanvas) {
        key.axis = int(rng() % 3);
        const int size[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
        key.pos = int(rng() % unsigned(size[key.axis]));
    }
    return key;
}

void RandomFill(std::mt19937& rng, CMiravelDoc& doc, int percent)
{
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z)
                if (int(rng() % 100) < percent)
                    doc.m_cubes.Set({x, y, z}, RGB(rng() % 3 * 100, 50, rng() % 2 * 200));
}

TEST(WireframeRuns, EveryEdgeOnceInTheColourAndFaceOfItsLastPainter)
{
    std::mt19937 rng(5);
    // Random grids, also longer than one stretch of texture along an axis.
    const int sizes[][3] = {{1, 1, 1}, {3, 4, 5}, {9, 9, 9}, {130, 2, 1}, {1, 3, 70}};
    for (const auto& s : sizes) {
        CMiravelDoc doc;
        doc.SetGridSize(s[0], s[1], s[2]);
        RandomFill(rng, doc, 20 + int(rng() % 80));
        CCubeGridMirror grid;
        grid.Rebuild(doc);
        CWireframeRuns runs;
        runs.Reset(grid);
        for (int round = 0; round < 3; ++round) {
            const auto key = RandomKey(rng, doc);
            runs.SetKey(key);
            runs.Update(grid);
            EXPECT_EQ(Decode(runs), Replay(doc, key)) << s[0] << "x" << s[1] << "x" << s[2] << " round " << round;
        }
    }
}

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

TEST(SceneGeometry, CanvasInItsSlabGroundAroundTheGridSingleCellsAreTwelveEdges)
{
    // Larger frames and lattices are pinned by the drawing tests' pixels.
    for (const auto& [a, b] : SceneGeometry::CanvasLines(1, 3, 4, 5))
        EXPECT_TRUE(a.y >= 0 && a.y <= 1 && b.y >= 0 && b.y <= 1 && b.x <= 3 && b.z <= 5);
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

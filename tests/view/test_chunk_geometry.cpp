// The cached geometry read back chunk by chunk, on grids of many chunks,
// against plain per-cell references: the faces that border an empty cell with
// their outlines, and the wireframe's edges with the colour and face of the
// literal drawing's last painter, replayed cube by cube. (Edits are checked by
// the fast drawing's as-from-scratch comparison, to the pixel.) Then the fixed
// scene geometry as data.
#include "model/CMiravelDoc.h"
#include "scene/ChunkFaces.h"
#include "scene/ChunkWire.h"
#include "scene/SceneGeometry.h"

#include <gtest/gtest.h>
#include <cmath>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

using Unit = std::tuple<int, int, int, int>;            // axis, then the lower end x, y, z
using Faces = std::map<Unit, COLORREF>;                 // direction, then the cell
using Outlines = std::set<std::pair<int, Unit>>;        // direction, unit edge
using Painted = std::map<Unit, std::pair<COLORREF, int>>;  // colour, face

const auto kCubeFaces = SceneGeometry::CubeFaces();

int Axis(const int a[3], const int b[3]) { return a[0] != b[0] ? 0 : a[1] != b[1] ? 1 : 2; }

// Every unit edge of the straight line from a to b.
void Units(const int a[3], const int b[3], const std::function<void(const Unit&)>& f)
{
    const int axis = Axis(a, b);
    int p[3] = {a[0], a[1], a[2]};
    for (p[axis] = std::min(a[axis], b[axis]); p[axis] < std::max(a[axis], b[axis]); ++p[axis])
        f({axis, p[0], p[1], p[2]});
}

void ForEachChunk(const CMiravelDoc& doc, const std::function<void(const CChunkCells&)>& f)
{
    CChunkCells cells;
    const GridSize box{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
    for (int x = 0; x * 16 < box.x; ++x)
        for (int y = 0; y * 16 < box.y; ++y)
            for (int z = 0; z * 16 < box.z; ++z) {
                if (cells.Gather(doc.m_cubes, box, {x, y, z}))
                    f(cells);
                else
                    doc.m_cubes.ForEachCubeIn({x * 16, y * 16, z * 16}, {box.x, box.y, box.z}, [&](const CUBEPOS& p, COLORREF) {
                        EXPECT_FALSE(p.x < x * 16 + 16 && p.y < y * 16 + 16 && p.z < z * 16 + 16) << "chunk skipped";
                    });
            }
}

void ReferenceFaces(const CMiravelDoc& doc, Faces& faces, Outlines& outlines)
{
    const auto filled = [&](int x, int y, int z) { return doc.InBox(x, y, z) && doc.GetCube(x, y, z) != CLR_NONE; };
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z)
                for (int f = 0; f < 6 && filled(x, y, z); ++f) {
                    const auto& d = ChunkFaces::kOffset[size_t(f)];
                    if (filled(x + d[0], y + d[1], z + d[2]))
                        continue;
                    faces[{f, x, y, z}] = doc.GetCube(x, y, z);
                    const auto& q = kCubeFaces[size_t(f)].corners;
                    for (size_t e = 0; e < 4; ++e) {
                        const int a[3] = {x + int(q[e].x), y + int(q[e].y), z + int(q[e].z)};
                        const int b[3] = {x + int(q[(e + 1) % 4].x), y + int(q[(e + 1) % 4].y), z + int(q[(e + 1) % 4].z)};
                        Units(a, b, [&](const Unit& u) { outlines.insert({f, u}); });
                    }
                }
}

// Faces and outlines as the chunks' meshes hold them, a merged rectangle as
// its faces. Fails on a face given twice or two triangles that do not make
// one rectangle as the single cube's face sends its corners.
void DecodeFaces(const ChunkFaces::Mesh& mesh, Faces& faces, Outlines& outlines, bool withOutlines = true)
{
    for (int f = 0; f < 6; ++f) {
        const ChunkFaces::Part& part = mesh.parts[size_t(f)];
        const auto corner = [&](std::uint16_t i) { const auto& v = part.vertices[i]; return std::array<int, 3>{v.x, v.y, v.z}; };
        ASSERT_EQ(part.triangles.size() % 6, 0u);
        for (size_t t = 0; t < part.triangles.size(); t += 6) {
            std::array<int, 3> lo = corner(part.triangles[t + 5]), hi = lo;
            for (size_t i = 0; i < 6; ++i)
                for (size_t a = 0; a < 3; ++a) {
                    lo[a] = std::min(lo[a], corner(part.triangles[t + i])[a]);
                    hi[a] = std::max(hi[a], corner(part.triangles[t + i])[a]);
                }
            const auto tri = ChunkFaces::TriangleCorners(f);
            const size_t n = f == 0 || f == 2 ? 2 : f == 1 || f == 3 ? 0 : 1;
            std::array<int, 3> cell = lo;
            cell[n] -= ChunkFaces::kOffset[size_t(f)][n] > 0 ? 1 : 0;
            for (size_t i = 0; i < 6; ++i) {
                std::array<int, 3> want;
                for (size_t a = 0; a < 3; ++a)
                    want[a] = a == n ? cell[a] + tri[i][a] : tri[i][a] ? hi[a] : lo[a];
                EXPECT_EQ(corner(part.triangles[t + i]), want);
            }
            const auto& own = part.vertices[part.triangles[t + 5]];
            std::array<int, 3> c = cell, end = hi;
            end[n] = cell[n] + 1;
            for (c[0] = cell[0]; c[0] < end[0]; ++c[0])
                for (c[1] = cell[1]; c[1] < end[1]; ++c[1])
                    for (c[2] = cell[2]; c[2] < end[2]; ++c[2])
                        EXPECT_TRUE(faces.insert({{f, c[0], c[1], c[2]}, RGB(own.r, own.g, own.b)}).second) << "face twice";
        }
        if (!withOutlines)
            continue;
        for (size_t e = 0; e + 1 < part.edges.size(); e += 2) {
            const auto a = corner(part.edges[e]), b = corner(part.edges[e + 1]);
            Units(a.data(), b.data(), [&](const Unit& u) { outlines.insert({f, u}); });
        }
    }
}

// Every front face of every outlined cube, in drawing order; the last one
// on an edge is what shows.
Painted ReplayWire(const CMiravelDoc& doc, const ChunkWire::Key& key)
{
    Painted out;
    for (int x = 0; x < doc.m_sizeX; ++x)
        for (int y = 0; y < doc.m_sizeY; ++y)
            for (int z = 0; z < doc.m_sizeZ; ++z) {
                const COLORREF c = doc.GetCube(x, y, z);
                const int cell[3] = {x, y, z};
                if (c == CLR_NONE || (key.axis >= 0 && cell[key.axis] == key.pos))
                    continue;
                for (int f = 0; f < 6; ++f) {
                    const auto& q = kCubeFaces[size_t(f)].corners;
                    for (size_t e = 0; e < 4 && key.front[size_t(f)]; ++e) {
                        const int a[3] = {x + int(q[e].x), y + int(q[e].y), z + int(q[e].z)};
                        const int b[3] = {x + int(q[(e + 1) % 4].x), y + int(q[(e + 1) % 4].y), z + int(q[(e + 1) % 4].z)};
                        Units(a, b, [&](const Unit& u) { out[u] = {c, f}; });
                    }
                }
            }
    return out;
}

// What the runs draw: each unit edge with the colour its texel gives and the
// face it is lit as. Fails on an edge drawn twice or a wrong end colour.
void DecodeWire(const ChunkWire::Mesh& mesh, Painted& out)
{
    const int tw = mesh.textureWidth, th = mesh.textureRows;
    const auto texel = [&](int column, int row) {
        const std::uint32_t t = mesh.texels[size_t(row) * size_t(tw) + size_t(column)];
        return RGB(t & 0xFF, (t >> 8) & 0xFF, (t >> 16) & 0xFF);
    };
    for (int f = 0; f < 6; ++f) {
        const auto& v = mesh.lines[size_t(f)];
        for (size_t n = 0; n + 1 < v.size(); n += 2) {
            const int a[3] = {v[n].x, v[n].y, v[n].z}, b[3] = {v[n + 1].x, v[n + 1].y, v[n + 1].z};
            const int axis = Axis(a, b);
            const double c0 = double(v[n].s) * tw, c1 = double(v[n + 1].s) * tw;
            const int row = int(std::floor(double(v[n].t) * th));
            // One colour: one texel under the whole line; else one per edge.
            EXPECT_TRUE(c0 == c1 || c1 - c0 == b[axis] - a[axis]);
            int k = 0;
            Units(a, b, [&](const Unit& u) {
                const COLORREF color = texel(int(c0 == c1 ? c0 : c0 + k++), row);
                EXPECT_TRUE(out.insert({u, {color, f}}).second) << "edge drawn twice";
            });
            // A pixel just past either end keeps that end's colour.
            if (c0 != c1) {
                EXPECT_EQ(texel(int(c0) - 1, row), texel(int(c0), row));
                EXPECT_EQ(texel(int(c1), row), texel(int(c1) - 1, row));
            }
        }
    }
}

ChunkWire::Key RandomKey(std::mt19937& rng, const CMiravelDoc& doc)
{
    ChunkWire::Key key;
    // One of each opposite pair faces the viewer, or both when seen edge-on.
    const int pairs[3][2] = {{3, 1}, {4, 5}, {0, 2}};
    for (const auto& p : pairs) {
        const unsigned r = rng() % 5;
        key.front[size_t(p[0])] = r != 0;
        key.front[size_t(p[1])] = r == 0 || r == 4;
    }
    if (rng() % 2) {
        key.axis = int(rng() % 3);
        const int size[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
        // Often at either side of a chunk border, where it changes two columns.
        const int choice = int(rng() % 3);
        key.pos = choice < 2 && size[key.axis] > 16 ? 15 + choice : int(rng() % unsigned(size[key.axis]));
    }
    return key;
}

TEST(ChunkGeometry, FacesOutlinesAndWireframeEdgesAsTheCellByCellReference)
{
    std::mt19937 rng(5);
    // One cell, one chunk, many chunks with partial ones at the far sides,
    // and a box smaller than the cubes it hides.
    const int sizes[][3] = {{1, 1, 1}, {16, 16, 16}, {70, 20, 35}, {17, 33, 3}};
    for (const auto& s : sizes) {
        CMiravelDoc doc;
        const int percent = 20 + int(rng() % 80);
        for (int x = -1; x <= s[0]; ++x)
            for (int y = 0; y <= s[1]; ++y)
                for (int z = 0; z < s[2]; ++z)
                    if (int(rng() % 100) < percent)
                        doc.m_cubes.Set({x, y, z}, RGB(rng() % 3 * 100, 50, rng() % 2 * 200));
        doc.SetGridSize(s[0], s[1], s[2]);
        SCOPED_TRACE(::testing::Message() << s[0] << "x" << s[1] << "x" << s[2]);

        Faces expectedFaces;
        Outlines expectedOutlines;
        ReferenceFaces(doc, expectedFaces, expectedOutlines);
        // Face by face, and with the faces of one colour merged.
        size_t rectangles[2] = {};
        for (const bool merge : {false, true}) {
            Faces faces;
            Outlines outlines;
            ForEachChunk(doc, [&](const CChunkCells& cells) {
                ChunkFaces::Mesh mesh;
                ChunkFaces::BuildExposed(cells, mesh, merge);
                rectangles[merge] += mesh.FaceCount();
                DecodeFaces(mesh, faces, outlines);
            });
            EXPECT_EQ(faces, expectedFaces) << merge;
            EXPECT_EQ(outlines, expectedOutlines) << merge;
        }
        EXPECT_EQ(rectangles[0], expectedFaces.size());
        EXPECT_TRUE(rectangles[1] < rectangles[0] || expectedFaces.size() < 100) << rectangles[1];

        for (int round = 0; round < 3; ++round) {
            const ChunkWire::Key key = RandomKey(rng, doc);
            Painted painted;
            const GridSize box{s[0], s[1], s[2]};
            for (int axis = 0; axis < 3; ++axis)
                for (int i = 0; i * 16 < s[(axis + 1) % 3]; ++i)
                    for (int j = 0; j * 16 < s[(axis + 2) % 3]; ++j) {
                        int c[3];
                        c[axis] = 0, c[(axis + 1) % 3] = i, c[(axis + 2) % 3] = j;
                        const ChunkKey column{c[0], c[1], c[2]};
                        ChunkWire::Mesh mesh;
                        // Round 2 in a texture too narrow for the longer runs, drawn in pieces.
                        ChunkWire::Build(doc.m_cubes, box, axis, column,
                                         ChunkWire::KeyFor(key, axis, CCubeChunk::Origin(column)), mesh,
                                         round == 2 ? 8 : 0);
                        DecodeWire(mesh, painted);
                    }
            // A layer across an axis takes away the edges within it, which the
            // drawing cuts out of the lines along that axis.
            std::erase_if(painted, [&](const auto& e) {
                const auto& [axis, x, y, z] = e.first;
                const int at[3] = {x, y, z};
                return axis == key.axis && at[axis] == key.pos;
            });
            Faces layer, expectedLayer;
            ForEachChunk(doc, [&](const CChunkCells& cells) {
                ChunkFaces::Mesh mesh;
                if (key.axis >= 0)
                    ChunkFaces::BuildLayer(cells, key.axis, key.pos, mesh, round == 1);
                DecodeFaces(mesh, layer, expectedOutlines, false);
            });
            EXPECT_EQ(painted, ReplayWire(doc, key)) << "round " << round;
            // The layer's cubes filled: all their faces but those between two of them.
            for (int x = 0; x < s[0] && key.axis >= 0; ++x)
                for (int y = 0; y < s[1]; ++y)
                    for (int z = 0; z < s[2]; ++z) {
                        const int c[3] = {x, y, z};
                        for (int f = 0; f < 6 && c[key.axis] == key.pos && doc.GetCube(x, y, z) != CLR_NONE; ++f) {
                            const auto& d = ChunkFaces::kOffset[size_t(f)];
                            const int n[3] = {x + d[0], y + d[1], z + d[2]};
                            if (n[key.axis] != key.pos || !doc.InBox(n[0], n[1], n[2]) || doc.GetCube(n[0], n[1], n[2]) == CLR_NONE)
                                expectedLayer[{f, x, y, z}] = doc.GetCube(x, y, z);
                        }
                    }
            EXPECT_EQ(layer, expectedLayer) << "round " << round;
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

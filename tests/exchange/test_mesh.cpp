// The cube mesh (closed, outward, merged, without T-junctions) and the mesh
// files made of it, read back by Assimp's importers and checked by Khronos's
// glTF validator.
#include "ExchangeTestUtil.h"

#include "exchange/MeshBuilder.h"
#include "exchange/MeshExport.h"
#include "exchange/FileFormats.h"
#include "exchange/ModelExport.h"

#include <QFile>
#include <QRegularExpression>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cmath>
#include <set>

using namespace exchange_test;

namespace {

// A triangle soup checked by vertex positions alone, as a slicer or a
// renderer sees it; with the vertex normals when it has them.
struct Soup {
    std::vector<std::array<float, 3>> points, normals;
    std::vector<std::array<unsigned, 3>> triangles;
};

inline Soup SoupOf(const CubeMesh& m)
{
    Soup s;
    for (std::size_t i = 0; i < m.VertexCount(); ++i)
        s.points.push_back({m.positions[3 * i], m.positions[3 * i + 1], m.positions[3 * i + 2]});
    for (std::size_t t = 0; t < m.TriangleCount(); ++t)
        s.triangles.push_back({m.triangles[3 * t], m.triangles[3 * t + 1], m.triangles[3 * t + 2]});
    return s;
}

using Key = std::array<long, 3>;
inline Key KeyOf(const std::array<float, 3>& p)
{
    return {std::lround(p[0] * 2), std::lround(p[1] * 2), std::lround(p[2] * 2)};
}

struct SoupFacts {
    double area = 0;
    double volume = 0;            // signed: positive when the faces point outward
    int unpairedEdges = 0;        // directed edges without their reverse
    int edgesNotShared = 0;       // undirected edges not in exactly two triangles
    int degenerate = 0;
    int againstNormal = 0;        // triangles wound against their first vertex's normal
    int tJunctions = 0;           // vertices lying inside another triangle's edge
    std::array<float, 3> low{}, high{};
};

inline SoupFacts Examine(const Soup& s, bool lookForTJunctions)
{
    SoupFacts f;
    std::map<std::pair<Key, Key>, int> directed;
    std::map<Key, bool> vertices;
    if (!s.points.empty())
        f.low = f.high = s.points[0];
    for (const auto& p : s.points) {
        vertices[KeyOf(p)] = true;
        for (int i = 0; i < 3; ++i)
            f.low[i] = std::min(f.low[i], p[i]), f.high[i] = std::max(f.high[i], p[i]);
    }
    for (const auto& t : s.triangles) {
        const auto& a = s.points[t[0]];
        const auto& b = s.points[t[1]];
        const auto& c = s.points[t[2]];
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const double area = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) / 2;
        f.area += area;
        f.degenerate += area < 1e-6;
        if (s.normals.size() == s.points.size()) {
            const auto& m = s.normals[t[0]];
            f.againstNormal += n[0] * m[0] + n[1] * m[1] + n[2] * m[2] <= 0;
        }
        f.volume += (a[0] * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
                     a[1] * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
                     a[2] * (double(b[0]) * c[1] - double(b[1]) * c[0])) / 6;
        for (int k = 0; k < 3; ++k)
            ++directed[{KeyOf(s.points[t[k]]), KeyOf(s.points[t[(k + 1) % 3]])}];
    }
    for (const auto& [edge, count] : directed) {
        const auto back = directed.find({edge.second, edge.first});
        const int reverse = back == directed.end() ? 0 : back->second;
        f.unpairedEdges += count != reverse;
        f.edgesNotShared += edge.first < edge.second && (count != 1 || reverse != 1);
    }
    // A vertex strictly inside an edge: collinear with it and between its ends.
    for (const auto& [edge, count] : directed)
        for (const auto& [p, unused] : vertices) {
            if (!lookForTJunctions)
                break;
            const Key &a = edge.first, &b = edge.second;
            const long d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
            const long e[3] = {p[0] - a[0], p[1] - a[1], p[2] - a[2]};
            const long dot = d[0] * e[0] + d[1] * e[1] + d[2] * e[2];
            f.tJunctions += d[1] * e[2] == d[2] * e[1] && d[2] * e[0] == d[0] * e[2] && d[0] * e[1] == d[1] * e[0] &&
                            dot > 0 && dot < d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        }
    return f;
}

const char* kValidatorDir = "/usr/local/lib/miravel-test-node/node_modules/gltf-validator";

// All meshes of a scene as one soup in world space (the exports keep every
// mesh at the root, untransformed), with the normals the file gives, and the
// colours Assimp reports.
struct Imported {
    Soup soup;
    std::set<COLORREF> vertexColors; // bytes, as written
    std::set<COLORREF> materialColors;
};

// Assimp's colours as bytes; glTF's are linear, the others as written.
COLORREF Bytes(const aiColor4D& c, bool linear)
{
    auto byte = [&](double x) {
        const double s = !linear ? x : x <= 0.0031308 ? x * 12.92 : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
        return std::uint8_t(std::lround(std::clamp(s, 0.0, 1.0) * 255));
    };
    return RGB(byte(c.r), byte(c.g), byte(c.b));
}

bool Import(const QString& path, bool linear, Imported& out)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path.toStdString(), 0);
    for (unsigned i = 0; scene && i < scene->mNumMeshes; ++i) {
        const aiMesh* m = scene->mMeshes[i];
        const unsigned base = unsigned(out.soup.points.size());
        for (unsigned v = 0; v < m->mNumVertices; ++v) {
            out.soup.points.push_back({m->mVertices[v].x, m->mVertices[v].y, m->mVertices[v].z});
            if (m->mNormals)
                out.soup.normals.push_back({m->mNormals[v].x, m->mNormals[v].y, m->mNormals[v].z});
            if (m->mColors[0])
                out.vertexColors.insert(Bytes(m->mColors[0][v], linear));
        }
        for (unsigned f = 0; f < m->mNumFaces; ++f) {
            const unsigned* t = m->mFaces[f].mIndices;
            if (m->mFaces[f].mNumIndices != 3)
                return false;
            out.soup.triangles.push_back({base + t[0], base + t[1], base + t[2]});
        }
        aiColor4D diffuse;
        if (scene->mMaterials[m->mMaterialIndex]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == aiReturn_SUCCESS)
            out.materialColors.insert(Bytes(diffuse, false));
    }
    return scene != nullptr;
}

std::set<COLORREF> ColorsOf(const ModelData& m)
{
    std::set<COLORREF> out;
    m.cubes.ForEachCube([&](const CUBEPOS&, COLORREF c) { out.insert(c); });
    return out;
}

// Runs the validator on node; the number of errors, or -1 when it did not run.
int ValidatorErrors(const QString& file, QByteArray& report)
{
    const QByteArray script = QByteArray("const v = require('") + kValidatorDir + "');\n"
        "const fs = require('fs'), path = require('path'), file = process.argv[1];\n"
        "v.validateBytes(new Uint8Array(fs.readFileSync(file)), {\n"
        "  externalResourceFunction: (uri) => new Promise((ok, fail) => {\n"
        "    try { ok(new Uint8Array(fs.readFileSync(path.join(path.dirname(file), decodeURIComponent(uri))))); }\n"
        "    catch (e) { fail(e.toString()); } })\n"
        "}).then(r => { console.log(JSON.stringify(r.issues)); })\n"
        "  .catch(e => { console.error(e); process.exit(2); });\n";
    if (!RunPeer(Peer("node"), {QStringLiteral("-e"), QString::fromUtf8(script), file}, &report))
        return -1;
    const int at = report.indexOf("\"numErrors\":");
    return at < 0 ? -1 : report.mid(at + 12).toInt(nullptr);
}

} // namespace

TEST(CubeMesh, MergesAndPlacesTheModel)
{
    // A full grid of one colour is six rectangles, two triangles each; the
    // origin is the centre of the floor, one unit per cube (z up is checked
    // on the exported STL).
    CubeMesh mesh;
    ASSERT_TRUE(BuildCubeMesh(RandomModel(5, 3, 4, 1.0, 1, 0), MeshAxes::YUp, mesh));
    EXPECT_EQ(mesh.TriangleCount(), 12u);
    EXPECT_EQ(mesh.exposedFaces, 2 * (5 * 3 + 3 * 4 + 5 * 4));
    const SoupFacts f = Examine(SoupOf(mesh), false);
    EXPECT_EQ(f.low, (std::array<float, 3>{-2.5f, 0.0f, -2.0f}));
    EXPECT_EQ(f.high, (std::array<float, 3>{2.5f, 3.0f, 2.0f}));

    // One triangle over the limit is refused with the exact count, and when
    // the rectangles alone are too many, with what they need at least.
    ASSERT_TRUE(BuildCubeMesh(SampleModel(), MeshAxes::YUp, mesh));
    const std::int64_t triangles = std::int64_t(mesh.TriangleCount()), rectangles = mesh.rectangles;
    EXPECT_FALSE(BuildCubeMesh(SampleModel(), MeshAxes::YUp, mesh, {}, triangles - 1));
    EXPECT_EQ(mesh.refusedTriangles, triangles);
    EXPECT_TRUE(mesh.triangles.empty());
    EXPECT_FALSE(BuildCubeMesh(SampleModel(), MeshAxes::YUp, mesh, {}, rectangles));
    EXPECT_EQ(mesh.refusedTriangles, 2 * rectangles);
}

// Every format as Assimp reads it back, one model in each: closed (every
// edge met both ways), outward (positive volume, triangles wound with the
// file's normals), crack-free (no T-junctions), no degenerate triangles, the
// merged triangle count, the model's place and its colours.
TEST(MeshExport, AssimpReadsBackEveryFormat)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        ModelData model;
        bool manifold; // no two cubes meet along an edge only
    } models[] = {
        {"one cube", {3, 3, 3, {{CUBEPOS{1, 1, 1}, RGB(1, 2, 3)}}}, true},
        {"solid", Solid(1), true},
        {"random", RandomModel(8, 6, 7, 0.45, 5, 9), false},
        {"sample", SampleModel(), false},
    };
    for (const auto& [name, model, manifold] : models) {
        SCOPED_TRACE(name);
        CubeMesh mesh;
        ASSERT_TRUE(BuildCubeMesh(model, MeshAxes::YUp, mesh));
        CubeMesh shapeMesh;
        ASSERT_TRUE(BuildCubeMesh(model, MeshAxes::YUp, shapeMesh, {}, kMaxMeshTriangles, MeshColours::One));
        const SoupFacts built = Examine(SoupOf(mesh), false);
        for (ExchangeFormat format : {ExchangeFormat::Gltf, ExchangeFormat::Glb, ExchangeFormat::Obj,
                                      ExchangeFormat::Ply, ExchangeFormat::Stl}) {
            const QString path = dir.filePath(QStringLiteral("model.") + FileFormats::Get(format).Suffix());
            const ExportResult r = ExportModel(model, format, path);
            ASSERT_TRUE(r.ok) << r.message.toStdString();
            Imported in;
            const bool gltf = format == ExchangeFormat::Gltf || format == ExchangeFormat::Glb;
            ASSERT_TRUE(Import(path, gltf, in)) << path.toStdString();
            if (gltf) { // the normals at least these files must carry
                ASSERT_EQ(in.soup.normals.size(), in.soup.points.size());
            }
            const SoupFacts f = Examine(in.soup, model.cubes.Count() < 600);
            const std::string what = FileFormats::Get(format).Suffix().toStdString();
            const bool stl = format == ExchangeFormat::Stl;
            // STL has no colours, so all faces of a plane merge.
            EXPECT_EQ(in.soup.triangles.size(), (stl ? shapeMesh : mesh).TriangleCount()) << what;
            EXPECT_NEAR(f.area, double(mesh.exposedFaces), 1e-3) << what;
            EXPECT_NEAR(f.volume, double(model.cubes.Count()), 1e-3) << what;
            EXPECT_EQ(f.unpairedEdges, 0) << what;
            // Watertight for a slicer: each edge in exactly two triangles.
            EXPECT_EQ(manifold ? f.edgesNotShared : 0, 0) << what;
            EXPECT_EQ(f.degenerate, 0) << what;
            EXPECT_EQ(f.tJunctions, 0) << what;
            EXPECT_EQ(f.againstNormal, 0) << what;
            // STL is printed with z up: (x, y, z) -> (x, -z, y).
            using P = std::array<float, 3>;
            EXPECT_EQ(f.low, (stl ? P{built.low[0], -built.high[2], built.low[1]} : built.low)) << what;
            EXPECT_EQ(f.high, (stl ? P{built.high[0], -built.low[2], built.high[1]} : built.high)) << what;
            if (!stl) {
                // Per vertex in glTF and PLY, per material in OBJ.
                EXPECT_EQ(format == ExchangeFormat::Obj ? in.materialColors : in.vertexColors, ColorsOf(model)) << what;
            }
        }
    }
}

TEST(MeshExport, AGltfWithSpacesAndJapaneseInItsNameOpensEverywhere)
{
    // The .bin takes a name that its URI needs no escapes for: Debian's
    // Assimp does not decode them, and finds the buffer only so.
    QTemporaryDir dir;
    const QString gltf = dir.filePath(QStringLiteral("私の モデル.gltf"));
    ASSERT_TRUE(ExportModel(SampleModel(), ExchangeFormat::Gltf, gltf).ok);
    const QString bin = QFileInfo(CompanionPath(ExchangeFormat::Gltf, gltf)).fileName();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Za-z0-9._~-]+\\.bin$")).match(bin).hasMatch()) << bin.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{bin, QStringLiteral("私の モデル.gltf")}));
    Imported in;
    EXPECT_TRUE(Import(gltf, true, in));
    EXPECT_FALSE(in.soup.triangles.empty());

    if (Peer("node").isEmpty() || !QFile::exists(QString::fromLatin1(kValidatorDir)))
        GTEST_SKIP() << "node or the npm gltf-validator is not installed";
    const QString glb = dir.filePath(QStringLiteral("model.glb"));
    ASSERT_TRUE(ExportModel(SampleModel(), ExchangeFormat::Glb, glb).ok);
    for (const QString& path : {gltf, glb}) {
        QByteArray report;
        EXPECT_EQ(ValidatorErrors(path, report), 0) << path.toStdString() << report.toStdString();
    }
}

TEST(MeshExport, FailureLeavesNoFiles)
{
    QTemporaryDir dir;
    const QString gltf = dir.filePath(QStringLiteral("m.gltf"));
    EXPECT_FALSE(ExportModel(SampleModel(), ExchangeFormat::Gltf, gltf, [](int, int) { return false; }).ok);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    ASSERT_TRUE(ExportModel(SampleModel(), ExchangeFormat::Obj, dir.filePath(QStringLiteral("m.obj"))).ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("m.mtl"), QStringLiteral("m.obj")}));
    QFile obj(dir.filePath(QStringLiteral("m.obj")));
    ASSERT_TRUE(obj.open(QIODevice::ReadOnly));
    EXPECT_TRUE(obj.readAll().contains("mtllib m.mtl"));
    EXPECT_FALSE(ExportModel(SampleModel(), ExchangeFormat::Stl, dir.filePath(QStringLiteral("none/m.stl"))).ok);
    EXPECT_FALSE(ExportModel(SampleModel(), ExchangeFormat::Png, dir.filePath(QStringLiteral("m.png"))).ok);
    const ExportResult empty = ExportModel(ModelData{2, 2, 2, {}}, ExchangeFormat::Glb, dir.filePath(QStringLiteral("e.glb")));
    EXPECT_EQ(empty.message, QStringLiteral("キューブが一つもないため、メッシュを書き出せません。"));
}

// Mesh files read back by Assimp's importers and checked by Khronos's glTF
// validator.
#include "ExchangeTestUtil.h"
#include "MeshCheck.h"

#include "exchange/ModelExport.h"

#include <QFile>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>
#include <set>

using namespace exchange_test;

namespace {

const char* kValidatorDir = "/usr/local/lib/miravel-test-node/node_modules/gltf-validator";

// All meshes of a scene as one soup in world space (the exports keep every
// mesh at the root, untransformed), and the colours Assimp reports.
struct Imported {
    Soup soup;
    std::set<COLORREF> vertexColors; // bytes, as written
    std::set<COLORREF> materialColors;
};

std::uint8_t LinearToSrgbByte(float c)
{
    const double s = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return std::uint8_t(std::lround(std::clamp(s, 0.0, 1.0) * 255));
}

bool Import(const QString& path, bool linear, Imported& out)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path.toStdString(), 0);
    if (!scene)
        return false;
    for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
        const aiMesh* m = scene->mMeshes[i];
        const unsigned base = unsigned(out.soup.points.size());
        for (unsigned v = 0; v < m->mNumVertices; ++v) {
            out.soup.points.push_back({m->mVertices[v].x, m->mVertices[v].y, m->mVertices[v].z});
            if (m->mColors[0]) {
                const aiColor4D c = m->mColors[0][v];
                auto byte = [&](float x) {
                    return linear ? LinearToSrgbByte(x) : std::uint8_t(std::lround(x * 255));
                };
                out.vertexColors.insert(RGB(byte(c.r), byte(c.g), byte(c.b)));
            }
        }
        for (unsigned f = 0; f < m->mNumFaces; ++f) {
            if (m->mFaces[f].mNumIndices != 3)
                return false;
            out.soup.triangles.push_back({base + m->mFaces[f].mIndices[0], base + m->mFaces[f].mIndices[1],
                                          base + m->mFaces[f].mIndices[2]});
        }
        aiColor4D diffuse;
        if (scene->mMaterials[m->mMaterialIndex]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == aiReturn_SUCCESS)
            out.materialColors.insert(RGB(std::uint8_t(std::lround(diffuse.r * 255)),
                                          std::uint8_t(std::lround(diffuse.g * 255)),
                                          std::uint8_t(std::lround(diffuse.b * 255))));
    }
    return true;
}

std::set<COLORREF> ColorsOf(const ModelData& m)
{
    std::set<COLORREF> out;
    for (const auto& [p, c] : m.cubes)
        out.insert(c);
    return out;
}

// Runs the validator on node; the number of errors, or -1 when it did not run.
int ValidatorErrors(const QString& file, QByteArray& report)
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("validate.js"));
    QFile js(script);
    if (!js.open(QIODevice::WriteOnly))
        return -1;
    js.write(QByteArray("const v = require('") + kValidatorDir + "');\n"
             "const fs = require('fs'), path = require('path');\n"
             "const file = process.argv[2];\n"
             "v.validateBytes(new Uint8Array(fs.readFileSync(file)), {\n"
             "  externalResourceFunction: (uri) => new Promise((ok, fail) => {\n"
             "    try { ok(new Uint8Array(fs.readFileSync(path.join(path.dirname(file), decodeURIComponent(uri))))); }\n"
             "    catch (e) { fail(e.toString()); } })\n"
             "}).then(r => { console.log(JSON.stringify(r.issues)); })\n"
             "  .catch(e => { console.error(e); process.exit(2); });\n");
    js.close();
    if (!RunPeer(Peer("node"), {script, file}, &report))
        return -1;
    const int at = report.indexOf("\"numErrors\":");
    return at < 0 ? -1 : report.mid(at + 12).toInt(nullptr);
}

} // namespace

TEST(MeshExport, AssimpReadsBackEveryFormat)
{
    QTemporaryDir dir;
    const struct {
        ModelData model;
        bool manifold; // no two cubes meet along an edge only
    } models[] = {{SampleModel(), false}, {RandomModel(6, 5, 7, 0.5, 6, 21), false}, {Solid(4), true}};
    for (const auto& [model, manifold] : models) {
        CubeMesh mesh;
        ASSERT_TRUE(BuildCubeMesh(model, MeshAxes::YUp, mesh));
        ModelData shape = model;
        for (auto& cube : shape.cubes)
            cube.second = RGB(255, 255, 255);
        CubeMesh shapeMesh;
        ASSERT_TRUE(BuildCubeMesh(shape, MeshAxes::YUp, shapeMesh));
        const SoupFacts built = Examine(SoupOf(mesh), false);
        for (ExchangeFormat format : {ExchangeFormat::Gltf, ExchangeFormat::Glb, ExchangeFormat::Obj,
                                      ExchangeFormat::Ply, ExchangeFormat::Stl}) {
            const QString path = dir.filePath(QStringLiteral("model.") + FormatSuffix(format));
            const ExportResult r = ExportModel(model, format, path);
            ASSERT_TRUE(r.ok) << r.message.toStdString();
            Imported in;
            const bool gltf = format == ExchangeFormat::Gltf || format == ExchangeFormat::Glb;
            ASSERT_TRUE(Import(path, gltf, in)) << path.toStdString();
            const SoupFacts f = Examine(in.soup, false);
            const std::string what = FormatSuffix(format).toStdString();
            // STL has no colours, so all faces of a plane merge.
            EXPECT_EQ(in.soup.triangles.size(),
                      (format == ExchangeFormat::Stl ? shapeMesh : mesh).TriangleCount()) << what;
            EXPECT_NEAR(f.area, double(mesh.exposedFaces), 1e-3) << what;
            EXPECT_NEAR(f.volume, double(model.cubes.size()), 1e-3) << what;
            EXPECT_EQ(f.unpairedEdges, 0) << what;
            if (format == ExchangeFormat::Stl && manifold) {
                // Watertight for a slicer: each edge in exactly two triangles.
                EXPECT_EQ(f.edgesNotShared, 0);
            }
            if (format == ExchangeFormat::Stl) {
                // Printed with z up: (x, y, z) -> (x, -z, y).
                EXPECT_EQ(f.low, (std::array<float, 3>{built.low[0], -built.high[2], built.low[1]}));
                EXPECT_EQ(f.high, (std::array<float, 3>{built.high[0], -built.low[2], built.high[1]}));
            } else {
                EXPECT_EQ(f.low, built.low) << what;
                EXPECT_EQ(f.high, built.high) << what;
            }
            if (gltf || format == ExchangeFormat::Ply) {
                EXPECT_EQ(in.vertexColors, ColorsOf(model)) << what;
            }
            if (format == ExchangeFormat::Obj) {
                EXPECT_EQ(in.materialColors, ColorsOf(model)) << what;
            }
        }
    }
}

TEST(MeshExport, GltfValidatorFindsNoErrors)
{
    if (Peer("node").isEmpty() || !QFile::exists(QString::fromLatin1(kValidatorDir)))
        GTEST_SKIP() << "node or the npm gltf-validator is not installed";
    QTemporaryDir dir;
    // A name with a space and Japanese characters: the .gltf must refer to
    // its .bin by a proper URI.
    for (const QString& name : {QStringLiteral("model.gltf"), QStringLiteral("私の モデル.gltf"),
                               QStringLiteral("model.glb")}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(ExportModel(SampleModel(), *FormatForPath(name), path).ok);
        QByteArray report;
        EXPECT_EQ(ValidatorErrors(path, report), 0) << name.toStdString() << report.toStdString();
    }
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("私の モデル.bin"))));
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

#include "exchange/MeshExport.h"

#include "exchange/ExchangeMessages.h"
#include "model/FileErrorText.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>

namespace {

// glTF stores colours linearly; the cube colours are sRGB bytes.
float SrgbToLinear(std::uint8_t byte)
{
    const double c = byte / 255.0;
    return float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
}

aiColor4D LinearColor(COLORREF c)
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[std::size_t(i)] = SrgbToLinear(std::uint8_t(i));
        return t;
    }();
    return {table[GetRValue(c)], table[GetGValue(c)], table[GetBValue(c)], 1.0f};
}

aiColor4D ByteColor(COLORREF c)
{
    return {GetRValue(c) / 255.0f, GetGValue(c) / 255.0f, GetBValue(c) / 255.0f, 1.0f};
}

// Assimp 5.2's binary PLY exporter declares the vertex colour as four uchar
// properties but writes four floats, which no reader (Assimp's own included)
// can read. Where the body has exactly the size of that mistake, the floats
// are turned into the declared bytes; a body of the declared size is left as
// it is; anything else fails the export rather than write a broken file.
bool MendPlyColors(QByteArray& ply)
{
    static const QByteArray kVertexLayout =
        "property float x\nproperty float y\nproperty float z\n"
        "property float nx\nproperty float ny\nproperty float nz\n"
        "property uchar red\nproperty uchar green\nproperty uchar blue\nproperty uchar alpha\n"
        "element face ";
    const int headerEnd = ply.indexOf("end_header\n");
    const int vertexAt = ply.indexOf("element vertex ");
    const int layoutAt = ply.indexOf(kVertexLayout);
    if (headerEnd < 0 || vertexAt < 0 || layoutAt < 0 || layoutAt > headerEnd)
        return false;
    const qsizetype body = headerEnd + qsizetype(sizeof("end_header\n") - 1);
    bool ok = false;
    const qint64 vertices = ply.mid(vertexAt + 15, ply.indexOf('\n', vertexAt) - vertexAt - 15).toLongLong(&ok);
    const int faceLine = layoutAt + kVertexLayout.size();
    bool okFaces = false;
    const qint64 faces = ply.mid(faceLine, ply.indexOf('\n', faceLine) - faceLine).toLongLong(&okFaces);
    if (!ok || !okFaces)
        return false;
    constexpr qint64 kFace = 1 + 3 * 4;
    const qint64 rest = ply.size() - body - faces * kFace;
    if (rest == vertices * 28)
        return true;
    if (rest != vertices * 40)
        return false;
    QByteArray mended = ply.left(body);
    mended.reserve(ply.size() - vertices * 12);
    for (qint64 v = 0; v < vertices; ++v) {
        const char* record = ply.constData() + body + v * 40;
        mended.append(record, 24);
        for (int k = 0; k < 4; ++k) {
            float f = 0;
            std::memcpy(&f, record + 24 + 4 * k, 4);
            mended.append(char(std::uint8_t(std::lround(std::clamp(f, 0.0f, 1.0f) * 255.0f))));
        }
    }
    mended.append(ply.constData() + body + vertices * 40, faces * kFace);
    ply = mended;
    return true;
}

aiMaterial* MakeMaterial(const QString& name, COLORREF color)
{
    auto* material = new aiMaterial;
    const aiString aiName(name.toStdString());
    material->AddProperty(&aiName, AI_MATKEY_NAME);
    const aiColor4D diffuse(GetRValue(color) / 255.0f, GetGValue(color) / 255.0f,
                            GetBValue(color) / 255.0f, 1.0f);
    material->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    material->AddProperty(&diffuse, 1, AI_MATKEY_BASE_COLOR);
    return material;
}

enum class ColorKind { None, Linear, Bytes };

// One Assimp mesh of the given triangles of the mesh, with its own copy of
// the vertices they use.
aiMesh* MakeMesh(const CubeMesh& mesh, const std::vector<std::uint32_t>& triangles, ColorKind colors,
                 unsigned material)
{
    auto* out = new aiMesh;
    out->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    out->mMaterialIndex = material;
    // The mesh's vertices that these triangles use, numbered anew in order
    // of first use.
    constexpr unsigned kUnused = ~0u;
    std::vector<unsigned> remap(mesh.VertexCount(), kUnused);
    std::vector<std::uint32_t> used;
    for (std::uint32_t v : triangles)
        if (remap[v] == kUnused) {
            remap[v] = unsigned(used.size());
            used.push_back(v);
        }
    const unsigned count = unsigned(used.size());
    out->mNumVertices = count;
    out->mVertices = new aiVector3D[count];
    out->mNormals = new aiVector3D[count];
    if (colors != ColorKind::None)
        out->mColors[0] = new aiColor4D[count];
    for (unsigned to = 0; to < count; ++to) {
        const std::uint32_t from = used[to];
        const float* p = &mesh.positions[std::size_t(from) * 3];
        const float* n = &mesh.normals[std::size_t(from) * 3];
        out->mVertices[to] = aiVector3D(p[0], p[1], p[2]);
        out->mNormals[to] = aiVector3D(n[0], n[1], n[2]);
        if (colors == ColorKind::Linear)
            out->mColors[0][to] = LinearColor(mesh.colors[from]);
        else if (colors == ColorKind::Bytes)
            out->mColors[0][to] = ByteColor(mesh.colors[from]);
    }
    out->mNumFaces = unsigned(triangles.size() / 3);
    out->mFaces = new aiFace[out->mNumFaces];
    for (unsigned f = 0; f < out->mNumFaces; ++f) {
        aiFace& face = out->mFaces[f];
        face.mNumIndices = 3;
        face.mIndices = new unsigned[3];
        for (int k = 0; k < 3; ++k)
            face.mIndices[k] = remap[triangles[std::size_t(f) * 3 + std::size_t(k)]];
    }
    return out;
}

std::unique_ptr<aiScene> MakeScene(const CubeMesh& mesh, ExchangeFormat format)
{
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode("model");
    std::vector<aiMesh*> meshes;
    std::vector<aiMaterial*> materials;
    if (format == ExchangeFormat::Obj) {
        // OBJ has no vertex colours that readers agree on: one material per
        // colour instead.
        std::map<COLORREF, std::vector<std::uint32_t>> byColor;
        for (std::size_t t = 0; t < mesh.triangles.size(); t += 3) {
            auto& list = byColor[mesh.colors[mesh.triangles[t]]];
            list.insert(list.end(), mesh.triangles.begin() + std::ptrdiff_t(t),
                        mesh.triangles.begin() + std::ptrdiff_t(t + 3));
        }
        for (const auto& [color, triangles] : byColor) {
            const QString name = QStringLiteral("color_%1%2%3")
                                     .arg(GetRValue(color), 2, 16, QChar(u'0'))
                                     .arg(GetGValue(color), 2, 16, QChar(u'0'))
                                     .arg(GetBValue(color), 2, 16, QChar(u'0'));
            materials.push_back(MakeMaterial(name, color));
            meshes.push_back(MakeMesh(mesh, triangles, ColorKind::None, unsigned(materials.size() - 1)));
        }
    } else {
        const ColorKind colors = format == ExchangeFormat::Gltf || format == ExchangeFormat::Glb
                                     ? ColorKind::Linear
                                 : format == ExchangeFormat::Ply ? ColorKind::Bytes
                                                                 : ColorKind::None;
        materials.push_back(MakeMaterial(QStringLiteral("cubes"), RGB(255, 255, 255)));
        if (!mesh.triangles.empty())
            meshes.push_back(MakeMesh(mesh, mesh.triangles, colors, 0));
    }
    scene->mNumMaterials = unsigned(materials.size());
    scene->mMaterials = new aiMaterial*[materials.size()];
    std::copy(materials.begin(), materials.end(), scene->mMaterials);
    scene->mNumMeshes = unsigned(meshes.size());
    scene->mMeshes = new aiMesh*[std::max<std::size_t>(1, meshes.size())];
    std::copy(meshes.begin(), meshes.end(), scene->mMeshes);
    scene->mRootNode->mNumMeshes = unsigned(meshes.size());
    scene->mRootNode->mMeshes = new unsigned[std::max<std::size_t>(1, meshes.size())];
    for (unsigned i = 0; i < meshes.size(); ++i)
        scene->mRootNode->mMeshes[i] = i;
    return scene;
}

const char* ExporterId(ExchangeFormat format)
{
    switch (format) {
    case ExchangeFormat::Gltf: return "gltf2";
    case ExchangeFormat::Glb: return "glb2";
    case ExchangeFormat::Obj: return "obj";
    case ExchangeFormat::Ply: return "plyb";
    case ExchangeFormat::Stl: return "stlb";
    default: return nullptr;
    }
}

// The exporter names a companion file "$blobfile.<ext>" inside the main one;
// it becomes the companion's real name, beside the main file.
bool NameCompanion(QByteArray& main, const QByteArray& placeholder, const QByteArray& name)
{
    const int at = main.indexOf(placeholder);
    if (at < 0 || main.indexOf(placeholder, at + 1) >= 0)
        return false;
    main.replace(at, placeholder.size(), name);
    return true;
}

} // namespace

QString CompanionPath(ExchangeFormat format, const QString& path)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    if (format == ExchangeFormat::Obj)
        return info.dir().filePath(base + QStringLiteral(".mtl"));
    if (format != ExchangeFormat::Gltf)
        return {};
    // The .gltf names its buffer by a relative URI. Readers that do not
    // decode escapes (Debian's Assimp among them) cannot follow a name with
    // spaces or other than ASCII letters, digits and "-._~", so such a name
    // is spelt with those alone and told apart from its neighbours by a
    // digest of the original.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._~-]+"));
    if (!base.contains(unsafe) && !base.isEmpty())
        return info.dir().filePath(base + QStringLiteral(".bin"));
    QString safe = base;
    safe.replace(unsafe, QStringLiteral("_"));
    while (safe.startsWith(QLatin1Char('_')) || safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    while (safe.endsWith(QLatin1Char('_')))
        safe.chop(1);
    if (safe.isEmpty())
        safe = QStringLiteral("model");
    const QByteArray digest = QCryptographicHash::hash(base.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return info.dir().filePath(safe + QLatin1Char('-') + QString::fromLatin1(digest) + QStringLiteral(".bin"));
}

ExportResult ExportMesh(const CubeMesh& mesh, ExchangeFormat format, const QString& path)
{
    ExportResult result;
    const char* id = ExporterId(format);
    if (!id) {
        result.message = ExchangeMessages::NotExportable();
        return result;
    }
    const std::unique_ptr<aiScene> scene = MakeScene(mesh, format);
    Assimp::Exporter exporter;
    const aiExportDataBlob* blob = exporter.ExportToBlob(scene.get(), id, 0);
    if (!blob) {
        result.message = ExchangeMessages::CannotWrite(path, QString::fromUtf8(exporter.GetErrorString()));
        return result;
    }

    QByteArray main(reinterpret_cast<const char*>(blob->data), qsizetype(blob->size));
    if (format == ExchangeFormat::Ply && !MendPlyColors(main)) {
        result.message = ExchangeMessages::CannotWrite(path, QCoreApplication::translate("MeshExport", "PLY の頂点の並びが想定と違います。"));
        return result;
    }
    std::vector<std::pair<QString, QByteArray>> files;
    for (const aiExportDataBlob* extra = blob->next; extra; extra = extra->next) {
        const QString ext = QString::fromUtf8(extra->name.C_Str());
        const QString companion = CompanionPath(format, path);
        const QByteArray placeholder = "$blobfile." + ext.toUtf8();
        // A .gltf refers to its buffer by a URI that needs no escapes, an
        // .obj to its library by name.
        const QByteArray reference = QFileInfo(companion).fileName().toUtf8();
        if (companion.isEmpty() || !companion.endsWith(QLatin1Char('.') + ext) ||
            !NameCompanion(main, placeholder, reference)) {
            result.message = ExchangeMessages::CannotWrite(path, QCoreApplication::translate("MeshExport", "付属ファイルの名前を決められません。"));
            return result;
        }
        files.emplace_back(companion, QByteArray(reinterpret_cast<const char*>(extra->data),
                                                 qsizetype(extra->size)));
    }
    // The main file last: it is the one that refers to the others.
    files.emplace_back(path, main);

    // Everything is written to temporaries first; the files replace what was
    // there only when all of them are complete.
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const auto& [name, bytes] : files) {
        auto save = std::make_unique<QSaveFile>(name);
        errno = 0;
        // The flush is where a full disk shows with its reason.
        if (!save->open(QIODevice::WriteOnly) || save->write(bytes) != bytes.size() || !save->flush()) {
            result.message = ExchangeMessages::CannotWrite(name, FileErrorText::OfFailedCall(*save));
            return result;
        }
        saves.push_back(std::move(save));
    }
    for (const auto& save : saves) {
        errno = 0;
        if (!save->commit()) {
            result.message = ExchangeMessages::CannotWrite(save->fileName(), FileErrorText::OfFailedCall(*save));
            return result;
        }
    }
    result.ok = true;
    return result;
}

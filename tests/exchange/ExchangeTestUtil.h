#pragma once

#include "exchange/ModelData.h"
#include "model/CMiravelDoc.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>

namespace exchange_test {

inline ModelData SampleModel()
{
    CMiravelDoc doc;
    const DocResult r = doc.OnOpenDocument(QStringLiteral(MIRAVEL_SOURCE_DIR "/resources/samples/sample.mvf"));
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    return ModelFromDocument(doc);
}

// A model with a random fill and a few colours; cubes in x, y, z order.
inline ModelData RandomModel(int x, int y, int z, double fill, int colors, unsigned seed)
{
    ModelData m{x, y, z, {}};
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coin(0, 1);
    std::uniform_int_distribution<int> pick(0, colors - 1);
    for (int i = 0; i < x; ++i)
        for (int j = 0; j < y; ++j)
            for (int k = 0; k < z; ++k)
                if (const int c = pick(rng); coin(rng) < fill)
                    m.cubes.Set({i, j, k}, RGB(std::uint8_t(40 + c * 37), std::uint8_t(200 - c * 13),
                                                            std::uint8_t(c * 71)));
    return m;
}

// A solid block in random colours with a stepped pyramid on top: every edge
// is shared by two faces, and colour changes make many T-junction chances.
inline ModelData Solid(unsigned seed)
{
    ModelData m{9, 7, 8, {}};
    std::mt19937 rng(seed);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 7; ++y)
            for (int z = 0; z < 8; ++z) {
                const int inset = std::max(0, y - 2);
                if (x < inset || z < inset || x >= 9 - inset || z >= 8 - inset)
                    continue;
                const COLORREF c = rng() % 4 ? RGB(200, 30, 30) : RGB(30, 30, 200 + std::uint8_t(rng() % 3));
                m.cubes.Set({x, y, z}, c);
            }
    return m;
}

inline QString Peer(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

// Runs a peer program (the suite runs under an X server, which goxel needs).
inline bool RunPeer(const QString& program, const QStringList& args, QByteArray* output = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        return false;
    }
    if (output)
        *output = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Pieces of hand-made .vox files.
inline QByteArray Int(std::int64_t v)
{
    const std::uint32_t u = std::uint32_t(v);
    const char b[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char(u >> 24)};
    return QByteArray(b, 4);
}
inline QByteArray Chunk(const char* id, const QByteArray& content, const QByteArray& children = {})
{
    return QByteArray(id, 4) + Int(content.size()) + Int(children.size()) + content + children;
}
inline QByteArray VoxFile(const QByteArray& children, int version = 150)
{
    return QByteArray("VOX ") + Int(version) + Chunk("MAIN", {}, children);
}
inline QByteArray Size(int x, int y, int z) { return Chunk("SIZE", Int(x) + Int(y) + Int(z)); }
struct Voxel {
    int x, y, z, index;
};
inline QByteArray Xyzi(const std::vector<Voxel>& voxels)
{
    QByteArray content = Int(std::int64_t(voxels.size()));
    for (const Voxel& v : voxels)
        content += QByteArray(1, char(v.x)) + char(v.y) + char(v.z) + char(v.index);
    return Chunk("XYZI", content);
}
inline QByteArray String(const QByteArray& s) { return Int(s.size()) + s; }
inline QByteArray Dict(const std::vector<std::pair<QByteArray, QByteArray>>& entries)
{
    QByteArray out = Int(std::int64_t(entries.size()));
    for (const auto& [k, v] : entries)
        out += String(k) + String(v);
    return out;
}
inline QByteArray Transform(int id, int child, const QByteArray& translation, const QByteArray& rotation = {})
{
    std::vector<std::pair<QByteArray, QByteArray>> frame{{"_t", translation}};
    if (!rotation.isEmpty())
        frame.push_back({"_r", rotation});
    return Chunk("nTRN", Int(id) + Dict({}) + Int(child) + Int(-1) + Int(0) + Int(1) + Dict(frame));
}
inline QByteArray Group(int id, const std::vector<int>& children)
{
    QByteArray content = Int(id) + Dict({}) + Int(std::int64_t(children.size()));
    for (int c : children)
        content += Int(c);
    return Chunk("nGRP", content);
}
inline QByteArray Shape(int id, int model)
{
    return Chunk("nSHP", Int(id) + Dict({}) + Int(1) + Int(model) + Dict({}));
}

// Writes bytes to a file, false when it cannot; reads one, "missing" when it cannot.
inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
inline QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

// goxel's "X Y Z RRGGBB" listing, in the file's own axes (z up), moved so
// that its smallest coordinate on each axis is 0 (goxel adds its own offset).
using Listing = std::map<std::array<int, 3>, COLORREF>;
inline Listing Normalised(const Listing& in)
{
    std::array<int, 3> low{INT32_MAX, INT32_MAX, INT32_MAX};
    for (const auto& [p, c] : in)
        for (std::size_t i = 0; i < 3; ++i)
            low[i] = std::min(low[i], p[i]);
    Listing out;
    for (const auto& [p, c] : in)
        out[{p[0] - low[0], p[1] - low[1], p[2] - low[2]}] = c;
    return out;
}

// Lists the voxels of a .vox file as goxel reads them; false when it fails.
inline bool GoxelListing(const QString& vox, Listing& out)
{
    QTemporaryDir dir;
    const QString txt = dir.filePath(QStringLiteral("out.txt"));
    QFile f(txt);
    if (!RunPeer(Peer("goxel"), {QStringLiteral("-e"), txt, vox}) || !f.open(QIODevice::ReadOnly))
        return false;
    out.clear();
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QList<QByteArray> w = line.simplified().split(' ');
        if (line.startsWith('#') || w.size() != 4)
            continue;
        const unsigned rgb = w[3].toUInt(nullptr, 16);
        out[{w[0].toInt(), w[1].toInt(), w[2].toInt()}] =
            RGB(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
    }
    return true;
}

// The voxels of a one-model file as (x, y, z, index), in file order.
inline std::vector<std::array<int, 4>> VoxIndices(const QByteArray& file)
{
    const qsizetype at = file.indexOf("XYZI");
    const auto* b = reinterpret_cast<const unsigned char*>(file.constData());
    const int count = b[at + 12] | b[at + 13] << 8 | b[at + 14] << 16;
    std::vector<std::array<int, 4>> voxels;
    for (int i = 0; i < count; ++i) {
        const unsigned char* v = b + at + 16 + 4 * i;
        voxels.push_back({v[0], v[1], v[2], v[3]});
    }
    return voxels;
}

} // namespace exchange_test

#include "exchange/ExchangeMessages.h"
#include "exchange/VoxFile.h"

#include "images/ColorQuantizer.h"
#include "model/GridLimits.h"

#include <QImage>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Common readers keep a coordinate in one byte.
constexpr std::int64_t kMaxVoxSide = 256;
// Index 0 means "no voxel": a palette has 255 usable entries.
constexpr int kMaxPaletteColors = 255;

void PutInt(QByteArray& out, std::uint32_t v)
{
    const char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF),
                           char((v >> 24) & 0xFF)};
    out.append(bytes, 4);
}

void PutChunkHeader(QByteArray& out, const char* id, std::uint32_t content, std::uint32_t children)
{
    out.append(id, 4);
    PutInt(out, content);
    PutInt(out, children);
}

QRgb ToQRgb(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

void PutString(QByteArray& out, const QByteArray& s)
{
    PutInt(out, std::uint32_t(s.size()));
    out.append(s);
}

void PutDict(QByteArray& out, const std::vector<std::pair<QByteArray, QByteArray>>& pairs)
{
    PutInt(out, std::uint32_t(pairs.size()));
    for (const auto& [key, value] : pairs) {
        PutString(out, key);
        PutString(out, value);
    }
}

void PutChunk(QByteArray& out, const char* id, const QByteArray& content)
{
    PutChunkHeader(out, id, std::uint32_t(content.size()), 0);
    out.append(content);
}

// One model of the file: a box of at most 256 a side of the file's space
// (z up), where it starts, and its voxels (x, y, z, palette index) relative
// to that start.
struct VoxModel {
    std::int64_t origin[3] = {0, 0, 0};
    std::int64_t size[3] = {0, 0, 0};
    QByteArray voxels;
};

void PutModel(QByteArray& out, const VoxModel& m)
{
    PutChunkHeader(out, "SIZE", 12, 0);
    for (std::int64_t s : m.size)
        PutInt(out, std::uint32_t(s));
    PutChunkHeader(out, "XYZI", std::uint32_t(4 + m.voxels.size()), 0);
    PutInt(out, std::uint32_t(m.voxels.size() / 4));
    out.append(m.voxels);
}

// The scene that places each model at its start: a root transform, a group,
// and under it a transform and a shape per model. A transform places the
// model's middle cell, floor(size / 2), at its translation.
void PutScene(QByteArray& out, const std::vector<VoxModel>& models)
{
    const std::int32_t count = std::int32_t(models.size());
    QByteArray node;
    auto transform = [&](std::int32_t id, std::int32_t child, std::int32_t layer, const QByteArray& translation) {
        node.clear();
        PutInt(node, std::uint32_t(id));
        PutDict(node, {});
        PutInt(node, std::uint32_t(child));
        PutInt(node, 0xFFFFFFFFu); // reserved
        PutInt(node, std::uint32_t(layer));
        PutInt(node, 1);           // one frame
        if (translation.isEmpty())
            PutDict(node, {});
        else
            PutDict(node, {{"_t", translation}});
        PutChunk(out, "nTRN", node);
    };
    transform(0, 1, -1, {});
    node.clear();
    PutInt(node, 1);
    PutDict(node, {});
    PutInt(node, std::uint32_t(count));
    for (std::int32_t i = 0; i < count; ++i)
        PutInt(node, std::uint32_t(2 + 2 * i));
    PutChunk(out, "nGRP", node);
    for (std::int32_t i = 0; i < count; ++i) {
        const VoxModel& m = models[std::size_t(i)];
        QByteArray t;
        for (int a = 0; a < 3; ++a)
            t += (a ? " " : "") + QByteArray::number(m.origin[a] + m.size[a] / 2);
        transform(2 + 2 * i, 3 + 2 * i, 0, t);
        node.clear();
        PutInt(node, std::uint32_t(3 + 2 * i));
        PutDict(node, {});
        PutInt(node, 1);
        PutInt(node, std::uint32_t(i));
        PutDict(node, {});
        PutChunk(out, "nSHP", node);
    }
    node.clear();
    PutInt(node, 0);
    PutDict(node, {});
    PutInt(node, 0xFFFFFFFFu);
    PutChunk(out, "LAYR", node);
}

// The palette of a model that brings its own colour order: each of its
// colours keeps its index (the first, where the order names one twice); the
// model's other colours take the free entries, first those after the order,
// then those of the order's colours no cube uses, from the last. False when
// they do not fit: then the order cannot be kept.
bool KeepOrder(const ModelData& model, std::vector<std::uint8_t>& indices, std::vector<QRgb>& palette)
{
    std::vector<COLORREF> entries(model.palette.begin(),
                                  model.palette.begin() + std::min<std::size_t>(model.palette.size(), kMaxPaletteColors));
    std::unordered_map<COLORREF, std::uint8_t> index;
    for (std::size_t i = 0; i < entries.size(); ++i)
        index.try_emplace(entries[i] & 0xFFFFFFu, std::uint8_t(i));
    std::vector<bool> used(kMaxPaletteColors, false);
    std::vector<COLORREF> others;
    bool fits = true;
    model.cubes.ForEachCube([&](const CUBEPOS&, COLORREF color) {
        const auto it = index.find(color & 0xFFFFFFu);
        if (it != index.end())
            used[it->second] = true;
        else if (fits && std::find(others.begin(), others.end(), color & 0xFFFFFFu) == others.end()) {
            if (others.size() >= std::size_t(kMaxPaletteColors))
                fits = false;
            else
                others.push_back(color & 0xFFFFFFu);
        }
    });
    if (!fits)
        return false;
    std::vector<std::size_t> free;
    for (std::size_t i = entries.size(); i < std::size_t(kMaxPaletteColors); ++i)
        free.push_back(i);
    for (std::size_t i = entries.size(); i-- > 0;)
        if (!used[i])
            free.push_back(i);
    if (others.size() > free.size())
        return false;
    entries.resize(kMaxPaletteColors, 0);
    for (std::size_t k = 0; k < others.size(); ++k) {
        entries[free[k]] = others[k];
        index[others[k]] = std::uint8_t(free[k]);
    }
    // A freed entry may repeat a colour the order holds elsewhere; the map
    // already points at the kept one.
    indices.resize(model.cubes.Count());
    std::size_t n = 0;
    model.cubes.ForEachCube([&](const CUBEPOS&, COLORREF color) { indices[n++] = index.at(color & 0xFFFFFFu); });
    palette.clear();
    for (const COLORREF c : entries)
        palette.push_back(ToQRgb(c));
    return true;
}

std::size_t ModelColorCount(const ModelData& model)
{
    std::unordered_set<COLORREF> distinct;
    model.cubes.ForEachCube([&](const CUBEPOS&, COLORREF color) { distinct.insert(color & 0xFFFFFFu); });
    return distinct.size();
}

} // namespace

VoxWriteResult WriteVox(const ModelData& model)
{
    VoxWriteResult result;
    if (!GridLimits::IsValid(model.sizeX, model.sizeY, model.sizeZ) || !model.CubesInBox()) {
        result.message = ExchangeMessages::BadGridSize(model.sizeX, model.sizeY, model.sizeZ);
        return result;
    }

    // One pixel per cube, so that the colours of many cubes weigh more when
    // the palette must be reduced. The quantiser keeps every colour exactly
    // when there are few enough. Every walk of the store below takes the
    // cubes in the same order, the n-th cube's index being indices[n].
    const std::size_t count = model.cubes.Count();
    std::vector<std::uint8_t> indices(count);
    std::vector<QRgb> palette;
    if (count > 0 && !model.palette.empty() && KeepOrder(model, indices, palette)) {
        result.paletteColors = result.distinctColors = int(ModelColorCount(model));
    } else if (count > 0) {
        QImage pixels(int(count), 1, QImage::Format_RGB32);
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(0));
        std::unordered_set<COLORREF> distinct;
        model.cubes.ForEachCube([&](const CUBEPOS&, COLORREF c) {
            *row++ = ToQRgb(c);
            distinct.insert(c & 0xFFFFFFu);
        });
        PalettePicture picture;
        if (!ReduceToPalette(pixels, kMaxPaletteColors, picture)) {
            result.message = ExchangeMessages::NotExportable();
            return result;
        }
        indices = std::move(picture.indices);
        palette = std::move(picture.palette);
        result.distinctColors = int(distinct.size());
        result.paletteColors = int(palette.size());
    }

    // Our y is up and z points at the viewer; there z is up. The proper
    // rotation (x, y, z) -> (x, Z-1-z, y) keeps a right-handed model
    // right-handed instead of mirroring it.
    const std::int64_t vox[3] = {model.sizeX, model.sizeZ, model.sizeY};
    // A side over 256 does not fit the format's one-byte coordinates: the
    // grid is cut into models of at most 256 a side, placed by a scene.
    std::int64_t tiles[3];
    for (int a = 0; a < 3; ++a)
        tiles[a] = (vox[a] + kMaxVoxSide - 1) / kMaxVoxSide;
    std::vector<VoxModel> models(std::size_t(tiles[0] * tiles[1] * tiles[2]));
    for (std::size_t t = 0; t < models.size(); ++t) {
        const std::int64_t at[3] = {std::int64_t(t) % tiles[0], std::int64_t(t) / tiles[0] % tiles[1],
                                    std::int64_t(t) / (tiles[0] * tiles[1])};
        for (int a = 0; a < 3; ++a) {
            models[t].origin[a] = at[a] * kMaxVoxSide;
            models[t].size[a] = std::min<std::int64_t>(kMaxVoxSide, vox[a] - models[t].origin[a]);
        }
    }
    const auto tileOf = [&](const CUBEPOS& p) {
        return std::size_t(p.x / kMaxVoxSide +
                           tiles[0] * ((model.sizeZ - 1 - p.z) / kMaxVoxSide + tiles[1] * (p.y / kMaxVoxSide)));
    };
    std::vector<qsizetype> filled(models.size(), 0);
    if (models.size() > 1)
        model.cubes.ForEachCube([&](const CUBEPOS& p, COLORREF) { ++filled[tileOf(p)]; });
    else
        filled[0] = qsizetype(count);
    for (std::size_t t = 0; t < models.size(); ++t) {
        models[t].voxels.resize(4 * filled[t]);
        filled[t] = 0;
    }
    std::size_t n = 0;
    model.cubes.ForEachCube([&](const CUBEPOS& p, COLORREF) {
        const std::size_t t = models.size() > 1 ? tileOf(p) : 0;
        char* voxel = models[t].voxels.data() + 4 * filled[t]++;
        voxel[0] = char(p.x % kMaxVoxSide);
        voxel[1] = char((model.sizeZ - 1 - p.z) % kMaxVoxSide);
        voxel[2] = char(p.y % kMaxVoxSide);
        voxel[3] = char(indices[n++] + 1);
    });

    QByteArray content;
    if (models.size() == 1) {
        PutModel(content, models[0]);
    } else {
        // Models with no voxel are left out, but a file has at least one.
        std::vector<VoxModel> used;
        for (VoxModel& m : models)
            if (!m.voxels.isEmpty())
                used.push_back(std::move(m));
        if (used.empty())
            used.push_back(std::move(models[0]));
        for (const VoxModel& m : used)
            PutModel(content, m);
        PutScene(content, used);
    }
    // Entry k of the chunk is the colour of index k + 1; the last is unused.
    PutChunkHeader(content, "RGBA", 256 * 4, 0);
    for (int k = 0; k < 256; ++k) {
        const QRgb c = k < int(palette.size()) ? palette[std::size_t(k)] : qRgb(0, 0, 0);
        const char rgba[4] = {char(qRed(c)), char(qGreen(c)), char(qBlue(c)), char(0xFF)};
        content.append(rgba, 4);
    }
    QByteArray& out = result.bytes;
    out.reserve(20 + content.size());
    out.append("VOX ", 4);
    PutInt(out, 150);
    PutChunkHeader(out, "MAIN", 0, std::uint32_t(content.size()));
    out.append(content);
    result.ok = true;
    return result;
}

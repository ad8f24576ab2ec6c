#include "exchange/ExchangeMessages.h"
#include "exchange/VoxFile.h"

#include "images/ColorQuantizer.h"

#include <QImage>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Common readers keep a coordinate in one byte.
constexpr std::int32_t kMaxVoxSide = 256;
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
    for (const auto& [pos, color] : model.cubes) {
        const auto it = index.find(color & 0xFFFFFFu);
        if (it != index.end())
            used[it->second] = true;
        else if (std::find(others.begin(), others.end(), color & 0xFFFFFFu) == others.end()) {
            if (others.size() >= std::size_t(kMaxPaletteColors))
                return false;
            others.push_back(color & 0xFFFFFFu);
        }
    }
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
    indices.resize(model.cubes.size());
    for (std::size_t i = 0; i < model.cubes.size(); ++i)
        indices[i] = index.at(model.cubes[i].second & 0xFFFFFFu);
    palette.clear();
    for (const COLORREF c : entries)
        palette.push_back(ToQRgb(c));
    return true;
}

std::size_t ModelColorCount(const ModelData& model)
{
    std::unordered_set<COLORREF> distinct;
    for (const auto& cube : model.cubes)
        distinct.insert(cube.second & 0xFFFFFFu);
    return distinct.size();
}

} // namespace

VoxWriteResult WriteVox(const ModelData& model)
{
    VoxWriteResult result;
    if (model.sizeX > kMaxVoxSide || model.sizeY > kMaxVoxSide || model.sizeZ > kMaxVoxSide) {
        result.message = ExchangeMessages::VoxSideTooLong(model.sizeX, model.sizeY, model.sizeZ);
        return result;
    }
    if (model.sizeX < 1 || model.sizeY < 1 || model.sizeZ < 1) {
        result.message = ExchangeMessages::BadGridSize(model.sizeX, model.sizeY, model.sizeZ);
        return result;
    }

    for (const auto& [pos, color] : model.cubes)
        if (pos.x < 0 || pos.y < 0 || pos.z < 0 || pos.x >= model.sizeX ||
            pos.y >= model.sizeY || pos.z >= model.sizeZ) {
            result.message = ExchangeMessages::BadGridSize(model.sizeX, model.sizeY, model.sizeZ);
            return result;
        }

    // One pixel per cube, so that the colours of many cubes weigh more when
    // the palette must be reduced. The quantiser keeps every colour exactly
    // when there are few enough.
    const int count = int(model.cubes.size());
    std::vector<std::uint8_t> indices(model.cubes.size());
    std::vector<QRgb> palette;
    if (count > 0 && !model.palette.empty() && KeepOrder(model, indices, palette)) {
        result.paletteColors = result.distinctColors = int(ModelColorCount(model));
    } else if (count > 0) {
        QImage pixels(count, 1, QImage::Format_RGB32);
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(0));
        std::unordered_set<COLORREF> distinct;
        for (int i = 0; i < count; ++i) {
            row[i] = ToQRgb(model.cubes[std::size_t(i)].second);
            distinct.insert(model.cubes[std::size_t(i)].second & 0xFFFFFFu);
        }
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
    const std::uint32_t voxX = std::uint32_t(model.sizeX);
    const std::uint32_t voxY = std::uint32_t(model.sizeZ);
    const std::uint32_t voxZ = std::uint32_t(model.sizeY);

    const std::uint32_t sizeChunk = 12 + 12;
    const std::uint32_t xyziChunk = 12 + 4 + 4 * std::uint32_t(count);
    const std::uint32_t rgbaChunk = 12 + 256 * 4;
    QByteArray& out = result.bytes;
    out.reserve(int(20 + sizeChunk + xyziChunk + rgbaChunk));
    out.append("VOX ", 4);
    PutInt(out, 150);
    PutChunkHeader(out, "MAIN", 0, sizeChunk + xyziChunk + rgbaChunk);
    PutChunkHeader(out, "SIZE", 12, 0);
    PutInt(out, voxX);
    PutInt(out, voxY);
    PutInt(out, voxZ);
    PutChunkHeader(out, "XYZI", 4 + 4 * std::uint32_t(count), 0);
    PutInt(out, std::uint32_t(count));
    for (int i = 0; i < count; ++i) {
        const CUBEPOS& p = model.cubes[std::size_t(i)].first;
        const char voxel[4] = {char(p.x), char(model.sizeZ - 1 - p.z), char(p.y),
                               char(indices[std::size_t(i)] + 1)};
        out.append(voxel, 4);
    }
    // Entry k of the chunk is the colour of index k + 1; the last is unused.
    PutChunkHeader(out, "RGBA", 256 * 4, 0);
    for (int k = 0; k < 256; ++k) {
        const QRgb c = k < int(palette.size()) ? palette[std::size_t(k)] : qRgb(0, 0, 0);
        const char rgba[4] = {char(qRed(c)), char(qGreen(c)), char(qBlue(c)), char(0xFF)};
        out.append(rgba, 4);
    }
    result.ok = true;
    return result;
}

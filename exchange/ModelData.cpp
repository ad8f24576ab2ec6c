#include "exchange/ModelData.h"

#include "model/CMiravelDoc.h"
#include "model/PaletteMatch.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Whether the chunk lies wholly inside the box [0, size).
bool ChunkInside(const ChunkKey& key, std::int32_t sx, std::int32_t sy, std::int32_t sz)
{
    const CUBEPOS o = CCubeChunk::Origin(key);
    return o.x >= 0 && o.y >= 0 && o.z >= 0 && std::int64_t(o.x) + CCubeChunk::kSide <= sx &&
           std::int64_t(o.y) + CCubeChunk::kSide <= sy && std::int64_t(o.z) + CCubeChunk::kSide <= sz;
}

bool InBox(const CUBEPOS& p, std::int32_t sx, std::int32_t sy, std::int32_t sz)
{
    return p.x >= 0 && p.y >= 0 && p.z >= 0 && p.x < sx && p.y < sy && p.z < sz;
}

} // namespace

bool ModelData::CubesInBox() const
{
    bool inside = true;
    cubes.ForEachChunk([&](const ChunkKey& key, const CCubeChunk& chunk) {
        if (inside && !ChunkInside(key, sizeX, sizeY, sizeZ))
            CCubeStore::ForEachCubeOf(key, chunk, [&](const CUBEPOS& p, COLORREF) {
                inside = inside && InBox(p, sizeX, sizeY, sizeZ);
            });
    });
    return inside;
}

ModelData ModelFromDocument(const CMiravelDoc& doc)
{
    ModelData model{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ, doc.m_cubes, doc.m_palette};
    // Only the chunks that reach out of the box are copied, to empty the
    // cells outside it.
    std::vector<CUBEPOS> outside;
    model.cubes.ForEachChunk([&](const ChunkKey& key, const CCubeChunk& chunk) {
        if (!ChunkInside(key, model.sizeX, model.sizeY, model.sizeZ))
            CCubeStore::ForEachCubeOf(key, chunk, [&](const CUBEPOS& p, COLORREF) {
                if (!InBox(p, model.sizeX, model.sizeY, model.sizeZ))
                    outside.push_back(p);
            });
    });
    for (const CUBEPOS& p : outside)
        model.cubes.Set(p, CLR_NONE);
    return model;
}

std::vector<COLORREF> ModelColors(const ModelData& model)
{
    std::unordered_map<COLORREF, std::size_t> counts;
    model.cubes.ForEachCube([&](const CUBEPOS&, COLORREF color) { ++counts[color & 0xFFFFFFu]; });
    std::vector<std::pair<COLORREF, std::size_t>> sorted(counts.begin(), counts.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& p, const auto& q) {
        return p.second != q.second ? p.second > q.second : p.first < q.first;
    });
    std::vector<COLORREF> colors;
    colors.reserve(sorted.size());
    for (const auto& entry : sorted)
        colors.push_back(entry.first);
    return colors;
}

void RemapModel(ModelData& model, std::span<const COLORREF> palette)
{
    CPaletteMatch match(palette);
    // The remapped cubes go into a store of their own, chunk by chunk, so the
    // filler finds its chunk without a lookup for almost every cube.
    CCubeStore remapped;
    CCubeStore::CFiller fill(remapped);
    model.cubes.ForEachCube([&](const CUBEPOS& pos, COLORREF color) { fill.Put(pos, match.Nearest(color)); });
    model.cubes = std::move(remapped);
    model.palette.assign(palette.begin(), palette.end());
}

#include "exchange/ModelData.h"

#include "model/CMiravelDoc.h"
#include "model/PaletteMatch.h"

#include <algorithm>
#include <unordered_map>

ModelData ModelFromDocument(const CMiravelDoc& doc)
{
    ModelData model;
    model.sizeX = doc.m_sizeX;
    model.sizeY = doc.m_sizeY;
    model.sizeZ = doc.m_sizeZ;
    model.palette = doc.m_palette;
    // The store is ordered x, then y, then z: the model keeps that order.
    for (const auto& [pos, color] : doc.m_cubes)
        if (doc.InBox(pos.x, pos.y, pos.z))
            model.cubes.emplace_back(pos, color);
    return model;
}

std::vector<COLORREF> ModelColors(const ModelData& model)
{
    std::unordered_map<COLORREF, std::size_t> counts;
    for (const auto& cube : model.cubes)
        ++counts[cube.second & 0xFFFFFFu];
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
    for (auto& cube : model.cubes)
        cube.second = match.Nearest(cube.second);
    model.palette.assign(palette.begin(), palette.end());
}

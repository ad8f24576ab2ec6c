#include "exchange/ImportedModel.h"

#include "model/CMiravelDoc.h"

#include <map>

namespace {

// A file holding no cubes at all has no bounding box to give the grid.
bool IsEmptyWithoutGrid(const ModelData& model)
{
    return model.cubes.empty() && !CMiravelDoc::IsValidGridSize(model.sizeX, model.sizeY, model.sizeZ);
}

} // namespace

namespace ImportedModel {

bool FitsDocument(const ModelData& model)
{
    if (IsEmptyWithoutGrid(model))
        return true;
    if (!CMiravelDoc::IsValidGridSize(model.sizeX, model.sizeY, model.sizeZ))
        return false;
    for (const auto& [pos, color] : model.cubes) {
        const bool inside = pos.x >= 0 && pos.y >= 0 && pos.z >= 0 && pos.x < model.sizeX &&
                            pos.y < model.sizeY && pos.z < model.sizeZ;
        if (!inside || color == CLR_NONE)
            return false;
    }
    return true;
}

bool PutInDocument(const ModelData& model, CMiravelDoc& doc)
{
    if (!FitsDocument(model))
        return false;
    doc.m_palette = model.palette;
    if (IsEmptyWithoutGrid(model)) {
        doc.ReplaceModel(16, 16, 16, {});
        return true;
    }
    std::map<CUBEPOS, COLORREF> cubes;
    for (const auto& [pos, color] : model.cubes)
        cubes[pos] = color & 0xFFFFFFu;
    doc.ReplaceModel(model.sizeX, model.sizeY, model.sizeZ, std::move(cubes));
    return true;
}

} // namespace ImportedModel

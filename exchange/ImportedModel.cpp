#include "exchange/ImportedModel.h"

#include "model/CMiravelDoc.h"

namespace {

// A file holding no cubes at all has no bounding box to give the grid.
bool IsEmptyWithoutGrid(const ModelData& model)
{
    return model.cubes.IsEmpty() && !CMiravelDoc::IsValidGridSize(model.sizeX, model.sizeY, model.sizeZ);
}

} // namespace

namespace ImportedModel {

bool FitsDocument(const ModelData& model)
{
    if (IsEmptyWithoutGrid(model))
        return true;
    return CMiravelDoc::IsValidGridSize(model.sizeX, model.sizeY, model.sizeZ) && model.CubesInBox();
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
    // The document shares the model's chunks: nothing is copied.
    doc.ReplaceModel(model.sizeX, model.sizeY, model.sizeZ, model.cubes);
    return true;
}

} // namespace ImportedModel

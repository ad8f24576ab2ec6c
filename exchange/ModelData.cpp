#include "exchange/ModelData.h"

#include "model/CMiravelDoc.h"

ModelData ModelFromDocument(const CMiravelDoc& doc)
{
    ModelData model;
    model.sizeX = doc.m_sizeX;
    model.sizeY = doc.m_sizeY;
    model.sizeZ = doc.m_sizeZ;
    model.cubes.reserve(doc.m_cubes.Count());
    // Rows of chunks in the file's order, so the cubes come x, then y, then z.
    doc.m_cubes.ForEachRow({doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ},
                           [&](std::int32_t x, std::int32_t y, std::int32_t z0, const COLORREF* cells, int count) {
                               if (cells)
                                   for (int i = 0; i < count; ++i)
                                       if (cells[i] != CLR_NONE)
                                           model.cubes.emplace_back(CUBEPOS{x, y, z0 + i}, cells[i]);
                           });
    return model;
}

#include "exchange/ModelData.h"

#include "model/CMiravelDoc.h"

ModelData ModelFromDocument(const CMiravelDoc& doc)
{
    ModelData model;
    model.sizeX = doc.m_sizeX;
    model.sizeY = doc.m_sizeY;
    model.sizeZ = doc.m_sizeZ;
    // The store is ordered x, then y, then z: the model keeps that order.
    for (const auto& [pos, color] : doc.m_cubes)
        if (doc.InBox(pos.x, pos.y, pos.z))
            model.cubes.emplace_back(pos, color);
    return model;
}

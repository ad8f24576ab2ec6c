#pragma once

#include "model/CubeTypes.h"

#include <cstdint>
#include <utility>
#include <vector>

class CMiravelDoc;

// A model as the exchange formats see it: the grid box and the cubes inside
// it, each cell at most once. Cubes the store keeps outside the box are not
// part of the model and never leave the program.
struct ModelData {
    std::int32_t sizeX = 0;
    std::int32_t sizeY = 0;
    std::int32_t sizeZ = 0;
    std::vector<std::pair<CUBEPOS, COLORREF>> cubes; // x, then y, then z order

    bool operator==(const ModelData&) const = default;
};

// The cubes of the document's grid box.
ModelData ModelFromDocument(const CMiravelDoc& doc);

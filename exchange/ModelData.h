#pragma once

#include "model/CubeStore.h"
#include "model/CubeTypes.h"

#include <cstdint>

class CMiravelDoc;

// A model as the exchange formats see it: the grid box and the cubes inside
// it. Cubes the document keeps outside the box are not part of the model and
// never leave the program. The store shares its chunks with the document's
// (copy on write), so taking a model costs little however large it is.
struct ModelData {
    std::int32_t sizeX = 0;
    std::int32_t sizeY = 0;
    std::int32_t sizeZ = 0;
    CCubeStore cubes;

    bool operator==(const ModelData&) const = default;
    // Whether every cube lies in the grid box.
    bool CubesInBox() const;
};

// The cubes of the document's grid box.
ModelData ModelFromDocument(const CMiravelDoc& doc);

#pragma once

#include "model/CubeStore.h"
#include "model/CubeTypes.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

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
    // The colour order the model keeps for a .vox file's indices: entry i is
    // index i + 1. Empty when it has none (then the writer picks the order).
    std::vector<COLORREF> palette = {};

    // The same model: grid and cubes. The palette only orders an export.
    bool operator==(const ModelData& other) const
    {
        return sizeX == other.sizeX && sizeY == other.sizeY && sizeZ == other.sizeZ && cubes == other.cubes;
    }
    // Whether every cube lies in the grid box.
    bool CubesInBox() const;
};

// The cubes of the document's grid box.
ModelData ModelFromDocument(const CMiravelDoc& doc);

// The model's distinct colours, most used first (equal counts in colour
// order).
std::vector<COLORREF> ModelColors(const ModelData& model);

// Every cube takes the nearest colour of the palette (not empty), and the
// model keeps the palette's order for its .vox indices.
void RemapModel(ModelData& model, std::span<const COLORREF> palette);

#pragma once

#include "model/CubeTypes.h"

#include <array>

// The palette a .vox file means when it has no RGBA chunk: entry i is the
// colour of colour index i (entry 0 is unused, index 0 is no voxel).
const std::array<COLORREF, 256>& VoxDefaultPalette();

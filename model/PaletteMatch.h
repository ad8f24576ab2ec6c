#pragma once

#include "model/CubeTypes.h"

#include <span>
#include <unordered_map>
#include <vector>

// A palette holds at most as many colours as the voxel exchange format can
// index: 255 (index 0 there is "no voxel").
inline constexpr int kMaxPaletteColors = 255;

// A colour in Oklab: lightness and two opponent axes, in which the straight
// distance follows how different two colours look well enough to pick the
// nearest one, and costs a few multiplications once both are converted.
struct OklabColor {
    float l = 0;
    float a = 0;
    float b = 0;
};
OklabColor ToOklab(COLORREF color);

// Finds the nearest palette colour of a colour. Each colour asked is worked
// out once: a model has far fewer colours than cubes.
class CPaletteMatch {
public:
    // The palette must not be empty.
    explicit CPaletteMatch(std::span<const COLORREF> palette);

    // The palette colour nearest in Oklab; of equally near ones the first.
    COLORREF Nearest(COLORREF color);

private:
    // The palette sorted by lightness: the search walks out from the
    // colour's own lightness and stops on each side once the lightness alone
    // is farther than the best found, which leaves a few dozen of 255.
    struct Entry {
        OklabColor lab;
        std::size_t index;  // in the palette, for ties
        COLORREF color;
    };
    std::vector<Entry> m_byLightness;
    std::unordered_map<COLORREF, COLORREF> m_known;
};

#pragma once

#include "model/CubeTypes.h"

#include <vector>

// What a gesture under way would do, for the view to show over the scene:
// the cells and the colour they would take (CLR_NONE: they would empty),
// and a box of cells outlined by its twelve edges. A large shape shows its
// outline with only a few of its cells, so the preview stays cheap at any
// size.
struct ToolPreview {
    std::vector<CUBEPOS> cells;
    COLORREF color = CLR_NONE;

    // The outlined box, lo..hi with both corners included; none when
    // hasOutline is false.
    bool hasOutline = false;
    CUBEPOS outlineLo, outlineHi;
    COLORREF outlineColor = 0x000000;
    // Drawn over the cubes, not hidden by them (a selection's box).
    bool outlineOverCubes = false;

    bool IsEmpty() const { return cells.empty() && !hasOutline; }
};

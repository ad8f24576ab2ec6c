#pragma once

#include "editing/Tool.h"

struct CEditState;
struct CPointerState;

// The fill: a press on a cell recolours its region with the current colour,
// as one undo step. In canvas mode the region is the cells of the canvas
// layer joined to it through their sides that hold what it holds (one
// colour, or nothing); in attach mode the cubes of its colour joined to it
// through faces.
class CFillTool final : public ITool {
public:
    // Leaves a press over empty space.
    bool Press(ToolContext& c, const PointerEvent& e) override;

    // Fills the region of the sight cell; false, with nothing changed, when
    // there is no sight cell or the region is empty.
    static bool FillAtSight(const CEditState& edit, const CPointerState& pointer, CMiravelDoc& doc);
    static std::vector<CUBEPOS> Region(const CEditState& edit, const CPointerState& pointer, const CMiravelDoc& doc);
};

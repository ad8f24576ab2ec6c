#pragma once

#include "editing/Tool.h"

#include <optional>

struct CEditState;

// The eyedropper: a press on a cube, in either drawing mode, makes its
// colour the current colour. Nothing is edited.
class CEyedropperTool final : public ITool {
public:
    // Takes the press over a cube, and over a cell the canvas picks (where
    // there is nothing to take); leaves one over empty space.
    bool Press(ToolContext& c, const PointerEvent& e) override;

    // The colour of the nearest cube under a client pixel (top-left origin),
    // picked as attach mode picks cubes whatever the drawing mode; none over
    // empty space.
    static std::optional<COLORREF> ColorUnder(const CCameraState& camera, ViewSize size, const CEditState& edit,
                                              const CMiravelDoc& doc, int x, int y);
};

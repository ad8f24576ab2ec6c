#pragma once

#include "model/CubeTypes.h"

#include <optional>
#include <vector>

class CMiravelDoc;
struct CViewState;

// What the tools of the left button find under the pointer.
namespace ToolMouse {

// The colour of the nearest cube under a client pixel (top-left origin),
// picked as attach mode picks cubes whatever the drawing mode; none over
// empty space. The view state must hold the client size.
std::optional<COLORREF> ColorUnder(const CViewState& view, const CMiravelDoc& doc, int x, int y);

// The cells a fill at the sight cell recolours: in canvas mode the
// 4-connected cells of the canvas layer that hold what the sight cell holds;
// in attach mode the 6-connected cubes of the sight cube's colour.
std::vector<CUBEPOS> FillRegion(const CViewState& view, const CMiravelDoc& doc);

} // namespace ToolMouse

#pragma once

#include "model/CubeTypes.h"

#include <optional>
#include <vector>

class CMiravelDoc;
struct CCameraState;
struct CEditState;
struct CPointerState;
struct ViewSize;

// What the tools of the left button find under the pointer.
namespace ToolMouse {

// The colour of the nearest cube under a client pixel (top-left origin),
// picked as attach mode picks cubes whatever the drawing mode; none over
// empty space.
std::optional<COLORREF> ColorUnder(const CCameraState& camera, ViewSize size, const CEditState& edit,
                                   const CMiravelDoc& doc, int x, int y);

// The cells a fill at the sight cell recolours: in canvas mode the
// 4-connected cells of the canvas layer that hold what the sight cell holds;
// in attach mode the 6-connected cubes of the sight cube's colour.
std::vector<CUBEPOS> FillRegion(const CEditState& edit, const CPointerState& pointer, const CMiravelDoc& doc);

} // namespace ToolMouse

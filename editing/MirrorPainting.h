#pragma once

#include "model/CubeTypes.h"

#include <vector>

class CMiravelDoc;
struct CEditState;

// Mirror painting: while it is on, every cube the mouse places or removes is
// also placed or removed at the mirrored cells of the grid box (x -> X-1-x
// across X, z -> Z-1-z across Z, both when both are on).
namespace MirrorPainting {

// The cell and its mirrored cells, each once (a cell on the middle plane of
// an odd size is its own mirror), the cell itself first.
std::vector<CUBEPOS> Cells(const CMiravelDoc& doc, CUBEPOS cell, bool acrossX, bool acrossZ);

// Places (color) or removes (CLR_NONE) the cube at cell as the mouse does.
// Without mirroring this is the document's own single-cell edit, recorded
// exactly as ever; with it, the cell and its mirrors are one undo step.
void Paint(const CEditState& edit, CMiravelDoc& doc, CUBEPOS cell, COLORREF color);

} // namespace MirrorPainting

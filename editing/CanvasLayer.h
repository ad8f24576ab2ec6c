#pragma once

#include <functional>

class CMiravelDoc;
struct CEditState;
struct CPointerState;

// The canvas: one layer of the grid, one cell thick, perpendicular to an axis,
// that canvas-mode editing paints on; and the layer marked as copy source.
namespace CanvasLayer {

// Turns the canvas to the next axis (X, Y, Z, X; backward the other way) and
// puts it through the sight cell, or at layer 0 without one. Clears the copy
// source. The caller rebuilds the display lists (the canvas lattice changes).
void SwitchCanvas(CEditState& edit, const CPointerState& pointer, const CMiravelDoc& doc, bool forward);

// Slides the canvas one layer up or down, staying inside the grid.
void MoveCanvas(CEditState& edit, const CMiravelDoc& doc, bool up);

void Copy(CEditState& edit);
void ClearCopy(CEditState& edit);

// Copies the copy source layer into the canvas layer, one recorded edit per
// changed cell. Does nothing without a copy source.
void PasteLayer(const CEditState& edit, CMiravelDoc& doc);

// Makes every layer along the canvas axis equal to the copy source, after
// confirm() says yes. Without a copy source nothing is asked. Returns whether
// the paste ran.
bool PasteLayerToAll(const CEditState& edit, CMiravelDoc& doc, const std::function<bool()>& confirm);

// Keeps the canvas, the copy source and the picked cells inside the grid after
// its size changed (a resize or another model), so that no edit can reach a
// cell the user cannot see.
void KeepInsideGrid(CEditState& edit, CPointerState& pointer, const CMiravelDoc& doc);

// The grid size along the canvas axis.
int LayerCount(const CEditState& edit, const CMiravelDoc& doc);

} // namespace CanvasLayer

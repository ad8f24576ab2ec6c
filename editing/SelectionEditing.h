#pragma once

#include "model/CubeTypes.h"
#include "model/WorkProgress.h"
#include "scene/SelectionState.h"
#include "scene/ToolPreview.h"

#include <QString>

#include <cstddef>
#include <optional>

class CMiravelDoc;

// What the select tool's commands do to the selection, the floating paste
// and the document, without a window. Every change of the model is one undo
// step. While a paste floats, the moves, turns and flips act on it (nothing
// in the model changes until it is put down); otherwise on the selection's
// contents.
namespace SelectionEditing {

enum class Outcome { Nothing, Done, Refused };

// Ctrl+A: the whole grid; a floating paste is put down first.
void SelectAll(CSelectionState& s, CMiravelDoc& doc);
// Escape: a floating paste goes without being put down; otherwise the
// selection is dropped. False when there was neither.
bool Drop(CSelectionState& s);

// Empties the selection's cells; a floating paste is only dropped.
bool Delete(CSelectionState& s, CMiravelDoc& doc);
// Every cell of the selection takes the colour.
bool Fill(CSelectionState& s, CMiravelDoc& doc, COLORREF color);
// Refused when a cube would leave the grid. progress hears of a
// whole-grid action and may stop it (then Nothing).
Outcome Move(CSelectionState& s, CMiravelDoc& doc, int dx, int dy, int dz, const WorkProgress& progress = {});
Outcome Turn(CSelectionState& s, CMiravelDoc& doc, bool clockwise, const WorkProgress& progress = {});
bool Flip(CSelectionState& s, CMiravelDoc& doc, int axis, const WorkProgress& progress = {});
// Cuts the grid down to the selection, which then is the whole grid.
bool Crop(CSelectionState& s, CMiravelDoc& doc, const WorkProgress& progress = {});

// The cubes a copy takes: the floating paste's, or the selection's; none
// when there is neither.
std::optional<CubeBlock> Copy(const CSelectionState& s, const CMiravelDoc& doc);
// Copy, then the cubes go (a floating paste is dropped).
std::optional<CubeBlock> Cut(CSelectionState& s, CMiravelDoc& doc);

// The block floats with its lowest corner at the selection's, at the sight
// cell when there is no selection (sight null), else at the origin. A paste
// already floating is put down first.
void StartPaste(CSelectionState& s, CMiravelDoc& doc, CubeBlock block, const CUBEPOS* sight);
// Puts a floating paste down as one step; the selection becomes its box
// within the grid. None when nothing floats.
struct PutDownResult {
    bool changed = false;
    std::size_t placed = 0;
    std::size_t dropped = 0; // cubes outside the grid, not put down
};
std::optional<PutDownResult> PutDown(CSelectionState& s, CMiravelDoc& doc);

// What the view outlines over the cubes: the floating paste's box with (a
// bounded number of) its cubes, else the selection's box.
ToolPreview Preview(const CSelectionState& s);

// The status bar's line while the select tool is chosen: the selection's
// size or the paste's, and how many cubes the last paste dropped.
QString StatusText(const CSelectionState& s);

} // namespace SelectionEditing

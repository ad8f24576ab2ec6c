#pragma once

#include "controls/CommandDispatcher.h"
#include "model/CubeTypes.h"
#include "scene/EditState.h"

#include <QString>

#include <span>
#include <vector>

// The tool commands (eyedropper, mirror painting, fill and colour replace at
// the sight cell, moving, turning, flipping the model, fitting the grid, the
// large-grid dialog):
// their rows in the tool menu and their handlers. Each edit of the model is
// one tool action of the document, undone and redone as one step.
namespace ToolCommands {

// The group of the tool menu that holds the drawing tools; the hollow
// toggle is in the next. The tool bar shows both.
inline constexpr std::uint8_t kDrawingToolGroup = 6;

enum class MirrorAxis { X, Z };
enum class MoveDirection { PlusX, MinusX, PlusY, MinusY, PlusZ, MinusZ };
enum class TurnDirection { Clockwise, Anticlockwise };  // seen from above
enum class FlipAxis { X, Z };

void Eyedropper(CommandContext& c);
// What a left press on a cell does from now on; the view's tool box follows.
void ChooseTool(CommandContext& c, DrawingTool tool);
void ToggleHollow(CommandContext& c);
void ToggleMirror(CommandContext& c, MirrorAxis axis);
void Fill(CommandContext& c);
void ReplaceColor(CommandContext& c);
void MoveModel(CommandContext& c, MoveDirection direction);
void TurnModel(CommandContext& c, TurnDirection direction);
void FlipModel(CommandContext& c, FlipAxis axis);
void FitGrid(CommandContext& c);
// The large-grid dialog, then the size it confirmed.
void LargeGridSize(CommandContext& c);

// A size a grid dialog confirmed, put in place: the sight and the canvas go
// back to the grid's corner, the zoom fits it. An invalid size is ignored.
void SetGridSize(CommandContext& c, std::int32_t x, std::int32_t y, std::int32_t z);

// The current colour becomes color, exactly as choosing a palette colour
// makes it: the current-colour button's swatch follows.
void TakeColor(CommandContext& c, COLORREF color);

// The palette panel's edits and its exchange with the sixteen palette
// buttons. Remapping and recolouring are one step of the history each.
void RemapToPalette(CommandContext& c, std::span<const COLORREF> palette);
void RecolorCubes(CommandContext& c, COLORREF from, COLORREF to);
// The buttons' colours, and the first (up to) sixteen colours given to them
// for this session (the settings file does not keep them).
std::vector<COLORREF> PaletteButtonColors(const CommandContext& c);
void SetPaletteButtons(CommandContext& c, std::span<const COLORREF> colors);

// Shown when a move would push a cube out of the grid.
QString MoveRefusedMessage();
// Shown when a move or turn of the selection would push a cube out of the grid.
QString SelectionMoveRefusedMessage();

} // namespace ToolCommands

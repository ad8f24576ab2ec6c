#pragma once

#include "controls/CommandDispatcher.h"
#include "model/CubeTypes.h"
#include "scene/CameraState.h"

#include <QString>

class IMouseHost;

// The handlers of the tool commands (eyedropper, mirror painting, fill,
// colour replace, moving, turning, flipping the model, fitting the grid) and
// of the left button with Ctrl. Each edit of the model is one tool action of
// the document, undone and redone as one step.
namespace ToolCommands {

// The rows' handlers; arg as the row gives it.
void Eyedropper(CommandContext& c, int);
void ToggleMirror(CommandContext& c, int axis);  // 0 X, 2 Z
void Fill(CommandContext& c, int);
void ReplaceColor(CommandContext& c, int);
void MoveModel(CommandContext& c, int direction);  // 0..5: +X, -X, +Y, -Y, +Z, -Z
void TurnModel(CommandContext& c, int clockwise);
void FlipModel(CommandContext& c, int axis);  // 0 X, 2 Z
void FitGrid(CommandContext& c, int);

// The current colour becomes color, exactly as choosing a palette colour
// makes it: the current-colour button's swatch follows.
void TakeColor(CommandContext& c, COLORREF color);

// The left button pressed with Ctrl at a client pixel of a client area of
// the given size: the eyedropper, or
// with Shift the fill. Returns false when the press found nothing to act on
// and is to go on as a plain press over empty space (a turning drag).
bool LeftClick(CommandContext& c, IMouseHost& host, ViewSize size, bool shift, int x, int y);

// Shown when a move would push a cube out of the grid.
QString MoveRefusedMessage();

} // namespace ToolCommands

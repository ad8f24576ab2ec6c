#pragma once

#include "scene/ViewPreferences.h"

#include <QRect>
#include <QSize>

#include <map>

// Window rectangles of the on-view buttons, keyed by button id. A button
// missing from the map has no window: it is neither placed nor measured.
using ButtonRects = std::map<int, QRect>;

// Side length of one layout cell, and the width of the control column that
// other blocks step aside from.
inline constexpr int kButtonCell = 30;
inline constexpr int kControlColumnWidth = 95;

struct ButtonLayoutInput {
    int clientWidth = 0;
    int clientHeight = 0;
    // A stored number outside the named places leaves that group unplaced.
    ControlColumn controlPos = ControlColumn::Right;
    PaletteCorner colorPos = PaletteCorner::TopRight;
    QSize helpFrameSize; // the help button keeps the size of one frame of its image
};

// Places every block for the client size and the two position fields and
// returns the rectangles of all buttons in `current`: placed ones moved,
// the rest (blocks with a position outside the tables) left as they were.
// Holds no state: every call recomputes everything from its arguments.
ButtonRects ComputeButtonLayout(const ButtonLayoutInput& input, const ButtonRects& current);

// The smallest client size at which, wherever the two groups are placed,
// every button lies inside the client area and none covers another. The
// main window keeps its view at least this large.
QSize MinimumClientSize(const QSize& helpFrameSize);

#pragma once

#include "model/CubeTypes.h"
#include "scene/SelectionState.h"

#include <array>
#include <cstdint>
#include <vector>

// The sixteen palette colours every run starts with: black, grey, silver,
// white, teal, cyan, navy, blue, olive, yellow, green, lime, purple, magenta,
// maroon, red.
inline constexpr std::array<COLORREF, 16> kInitialPalette = {
    0x000000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x808000, 0xFFFF00, 0x800000, 0xFF0000,
    0x008080, 0x00FFFF, 0x008000, 0x00FF00, 0x800080, 0xFF00FF, 0x000080, 0x0000FF,
};

// What a click places: a cell of the canvas layer, or a cube stuck onto the
// face of one already there.
enum class DrawMode : std::int32_t {
    Canvas = 0,
    Attach = 1,
};

// The axis the canvas layer stands across; also the index of that axis.
enum class CanvasAxis : std::int32_t {
    X = 0,
    Y = 1,
    Z = 2,
};

// What a left press on a cell, and the drag that follows, does: the pen
// places one cube at a time; the shapes place a box, a line or an ellipse
// from the press to the release.
enum class DrawingTool : std::int32_t {
    Pen = 0,
    Box = 1,
    Line = 2,
    Ellipse = 3,
    // A box of cells to move, copy, turn or delete (the select tool).
    Select = 4,
};

// The editing state of a session, not in the settings file: the drawing mode,
// the canvas layer and the copied one, the current colour, the palette and
// mirror painting.
struct CEditState {
    DrawMode m_drawMode = DrawMode::Canvas;
    CanvasAxis m_canvasAxis = CanvasAxis::Y;
    std::int32_t m_canvasPos = 0;
    std::int32_t m_copyLayer = -1;   // -1 nothing copied
    COLORREF m_cubeColor = 0x0000FFFF;  // yellow
    std::vector<COLORREF> m_palette;    // filled when the view's window is created
    // Mirror painting: the mouse's edits repeat across the middle of the
    // grid box along X and along Z. Kept in the per-user store.
    std::int32_t m_mirrorX = 0;
    std::int32_t m_mirrorZ = 0;
    // Every run starts with the pen.
    DrawingTool m_tool = DrawingTool::Pen;
    // Boxes and ellipses as a shell one cell thick instead of solid. Kept in
    // the per-user store.
    std::int32_t m_shapeHollow = 0;
    // The select tool's box and floating paste.
    CSelectionState m_selection;

    int AxisIndex() const { return int(m_canvasAxis); }
};

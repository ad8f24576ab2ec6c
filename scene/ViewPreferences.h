#pragma once

#include "model/CubeTypes.h"

#include <cstdint>

// How the cubes are drawn. The settings file stores the number; a value
// outside these (a hand-edited file) is kept as it is, draws as filled cubes
// do, and the next "Cube:Polygon" turns it into filled with black edges.
enum class CubeStyle : std::int32_t {
    FilledBlackEdges = 0,
    Filled = 1,
    Wireframe = 2,
};

// Where the control button column sits; the settings file stores the number.
enum class ControlColumn : std::int32_t {
    Left = 2,
    Right = 3,
};

// The corner of the palette buttons; the settings file stores the number.
enum class PaletteCorner : std::int32_t {
    TopLeft = 0,
    BottomLeft = 1,
    BottomRight = 2,
    TopRight = 3,
};

// The display preferences the settings file keeps between runs, with their
// start-up defaults: which scene elements and button groups show, their
// colours, line widths and places, the cube style and the light.
//
// Flags are int32 used as booleans: 0 is off, anything else on. Values read
// from the file are stored unchecked (only the light position is kept inside
// its table), so every reader copes with numbers outside the named ones.
struct CViewPreferences {
    std::int32_t m_showControl = 1;
    ControlColumn m_controlPos = ControlColumn::Right;
    std::int32_t m_showColor = 1;
    PaletteCorner m_colorPos = PaletteCorner::TopRight;

    std::int32_t m_showAxis = 0;
    double m_axisLineWidth = 5.0;
    COLORREF m_backColor = 0x00000000;    // black
    std::int32_t m_showSight = 0;
    COLORREF m_sightColor = 0x00FFFF00;   // cyan
    double m_sightLineWidth = 5.0;
    std::int32_t m_showGround = 1;
    COLORREF m_groundColor = 0x0080FF57;  // light green
    std::int32_t m_showFrame = 1;
    COLORREF m_frameColor = 0x0000FFFF;   // yellow
    double m_frameLineWidth = 1.0;
    std::int32_t m_showCanvas = 1;
    COLORREF m_canvasColor = 0x000000FF;  // red
    double m_canvasLineWidth = 2.0;

    CubeStyle m_wireFrame = CubeStyle::Filled;
    std::int32_t m_lightEnable = 1;
    std::int32_t m_lightPos = 0;     // 0..7, index of the light direction
};

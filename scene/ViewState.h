#pragma once

#include "model/CubeTypes.h"

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

// Everything that decides how the scene looks and how editing behaves, as
// plain data with the start-up defaults. The 3D view derives from it, so these
// are the view's own members; code that only needs the data (camera
// arithmetic, picking, commands, the settings file) takes a CViewState and
// runs without a window.
//
// Flags are int32 used as booleans: 0 is off, anything else on.
struct CViewState {
    // The cell under the pointer and the empty cell an attach would fill;
    // -1 in all three means none.
    std::int32_t m_sightX = 1, m_sightY = 1, m_sightZ = 1;
    std::int32_t m_attachX = 1, m_attachY = 1, m_attachZ = 1;

    // Camera: degrees, grid units, zoom. Rotations are never wrapped.
    double m_rotX = 25.0;
    double m_rotY = -45.0;
    double m_rotZ = 0.0;
    double m_lookX = 0.0, m_lookY = 0.0, m_lookZ = 0.0;
    double m_ratioX = 1.0, m_ratioY = 1.0, m_ratioZ = 1.0;
    double m_scale = 1.0;

    std::int32_t m_lightPos = 0;     // 0..7, index of the light direction
    std::int32_t m_drawMode = 0;     // 0 canvas mode, 1 attach mode
    std::int32_t m_controlPos = 3;   // control column: 2 left, 3 right
    std::int32_t m_colorPos = 3;     // palette corner: 0 TL, 1 BL, 2 BR, 3 TR
    std::int32_t m_showControl = 1;
    std::int32_t m_showColor = 1;

    std::int32_t m_canvasAxis = 1;   // 0 X, 1 Y, 2 Z
    std::int32_t m_canvasPos = 0;
    std::int32_t m_copyLayer = -1;   // -1 nothing copied
    // Mirror painting: the mouse's edits repeat across the middle of the
    // grid box along X and along Z. Kept in the per-user store.
    std::int32_t m_mirrorX = 0;
    std::int32_t m_mirrorZ = 0;

    COLORREF m_cubeColor = 0x0000FFFF;    // yellow
    COLORREF m_frameColor = 0x0000FFFF;   // yellow
    COLORREF m_canvasColor = 0x000000FF;  // red
    COLORREF m_sightColor = 0x00FFFF00;   // cyan
    COLORREF m_groundColor = 0x0080FF57;  // light green
    COLORREF m_backColor = 0x00000000;    // black

    std::int32_t m_showFrame = 1;
    std::int32_t m_showCanvas = 1;
    std::int32_t m_showGround = 1;
    std::int32_t m_showAxis = 0;
    std::int32_t m_showSight = 0;
    std::int32_t m_lightEnable = 1;
    std::int32_t m_wireFrame = 1;    // 0 filled + black edges, 1 filled, 2 wireframe

    double m_cubeLineWidth = 2.0;
    double m_frameLineWidth = 1.0;
    double m_canvasLineWidth = 2.0;
    double m_sightLineWidth = 5.0;
    double m_axisLineWidth = 5.0;

    // Display-list names of the frame, unit cube, canvas and ground; 0 when not
    // built. They are built together for one grid size and canvas axis.
    std::uint32_t m_listFrame = 0;
    std::uint32_t m_listCube = 0;
    std::uint32_t m_listCanvas = 0;
    std::uint32_t m_listGround = 0;

    // Client size in logical pixels, taken at every paint.
    std::int32_t m_viewWidth = 0, m_viewHeight = 0;

    // Mouse drag: 0 none, 1 rotate, 2 move, 3 zoom; the last point that moved the camera.
    std::int32_t m_dragMode = 0;
    std::int32_t m_dragLastX = 0, m_dragLastY = 0;

    std::vector<COLORREF> m_palette;  // filled when the view's window is created
    std::int32_t m_showButtons = 1;

    bool HasSight() const { return m_sightX != -1 && m_sightY != -1 && m_sightZ != -1; }
    bool HasAttach() const { return m_attachX != -1 && m_attachY != -1 && m_attachZ != -1; }
};

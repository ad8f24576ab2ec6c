#pragma once

#include <cstdint>

// What a mouse drag on empty space does to the camera.
enum class DragMode : std::int32_t {
    None = 0,
    Rotate = 1,
    Move = 2,
    Zoom = 3,
};

// What the pointer found and what it drags: the cell under the pointer, the
// empty cell an attach would fill (-1 in all three means none), and the drag
// under way with the last point that moved the camera.
struct CPointerState {
    std::int32_t m_sightX = 1, m_sightY = 1, m_sightZ = 1;
    std::int32_t m_attachX = 1, m_attachY = 1, m_attachZ = 1;

    DragMode m_dragMode = DragMode::None;
    std::int32_t m_dragLastX = 0, m_dragLastY = 0;

    bool HasSight() const { return m_sightX != -1 && m_sightY != -1 && m_sightZ != -1; }
    bool HasAttach() const { return m_attachX != -1 && m_attachY != -1 && m_attachZ != -1; }
};

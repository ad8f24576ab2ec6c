#pragma once

#include "scene/CameraState.h"
#include "scene/EditState.h"
#include "scene/PointerState.h"
#include "scene/ViewPreferences.h"

#include <cstdint>

// Everything that decides how the scene looks and how editing behaves, as
// plain data with the start-up defaults, in its typed parts. The view holds
// one; code that genuinely needs all of it (the command dispatcher, drawing a
// frame, creating the buttons) takes the whole, everything else the part it
// works on, and runs without a window.
struct CViewState {
    CViewPreferences m_prefs;  // what the settings file keeps
    CCameraState m_camera;
    CEditState m_edit;
    CPointerState m_pointer;

    // Two display choices that last only for the session: the line width of
    // cube edges and wireframes, and both button groups at once.
    double m_cubeLineWidth = 2.0;
    std::int32_t m_showButtons = 1;
};

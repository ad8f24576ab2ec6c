#pragma once

#include "editing/EyedropperTool.h"
#include "editing/FillTool.h"
#include "editing/MouseInteraction.h"

// The tools of the view and who gets the pointer. The active tool (the pen
// unless another is chosen) gets every event; the left button with Ctrl
// first offers its press to the eyedropper, with Ctrl and Shift to the fill,
// whatever tool is active. A press one of them takes holds the left button
// until it is released: moves meanwhile reach the active tool as if the
// button were up, so a pen sweeps no paint.
class CToolBox {
public:
    void Press(ToolContext& c, const PointerEvent& e);
    void Move(ToolContext& c, const PointerEvent& e);
    void Release(ToolContext& c, const PointerEvent& e);
    void Wheel(ToolContext& c, const WheelEvent& e);
    bool Key(ToolContext& c, ToolKey key);
    // Another window took over in the middle of a gesture: its release will
    // never come, so the gesture ends now.
    void LoseCapture(ToolContext& c);

    ITool& Active() const { return *m_active; }
    // The tool that gets the pointer from the next press on; the pen when null.
    void SetActive(ITool* tool);
    ToolPreview Preview() const { return m_active->Preview(); }

private:
    CMouseInteraction m_pen;
    CEyedropperTool m_eyedropper;
    CFillTool m_fill;
    ITool* m_active = &m_pen;
    bool m_leftTaken = false;
};

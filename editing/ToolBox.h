#pragma once

#include "editing/EyedropperTool.h"
#include "editing/FillTool.h"
#include "editing/MouseInteraction.h"
#include "editing/SelectTool.h"
#include "editing/ShapeTool.h"
#include "scene/EditState.h"

// The tools of the view and who gets the pointer. The tool chosen in the
// edit state (the pen unless another is chosen) is offered every press; what
// it leaves, and every event while it has no gesture under way, goes to the
// pen, so that the right and middle buttons, drags on empty space and the
// wheel mean what they always mean. The left button with Ctrl first offers
// its press to the eyedropper, with Ctrl and Shift to the fill, whatever
// tool is active. A press one of them takes holds the left button until it
// is released: moves meanwhile arrive as if the button were up, so a pen
// sweeps no paint.
//
// The choice lives in the edit state, where commands set it without a
// window; the box follows it before every event and when told (Follow),
// telling the tool it leaves first.
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

    // Makes the tool chosen in c.view's edit state the active one, after
    // the one it replaces has left (its gesture abandoned).
    void Follow(ToolContext& c);

    ITool& Active() const { return *m_active; }
    ToolPreview Preview() const { return m_active->Preview(); }

private:
    ITool& ToolFor(DrawingTool tool);
    // Who gets moves, releases and the wheel: the active tool during its
    // gesture, the pen otherwise.
    ITool& Gesture();

    CMouseInteraction m_pen;
    CShapeTool m_box{Shapes::Kind::Box};
    CShapeTool m_line{Shapes::Kind::Line};
    CShapeTool m_ellipse{Shapes::Kind::Ellipse};
    CSelectTool m_select;
    CEyedropperTool m_eyedropper;
    CFillTool m_fill;
    ITool* m_active = &m_pen;
    DrawingTool m_chosen = DrawingTool::Pen;
    bool m_leftTaken = false;
};

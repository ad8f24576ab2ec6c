#include "editing/ToolBox.h"

#include "scene/ViewState.h"

void CToolBox::Press(ToolContext& c, const PointerEvent& e)
{
    Follow(c);
    if (e.button == PointerButton::Left) {
        m_leftTaken = false;
        if (e.ctrl) {
            ITool& tool = e.shift ? static_cast<ITool&>(m_fill) : m_eyedropper;
            m_leftTaken = tool.Press(c, e);
            if (m_leftTaken)
                return;
        }
    }
    // Another tool takes what it wants of the presses (a left press on a
    // cell); the rest keeps the pen's meaning. A press during its gesture is
    // its own business.
    if (m_active != &m_pen && (m_active->Busy() || m_active->Press(c, e)))
        return;
    m_pen.Press(c, e);
}

void CToolBox::Move(ToolContext& c, const PointerEvent& e)
{
    Follow(c);
    PointerEvent move = e;
    move.left = e.left && !m_leftTaken;
    Gesture().Move(c, move);
}

void CToolBox::Release(ToolContext& c, const PointerEvent& e)
{
    if (e.button == PointerButton::None)
        return;
    Follow(c);
    m_leftTaken = false;
    if (m_active->Busy())
        m_active->Release(c, e);
    // The pen hears every release, so that a drag or a stroke of its own
    // that began before another tool's gesture ends with the buttons.
    m_pen.Release(c, e);
}

void CToolBox::Wheel(ToolContext& c, const WheelEvent& e)
{
    Follow(c);
    Gesture().Wheel(c, e);
}

bool CToolBox::Key(ToolContext& c, ToolKey key)
{
    Follow(c);
    return m_active->Key(c, key);
}

void CToolBox::LoseCapture(ToolContext& c)
{
    m_leftTaken = false;
    // A release with no button: a tool's gesture is abandoned, the pen's
    // drag ends.
    Gesture().Release(c, PointerEvent{});
}

void CToolBox::Follow(ToolContext& c)
{
    const DrawingTool chosen = c.view.m_edit.m_tool;
    if (chosen == m_chosen)
        return;
    m_active->Leave(c);
    m_chosen = chosen;
    m_active = &ToolFor(chosen);
    c.host.Invalidate();  // the old tool's preview goes
}

ITool& CToolBox::Gesture()
{
    return m_active->Busy() ? *m_active : m_pen;
}

ITool& CToolBox::ToolFor(DrawingTool tool)
{
    switch (tool) {
    case DrawingTool::Pen:
        break;
    case DrawingTool::Box:
        return m_box;
    case DrawingTool::Line:
        return m_line;
    case DrawingTool::Ellipse:
        return m_ellipse;
    case DrawingTool::Select:
        return m_select;
    }
    return m_pen;
}

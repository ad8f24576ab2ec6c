#include "editing/ToolBox.h"

void CToolBox::Press(ToolContext& c, const PointerEvent& e)
{
    if (e.button == PointerButton::Left) {
        m_leftTaken = false;
        if (e.ctrl) {
            ITool& tool = e.shift ? static_cast<ITool&>(m_fill) : m_eyedropper;
            m_leftTaken = tool.Press(c, e);
            if (m_leftTaken)
                return;
        }
    }
    m_active->Press(c, e);
}

void CToolBox::Move(ToolContext& c, const PointerEvent& e)
{
    PointerEvent move = e;
    move.left = e.left && !m_leftTaken;
    m_active->Move(c, move);
}

void CToolBox::Release(ToolContext& c, const PointerEvent& e)
{
    if (e.button == PointerButton::None)
        return;
    m_leftTaken = false;
    m_active->Release(c, e);
}

void CToolBox::Wheel(ToolContext& c, const WheelEvent& e)
{
    m_active->Wheel(c, e);
}

bool CToolBox::Key(ToolContext& c, ToolKey key)
{
    return m_active->Key(c, key);
}

void CToolBox::LoseCapture(ToolContext& c)
{
    m_leftTaken = false;
    m_active->Release(c, PointerEvent{});
}

void CToolBox::SetActive(ITool* tool)
{
    m_active = tool ? tool : &m_pen;
}

#include "view/ViewAdapters.h"

#include "view/CMiravelView.h"

#include "controls/ToolCommands.h"

bool CViewCommandOwner::ExecuteCommand(const QString& name) { return m_view.ExecuteCommand(name); }

void CViewToolHost::TakeFocus() { m_view.setFocus(Qt::MouseFocusReason); }
void CViewToolHost::CaptureMouse() { m_view.grabMouse(); }

void CViewToolHost::ReleaseMouse()
{
    if (QWidget::mouseGrabber() == &m_view)
        m_view.releaseMouse();
}

void CViewToolHost::Pick(int x, int y)
{
    m_view.PickSight(x, y);
    m_view.PickAttach(x, y);
}

void CViewToolHost::Invalidate() { m_view.update(); }
void CViewToolHost::RebuildDisplayLists() { m_view.RebuildDisplayLists(); }

void CViewToolHost::TakeColor(COLORREF color)
{
    CommandContext ctx{m_view.m_state, m_view.GetDocument(), m_view.CommandUi()};
    ToolCommands::TakeColor(ctx, color);
}

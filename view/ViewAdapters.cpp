#include "view/ViewAdapters.h"

#include "view/CMiravelView.h"

bool CViewCommandOwner::ExecuteCommand(const QString& name) { return m_view.ExecuteCommand(name); }

void CViewMouseHost::TakeFocus() { m_view.setFocus(Qt::MouseFocusReason); }
void CViewMouseHost::CaptureMouse() { m_view.grabMouse(); }

void CViewMouseHost::ReleaseMouse()
{
    if (QWidget::mouseGrabber() == &m_view)
        m_view.releaseMouse();
}

void CViewMouseHost::Pick(int x, int y)
{
    m_view.PickSight(x, y);
    m_view.PickAttach(x, y);
}

void CViewMouseHost::Invalidate() { m_view.update(); }
void CViewMouseHost::RebuildDisplayLists() { m_view.RebuildDisplayLists(); }

#include "editing/EyedropperTool.h"

#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

bool CEyedropperTool::Press(ToolContext& c, const PointerEvent& e)
{
    c.host.TakeFocus();
    c.host.Pick(e.x, e.y);
    if (const auto color = ColorUnder(c.view.m_camera, c.size, c.view.m_edit, c.doc, e.x, e.y))
        c.host.TakeColor(*color);
    else if (!c.view.m_pointer.HasSight())
        return false;
    c.host.Pick(e.x, e.y);
    c.host.Invalidate();
    return true;
}

std::optional<COLORREF> CEyedropperTool::ColorUnder(const CCameraState& camera, ViewSize size, const CEditState& edit,
                                                    const CMiravelDoc& doc, int x, int y)
{
    CEditState probe = edit;
    probe.m_drawMode = DrawMode::Attach;
    const CUBEPOS c = Picker::PickSight(camera, size, probe, doc, x + 0.5, size.height - y - 0.5);
    const COLORREF color = c == Picker::kNone ? CLR_NONE : doc.GetCube(c.x, c.y, c.z);
    if (color == CLR_NONE)
        return std::nullopt;
    return color;
}

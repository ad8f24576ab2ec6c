#include "controls/ToolCommands.h"

#include "controls/ButtonIds.h"
#include "controls/CommandUi.h"
#include "editing/MouseInteraction.h"
#include "editing/ToolMouse.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "scene/ViewState.h"

#include <QCoreApplication>

namespace ToolCommands {

namespace {

COLORREF SightCube(const CommandContext& c)
{
    if (!c.doc || !c.view.m_pointer.HasSight())
        return CLR_NONE;
    return c.doc->GetCube(c.view.m_pointer.m_sightX, c.view.m_pointer.m_sightY, c.view.m_pointer.m_sightZ);
}

// Applies one tool action; a new grid size needs new display lists.
void Apply(CommandContext& c, const ModelTools::Edit& edit)
{
    if (!ModelTools::Apply(*c.doc, edit))
        return;
    if (edit.size)
        c.ui.RebuildDisplayLists();
    c.ui.InvalidateView();
}

} // namespace

QString MoveRefusedMessage()
{
    return QCoreApplication::translate("ToolCommands", "グリッドの外に出るキューブがあるため、モデルを移動できません。");
}

void TakeColor(CommandContext& c, COLORREF color)
{
    c.view.m_edit.m_cubeColor = color;
    c.ui.SetSwatch(ButtonCube, color);
    c.ui.InvalidateButton(ButtonCube);
}

void Eyedropper(CommandContext& c, int)
{
    if (const COLORREF color = SightCube(c); color != CLR_NONE)
        TakeColor(c, color);
}

void ToggleMirror(CommandContext& c, int axis)
{
    std::int32_t& flag = axis == 0 ? c.view.m_edit.m_mirrorX : c.view.m_edit.m_mirrorZ;
    flag = !flag;
    c.ui.InvalidateView();  // the mirror plane shows or goes
}

void Fill(CommandContext& c, int)
{
    if (c.doc)
        Apply(c, ModelTools::Paint(ToolMouse::FillRegion(c.view.m_edit, c.view.m_pointer, *c.doc), c.view.m_edit.m_cubeColor));
}

void ReplaceColor(CommandContext& c, int)
{
    if (const COLORREF from = SightCube(c); from != CLR_NONE)
        Apply(c, ModelTools::ReplaceColor(*c.doc, from, c.view.m_edit.m_cubeColor));
}

void MoveModel(CommandContext& c, int direction)
{
    if (!c.doc)
        return;
    const int step = direction % 2 == 0 ? 1 : -1;
    const int axis = direction / 2;
    const auto edit = ModelTools::Move(*c.doc, axis == 0 ? step : 0, axis == 1 ? step : 0, axis == 2 ? step : 0);
    if (!edit) {
        c.ui.Warn(MoveRefusedMessage());
        return;
    }
    Apply(c, *edit);
}

void TurnModel(CommandContext& c, int clockwise)
{
    if (c.doc)
        Apply(c, ModelTools::Turn(*c.doc, clockwise != 0));
}

void FlipModel(CommandContext& c, int axis)
{
    if (c.doc)
        Apply(c, ModelTools::Flip(*c.doc, axis));
}

void FitGrid(CommandContext& c, int)
{
    if (c.doc)
        Apply(c, ModelTools::FitGrid(*c.doc));
}

bool LeftClick(CommandContext& c, IMouseHost& host, ViewSize size, bool shift, int x, int y)
{
    if (!c.doc)
        return false;
    host.TakeFocus();
    host.Pick(x, y);
    if (shift) {
        if (!c.view.m_pointer.HasSight())
            return false;
        Fill(c, 0);
    } else if (const auto color = ToolMouse::ColorUnder(c.view.m_camera, size, c.view.m_edit, *c.doc, x, y)) {
        TakeColor(c, *color);
    } else if (!c.view.m_pointer.HasSight()) {
        return false;
    }
    // The model may have changed under the pointer.
    host.Pick(x, y);
    host.Invalidate();
    return true;
}

} // namespace ToolCommands

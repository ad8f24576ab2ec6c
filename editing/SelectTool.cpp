#include "editing/SelectTool.h"

#include "editing/CanvasLayer.h"
#include "editing/MouseInteraction.h"
#include "editing/SelectionEditing.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

#include <algorithm>

namespace {

CSelectionState& StateOf(ToolContext& c) { return c.view.m_edit.m_selection; }

std::int32_t& Along(CUBEPOS& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

} // namespace

std::optional<CUBEPOS> CSelectTool::CellAt(ToolContext& c, const PointerEvent& e) const
{
    c.host.Pick(e.x, e.y);
    const CPointerState& p = c.view.m_pointer;
    if (!p.HasSight() || !c.doc.InBox(p.m_sightX, p.m_sightY, p.m_sightZ))
        return std::nullopt;
    return CUBEPOS{p.m_sightX, p.m_sightY, p.m_sightZ};
}

bool CSelectTool::Press(ToolContext& c, const PointerEvent& e)
{
    if (e.button != PointerButton::Left)
        return false;
    c.host.TakeFocus();
    CSelectionState& s = StateOf(c);
    const std::optional<CUBEPOS> cell = CellAt(c, e);
    if (s.m_paste) {
        if (cell && s.m_paste->Box().Contains(*cell)) {
            m_drag = Drag::Paste;
            m_pasteGrip = {s.m_paste->at.x - cell->x, s.m_paste->at.y - cell->y, s.m_paste->at.z - cell->z};
            c.host.CaptureMouse();
            return true;
        }
        // A click outside the paste puts it down; over empty space the
        // press goes on to turn the view as ever.
        SelectionEditing::PutDown(s, c.doc);
        c.host.Invalidate();
        return bool(cell);
    }
    if (!cell)
        return false;
    m_drag = Drag::Select;
    m_anchor = m_current = *cell;
    m_startLayer = c.view.m_edit.m_canvasPos;
    m_depth = 0;
    const CPointerState& p = c.view.m_pointer;
    m_normal = p.HasAttach() ? CUBEPOS{p.m_attachX - cell->x, p.m_attachY - cell->y, p.m_attachZ - cell->z}
                             : CUBEPOS{0, 1, 0};
    s.m_lastDropped.reset();
    Span(c);
    c.host.CaptureMouse();
    return true;
}

void CSelectTool::Span(ToolContext& c)
{
    CellBox box = CellBox::Spanning(m_anchor, m_current);
    if (c.view.m_edit.m_drawMode == DrawMode::Canvas) {
        const int axis = c.view.m_edit.AxisIndex();
        const std::int32_t layer = c.view.m_edit.m_canvasPos;
        Along(box.lo, axis) = std::min(m_startLayer, layer);
        Along(box.hi, axis) = std::max(m_startLayer, layer);
    } else {
        // Deeper behind the faces: against their outward direction.
        for (int axis = 0; axis < 3; ++axis) {
            if (Along(m_normal, axis) > 0)
                Along(box.lo, axis) -= m_depth;
            else if (Along(m_normal, axis) < 0)
                Along(box.hi, axis) += m_depth;
        }
    }
    StateOf(c).m_box = SelectionTools::ClipToGrid(c.doc, box);
    c.host.Invalidate();
}

void CSelectTool::Move(ToolContext& c, const PointerEvent& e)
{
    if (m_drag == Drag::None)
        return;
    // Off the cells the box keeps its last cell.
    const std::optional<CUBEPOS> cell = CellAt(c, e);
    if (!cell)
        return;
    CSelectionState& s = StateOf(c);
    if (m_drag == Drag::Paste && s.m_paste) {
        FloatingPaste moved = *s.m_paste;
        moved.at = {cell->x + m_pasteGrip.x, cell->y + m_pasteGrip.y, cell->z + m_pasteGrip.z};
        if (SelectionTools::ClipToGrid(c.doc, moved.Box()))
            s.m_paste = std::move(moved);
        c.host.Invalidate();
        return;
    }
    m_current = *cell;
    Span(c);
}

void CSelectTool::Release(ToolContext& c, const PointerEvent& e)
{
    // A release without a button: the capture was lost; the drag ends too.
    if (m_drag == Drag::None || (e.button != PointerButton::Left && e.button != PointerButton::None))
        return;
    m_drag = Drag::None;
    c.host.ReleaseMouse();
}

void CSelectTool::Wheel(ToolContext& c, const WheelEvent& e)
{
    if (e.ctrl) {
        CMouseInteraction::WheelStep(c, e);  // the zoom as ever
        return;
    }
    if (m_drag != Drag::Select || e.rightButton)
        return;
    if (c.view.m_edit.m_drawMode == DrawMode::Canvas)
        CanvasLayer::MoveCanvas(c.view.m_edit, c.doc, e.forward);
    else
        m_depth = std::max(0, m_depth + (e.forward ? 1 : -1));
    Span(c);
}

bool CSelectTool::Key(ToolContext& c, ToolKey key)
{
    if (key != ToolKey::Escape)
        return false;
    if (m_drag != Drag::None) {
        m_drag = Drag::None;
        c.host.ReleaseMouse();
    }
    const bool dropped = SelectionEditing::Drop(StateOf(c));
    c.host.Invalidate();
    return dropped;
}

void CSelectTool::Leave(ToolContext& c)
{
    if (m_drag != Drag::None) {
        m_drag = Drag::None;
        c.host.ReleaseMouse();
    }
    CSelectionState& s = StateOf(c);
    SelectionEditing::PutDown(s, c.doc);
    s.m_box.reset();
    s.m_lastDropped.reset();
    c.host.Invalidate();
}

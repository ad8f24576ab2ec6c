#include "editing/ShapeTool.h"

#include "editing/CanvasLayer.h"
#include "editing/MouseInteraction.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

#include <cstdlib>

namespace {

int& At(CUBEPOS& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }
int At(const CUBEPOS& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }
int SizeAlong(const CMiravelDoc& doc, int axis) { return axis == 0 ? doc.m_sizeX : axis == 1 ? doc.m_sizeY : doc.m_sizeZ; }

CUBEPOS Sight(const CPointerState& p) { return {p.m_sightX, p.m_sightY, p.m_sightZ}; }
CUBEPOS Attach(const CPointerState& p) { return {p.m_attachX, p.m_attachY, p.m_attachZ}; }

// The axis of the face between the sight cube and its attach cell, and the
// way out of the cube along it; none unless both are picked and touch.
bool FaceOf(const CPointerState& p, int& axis, int& out)
{
    if (!p.HasSight() || !p.HasAttach())
        return false;
    const CUBEPOS s = Sight(p), a = Attach(p);
    const int d[3] = {a.x - s.x, a.y - s.y, a.z - s.z};
    if (std::abs(d[0]) + std::abs(d[1]) + std::abs(d[2]) != 1)
        return false;
    axis = d[0] != 0 ? 0 : d[1] != 0 ? 1 : 2;
    out = d[axis];
    return true;
}

} // namespace

bool CShapeTool::Press(ToolContext& c, const PointerEvent& e)
{
    if (e.button != PointerButton::Left || e.ctrl)
        return false;
    const CEditState& edit = c.view.m_edit;
    const CPointerState& p = c.view.m_pointer;
    const bool erase = e.shift;
    if (edit.m_drawMode == DrawMode::Canvas) {
        if (!p.HasSight())
            return false;
        m_axis = edit.AxisIndex();
        m_start = Sight(p);
    } else {
        int out = 0;
        if (!FaceOf(p, m_axis, out))
            return false;
        m_faceLayer = At(Sight(p), m_axis);
        // Drawing stands on the faces; erasing takes the cubes behind them.
        m_start = erase ? Sight(p) : Attach(p);
        m_grow = erase ? -out : out;
    }
    c.host.TakeFocus();
    m_mode = edit.m_drawMode;
    m_end = m_start;
    m_lastLayer = At(m_start, m_axis);
    m_color = erase ? CLR_NONE : edit.m_cubeColor;
    m_busy = true;
    UpdatePreview(c);
    c.host.Invalidate();
    return true;
}

void CShapeTool::Move(ToolContext& c, const PointerEvent& e)
{
    if (!m_busy)
        return;
    c.host.Pick(e.x, e.y);
    const CPointerState& p = c.view.m_pointer;
    CUBEPOS end = m_end;
    if (m_mode == DrawMode::Canvas) {
        if (p.HasSight())
            end = Sight(p);
    } else {
        int axis = 0, out = 0;
        if (FaceOf(p, axis, out) && axis == m_axis && At(Sight(p), axis) == m_faceLayer &&
            out == (m_color == CLR_NONE ? -m_grow : m_grow))
            end = Sight(p);
    }
    // The corner stays on the first layer; the layers are the wheel's.
    At(end, m_axis) = At(m_start, m_axis);
    if (end == m_end)
        return;
    m_end = end;
    UpdatePreview(c);
    c.host.Invalidate();
}

void CShapeTool::Wheel(ToolContext& c, const WheelEvent& e)
{
    if (e.ctrl) {
        CMouseInteraction::WheelStep(c, e);  // the zoom as ever
        return;
    }
    // The canvas keeps its axis while a shape is drawn across it.
    if (!m_busy || e.rightButton)
        return;
    if (m_mode == DrawMode::Canvas) {
        CanvasLayer::MoveCanvas(c.view.m_edit, c.doc, e.forward);
        m_lastLayer = c.view.m_edit.m_canvasPos;
    } else {
        const int first = At(m_start, m_axis);
        const int layers = std::abs(m_lastLayer - first) + 1 + (e.forward ? 1 : -1);
        const int last = first + m_grow * (layers - 1);
        if (layers < 1 || last < 0 || last >= SizeAlong(c.doc, m_axis))
            return;
        m_lastLayer = last;
    }
    UpdatePreview(c);
    c.host.Invalidate();
}

void CShapeTool::Release(ToolContext& c, const PointerEvent& e)
{
    if (!m_busy)
        return;
    if (e.button == PointerButton::None) {
        Cancel(c);
        return;
    }
    if (e.button != PointerButton::Left)
        return;
    m_busy = false;
    m_preview = {};
    const CEditState& edit = c.view.m_edit;
    c.doc.ApplyAction(Changes(Shape(edit.m_shapeHollow != 0), edit, c.doc, m_color));
    // The model changed under the pointer.
    c.host.Pick(e.x, e.y);
    c.host.Invalidate();
}

bool CShapeTool::Key(ToolContext& c, ToolKey key)
{
    if (key != ToolKey::Escape || !m_busy)
        return false;
    Cancel(c);
    return true;
}

void CShapeTool::Leave(ToolContext& c)
{
    if (m_busy)
        Cancel(c);
}

void CShapeTool::Cancel(ToolContext& c)
{
    m_busy = false;
    m_preview = {};
    c.host.Invalidate();
}

Shapes::Spec CShapeTool::Shape(bool hollow) const
{
    CUBEPOS b = m_end;
    At(b, m_axis) = m_lastLayer;
    return {m_kind, hollow && m_kind != Shapes::Kind::Line, m_axis, m_start, b};
}

std::vector<CellChange> CShapeTool::Changes(const Shapes::Spec& shape, const CEditState& edit, const CMiravelDoc& doc,
                                            COLORREF color)
{
    const GridSize grid{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
    const bool mx = edit.m_mirrorX != 0, mz = edit.m_mirrorZ != 0;
    std::vector<CellChange> changes;
    const Shapes::CellBox box = Shapes::Bounds(shape);
    if (shape.kind != Shapes::Kind::Line && !shape.hollow)
        changes.reserve(std::size_t(box.Count()) * (1 + mx + mz + (mx && mz)));
    // A cell and its mirrors may meet another cell's: the document skips a
    // change that leaves its cell as it is.
    Shapes::Visit(shape, grid, [&](const CUBEPOS& p) {
        changes.push_back({p, color});
        const int x = grid.x - 1 - p.x, z = grid.z - 1 - p.z;
        if (mx)
            changes.push_back({{x, p.y, p.z}, color});
        if (mz)
            changes.push_back({{p.x, p.y, z}, color});
        if (mx && mz)
            changes.push_back({{x, p.y, z}, color});
    });
    return changes;
}

void CShapeTool::UpdatePreview(const ToolContext& c)
{
    const Shapes::Spec shape = Shape(c.view.m_edit.m_shapeHollow != 0);
    const Shapes::CellBox box = Shapes::Bounds(shape);
    m_preview = {};
    m_preview.hasOutline = true;
    m_preview.outlineLo = box.lo;
    m_preview.outlineHi = box.hi;
    m_preview.outlineColor = m_color == CLR_NONE ? RGB(200, 0, 0) : RGB(0, 0, 0);
    m_preview.color = m_color;
    // The cells of the layer under the pointer (all of a line's), while they
    // are few enough to draw every frame; walking a layer costs no more than
    // its area.
    const GridSize grid{c.doc.m_sizeX, c.doc.m_sizeY, c.doc.m_sizeZ};
    const bool line = shape.kind == Shapes::Kind::Line;
    const std::int64_t layerArea = box.Count() / (std::abs(m_lastLayer - At(m_start, m_axis)) + 1);
    if (!line && layerArea > std::int64_t(kPreviewCells) * 64)
        return;
    const int lo = line ? INT_MIN : m_lastLayer, hi = line ? INT_MAX : m_lastLayer;
    std::vector<CUBEPOS>& cells = m_preview.cells;
    bool tooMany = false;
    Shapes::Visit(shape, grid, lo, hi, [&](const CUBEPOS& p) {
        if (cells.size() < kPreviewCells)
            cells.push_back(p);
        else
            tooMany = true;
    });
    if (tooMany)
        cells.clear();
}

#include "editing/MouseInteraction.h"

#include "editing/CanvasLayer.h"
#include "editing/MirrorPainting.h"
#include "model/CMiravelDoc.h"
#include "scene/Camera.h"
#include "scene/ViewState.h"

#include <cstdlib>

namespace {

constexpr int kRotateThreshold = 10;
constexpr int kMoveThreshold = 30;
constexpr int kZoomThreshold = 5;
// A pointer resting over one cell still repaints now and then.
constexpr int kMaxSkippedRedraws = 100;

// Every cube the mouse places or removes goes through mirror painting.
void PaintSight(const CEditState& edit, const CPointerState& p, CMiravelDoc& doc, COLORREF color)
{
    MirrorPainting::Paint(edit, doc, {p.m_sightX, p.m_sightY, p.m_sightZ}, color);
}

} // namespace

void CMouseInteraction::Place(const CEditState& edit, const CPointerState& p, CMiravelDoc& doc)
{
    if (edit.m_drawMode == DrawMode::Canvas)
        PaintSight(edit, p, doc, edit.m_cubeColor);
    else if (p.HasAttach())
        MirrorPainting::Paint(edit, doc, {p.m_attachX, p.m_attachY, p.m_attachZ}, edit.m_cubeColor);
}

void CMouseInteraction::StartDrag(CPointerState& p, IToolHost& host, DragMode mode, int x, int y)
{
    host.CaptureMouse();
    p.m_dragMode = mode;
    p.m_dragLastX = x;
    p.m_dragLastY = y;
}

bool CMouseInteraction::Press(ToolContext& c, const PointerEvent& e)
{
    switch (e.button) {
    case PointerButton::Left:
        LButtonDown(c, e.shift, e.x, e.y);
        return true;
    case PointerButton::Right:
        RButtonDown(c, e.shift, e.x, e.y);
        return true;
    case PointerButton::Middle:
        // The sight cell is not consulted and the focus stays where it is.
        StartDrag(c.view.m_pointer, c.host, DragMode::Move, e.x, e.y);
        return true;
    case PointerButton::None:
        break;
    }
    return false;
}

void CMouseInteraction::LButtonDown(ToolContext& c, bool shift, int x, int y)
{
    CViewState& v = c.view;
    CMiravelDoc& doc = c.doc;
    IToolHost& host = c.host;
    CPointerState& p = v.m_pointer;
    host.TakeFocus();
    if (!p.HasSight()) {
        StartDrag(p, host, DragMode::Rotate, x, y);
        return;
    }
    if (shift)
        PaintSight(v.m_edit, p, doc, CLR_NONE);
    else
        Place(v.m_edit, p, doc);
    // The model changed under the pointer: repeated clicks in attach mode
    // stack cubes outward, toward the viewer.
    host.Pick(x, y);
}

void CMouseInteraction::RButtonDown(ToolContext& c, bool shift, int x, int y)
{
    CViewState& v = c.view;
    CMiravelDoc& doc = c.doc;
    IToolHost& host = c.host;
    CPointerState& p = v.m_pointer;
    host.TakeFocus();
    if (!p.HasSight()) {
        StartDrag(p, host, DragMode::Zoom, x, y);
        return;
    }
    if (shift)
        Place(v.m_edit, p, doc);
    else
        PaintSight(v.m_edit, p, doc, CLR_NONE);
    host.Pick(x, y);
}

void CMouseInteraction::Release(ToolContext& c, const PointerEvent&)
{
    c.host.ReleaseMouse();
    c.view.m_pointer.m_dragMode = DragMode::None;
}

bool CMouseInteraction::DragStep(CCameraState& camera, CPointerState& p, int x, int y)
{
    const int dx = std::abs(x - p.m_dragLastX);
    const int dy = std::abs(y - p.m_dragLastY);
    const bool horizontal = dx > dy;  // a tie counts as vertical
    bool stepped = false;
    switch (p.m_dragMode) {
    case DragMode::Rotate:
        if (horizontal && dx > kRotateThreshold) {
            camera.m_rotY += x > p.m_dragLastX ? Camera::kRotateStep : -Camera::kRotateStep;
            stepped = true;
        } else if (!horizontal && dy > kRotateThreshold) {
            camera.m_rotX += y > p.m_dragLastY ? Camera::kRotateStep : -Camera::kRotateStep;
            stepped = true;
        }
        break;
    case DragMode::Move:
        if (horizontal && dx > kMoveThreshold) {
            camera.m_lookX += x > p.m_dragLastX ? -Camera::kMoveStep : Camera::kMoveStep;
            stepped = true;
        } else if (!horizontal && dy > kMoveThreshold) {
            camera.m_lookY += y > p.m_dragLastY ? Camera::kMoveStep : -Camera::kMoveStep;
            stepped = true;
        }
        break;
    case DragMode::Zoom:
        if (dy > kZoomThreshold) {
            if (y > p.m_dragLastY)
                camera.m_scale += Camera::kScaleStep;
            else
                camera.m_scale = Camera::ScaleDown(camera.m_scale);
            stepped = true;
        } else {
            return true;  // the zoom drag repaints even while it waits
        }
        break;
    default:
        return false;
    }
    // Until a step is taken the stored point stays, so slow movements add up.
    if (stepped) {
        p.m_dragLastX = x;
        p.m_dragLastY = y;
    }
    return stepped;
}

void CMouseInteraction::Move(ToolContext& c, const PointerEvent& e)
{
    CViewState& v = c.view;
    CMiravelDoc& doc = c.doc;
    IToolHost& host = c.host;
    const int x = e.x, y = e.y;
    CPointerState& p = v.m_pointer;
    if (p.m_dragMode != DragMode::None) {
        if (DragStep(v.m_camera, p, x, y))
            host.Invalidate();
        return;
    }
    host.Pick(x, y);

    // Sweeping with a button down paints or erases the canvas layer.
    if (v.m_edit.m_drawMode == DrawMode::Canvas) {
        if (e.left) {
            if (p.HasSight())
                PaintSight(v.m_edit, p, doc, e.shift ? CLR_NONE : v.m_edit.m_cubeColor);
        } else if (e.right && p.HasSight()) {
            PaintSight(v.m_edit, p, doc, CLR_NONE);
        }
    }

    const bool same = p.m_sightX == m_prevSight[0] && p.m_sightY == m_prevSight[1] &&
                      p.m_sightZ == m_prevSight[2] && p.m_attachX == m_prevAttach[0] &&
                      p.m_attachY == m_prevAttach[1] && p.m_attachZ == m_prevAttach[2];
    if (same && m_unchangedMoves <= kMaxSkippedRedraws) {
        ++m_unchangedMoves;
    } else {
        host.Invalidate();
        m_unchangedMoves = 0;
    }
    m_prevSight[0] = p.m_sightX;
    m_prevSight[1] = p.m_sightY;
    m_prevSight[2] = p.m_sightZ;
    m_prevAttach[0] = p.m_attachX;
    m_prevAttach[1] = p.m_attachY;
    m_prevAttach[2] = p.m_attachZ;
}

void CMouseInteraction::WheelStep(ToolContext& c, const WheelEvent& e)
{
    CViewState& v = c.view;
    if (e.ctrl) {
        double& scale = v.m_camera.m_scale;
        scale = e.forward ? scale + Camera::kScaleStep : Camera::ScaleDown(scale);
        c.host.Invalidate();
    } else if (e.rightButton) {
        CanvasLayer::SwitchCanvas(v.m_edit, v.m_pointer, c.doc, e.forward);
        c.host.RebuildDisplayLists();
        c.host.Invalidate();
    } else {
        CanvasLayer::MoveCanvas(v.m_edit, c.doc, e.forward);
        c.host.Invalidate();
    }
}

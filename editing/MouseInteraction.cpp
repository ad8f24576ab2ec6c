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

enum DragMode { NoDrag = 0, Rotate = 1, Move = 2, Zoom = 3 };

// Every cube the mouse places or removes goes through mirror painting.
void PaintSight(const CViewState& v, CMiravelDoc& doc, COLORREF color)
{
    MirrorPainting::Paint(v, doc, {v.m_sightX, v.m_sightY, v.m_sightZ}, color);
}

} // namespace

void CMouseInteraction::Place(CViewState& v, CMiravelDoc& doc)
{
    if (v.m_drawMode == 0)
        PaintSight(v, doc, v.m_cubeColor);
    else if (v.HasAttach())
        MirrorPainting::Paint(v, doc, {v.m_attachX, v.m_attachY, v.m_attachZ}, v.m_cubeColor);
}

void CMouseInteraction::StartDrag(CViewState& v, IMouseHost& host, int mode, int x, int y)
{
    host.CaptureMouse();
    v.m_dragMode = mode;
    v.m_dragLastX = x;
    v.m_dragLastY = y;
}

void CMouseInteraction::LButtonDown(CViewState& v, CMiravelDoc& doc, IMouseHost& host, bool shift,
                                    int x, int y)
{
    host.TakeFocus();
    if (!v.HasSight()) {
        StartDrag(v, host, Rotate, x, y);
        return;
    }
    if (shift)
        PaintSight(v, doc, CLR_NONE);
    else
        Place(v, doc);
    // The model changed under the pointer: repeated clicks in attach mode
    // stack cubes outward, toward the viewer.
    host.Pick(x, y);
}

void CMouseInteraction::RButtonDown(CViewState& v, CMiravelDoc& doc, IMouseHost& host, bool shift,
                                    int x, int y)
{
    host.TakeFocus();
    if (!v.HasSight()) {
        StartDrag(v, host, Zoom, x, y);
        return;
    }
    if (shift)
        Place(v, doc);
    else
        PaintSight(v, doc, CLR_NONE);
    host.Pick(x, y);
}

void CMouseInteraction::MButtonDown(CViewState& v, IMouseHost& host, int x, int y)
{
    StartDrag(v, host, Move, x, y);
}

void CMouseInteraction::ButtonUp(CViewState& v, IMouseHost& host)
{
    host.ReleaseMouse();
    v.m_dragMode = NoDrag;
}

bool CMouseInteraction::DragStep(CViewState& v, int x, int y)
{
    const int dx = std::abs(x - v.m_dragLastX);
    const int dy = std::abs(y - v.m_dragLastY);
    const bool horizontal = dx > dy;  // a tie counts as vertical
    bool stepped = false;
    switch (v.m_dragMode) {
    case Rotate:
        if (horizontal && dx > kRotateThreshold) {
            v.m_rotY += x > v.m_dragLastX ? Camera::kRotateStep : -Camera::kRotateStep;
            stepped = true;
        } else if (!horizontal && dy > kRotateThreshold) {
            v.m_rotX += y > v.m_dragLastY ? Camera::kRotateStep : -Camera::kRotateStep;
            stepped = true;
        }
        break;
    case Move:
        if (horizontal && dx > kMoveThreshold) {
            v.m_lookX += x > v.m_dragLastX ? -Camera::kMoveStep : Camera::kMoveStep;
            stepped = true;
        } else if (!horizontal && dy > kMoveThreshold) {
            v.m_lookY += y > v.m_dragLastY ? Camera::kMoveStep : -Camera::kMoveStep;
            stepped = true;
        }
        break;
    case Zoom:
        if (dy > kZoomThreshold) {
            if (y > v.m_dragLastY)
                v.m_scale += Camera::kScaleStep;
            else
                v.m_scale = Camera::ScaleDown(v.m_scale);
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
        v.m_dragLastX = x;
        v.m_dragLastY = y;
    }
    return stepped;
}

void CMouseInteraction::MouseMove(CViewState& v, CMiravelDoc& doc, IMouseHost& host, Buttons b,
                                  int x, int y)
{
    if (v.m_dragMode != NoDrag) {
        if (DragStep(v, x, y))
            host.Invalidate();
        return;
    }
    host.Pick(x, y);

    // Sweeping with a button down paints or erases the canvas layer.
    if (v.m_drawMode == 0) {
        if (b.left) {
            if (v.HasSight()) {
                PaintSight(v, doc, b.shift ? CLR_NONE : v.m_cubeColor);
            }
        } else if (b.right && v.HasSight()) {
            PaintSight(v, doc, CLR_NONE);
        }
    }

    const bool same = v.m_sightX == m_prevSight[0] && v.m_sightY == m_prevSight[1] &&
                      v.m_sightZ == m_prevSight[2] && v.m_attachX == m_prevAttach[0] &&
                      v.m_attachY == m_prevAttach[1] && v.m_attachZ == m_prevAttach[2];
    if (same && m_unchangedMoves <= kMaxSkippedRedraws) {
        ++m_unchangedMoves;
    } else {
        host.Invalidate();
        m_unchangedMoves = 0;
    }
    m_prevSight[0] = v.m_sightX;
    m_prevSight[1] = v.m_sightY;
    m_prevSight[2] = v.m_sightZ;
    m_prevAttach[0] = v.m_attachX;
    m_prevAttach[1] = v.m_attachY;
    m_prevAttach[2] = v.m_attachZ;
}

void CMouseInteraction::Wheel(CViewState& v, CMiravelDoc& doc, IMouseHost& host, bool forward,
                              bool ctrl, bool rightButton)
{
    if (ctrl) {
        v.m_scale = forward ? v.m_scale + Camera::kScaleStep : Camera::ScaleDown(v.m_scale);
        host.Invalidate();
    } else if (rightButton) {
        CanvasLayer::SwitchCanvas(v, doc, forward);
        host.RebuildDisplayLists();
        host.Invalidate();
    } else {
        CanvasLayer::MoveCanvas(v, doc, forward);
        host.Invalidate();
    }
}

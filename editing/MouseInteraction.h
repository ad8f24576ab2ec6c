#pragma once

#include "editing/Tool.h"
#include "scene/PointerState.h"

struct CCameraState;
struct CEditState;

// The pen, the default tool: turns mouse input into edits and camera drags.
// Over a picked cell the left and right buttons place and remove cubes; over
// empty space they start a rotating or zooming drag; the middle button
// always moves the camera. Every cube it places or removes is one undo step.
class CMouseInteraction final : public ITool {
public:
    bool Press(ToolContext& c, const PointerEvent& e) override;
    // Any button released ends whatever drag is under way.
    void Release(ToolContext& c, const PointerEvent& e) override;
    // A drag step, or a pick that may paint the canvas layer under a held
    // button, and a repaint when the picked cells changed.
    void Move(ToolContext& c, const PointerEvent& e) override;
    // One step per wheel message whatever its size: Ctrl zooms, the right
    // button turns the canvas, otherwise the canvas slides.
    void Wheel(ToolContext& c, const WheelEvent& e) override { WheelStep(c, e); }
    static void WheelStep(ToolContext& c, const WheelEvent& e);

    // One camera step of a drag toward (x, y); returns whether the view needs
    // repainting. Small movements pile up until they pass the threshold.
    static bool DragStep(CCameraState& camera, CPointerState& pointer, int x, int y);

    // Moves in a row that changed neither picked cell; every 102nd repaints.
    int UnchangedMoves() const { return m_unchangedMoves; }

private:
    static void LButtonDown(ToolContext& c, bool shift, int x, int y);
    static void RButtonDown(ToolContext& c, bool shift, int x, int y);
    static void StartDrag(CPointerState& pointer, IToolHost& host, DragMode mode, int x, int y);
    // Places a cube where the current drawing mode puts one.
    static void Place(const CEditState& edit, const CPointerState& pointer, CMiravelDoc& doc);

    int m_prevSight[3] = {-1, -1, -1};
    int m_prevAttach[3] = {-1, -1, -1};
    int m_unchangedMoves = 0;
};

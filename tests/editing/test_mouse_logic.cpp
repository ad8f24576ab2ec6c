// Mouse editing decisions without a window, through the tools as the view
// forwards to them: drags, clicks, sweeps, the wheel and the redraw
// throttle, with a host that records what was asked of it.
#include "editing/CanvasLayer.h"
#include "editing/MirrorPainting.h"
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"
#include "tests/editing/ToolTestSupport.h"
#include "tests/support/CubeCells.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

class MouseLogic : public ToolTest {
protected:
    // A move with the left or right button held, and Shift.
    void Move(int x, int y, bool left = false, bool right = false, bool shift = false)
    {
        tools.Move(ctx, {x, y, PointerButton::None, left, right, false, shift, false});
    }
    void Press(PointerButton button, int x, int y, bool shift = false)
    {
        tools.Press(ctx, {x, y, button, button == PointerButton::Left, button == PointerButton::Right,
                          button == PointerButton::Middle, shift, false});
    }
    void Release() { tools.Release(ctx, {0, 0, PointerButton::Left}); }
};

TEST_F(MouseLogic, DragsStepOncePerMessagePastTheirThresholds)
{
    v.m_pointer.m_sightX = v.m_pointer.m_sightY = v.m_pointer.m_sightZ = -1;  // over empty space
    Press(PointerButton::Left, 100, 100);
    EXPECT_EQ(std::tuple(v.m_pointer.m_dragMode, host.captures, host.focus), std::tuple(DragMode::Rotate, 1, 1));
    // Small moves pile up against the stored point until they pass 10 pixels.
    Move(105, 100);
    Move(110, 100);
    EXPECT_EQ(v.m_camera.m_rotY, -45.0);
    Move(111, 100);
    EXPECT_EQ(v.m_camera.m_rotY, -40.0);
    Move(400, 100);  // one step however far the pointer went
    EXPECT_EQ(v.m_camera.m_rotY, -35.0);
    Move(420, 120);  // a tie counts as vertical; down turns about x by +5
    EXPECT_EQ(v.m_camera.m_rotX, 30.0);
    EXPECT_EQ(host.picks, 0);  // no picking while dragging
    Release();
    EXPECT_EQ(std::pair(v.m_pointer.m_dragMode, host.releases), std::pair(DragMode::None, 1));

    v.m_pointer.m_sightX = 2;
    Press(PointerButton::Middle, 0, 0);  // the middle button drags even over a cell
    EXPECT_EQ(v.m_pointer.m_dragMode, DragMode::Move);
    Move(30, 0);
    EXPECT_EQ(v.m_camera.m_lookX, 0.0);
    Move(31, 0);
    EXPECT_EQ(v.m_camera.m_lookX, -5.0);  // dragging right moves the centre left
    Move(31, 62);
    EXPECT_EQ(v.m_camera.m_lookY, 5.0);

    v.m_pointer.m_sightX = -1;
    Press(PointerButton::Right, 0, 0);
    EXPECT_EQ(v.m_pointer.m_dragMode, DragMode::Zoom);
    const int before = host.invalidations;
    Move(50, 5);  // sideways does nothing, but repaints
    EXPECT_EQ(v.m_camera.m_scale, 1.0);
    EXPECT_EQ(host.invalidations, before + 1);
    Move(50, 6);
    EXPECT_NEAR(v.m_camera.m_scale, 1.1, 1e-12);  // down enlarges (the floor: Scale:Down's)
}

TEST_F(MouseLogic, ClicksEditAtTheSightInBothModes)
{
    v.m_edit.m_cubeColor = RGB(1, 2, 3);
    v.m_pointer.m_sightX = v.m_pointer.m_sightY = v.m_pointer.m_sightZ = 2;
    const struct { bool left, shift; COLORREF after; } clicks[] = {
        {true, false, RGB(1, 2, 3)}, {false, false, CLR_NONE}, {false, true, RGB(1, 2, 3)}, {true, true, CLR_NONE}};
    for (const auto& c : clicks) {
        Press(c.left ? PointerButton::Left : PointerButton::Right, 5, 5, c.shift);
        EXPECT_EQ(doc.GetCube(2, 2, 2), c.after) << c.left << c.shift;
    }
    EXPECT_EQ(host.picks, 4);  // picks again: the model changed under the pointer
    EXPECT_EQ(v.m_pointer.m_dragMode, DragMode::None);

    // Attach mode (its target is placed by the mirror test): without a
    // target a click adds nothing; a right click removes the sight cube.
    v.m_edit.m_drawMode = DrawMode::Attach;
    doc.SetCube(2, 2, 2, RGB(9, 9, 9));
    v.m_pointer.m_attachX = v.m_pointer.m_attachY = v.m_pointer.m_attachZ = -1;
    Press(PointerButton::Left, 5, 5);
    EXPECT_EQ(doc.m_cubes.Count(), 1u);
    Press(PointerButton::Right, 5, 5);
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
}

TEST_F(MouseLogic, SweepsPaintAndEraseOnlyInCanvasMode)
{
    v.m_edit.m_cubeColor = RGB(7, 7, 7);
    host.onPick = [&](int x, int) { v.m_pointer.m_sightX = x / 10, v.m_pointer.m_sightY = v.m_pointer.m_sightZ = 0; };
    for (int x = 0; x < 60; x += 3)
        Move(x, 0, true);
    EXPECT_EQ(doc.m_cubes.Count(), 6u);
    EXPECT_EQ(doc.m_history.Size(), 6u);  // one record per newly coloured cell
    for (int x = 0; x < 30; x += 3)
        Move(x, 0, true, false, true);  // Shift: erase
    EXPECT_EQ(doc.m_cubes.Count(), 3u);
    for (int x = 30; x < 60; x += 3)
        Move(x, 0, false, true);  // right: erase
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
    v.m_edit.m_drawMode = DrawMode::Attach;
    for (int x = 0; x < 60; x += 3)
        Move(x, 0, true);
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
}

TEST_F(MouseLogic, MirrorPaintingRepeatsEveryEditAcrossTheBoxAsOneStep)
{
    // Odd sizes keep the middle cell single; a corner of both mirrors has four.
    doc.SetGridSize(5, 3, 4);
    using C = std::vector<CUBEPOS>;
    EXPECT_EQ(MirrorPainting::Cells(doc, {2, 1, 0}, true, false), (C{{2, 1, 0}}));
    EXPECT_EQ(MirrorPainting::Cells(doc, {0, 1, 1}, true, true), (C{{0, 1, 1}, {4, 1, 1}, {0, 1, 2}, {4, 1, 2}}));

    // (Mirrored sweeps, each step undone as one: the stroke test.) A right
    // click erases the cube and its mirror image; attach mode mirrors the
    // attach target.
    v.m_edit.m_mirrorX = 1;
    v.m_edit.m_cubeColor = RGB(7, 7, 7);
    doc.m_cubes = CCubeStore{{{0, 0, 1}, RGB(7, 7, 7)}, {{4, 0, 1}, RGB(7, 7, 7)}, {{0, 0, 2}, RGB(7, 7, 7)}, {{4, 0, 2}, RGB(7, 7, 7)}};
    v.m_pointer.m_sightX = 0, v.m_pointer.m_sightY = 0, v.m_pointer.m_sightZ = 2;
    Press(PointerButton::Right, 5, 5);
    EXPECT_EQ(CellsOf(doc.m_cubes), (std::map<CUBEPOS, COLORREF>{{{0, 0, 1}, RGB(7, 7, 7)}, {{4, 0, 1}, RGB(7, 7, 7)}}));
    v.m_edit.m_drawMode = DrawMode::Attach;
    v.m_pointer.m_attachX = 0, v.m_pointer.m_attachY = 2, v.m_pointer.m_attachZ = 0;
    Press(PointerButton::Left, 5, 5);
    EXPECT_EQ(doc.GetCube(4, 2, 0), RGB(7, 7, 7));
    doc.HistoryBack();
    EXPECT_EQ(doc.m_cubes.Count(), 2u);
}

TEST_F(MouseLogic, StrokeUndoTakesWholeGesturesWhereUndoTakesCells)
{
    // A mirrored sweep over x 0..2 with a command run in its middle (a
    // gesture apart), a click, and layer y 0 pasted into y 1: five gestures.
    doc.SetGridSize(6, 2, 1);
    v.m_edit.m_cubeColor = RGB(7, 7, 7);
    v.m_edit.m_mirrorX = 1;
    host.onPick = [&](int x, int) { v.m_pointer.m_sightX = x / 10, v.m_pointer.m_sightY = v.m_pointer.m_sightZ = 0; };
    Move(0, 0);
    Press(PointerButton::Left, 0, 0);
    Move(10, 0, true);
    {
        const CMiravelDoc::CGesture command(doc);
        doc.SetCube(0, 1, 0, RGB(1, 1, 1));
    }
    Move(20, 0, true);
    Release();
    v.m_edit.m_mirrorX = 0;
    Move(0, 0);
    Press(PointerButton::Right, 0, 0);
    Release();
    v.m_edit.m_canvasAxis = CanvasAxis::Y;
    CanvasLayer::Copy(v.m_edit);
    CanvasLayer::PasteLayerToAll(v.m_edit, doc, [] { return true; });
    const std::map<CUBEPOS, COLORREF> all = CellsOf(doc.m_cubes);

    // Single steps take part of a gesture, a stroke the rest of it or nothing.
    using Step = void (CMiravelDoc::*)(const WorkProgress&);
    const Step back = &CMiravelDoc::HistoryBack, forward = &CMiravelDoc::HistoryForward,
               strokeBack = &CMiravelDoc::StrokeBack, strokeForward = &CMiravelDoc::StrokeForward;
    const struct { Step step; std::size_t cubes; int pos; } steps[] = {
        {back, 9, 12}, {strokeBack, 6, 7}, {strokeBack, 7, 6}, {strokeBack, 5, 4}, {strokeBack, 4, 3},
        {back, 2, 1}, {strokeBack, 0, -1}, {strokeBack, 0, -1}, {forward, 2, 1}, {strokeForward, 4, 3},
        {strokeForward, 5, 4}, {strokeForward, 7, 6}, {strokeForward, 6, 7}, {strokeForward, 10, 13}, {strokeForward, 10, 13}};
    for (const auto& s : steps) {
        (doc.*s.step)({});
        EXPECT_EQ(std::pair(doc.m_cubes.Count(), doc.m_historyPos), std::pair(s.cubes, s.pos)) << &s - steps;
    }
    EXPECT_EQ(CellsOf(doc.m_cubes), all);

    // Past the memory limit the sweep's first step goes; the rest of the
    // sweep is a gesture of its own.
    doc.SetHistoryLimit(12 * CEditHistory::kRecordBytes);
    EXPECT_TRUE(doc.m_history.StartsGesture(0));
    for (int i = 0; i < 5; ++i)
        doc.StrokeBack();
    EXPECT_EQ(CellsOf(doc.m_cubes), (std::map<CUBEPOS, COLORREF>{{{0, 0, 0}, RGB(7, 7, 7)}, {{5, 0, 0}, RGB(7, 7, 7)}}));
}

TEST_F(MouseLogic, ARestingPointerRepaintsEveryHundredAndSecondMove)
{
    Move(1, 1);  // differs from the start (-1): repaint
    for (int i = 0; i < 101; ++i)
        Move(1, 1);
    EXPECT_EQ(host.invalidations, 1);
    Move(1, 1);
    EXPECT_EQ(host.invalidations, 2);
    host.onPick = [&](int x, int) { v.m_pointer.m_sightX = x; };
    Move(3, 1);
    EXPECT_EQ(host.invalidations, 3);
}

TEST_F(MouseLogic, TheWheelZoomsTurnsOrSlides)
{
    doc.SetGridSize(4, 4, 4);
    tools.Wheel(ctx, {true, true, true});  // Ctrl wins over the right button
    EXPECT_NEAR(v.m_camera.m_scale, 1.1, 1e-12);
    EXPECT_EQ(v.m_edit.m_canvasAxis, CanvasAxis::Y);
    tools.Wheel(ctx, {false, false, true});  // right button: turn backward
    EXPECT_EQ(v.m_edit.m_canvasAxis, CanvasAxis::X);
    EXPECT_EQ(host.rebuilds, 1);
    tools.Wheel(ctx, {true, false, false});  // plain: slide up
    EXPECT_EQ(v.m_edit.m_canvasPos, 2);  // from the sight's x = 1
}

} // namespace

// Mouse editing decisions without a window: drags, clicks, sweeps, the wheel
// and the redraw throttle, with a host that records what was asked of it.
#include "editing/MouseInteraction.h"
#include "model/CMiravelDoc.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

struct Host : IMouseHost {
    int focus = 0, captures = 0, releases = 0, picks = 0, invalidations = 0, rebuilds = 0;
    std::function<void(int, int)> onPick;
    void TakeFocus() override { ++focus; }
    void CaptureMouse() override { ++captures; }
    void ReleaseMouse() override { ++releases; }
    void Pick(int x, int y) override
    {
        ++picks;
        if (onPick)
            onPick(x, y);
    }
    void Invalidate() override { ++invalidations; }
    void RebuildDisplayLists() override { ++rebuilds; }
};

class MouseLogic : public ::testing::Test {
protected:
    CViewState v;
    CMiravelDoc doc;
    Host host;
    CMouseInteraction mouse;
    void NoSight() { v.m_sightX = v.m_sightY = v.m_sightZ = -1; }
};

TEST_F(MouseLogic, RotateDragStepsFiveDegreesPastTenPixels)
{
    NoSight();
    mouse.LButtonDown(v, doc, host, false, 100, 100);
    EXPECT_EQ(v.m_dragMode, 1);
    EXPECT_EQ(host.captures, 1);
    EXPECT_EQ(host.focus, 1);
    // Small moves pile up against the stored point until they pass 10 pixels.
    mouse.MouseMove(v, doc, host, {true, false, false}, 105, 100);
    mouse.MouseMove(v, doc, host, {true, false, false}, 110, 100);
    EXPECT_EQ(v.m_rotY, -45.0);
    mouse.MouseMove(v, doc, host, {true, false, false}, 111, 100);
    EXPECT_EQ(v.m_rotY, -40.0);
    EXPECT_EQ(v.m_dragLastX, 111);
    // One step per message however far the pointer went.
    mouse.MouseMove(v, doc, host, {true, false, false}, 400, 100);
    EXPECT_EQ(v.m_rotY, -35.0);
    // A tie counts as vertical; down turns about x by +5.
    mouse.MouseMove(v, doc, host, {true, false, false}, 420, 120);
    EXPECT_EQ(v.m_rotX, 30.0);
    EXPECT_EQ(host.picks, 0);  // no picking while dragging
    mouse.ButtonUp(v, host);
    EXPECT_EQ(v.m_dragMode, 0);
    EXPECT_EQ(host.releases, 1);
}

TEST_F(MouseLogic, MoveAndZoomDrags)
{
    mouse.MButtonDown(v, host, 0, 0);  // the middle button drags even over a cell
    EXPECT_EQ(v.m_dragMode, 2);
    EXPECT_EQ(host.focus, 0);
    mouse.MouseMove(v, doc, host, {}, 30, 0);
    EXPECT_EQ(v.m_lookX, 0.0);
    mouse.MouseMove(v, doc, host, {}, 31, 0);
    EXPECT_EQ(v.m_lookX, -5.0);  // dragging right moves the centre left
    mouse.MouseMove(v, doc, host, {}, 31, 62);
    EXPECT_EQ(v.m_lookY, 5.0);
    mouse.ButtonUp(v, host);

    NoSight();
    mouse.RButtonDown(v, doc, host, false, 0, 0);
    EXPECT_EQ(v.m_dragMode, 3);
    const int before = host.invalidations;
    mouse.MouseMove(v, doc, host, {}, 50, 5);  // sideways does nothing, but repaints
    EXPECT_EQ(v.m_scale, 1.0);
    EXPECT_EQ(host.invalidations, before + 1);
    mouse.MouseMove(v, doc, host, {}, 50, 6);
    EXPECT_NEAR(v.m_scale, 1.1, 1e-12);  // down enlarges
    for (int i = 0; i < 30; ++i)
        mouse.MouseMove(v, doc, host, {}, 50, 6 - 6 * (i + 1));
    EXPECT_DOUBLE_EQ(v.m_scale, 0.1);  // never below 0.1
    // Any button's release ends the drag.
    mouse.ButtonUp(v, host);
    EXPECT_EQ(v.m_dragMode, 0);
}

TEST_F(MouseLogic, ClicksEditAtTheSightInBothModes)
{
    v.m_cubeColor = RGB(1, 2, 3);
    v.m_sightX = v.m_sightY = v.m_sightZ = 2;
    mouse.LButtonDown(v, doc, host, false, 5, 5);
    EXPECT_EQ(doc.GetCube(2, 2, 2), RGB(1, 2, 3));
    EXPECT_EQ(host.picks, 1);  // picks again: the model changed under the pointer
    EXPECT_EQ(v.m_dragMode, 0);
    mouse.RButtonDown(v, doc, host, false, 5, 5);
    EXPECT_EQ(doc.GetCube(2, 2, 2), CLR_NONE);
    mouse.RButtonDown(v, doc, host, true, 5, 5);  // Shift + right places
    EXPECT_EQ(doc.GetCube(2, 2, 2), RGB(1, 2, 3));
    mouse.LButtonDown(v, doc, host, true, 5, 5);  // Shift + left removes
    EXPECT_EQ(doc.GetCube(2, 2, 2), CLR_NONE);

    // Attach mode: the new cube goes to the attach target, not the sight.
    v.m_drawMode = 1;
    doc.m_cubes[{2, 2, 2}] = RGB(9, 9, 9);
    v.m_attachX = 2;
    v.m_attachY = 2;
    v.m_attachZ = 3;
    // Each pick moves the target one further out, as a real one would.
    host.onPick = [&](int, int) {
        v.m_sightZ = v.m_attachZ;
        ++v.m_attachZ;
    };
    mouse.LButtonDown(v, doc, host, false, 5, 5);
    mouse.LButtonDown(v, doc, host, false, 5, 5);
    EXPECT_EQ(doc.GetCube(2, 2, 3), RGB(1, 2, 3));
    EXPECT_EQ(doc.GetCube(2, 2, 4), RGB(1, 2, 3));
    host.onPick = nullptr;
    v.m_attachX = v.m_attachY = v.m_attachZ = -1;
    const size_t cubes = doc.m_cubes.size();
    mouse.LButtonDown(v, doc, host, false, 5, 5);  // no target: nothing
    EXPECT_EQ(doc.m_cubes.size(), cubes);
    EXPECT_EQ(v.m_dragMode, 0);
    mouse.RButtonDown(v, doc, host, false, 5, 5);  // right click removes the cube under the pointer
    EXPECT_EQ(doc.GetCube(2, 2, 4), CLR_NONE);
}

TEST_F(MouseLogic, SweepsPaintAndEraseOnlyInCanvasMode)
{
    v.m_cubeColor = RGB(7, 7, 7);
    int cell = 0;
    host.onPick = [&](int x, int) {
        cell = x / 10;
        v.m_sightX = cell;
        v.m_sightY = 0;
        v.m_sightZ = 0;
    };
    for (int x = 0; x < 60; x += 3)
        mouse.MouseMove(v, doc, host, {true, false, false}, x, 0);
    EXPECT_EQ(doc.m_cubes.size(), 6u);
    EXPECT_EQ(doc.m_history.size(), 6u);  // one record per newly coloured cell
    for (int x = 0; x < 30; x += 3)
        mouse.MouseMove(v, doc, host, {true, false, true}, x, 0);  // Shift: erase
    EXPECT_EQ(doc.m_cubes.size(), 3u);
    for (int x = 30; x < 60; x += 3)
        mouse.MouseMove(v, doc, host, {false, true, true}, x, 0);  // right: erase, Shift or not
    EXPECT_TRUE(doc.m_cubes.empty());

    v.m_drawMode = 1;
    for (int x = 0; x < 60; x += 3)
        mouse.MouseMove(v, doc, host, {true, false, false}, x, 0);
    EXPECT_TRUE(doc.m_cubes.empty());
}

TEST_F(MouseLogic, ARestingPointerRepaintsEveryHundredAndSecondMove)
{
    host.onPick = [&](int, int) {};  // the picked cells never change
    mouse.MouseMove(v, doc, host, {}, 1, 1);  // differs from the start (-1): repaint
    EXPECT_EQ(host.invalidations, 1);
    for (int i = 0; i < 101; ++i)
        mouse.MouseMove(v, doc, host, {}, 1, 1);
    EXPECT_EQ(host.invalidations, 1);
    mouse.MouseMove(v, doc, host, {}, 1, 1);
    EXPECT_EQ(host.invalidations, 2);
    EXPECT_EQ(mouse.UnchangedMoves(), 0);
    host.onPick = [&](int x, int) { v.m_sightX = x; };
    mouse.MouseMove(v, doc, host, {}, 3, 1);
    EXPECT_EQ(host.invalidations, 3);
}

TEST_F(MouseLogic, TheWheelZoomsTurnsOrSlides)
{
    doc.SetGridSize(4, 4, 4);
    mouse.Wheel(v, doc, host, true, true, true);  // Ctrl wins over the right button
    EXPECT_NEAR(v.m_scale, 1.1, 1e-12);
    EXPECT_EQ(v.m_canvasAxis, 1);
    mouse.Wheel(v, doc, host, false, false, true);  // right button: turn backward
    EXPECT_EQ(v.m_canvasAxis, 0);
    EXPECT_EQ(host.rebuilds, 1);
    mouse.Wheel(v, doc, host, true, false, false);  // plain: slide up
    EXPECT_EQ(v.m_canvasPos, 2);  // from the sight's x = 1
    mouse.Wheel(v, doc, host, false, false, false);
    EXPECT_EQ(v.m_canvasPos, 1);
}

} // namespace

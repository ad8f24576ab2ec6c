// The tools of the left button on the real view, mirror painting with its
// plane, and undo of each as one step with the keys.
#include "controls/ButtonIds.h"
#include "tests/view/ViewTestSupport.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

class ViewTools : public ViewTest {
protected:
    void Press(QPoint p, Qt::KeyboardModifiers mods)
    {
        SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton, mods);
        SendMouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, mods);
    }
    void Release(QPoint p, Qt::KeyboardModifiers mods)
    {
        SendMouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, mods);
    }
};

TEST_F(ViewTools, CtrlClickTakesTheColourOfTheCubeUnderThePointerAndEditsNothing)
{
    TopDown();
    // The cube stands above the canvas layer (y = 0): the canvas pick alone
    // would not find it.
    doc.SetCube(5, 3, 5, RGB(12, 34, 56));
    const auto history = doc.m_history;
    const QPoint onCube = CellTop(5, 3, 5);
    Press(onCube, Qt::ControlModifier);
    // Moving with the button still held paints nothing.
    SendMouse(view, QEvent::MouseMove, CellTop(8, 0, 5), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    Release(CellTop(8, 0, 5), Qt::ControlModifier);
    EXPECT_EQ(view->m_state.m_edit.m_cubeColor, RGB(12, 34, 56));
    EXPECT_EQ(view->CommandUi().Swatch(ButtonCube), RGB(12, 34, 56));
    EXPECT_EQ(doc.m_history, history);
    EXPECT_EQ(doc.m_cubes.size(), 1u);

    // Over empty space the press turns the view as a plain one does.
    view->m_state.m_edit.m_drawMode = DrawMode::Attach;
    Press(QPoint(5, view->height() - 5), Qt::ControlModifier);
    EXPECT_EQ(view->m_state.m_pointer.m_dragMode, DragMode::Rotate);
    Release(QPoint(5, view->height() - 5), Qt::ControlModifier);
}

TEST_F(ViewTools, CtrlShiftClickFillsTheCanvasRegionAndOneUndoTakesItBack)
{
    doc.SetGridSize(6, 4, 6);
    TopDown();
    // A wall across layer y = 0 at z = 2 keeps the fill to the rows z < 2.
    for (int x = 0; x < 6; ++x)
        doc.SetCube(x, 0, 2, RGB(1, 1, 1));
    view->m_state.m_edit.m_cubeColor = RGB(200, 100, 0);
    const QPoint p = CellTop(1, 0, 0);
    Press(p, Qt::ControlModifier | Qt::ShiftModifier);
    Release(p, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc.m_cubes.size(), 6u + 12u);
    EXPECT_EQ(doc.GetCube(5, 0, 1), RGB(200, 100, 0));
    EXPECT_EQ(doc.GetCube(0, 0, 3), CLR_NONE);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.m_cubes.size(), 6u);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc.m_cubes.size(), 18u);

    // Attach mode: the cubes of the clicked cube's colour that touch it by faces.
    view->m_state.m_edit.m_drawMode = DrawMode::Attach;
    view->m_state.m_edit.m_cubeColor = RGB(0, 0, 255);
    const QPoint wall = CellTop(3, 0, 2);
    Press(wall, Qt::ControlModifier | Qt::ShiftModifier);
    Release(wall, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc.GetCube(0, 0, 2), RGB(0, 0, 255));
    EXPECT_EQ(doc.GetCube(5, 0, 2), RGB(0, 0, 255));
    EXPECT_EQ(doc.GetCube(0, 0, 0), RGB(200, 100, 0));
}

TEST_F(ViewTools, AMirroredSweepPaintsBothHalvesAndThePlaneShowsOnlyInTheWindow)
{
    TopDown();
    view->ExecuteCommand(CommandId::ToolMirrorX);
    view->m_state.m_edit.m_cubeColor = RGB(10, 20, 30);
    SendMouse(view, QEvent::MouseMove, CellTop(1, 0, 5), Qt::NoButton, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonPress, CellTop(1, 0, 5), Qt::LeftButton, Qt::LeftButton);
    for (int x = 1; x <= 3; ++x)
        SendMouse(view, QEvent::MouseMove, CellTop(x, 0, 5), Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, CellTop(3, 0, 5), Qt::LeftButton, Qt::NoButton);
    for (int x : {1, 2, 3, 12, 13, 14})
        EXPECT_EQ(doc.GetCube(x, 0, 5), RGB(10, 20, 30)) << x;
    EXPECT_EQ(doc.m_cubes.size(), 6u);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);  // the last pair
    EXPECT_EQ(doc.m_cubes.size(), 4u);
    EXPECT_EQ(doc.GetCube(12, 0, 5), CLR_NONE);

    // The plane through x = 8 tints what lies behind it, seen from the
    // default camera; lines of the frame in front of it stay as they are.
    view->ExecuteCommand(CommandId::SettingDefault);
    const int grid[3] = {16, 16, 16};
    const QImage window = Grab(*view);
    const QImage picture = view->ScenePicture().convertToFormat(QImage::Format_RGB32);
    view->ExecuteCommand(CommandId::ToolMirrorX);
    const QImage plain = Grab(*view);
    const auto tinted = [&](QPoint p) {
        const QRgb a = window.pixel(p), b = plain.pixel(p);
        return qRed(a) + qBlue(a) > qRed(b) + qBlue(b) + 16 && qGreen(a) <= qGreen(b);
    };
    int onPlane = 0;
    for (int y = 2; y < 14; ++y)
        for (int z = 2; z < 14; ++z)
            onPlane += tinted(ToPixel(view->m_state.m_camera, view->width(), view->height(), grid, 8, y + 0.3, z + 0.3));
    EXPECT_GT(onPlane, 12 * 12 * 3 / 4);
    EXPECT_EQ(picture, plain);
}

} // namespace

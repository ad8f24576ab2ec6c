// Editing and commands on the real view with simulated input: sweeps, attach
// clicks, drags, keys, the pop-up menus, dialogs and message boxes; the tools
// of the left button and the mirror plane.
#include "tests/view/ViewTestSupport.h"

#include <QColorDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ViewEditing : public ViewTest {
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
    void Click(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        SendMouse(view, QEvent::MouseButtonPress, p, b, b, mods);
        SendMouse(view, QEvent::MouseButtonRelease, p, b, Qt::NoButton, mods);
    }
    void Wheel(QPoint p, Qt::KeyboardModifiers mods)
    {
        QWheelEvent e(QPointF(p), QPointF(view->mapToGlobal(p)), QPoint(), QPoint(0, 120), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
    }
};

TEST_F(ViewEditing, ASweepPaintsOnlyOverTheViewItselfWhileDragsGoBeyond)
{
    TopDown();
    view->m_state.m_camera.m_scale = 6;  // the canvas reaches under the buttons and past the edges
    const QPoint start(100, view->height() / 2), back(160, view->height() / 2);
    const QPoint onButton = view->m_buttons.m_btnFrame.geometry().center();
    const QPoint beyond(view->width() + 40, onButton.y());
    ASSERT_TRUE(view->m_buttons.m_btnFrame.isVisible());
    std::vector<CUBEPOS> painted, untouched;
    for (QPoint p : {start, back, onButton, beyond}) {
        view->PickSight(p.x(), p.y());
        ASSERT_TRUE(view->m_state.m_pointer.HasSight()) << p.x();
        (p == start || p == back ? painted : untouched).push_back({view->m_state.m_pointer.m_sightX, view->m_state.m_pointer.m_sightY, view->m_state.m_pointer.m_sightZ});
    }
    ASSERT_NE(painted[1], untouched[0]);
    SendMouse(view, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (QPoint p : {onButton, beyond, back})
        SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, back, Qt::LeftButton, Qt::NoButton);
    for (const CUBEPOS& c : painted)
        EXPECT_EQ(doc.GetCube(c.x, c.y, c.z), view->m_state.m_edit.m_cubeColor) << c.x << "," << c.z;
    for (const CUBEPOS& c : untouched)
        EXPECT_EQ(doc.GetCube(c.x, c.y, c.z), CLR_NONE) << c.x << "," << c.z;
    // A drag keeps following the pointer out of the view.
    const double lookX = view->m_state.m_camera.m_lookX;
    SendMouse(view, QEvent::MouseButtonPress, start, Qt::MiddleButton, Qt::MiddleButton);
    SendMouse(view, QEvent::MouseMove, beyond, Qt::NoButton, Qt::MiddleButton);
    SendMouse(view, QEvent::MouseButtonRelease, beyond, Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(view->m_state.m_camera.m_lookX, lookX - Camera::kMoveStep);
}

TEST_F(ViewEditing, AttachClicksStackCubesTowardTheViewer)
{
    // The editing rules are checked without a window; here the pick of the
    // cube under the pointer and the buttons' way in.
    TopDown();
    doc.m_cubes.Set({8, 0, 8}, RGB(255, 255, 255));
    view->m_state.m_edit.m_drawMode = DrawMode::Attach;
    const QPoint p = CellTop(8, 0, 8);
    SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    Click(p, Qt::LeftButton);
    Click(p, Qt::LeftButton);
    EXPECT_EQ(doc.GetCube(8, 2, 8), view->m_state.m_edit.m_cubeColor);
    // A right click removes the cube under the pointer, and opens no menu.
    Click(p, Qt::RightButton);
    EXPECT_EQ(doc.GetCube(8, 2, 8), CLR_NONE);
    EXPECT_EQ(doc.GetCube(8, 1, 8), view->m_state.m_edit.m_cubeColor);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(ViewEditing, DragsAndTheWheelOverEmptySpaceMoveTheCamera)
{
    // Steps and thresholds are checked without a window; here the events.
    const QPoint corner(40, 40);  // nothing there
    SendMouse(view, QEvent::MouseMove, corner, Qt::NoButton, Qt::NoButton);
    ASSERT_FALSE(view->m_state.m_pointer.HasSight());
    SendMouse(view, QEvent::MouseButtonPress, corner, Qt::MiddleButton, Qt::MiddleButton);
    SendMouse(view, QEvent::MouseMove, corner + QPoint(0, 31), Qt::NoButton, Qt::MiddleButton);
    EXPECT_EQ(view->m_state.m_camera.m_lookY, 5.0);
    // Another window taking over ends the drag: its release would never come.
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(view, &away);
    EXPECT_EQ(view->m_state.m_pointer.m_dragMode, DragMode::None);
    Wheel(corner, Qt::NoModifier);
    EXPECT_EQ(view->m_state.m_edit.m_canvasPos, 1);
}

TEST_F(ViewEditing, TheSettingMenuRunsTheChosenEntry)
{
    view->m_state.m_camera.m_rotX = 70;
    // The light entry carries a check mark while the light is on.
    bool lightChecked = false;
    WhenModalOpens<QMenu>([&lightChecked](QWidget* w) {
        auto* menu = static_cast<QMenu*>(w);
        for (QAction* a : menu->actions()) {
            if (a->text() == QStringLiteral("照明"))
                lightChecked = a->isChecked();
            if (a->text() == QStringLiteral("ビュー初期状態"))
                menu->setActiveAction(a);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::keyClick(view, Qt::Key_Z);
    EXPECT_EQ(view->m_state.m_camera.m_rotX, 25.0);
    EXPECT_TRUE(lightChecked);
}

TEST_F(ViewEditing, ClearAsksFirstAndTheSizeDialogResizesTheGrid)
{
    doc.SetCube(1, 0, 1, RGB(1, 1, 1));
    for (auto button : {QMessageBox::Cancel, QMessageBox::Ok}) {
        QString text;
        WhenModalOpens<QMessageBox>([&text, button](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            text = box->icon() == QMessageBox::Question ? box->text() : QString();
            box->button(button)->click();
        });
        view->ExecuteCommand(QStringLiteral("Cube:Clear"));
        EXPECT_EQ(text, QStringLiteral("全てのキューブを消去しますか？"));
        EXPECT_EQ(doc.m_cubes.Count(), button == QMessageBox::Ok ? 0u : 1u);
    }

    WhenModalOpens([](QWidget* w) {
        // X, Y, Z are the first three edits in the dialog.
        const auto edits = w->findChildren<QLineEdit*>();
        ASSERT_GE(edits.size(), 3);
        for (int i = 0; i < 3; ++i) {
            edits[i]->selectAll();
            QTest::keyClicks(edits[i], i == 1 ? QStringLiteral("4") : QStringLiteral("32"));
        }
        QTest::keyClick(w, Qt::Key_Return);
    });
    view->ExecuteCommand(QStringLiteral("Cube:Size"));
    EXPECT_EQ(std::tuple(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ), std::tuple(32, 4, 32));
    EXPECT_EQ(view->m_state.m_edit.m_canvasPos, 0);
    EXPECT_DOUBLE_EQ(view->m_state.m_camera.m_scale, 1.0);  // 32 in a 60-unit view
}

TEST_F(ViewEditing, ColoursFromTheDialog)
{
    WhenModalOpens<QColorDialog>([](QWidget* w) {
        static_cast<QColorDialog*>(w)->setCurrentColor(QColor(12, 34, 56));
        static_cast<QDialog*>(w)->accept();
    });
    QTest::keyClick(view, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(view->m_state.m_edit.m_cubeColor, RGB(12, 34, 56));
    EXPECT_EQ(view->CommandUi().Swatch(ButtonCube), RGB(12, 34, 56));
}

TEST_F(ViewEditing, ExportWritesTheSceneAndReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shot");
    QString message;
    QStringList filters;
    const auto choose = [path, &filters](QWidget* w) {
        filters = static_cast<QFileDialog*>(w)->nameFilters();
        static_cast<QFileDialog*>(w)->selectFile(path);
        static_cast<QDialog*>(w)->accept();
    };
    WhenModalOpens<QFileDialog>(choose);
    view->ExecuteCommand(QStringLiteral("Image:PNG"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("PNG File(*.png)")});
    const QImage shot(path + QStringLiteral(".png"));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), view->size() * view->devicePixelRatio());
    // The scene only: no buttons in the corner, nor where the help button sits.
    EXPECT_EQ(shot.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(view->m_buttons.m_btnHelp.geometry().center()), qRgb(0, 0, 0));

    WhenModalOpens<QFileDialog>([&message, choose](QWidget* w) {
        choose(w);
        WhenModalOpens<QMessageBox>([&message](QWidget* box) {
            message = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->accept();
        });
    });
    view->ExecuteCommand(QStringLiteral("Image:EXIF"));
    EXPECT_EQ(message, QStringLiteral("出力できませんでした"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".exif")));

    // A name typed with a bare dot gets its extension before the question
    // about replacing the file of that name: answered No, nothing is written.
    QFile existing(path + QStringLiteral(".bmp"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly) && existing.write("keep") == 4);
    existing.close();
    QString question;
    WhenModalOpens<QFileDialog>([&question, path](QWidget* w) {
        WhenModalOpens<QMessageBox>([&question](QWidget* box) {
            question = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
            WhenModalOpens<QFileDialog>([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        });
        static_cast<QFileDialog*>(w)->selectFile(path + QStringLiteral("."));
        static_cast<QDialog*>(w)->accept();
    });
    view->ExecuteCommand(QStringLiteral("Image:BMP"));
    EXPECT_TRUE(question.contains(QStringLiteral("shot.bmp"))) << question.toStdString();
    EXPECT_EQ(QFileInfo(existing).size(), 4);
}

TEST_F(ViewEditing, ButtonsSendTheirCommandsKeysReachTheViewFromThemAndGroupsHide)
{
    // A palette button click takes its colour at once (the click wait of
    // others is checked on the button itself).
    QTest::mouseClick(&view->m_buttons.m_btnColor[7], Qt::LeftButton);
    EXPECT_EQ(view->m_state.m_edit.m_cubeColor, 0xFF0000u);
    // The clicked button has the focus now: keys go to it, and still reach
    // the view's tables. "Control:Button" hides the group; the bottom-right
    // three stay.
    ASSERT_EQ(QApplication::focusWidget(), &view->m_buttons.m_btnColor[7]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);  // one the button takes itself
    EXPECT_EQ(view->m_state.m_edit.m_drawMode, DrawMode::Attach);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
    EXPECT_FALSE(view->m_buttons.m_btnFrame.isVisible());
    EXPECT_TRUE(view->m_buttons.m_btnSetting.isVisible());
    EXPECT_TRUE(view->m_buttons.m_btnHelp.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9, Qt::AltModifier);  // "Control:Pos": left edge
    EXPECT_EQ(view->m_state.m_prefs.m_controlPos, ControlColumn::Left);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
    EXPECT_TRUE(view->m_buttons.m_btnFrame.isVisible());
    EXPECT_LT(view->m_buttons.m_btnFrame.x(), 100);
}

TEST_F(ViewEditing, CtrlClickTakesTheColourOfTheCubeUnderThePointerAndEditsNothing)
{
    TopDown();
    // The cube stands above the canvas layer (y = 0): the canvas pick alone
    // would not find it.
    doc.SetCube(5, 3, 5, RGB(12, 34, 56));
    const auto history = doc.m_history.ToVector();
    const QPoint onCube = CellTop(5, 3, 5);
    Press(onCube, Qt::ControlModifier);
    // Moving with the button still held paints nothing.
    SendMouse(view, QEvent::MouseMove, CellTop(8, 0, 5), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    Release(CellTop(8, 0, 5), Qt::ControlModifier);
    EXPECT_EQ(view->m_state.m_edit.m_cubeColor, RGB(12, 34, 56));
    EXPECT_EQ(view->CommandUi().Swatch(ButtonCube), RGB(12, 34, 56));
    EXPECT_EQ(doc.m_history.ToVector(), history);
    EXPECT_EQ(doc.m_cubes.Count(), 1u);
}

TEST_F(ViewEditing, CtrlShiftClickFillsTheCanvasRegionAndOneUndoTakesItBack)
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
    EXPECT_EQ(doc.m_cubes.Count(), 6u + 12u);
    EXPECT_EQ(doc.GetCube(5, 0, 1), RGB(200, 100, 0));
    EXPECT_EQ(doc.GetCube(0, 0, 3), CLR_NONE);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.m_cubes.Count(), 6u);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc.m_cubes.Count(), 18u);
}

TEST_F(ViewEditing, TheMirrorPlaneShowsOnlyInTheWindow)
{
    // (Mirrored clicks and sweeps: the mouse editing tests.)
    view->ExecuteCommand(CommandId::ToolMirrorX);
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

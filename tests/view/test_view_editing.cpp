// Editing and commands on the real view with simulated input: sweeps, attach
// clicks, drags, keys, the pop-up menus, dialogs and message boxes.
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
    void Click(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        SendMouse(view, QEvent::MouseButtonPress, p, b, b, mods);
        SendMouse(view, QEvent::MouseButtonRelease, p, b, Qt::NoButton, mods);
    }
    // Left button down at from, moved in 3-pixel steps to to, released there.
    void Sweep(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        SendMouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
        for (int x = from.x(); x < to.x(); x += 3)
            SendMouse(view, QEvent::MouseMove, QPoint(x, from.y()), Qt::NoButton, Qt::LeftButton, mods);
        SendMouse(view, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
        SendMouse(view, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, mods);
    }
    void Wheel(QPoint p, Qt::KeyboardModifiers mods)
    {
        QWheelEvent e(QPointF(p), QPointF(view->mapToGlobal(p)), QPoint(), QPoint(0, 120), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &e);
    }
};

TEST_F(ViewEditing, ACanvasSweepPaintsEachCellOnceAndShiftErases)
{
    TopDown();
    view->m_state.m_edit.m_cubeColor = RGB(10, 20, 30);
    SendMouse(view, QEvent::MouseMove, CellTop(2, 0, 5), Qt::NoButton, Qt::NoButton);
    Sweep(CellTop(2, 0, 5), CellTop(9, 0, 5));
    for (int x = 2; x <= 9; ++x)
        EXPECT_EQ(doc.GetCube(x, 0, 5), RGB(10, 20, 30)) << x;
    EXPECT_EQ(doc.m_history.size(), 8u);  // one record per newly coloured cell
    EXPECT_EQ(doc.m_cubes.size(), 8u);
    Sweep(CellTop(2, 0, 5), CellTop(9, 0, 5), Qt::ShiftModifier);
    EXPECT_TRUE(doc.m_cubes.empty());
    // Undo and redo one cell at a time with the keys.
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.m_cubes.size(), 1u);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(doc.m_cubes.empty());
}

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
    TopDown();
    doc.m_cubes[{8, 0, 8}] = RGB(255, 255, 255);
    QTest::keyClick(view, Qt::Key_Space);  // attach mode
    EXPECT_EQ(view->m_state.m_edit.m_drawMode, DrawMode::Attach);
    EXPECT_EQ(view->CommandUi().Swatch(ButtonDrawSwitch), 0x000000u);
    const QPoint p = CellTop(8, 0, 8);
    SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    for (int i = 0; i < 3; ++i)
        Click(p, Qt::LeftButton);
    for (int y = 1; y <= 3; ++y)
        EXPECT_EQ(doc.GetCube(8, y, 8), view->m_state.m_edit.m_cubeColor) << y;
    // Moving with the button down adds nothing in attach mode (the press
    // itself adds the fourth cube).
    Sweep(p, p + QPoint(45, 0));
    EXPECT_EQ(doc.GetCube(8, 4, 8), view->m_state.m_edit.m_cubeColor);
    EXPECT_EQ(doc.m_cubes.size(), 5u);
    // A right click removes the cube under the pointer, and opens no menu.
    SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    Click(p, Qt::RightButton);
    EXPECT_EQ(doc.GetCube(8, 4, 8), CLR_NONE);
    EXPECT_EQ(doc.GetCube(8, 3, 8), view->m_state.m_edit.m_cubeColor);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(ViewEditing, DragsAndTheWheelOverEmptySpaceMoveTheCamera)
{
    const QPoint corner(40, 40);  // nothing there
    SendMouse(view, QEvent::MouseMove, corner, Qt::NoButton, Qt::NoButton);
    ASSERT_FALSE(view->m_state.m_pointer.HasSight());
    Sweep(corner, corner + QPoint(11, 0));
    EXPECT_EQ(view->m_state.m_camera.m_rotY, -40.0);
    EXPECT_EQ(view->m_state.m_pointer.m_dragMode, DragMode::None);
    SendMouse(view, QEvent::MouseButtonPress, corner, Qt::MiddleButton, Qt::MiddleButton);
    SendMouse(view, QEvent::MouseMove, corner + QPoint(0, 31), Qt::NoButton, Qt::MiddleButton);
    EXPECT_EQ(view->m_state.m_camera.m_lookY, 5.0);
    // Any button's release ends the drag.
    SendMouse(view, QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view->m_state.m_pointer.m_dragMode, DragMode::None);
    // So does another window taking over, whose release would never come.
    SendMouse(view, QEvent::MouseButtonPress, corner, Qt::MiddleButton, Qt::MiddleButton);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(view, &away);
    EXPECT_EQ(view->m_state.m_pointer.m_dragMode, DragMode::None);
    Wheel(corner, Qt::ControlModifier);
    EXPECT_NEAR(view->m_state.m_camera.m_scale, 2.1, 1e-12);
    Wheel(corner, Qt::NoModifier);
    EXPECT_EQ(view->m_state.m_edit.m_canvasPos, 1);
}

TEST_F(ViewEditing, KeysSendTheirCommands)
{
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->m_state.m_camera.m_rotY, -40.0);
    QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);  // two modifiers: nothing
    EXPECT_EQ(std::pair(view->m_state.m_camera.m_lookY, view->m_state.m_camera.m_scale), std::pair(0.0, 2.0));
    QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view->m_state.m_camera.m_lookY, -5.0);
    QTest::keyClick(view, Qt::Key_1, Qt::KeypadModifier);  // the keypad's 1: nothing
    EXPECT_EQ(view->m_state.m_prefs.m_showFrame, 1);
    QTest::keyClick(view, Qt::Key_1);
    EXPECT_EQ(view->m_state.m_prefs.m_showFrame, 0);
    EXPECT_EQ(view->CommandUi().Swatch(ButtonFrame), 0x000000u);
    // Keys of other layouts act by their place: the French top row's first
    // key (X11 key code 10) is the 1.
    QKeyEvent ampersand(QEvent::KeyPress, Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26, 0, QStringLiteral("&"));
    QApplication::sendEvent(view, &ampersand);
    EXPECT_EQ(view->m_state.m_prefs.m_showFrame, 1);
}

TEST_F(ViewEditing, TheSettingMenuRunsTheChosenEntryAndNothingWhenDismissed)
{
    view->m_state.m_camera.m_rotX = 70;
    bool opened = false;
    WhenModalOpens([&opened](QWidget* w) { opened = true, QTest::keyClick(w, Qt::Key_Escape); });
    QTest::keyClick(view, Qt::Key_Z);
    EXPECT_TRUE(opened);
    EXPECT_EQ(view->m_state.m_camera.m_rotX, 70.0);

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
    view->ExecuteCommand(QStringLiteral("Setting"));
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
        EXPECT_EQ(doc.m_cubes.size(), button == QMessageBox::Ok ? 0u : 1u);
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

TEST_F(ViewEditing, ColoursFromTheDialogAndThePalette)
{
    WhenModalOpens<QColorDialog>([](QWidget* w) {
        static_cast<QColorDialog*>(w)->setCurrentColor(QColor(12, 34, 56));
        static_cast<QDialog*>(w)->accept();
    });
    QTest::keyClick(view, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(view->m_state.m_edit.m_cubeColor, RGB(12, 34, 56));
    EXPECT_EQ(view->CommandUi().Swatch(ButtonCube), RGB(12, 34, 56));
    // A palette button click takes its colour at once.
    QTest::mouseClick(&view->m_buttons.m_btnColor[7], Qt::LeftButton);
    EXPECT_EQ(view->m_state.m_edit.m_cubeColor, 0xFF0000u);
    // A right click on it edits the colour; cancelled, it takes the current one.
    view->m_state.m_edit.m_cubeColor = RGB(1, 2, 3);
    WhenModalOpens([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    QTest::mouseClick(&view->m_buttons.m_btnColor[2], Qt::RightButton);
    EXPECT_EQ(view->CommandUi().Swatch(ButtonColor1 + 2), RGB(1, 2, 3));
}

TEST_F(ViewEditing, ExportWritesTheSceneAndReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shot");
    QString message;
    const auto choose = [path](QWidget* w) {
        static_cast<QFileDialog*>(w)->selectFile(path);
        static_cast<QDialog*>(w)->accept();
    };
    WhenModalOpens<QFileDialog>(choose);
    view->ExecuteCommand(QStringLiteral("Image:PNG"));
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
    // The frame button waits 400 ms for a possible double-click.
    QTest::mouseClick(&view->m_buttons.m_btnFrame, Qt::LeftButton);
    EXPECT_EQ(view->m_state.m_prefs.m_showFrame, 1);
    QTest::qWait(500);
    EXPECT_EQ(view->m_state.m_prefs.m_showFrame, 0);
    // The clicked button has the focus now: keys go to it, and still reach
    // the view's tables. "Control:Button" hides the group; the bottom-right
    // three stay.
    ASSERT_EQ(QApplication::focusWidget(), &view->m_buttons.m_btnFrame);
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

} // namespace

// Editing and commands on the real view with simulated input: sweeps, attach
// clicks, drags, keys, the pop-up menus, dialogs and message boxes.
#include "tests/view/ViewTestSupport.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ViewEditing : public ::testing::Test, public ViewFixture {};

TEST_F(ViewEditing, ACanvasSweepPaintsEachCellOnceAndShiftErases)
{
    TopDown();
    view->m_cubeColor = RGB(10, 20, 30);
    const QPoint start = CellTop(2, 0, 5), end = CellTop(9, 0, 5);
    SendMouse(view, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int x = start.x(); x <= end.x(); x += 3)
        SendMouse(view, QEvent::MouseMove, QPoint(x, start.y()), Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
    for (int x = 2; x <= 9; ++x)
        EXPECT_EQ(doc.GetCube(x, 0, 5), RGB(10, 20, 30)) << x;
    EXPECT_EQ(doc.m_cubes.size(), 8u);
    EXPECT_EQ(doc.m_history.size(), 8u);  // one record per newly coloured cell
    EXPECT_TRUE(doc.IsModified());

    // With Shift the same sweep erases.
    SendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    for (int x = start.x(); x <= end.x(); x += 3)
        SendMouse(view, QEvent::MouseMove, QPoint(x, start.y()), Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(view, QEvent::MouseButtonRelease, end, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(doc.m_cubes.empty());
    // Undo and redo one cell at a time with the keys.
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc.m_cubes.size(), 1u);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(doc.m_cubes.empty());
}

TEST_F(ViewEditing, AttachClicksStackCubesTowardTheViewer)
{
    TopDown();
    doc.m_cubes[{8, 0, 8}] = RGB(255, 255, 255);
    QTest::keyClick(view, Qt::Key_Space);  // attach mode
    EXPECT_EQ(view->m_drawMode, 1);
    EXPECT_EQ(view->Swatch(ButtonDrawSwitch), 0x000000u);
    const QPoint p = CellTop(8, 0, 8);
    SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view->m_attachY, 1);
    for (int i = 0; i < 3; ++i) {
        SendMouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
    for (int y = 1; y <= 3; ++y)
        EXPECT_EQ(doc.GetCube(8, y, 8), view->m_cubeColor) << y;
    // Moving with the button down adds nothing in attach mode (the press
    // itself adds the fourth cube).
    SendMouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doc.GetCube(8, 4, 8), view->m_cubeColor);
    const size_t cubes = doc.m_cubes.size();
    SendMouse(view, QEvent::MouseMove, p + QPoint(25, 0), Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, p + QPoint(45, 0), Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, p + QPoint(45, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(doc.m_cubes.size(), cubes);
    // A right click removes the cube under the pointer.
    SendMouse(view, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
    SendMouse(view, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(doc.GetCube(8, 4, 8), CLR_NONE);
    EXPECT_EQ(doc.GetCube(8, 3, 8), view->m_cubeColor);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no context menu
}

TEST_F(ViewEditing, DragsOverEmptySpaceMoveTheCamera)
{
    const QPoint corner(40, 40);  // nothing there
    SendMouse(view, QEvent::MouseMove, corner, Qt::NoButton, Qt::NoButton);
    ASSERT_FALSE(view->HasSight());
    SendMouse(view, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, corner + QPoint(11, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view->m_rotY, -40.0);
    SendMouse(view, QEvent::MouseButtonRelease, corner + QPoint(11, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view->m_dragMode, 0);

    SendMouse(view, QEvent::MouseButtonPress, corner, Qt::MiddleButton, Qt::MiddleButton);
    SendMouse(view, QEvent::MouseMove, corner + QPoint(0, 31), Qt::NoButton, Qt::MiddleButton);
    EXPECT_EQ(view->m_lookY, 5.0);
    // Any button's release ends the drag.
    SendMouse(view, QEvent::MouseButtonRelease, corner, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view->m_dragMode, 0);

    QWheelEvent wheel(QPointF(corner), QPointF(view->mapToGlobal(corner)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    const double scale = view->m_scale;
    QApplication::sendEvent(view, &wheel);
    EXPECT_NEAR(view->m_scale, scale + 0.1, 1e-12);
    QWheelEvent plain(QPointF(corner), QPointF(view->mapToGlobal(corner)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &plain);
    EXPECT_EQ(view->m_canvasPos, 1);
}

TEST_F(ViewEditing, KeysSendTheirCommandsAlsoFromAFocusedButton)
{
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->m_rotY, -40.0);
    QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);  // two modifiers
    EXPECT_EQ(view->m_lookY, 0.0);
    EXPECT_EQ(view->m_scale, 2.0);
    QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view->m_lookY, -5.0);
    QTest::keyClick(view, Qt::Key_1, Qt::KeypadModifier);  // the keypad's 1: nothing
    EXPECT_EQ(view->m_showFrame, 1);
    QTest::keyClick(view, Qt::Key_1);
    EXPECT_EQ(view->m_showFrame, 0);
    EXPECT_EQ(view->Swatch(ButtonFrame), 0x000000u);

    view->m_btnAxis.setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &view->m_btnAxis);
    QTest::keyClick(&view->m_btnAxis, Qt::Key_5);
    EXPECT_EQ(view->m_showAxis, 1);
    EXPECT_EQ(view->Swatch(ButtonAxis), 0x0000FFu);
    QTest::keyClick(&view->m_btnAxis, Qt::Key_Q);
    EXPECT_EQ(view->m_wireFrame, 2);
}

TEST_F(ViewEditing, TheSettingMenuRunsTheChosenEntryAndNothingWhenDismissed)
{
    view->m_rotX = 70;
    bool opened = false;
    WhenModalOpens([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, &opened);
    QTest::keyClick(view, Qt::Key_Z);
    EXPECT_TRUE(opened);
    EXPECT_EQ(view->m_rotX, 70.0);

    QStringList seen;
    WhenModalOpens([&seen](QWidget* w) {
        auto* menu = qobject_cast<QMenu*>(w);
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            seen << a->text();
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("ビュー初期状態"))
                menu->setActiveAction(a);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    view->ExecuteCommand(QStringLiteral("Setting"));
    EXPECT_EQ(view->m_rotX, 25.0);
    EXPECT_TRUE(seen.contains(QStringLiteral("キューブのサイズ(X,Y,Z)を変更")));
    EXPECT_TRUE(seen.contains(QStringLiteral("照明位置切替")));

    // The light entry carries a check mark while the light is on.
    bool checked = false;
    WhenModalOpens([&checked](QWidget* w) {
        for (QAction* a : static_cast<QMenu*>(w)->actions())
            if (a->text() == QStringLiteral("照明"))
                checked = a->isChecked();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    view->ExecuteCommand(QStringLiteral("Setting"));
    EXPECT_TRUE(checked);
}

TEST_F(ViewEditing, ClearAsksFirstAndTheSizeDialogResizesTheGrid)
{
    doc.SetCube(1, 0, 1, RGB(1, 1, 1));
    QString text;
    WhenModalOpens([&text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::Cancel)->click();
    });
    view->ExecuteCommand(QStringLiteral("Cube:Clear"));
    EXPECT_EQ(text, QStringLiteral("全てのキューブを消去しますか？"));
    EXPECT_EQ(doc.m_cubes.size(), 1u);
    WhenModalOpens([](QWidget* w) { static_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); });
    view->ExecuteCommand(QStringLiteral("Cube:Clear"));
    EXPECT_TRUE(doc.m_cubes.empty());

    WhenModalOpens([](QWidget* w) {
        const auto edits = w->findChildren<QLineEdit*>();
        ASSERT_GE(edits.size(), 3);
        // X, Y, Z are the first three edits in the dialog.
        for (int i = 0; i < 3; ++i) {
            edits[i]->selectAll();
            QTest::keyClicks(edits[i], i == 1 ? QStringLiteral("4") : QStringLiteral("32"));
        }
        QTest::keyClick(w, Qt::Key_Return);
    });
    view->ExecuteCommand(QStringLiteral("Cube:Size"));
    EXPECT_EQ(doc.m_sizeX, 32);
    EXPECT_EQ(doc.m_sizeY, 4);
    EXPECT_EQ(doc.m_sizeZ, 32);
    EXPECT_EQ(view->m_sightX, 1);
    EXPECT_EQ(view->m_canvasPos, 0);
    EXPECT_DOUBLE_EQ(view->m_scale, 1.0);  // 32 in a 60-unit view
}

TEST_F(ViewEditing, ColoursFromTheDialogAndThePalette)
{
    WhenModalOpens([](QWidget* w) {
        auto* dlg = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        dlg->setCurrentColor(QColor(12, 34, 56));
        dlg->accept();
    });
    QTest::keyClick(view, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(view->m_cubeColor, RGB(12, 34, 56));
    EXPECT_EQ(view->Swatch(ButtonCube), RGB(12, 34, 56));

    // A palette button click takes its colour (after no wait).
    QTest::mouseClick(&view->m_btnColor[7], Qt::LeftButton);
    EXPECT_EQ(view->m_cubeColor, 0xFF0000u);
    // A right click on it edits the colour; cancelled, it takes the current one.
    view->m_cubeColor = RGB(1, 2, 3);
    WhenModalOpens([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    QTest::mouseClick(&view->m_btnColor[2], Qt::RightButton);
    EXPECT_EQ(view->Swatch(ButtonColor1 + 2), RGB(1, 2, 3));
}

TEST_F(ViewEditing, ExportWritesTheSceneAndReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("shot");
    WhenModalOpens([path](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        dlg->selectFile(path);
        static_cast<QDialog*>(dlg)->accept();
    });
    view->ExecuteCommand(QStringLiteral("Image:PNG"));
    QImage shot(path + QStringLiteral(".png"));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), view->size() * view->devicePixelRatio());
    EXPECT_EQ(shot.pixel(2, 2), qRgb(0, 0, 0));  // the scene only: no buttons in the corner...
    const QRect help = view->m_btnHelp.geometry();
    EXPECT_EQ(shot.pixel(help.center()), qRgb(0, 0, 0));  // ...nor where the help button sits

    QString message;
    WhenModalOpens([&message, path](QWidget* w) {
        static_cast<QFileDialog*>(w)->selectFile(path);
        static_cast<QDialog*>(w)->accept();
        WhenModalOpens<QMessageBox>([&message](QWidget* box) {
            message = static_cast<QMessageBox*>(box)->text();
            static_cast<QMessageBox*>(box)->accept();
        });
    });
    view->ExecuteCommand(QStringLiteral("Image:EXIF"));
    EXPECT_EQ(message, QStringLiteral("出力できませんでした"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".exif")));

    QTest::mouseClick(&view->m_btnHelp, Qt::LeftButton);
    ASSERT_EQ(urls.size(), 1u);
    EXPECT_TRUE(urls[0].endsWith(QStringLiteral("?MIRA-VEL")));
}

TEST_F(ViewEditing, ButtonsSendTheirCommands)
{
    // The frame button waits 400 ms for a possible double-click.
    QTest::mouseClick(&view->m_btnFrame, Qt::LeftButton);
    EXPECT_EQ(view->m_showFrame, 1);
    QTest::qWait(500);
    EXPECT_EQ(view->m_showFrame, 0);
    EXPECT_EQ(view->Swatch(ButtonFrame), 0x000000u);
    // The clicked button has the focus now: keys go to it, and still reach
    // the view's tables. "Control:Button" hides the group; the bottom-right
    // three stay.
    ASSERT_EQ(QApplication::focusWidget(), &view->m_btnFrame);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
    EXPECT_FALSE(view->m_btnFrame.isVisible());
    EXPECT_TRUE(view->m_btnSetting.isVisible());
    EXPECT_TRUE(view->m_btnHelp.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9, Qt::AltModifier);  // "Control:Pos": left edge
    EXPECT_EQ(view->m_controlPos, 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_9);
    EXPECT_TRUE(view->m_btnFrame.isVisible());
    EXPECT_LT(view->m_btnFrame.x(), 100);
}

} // namespace

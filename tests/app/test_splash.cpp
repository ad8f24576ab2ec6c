// The splash: shown at once, gone on its timer or at the first press, which
// it uses up.
#include "ShellTestSupport.h"

#include "app/CSplashDlg.h"
#include "app/ShellIds.h"
#include "view/CMiravelView.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

// Counts the key and mouse presses that reach one widget.
class PressCounter : public QObject {
public:
    int keys = 0;
    int mouse = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress)
            ++keys;
        if (e->type() == QEvent::MouseButtonPress)
            ++mouse;
        return false;
    }
};

} // namespace

TEST_F(ShellTest, SplashShowsCentredAndGoesOnItsTimer)
{
    ASSERT_TRUE(StartApp({}, false));
    CSplashDlg* splash = App().Splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(393, 150));
    EXPECT_EQ(splash->Picture().size(), QSize(393, 150));
    EXPECT_EQ(splash->geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(splash->IsTimerActive());

    // The timer runs three seconds; nothing but waiting makes it go.
    QPointer<CSplashDlg> watched(splash);
    QTRY_VERIFY_WITH_TIMEOUT(App().Splash() == nullptr, 10000);
    EXPECT_TRUE(watched.isNull() || !watched->isVisible());
    EXPECT_TRUE(Frame().isVisible());
}

TEST_F(ShellTest, SplashUsesUpExactlyTheFirstKeyPressShortcutsIncluded)
{
    ASSERT_TRUE(StartApp({}, false));
    ASSERT_NE(App().Splash(), nullptr);
    PressCounter counter;
    CMiravelView* view = Frame().GetActiveView();
    view->installEventFilter(&counter);
    view->setFocus();
    // Shortcuts are matched before a key press is delivered; a key that is a
    // shortcut on its own must be used up like any other.
    int triggered = 0;
    auto* shortcut = new QAction(&Frame());
    shortcut->setShortcut(QKeySequence(Qt::Key_F5));
    Frame().addAction(shortcut);
    QObject::connect(shortcut, &QAction::triggered, [&triggered] { ++triggered; });
    // Shortcuts only work in the active window; keys go the window system's way.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QWindow* window = Frame().windowHandle();

    QTest::keyClick(window, Qt::Key_F5);
    EXPECT_EQ(App().Splash(), nullptr);
    EXPECT_EQ(triggered, 0);
    EXPECT_EQ(counter.keys, 0);

    QTest::keyClick(window, Qt::Key_F5);
    EXPECT_EQ(triggered, 1);
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_EQ(counter.keys, 1);
    view->removeEventFilter(&counter);
    delete shortcut;
}

TEST_F(ShellTest, SplashUsesUpTheFirstMouseButtonPress)
{
    ASSERT_TRUE(StartApp({}, false));
    PressCounter counter;
    CMiravelView* view = Frame().GetActiveView();
    view->installEventFilter(&counter);
    const QPoint centre = view->rect().center();

    QTest::mousePress(view, Qt::RightButton, {}, centre);
    QTest::mouseRelease(view, Qt::RightButton, {}, centre);
    EXPECT_EQ(App().Splash(), nullptr);
    EXPECT_EQ(counter.mouse, 0);

    QTest::mousePress(view, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre);
    EXPECT_EQ(counter.mouse, 1);
    view->removeEventFilter(&counter);
}

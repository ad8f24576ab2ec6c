// Clicks, double-clicks, right clicks, auto-repeat and the click wait of the
// command buttons, driven through real mouse events.
#include "ButtonTestSupport.h"
#include "controls/CCommandButton.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

const QString P = QStringLiteral("Test:First");
const QString Q = QStringLiteral("Test:Second");

// Counts what reaches the widget under the buttons.
class Host : public QWidget {
public:
    int mouseEvents = 0;
    int contextMenus = 0;
    int keys = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseReleaseEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseDoubleClickEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseMoveEvent(QMouseEvent*) override { ++mouseEvents; }
    void contextMenuEvent(QContextMenuEvent*) override { ++contextMenus; }
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

class CommandButtonTest : public ::testing::Test {
protected:
    Host host;
    CCommandButton* button = nullptr;
    RecordingOwner owner;

    void SetUp() override
    {
        host.resize(100, 60);
        button = new CCommandButton(&host);
        button->move(5, 5);
        ASSERT_TRUE(button->LoadPngImage(SolidStrip(30, 30, qRgba(50, 60, 70, 255))));
        button->m_pOwner = &owner;
        button->m_strCommand = P;
        button->m_strCommand2 = Q;
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    void Configure(int repeat, int wait)
    {
        button->m_nRepeatInterval = repeat;
        button->m_nClickWait = wait;
    }
    // Press, release, the double-click that replaces the second press, release.
    void DoubleClick()
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseDClick(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    }
    using Names = std::vector<QString>;
};

TEST_F(CommandButtonTest, WithoutWaitClickSendsFirstAndDoubleClickAddsSecond)
{
    Configure(0, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(owner.Names(), (Names{P}));

    owner.sent.clear();
    DoubleClick();
    EXPECT_EQ(owner.Names(), (Names{P, Q}));

    owner.sent.clear();
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_EQ(owner.Names(), (Names{Q}));

    // The middle button does nothing; a release away from the button is no click.
    owner.sent.clear();
    QTest::mouseClick(button, Qt::MiddleButton);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(button, QPoint(60, 40));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_TRUE(owner.sent.empty());
    QTest::qWait(100);
    EXPECT_TRUE(owner.sent.empty());
}

TEST_F(CommandButtonTest, ClickWaitSendsFirstOnlyAfterTheWait)
{
    Configure(0, 400);
    QTest::mouseClick(button, Qt::LeftButton);
    const qint64 released = owner.clock.elapsed();
    EXPECT_TRUE(owner.sent.empty());
    EXPECT_TRUE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));

    ASSERT_TRUE(WaitFor([&] { return !owner.sent.empty(); }));
    EXPECT_EQ(owner.Names(), (Names{P}));
    EXPECT_GE(owner.sent[0].atMs - released, 390);
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));
    QTest::qWait(500);
    EXPECT_EQ(owner.Names(), (Names{P}));  // once only
}

TEST_F(CommandButtonTest, DoubleClickWithinTheWaitSendsOnlySecond)
{
    Configure(0, 400);
    DoubleClick();
    EXPECT_EQ(owner.Names(), (Names{Q}));
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));
    QTest::qWait(600);
    EXPECT_EQ(owner.Names(), (Names{Q}));
}

TEST_F(CommandButtonTest, RightClickSendsSecondAndDropsPendingFirst)
{
    Configure(0, 400);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_EQ(owner.Names(), (Names{Q}));
    QTest::qWait(600);
    EXPECT_EQ(owner.Names(), (Names{Q}));

    // A right double-click is two right clicks.
    owner.sent.clear();
    QTest::mouseClick(button, Qt::RightButton);
    QTest::mouseDClick(button, Qt::RightButton);
    QTest::mouseRelease(button, Qt::RightButton);
    EXPECT_EQ(owner.Names(), (Names{Q, Q}));
}

TEST_F(CommandButtonTest, HoldingRepeatsAfterHalfASecondThenAtTheInterval)
{
    Configure(50, 0);
    const qint64 pressed = owner.clock.elapsed();
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(button->m_bPressed);
    EXPECT_TRUE(button->IsTimerRunning(CCommandButton::kRepeatTimer));
    QTest::qWait(1000);
    const std::size_t held = owner.sent.size();
    QTest::mouseRelease(button, Qt::LeftButton);

    // About ten repeats in the half second after the first; a slow machine
    // delivers fewer ticks, never more.
    EXPECT_GE(held, 3u);
    EXPECT_LE(held, 12u);
    ASSERT_GE(held, 1u);
    EXPECT_GE(owner.sent[0].atMs - pressed, 480);
    for (std::size_t i = 1; i < held; ++i)
        EXPECT_GE(owner.sent[i].atMs - owner.sent[i - 1].atMs, 40) << i;

    // One more on the release over the button, then silence.
    EXPECT_EQ(owner.sent.size(), held + 1);
    EXPECT_EQ(owner.Count(P), int(held + 1));
    EXPECT_FALSE(button->m_bPressed);
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kRepeatTimer));
    QTest::qWait(300);
    EXPECT_EQ(owner.sent.size(), held + 1);
}

TEST_F(CommandButtonTest, QuickClickOnRepeatButtonSendsOnce)
{
    Configure(50, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(owner.Names(), (Names{P}));
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kRepeatTimer));
    QTest::qWait(700);
    EXPECT_EQ(owner.Names(), (Names{P}));
}

TEST_F(CommandButtonTest, LosingThePressStopsTheRepeat)
{
    Configure(50, 0);
    QTest::mousePress(button, Qt::LeftButton);
    button->hide();
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kRepeatTimer));
    EXPECT_FALSE(button->m_bPressed);
    QTest::qWait(700);
    EXPECT_TRUE(owner.sent.empty());
    button->show();
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_TRUE(owner.sent.empty());  // the press was lost: no click either

    QTest::mousePress(button, Qt::LeftButton);
    button->setEnabled(false);
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kRepeatTimer));
    QTest::qWait(700);
    EXPECT_TRUE(owner.sent.empty());
    button->setEnabled(true);
}

TEST_F(CommandButtonTest, EmptySecondCommandIsSentOnlyWithAnOwner)
{
    button->m_strCommand2.clear();
    QTest::mouseClick(button, Qt::RightButton);
    ASSERT_EQ(owner.sent.size(), 1u);
    EXPECT_TRUE(owner.sent[0].name.isEmpty());

    owner.sent.clear();
    button->m_pOwner = nullptr;
    DoubleClick();
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_TRUE(owner.sent.empty());
}

TEST_F(CommandButtonTest, SpaceClicksAndArrowsGoToTheView)
{
    Configure(0, 0);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(owner.Names(), (Names{P}));
    QTest::keyClick(button, Qt::Key_Left);
    EXPECT_EQ(host.keys, 1);
    EXPECT_EQ(owner.Names(), (Names{P}));
}

TEST_F(CommandButtonTest, MouseAndContextMenuStopAtTheButton)
{
    Configure(0, 0);
    QTest::mouseClick(button, Qt::RightButton);
    QTest::mouseClick(button, Qt::MiddleButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(button, &menu);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), button->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(button, &key);
    EXPECT_EQ(host.mouseEvents, 0);
    EXPECT_EQ(host.contextMenus, 0);
    EXPECT_EQ(owner.Names(), (Names{Q, P}));
}

TEST_F(CommandButtonTest, ButtonWithoutImageIsAPlainPushButton)
{
    auto* plain = new CCommandButton(&host);
    EXPECT_FALSE(plain->LoadPngResource(8999));
    plain->setGeometry(50, 5, 30, 30);
    plain->show();
    plain->m_pOwner = &owner;
    plain->m_strCommand = P;
    plain->m_strCommand2 = Q;
    int doubleClicks = 0;
    QObject::connect(plain, &CAlphaButton::doubleClicked, [&] { ++doubleClicks; });

    // No double-click: the second click of a double-click is a click.
    QTest::mouseClick(plain, Qt::LeftButton);
    QTest::mouseDClick(plain, Qt::LeftButton);
    QTest::mouseRelease(plain, Qt::LeftButton);
    EXPECT_EQ(owner.Names(), (Names{P, P}));
    EXPECT_EQ(doubleClicks, 0);

    // With a click wait, the second click restarts the wait: one command.
    owner.sent.clear();
    plain->m_nClickWait = 400;
    QTest::mouseClick(plain, Qt::LeftButton);
    QTest::mouseDClick(plain, Qt::LeftButton);
    QTest::mouseRelease(plain, Qt::LeftButton);
    EXPECT_TRUE(owner.sent.empty());
    ASSERT_TRUE(WaitFor([&] { return !owner.sent.empty(); }));
    QTest::qWait(500);
    EXPECT_EQ(owner.Names(), (Names{P}));

    // The right click still sends the second command; the push button is
    // drawn by the style over the swatch.
    owner.sent.clear();
    QTest::mouseClick(plain, Qt::RightButton);
    EXPECT_EQ(owner.Names(), (Names{Q}));
    plain->SetSwatch(RGB(255, 0, 0));
    const QImage face = Grab(*plain);
    EXPECT_FALSE(SameRgb(face.pixel(15, 15), qRgb(255, 0, 0), 30));
}

} // namespace

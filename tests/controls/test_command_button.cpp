// Clicks, double-clicks, right clicks, auto-repeat and the click wait of the
// command buttons, driven through real mouse events.
#include "ButtonTestSupport.h"
#include "controls/CCommandButton.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

const QString P = QStringLiteral("Test:First");
const QString Q = QStringLiteral("Test:Second");
using Names = std::vector<QString>;

class CommandButtonTest : public ::testing::Test {
protected:
    QWidget host;
    CCommandButton* button = nullptr;
    RecordingOwner owner;

    void SetUp() override { button = Make(SolidStrip(30, 30, qRgba(50, 60, 70, 255)), 5); }
    CCommandButton* Make(const QImage& strip, int x)
    {
        auto* b = new CCommandButton(&host);
        b->LoadPngImage(strip);
        b->setGeometry(x, 5, 30, 30);
        b->m_pOwner = &owner;
        b->m_strCommand = P;
        b->m_strCommand2 = Q;
        host.show();
        b->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
        return b;
    }
    // Press, release, the double-click that replaces the second press, release.
    static void DoubleClick(QWidget* w)
    {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::mouseDClick(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    }
};

TEST_F(CommandButtonTest, WithoutWaitClickSendsFirstAndDoubleClickAddsSecond)
{
    QTest::mouseClick(button, Qt::LeftButton);
    DoubleClick(button);
    QTest::mouseClick(button, Qt::RightButton);
    // A right press released off the button sends nothing, one released
    // at its last pixel does.
    QTest::mousePress(button, Qt::RightButton);
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(40, 15));
    QTest::mousePress(button, Qt::RightButton);
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(29, 29));
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(owner.names, (Names{P, P, Q, Q, Q, P}));
    // Arrows steer the view: the button leaves them to its parent.
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &left);
    EXPECT_FALSE(left.isAccepted());
}

TEST_F(CommandButtonTest, ClickWaitSendsFirstAfterTheWaitUnlessSecondComesFirst)
{
    button->m_nClickWait = 400;
    QTest::mouseClick(button, Qt::LeftButton);
    const qint64 released = owner.clock.elapsed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner.names.empty(); }));
    EXPECT_GE(owner.times[0] - released, 390);

    // A double-click within the wait sends only the second command; so does a
    // right click after a left one.
    // (Each new click restarts the wait, so the timer is looked at in between.)
    DoubleClick(button);
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));
    QTest::mouseClick(button, Qt::RightButton);
    EXPECT_FALSE(button->IsTimerRunning(CCommandButton::kClickWaitTimer));
    QTest::qWait(600);
    EXPECT_EQ(owner.names, (Names{P, Q, Q}));
}

TEST_F(CommandButtonTest, HoldingRepeatsAfterHalfASecondThenAtTheInterval)
{
    button->m_nRepeatInterval = 50;
    const qint64 pressed = owner.clock.elapsed();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::qWait(1000);
    const std::size_t held = owner.names.size();
    QTest::mouseRelease(button, Qt::LeftButton);

    // About ten repeats in the half second after the first; a slow machine
    // delivers fewer ticks, never more.
    ASSERT_GE(held, 3u);
    EXPECT_LE(held, 12u);
    EXPECT_GE(owner.times[0] - pressed, 480);
    // One more on the release over the button, then silence.
    QTest::qWait(300);
    EXPECT_EQ(owner.names, Names(held + 1, P));

    // A press that is lost (the button hidden) stops the repeat and clicks nothing.
    owner.names.clear();
    QTest::mousePress(button, Qt::LeftButton);
    button->hide();
    QTest::qWait(700);
    button->show();
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_TRUE(owner.names.empty());
}

TEST_F(CommandButtonTest, ButtonWithoutImageIsAPlainPushButton)
{
    CCommandButton* plain = Make(QImage(), 50);
    // No double-click: its second click is one more click; the right click
    // still sends the second command.
    DoubleClick(plain);
    QTest::mouseClick(plain, Qt::RightButton);
    EXPECT_EQ(owner.names, (Names{P, P, Q}));
    // The style draws the button over its swatch.
    plain->SetSwatch(RGB(255, 0, 0));
    EXPECT_NE(GrabPixel(*plain, {15, 15}), qRgb(255, 0, 0));
}

} // namespace

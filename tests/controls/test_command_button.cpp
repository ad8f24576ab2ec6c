// Clicks, double-clicks, right clicks, auto-repeat and the click wait of the
// command buttons, driven through real mouse events; image strips, frame
// choice and alpha blending of their faces.
#include "controls/CCommandButton.h"
#include "controls/ICommandOwner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

struct RecordingOwner : ICommandOwner {
    QElapsedTimer clock;
    std::vector<QString> names;
    std::vector<qint64> times;  // ms since the owner was made, one per name

    RecordingOwner() { clock.start(); }
    bool ExecuteCommand(const QString& name) override
    {
        names.push_back(name);
        times.push_back(clock.elapsed());
        return true;
    }
};

// A strip of five frames of w x h; frame k is filled with frameColour(k),
// ARGB with straight alpha.
QImage Strip(int w, int h, const std::function<QRgb(int)>& frameColour)
{
    QImage strip(w, h * 5, QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < w; ++x)
            strip.setPixel(x, y, frameColour(y / h));
    return strip;
}

QImage SolidStrip(int w, int h, QRgb argb) { return Strip(w, h, [argb](int) { return argb; }); }

QRgb GrabPixel(QWidget& w, QPoint p) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(p); }

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

TEST(AlphaButton, FrameChoiceByState)
{
    const struct { bool enabled, pressed, hover, focus; int frame; } rows[] = {
        {true, false, false, false, 0}, {true, false, false, true, 4}, {true, false, true, true, 1},  // hover over focus
        {true, true, true, true, 2}, {false, true, true, true, 3},  // pressed over hover, disabled over all
    };
    for (const auto& r : rows)
        EXPECT_EQ(CAlphaButton::ChooseFrame(r.enabled, r.pressed, r.hover, r.focus), r.frame) << &r - rows;
}

TEST(AlphaButton, StripsGiveTheFrameSize)
{
    CAlphaButton button;
    // Two rows more than five frames: the frames stay 30 high.
    ASSERT_TRUE(button.LoadPngImage(SolidStrip(30, 30, qRgba(1, 2, 3, 255)).copy(0, 0, 30, 152)));
    EXPECT_EQ(button.size(), QSize(30, 30));
    EXPECT_FALSE(button.LoadPngImage(QImage(30, 4, QImage::Format_ARGB32)));  // no room for five frames
    EXPECT_FALSE(button.HasImage());
    // A missing image leaves a plain button without a frame size.
    CAlphaButton missing;
    EXPECT_FALSE(missing.LoadPngResource(8999));
    EXPECT_EQ(missing.size(), QSize(0, 0));
}

TEST(AlphaButton, SwatchAndFrameOnTheFace)
{
    // A black swatch under a fully transparent image is a black square.
    CCommandButton button;
    ASSERT_TRUE(button.LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 255, 0))));
    button.SetSwatch(0x000000);
    const QImage face = button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(face.size(), QSize(30, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(face.pixel(x, y), qRgba(0, 0, 0, 255)) << x << "," << y;
    // Half transparent white over red: 255 x 128 / 255 on the two dark channels.
    ASSERT_TRUE(button.LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 255, 128))));
    button.SetSwatch(RGB(255, 0, 0));
    EXPECT_EQ(GrabPixel(button, {15, 15}), qRgb(255, 128, 128));

    // Frames wider than high, so that a frame offset taken from the width
    // shows; the state picks the frame with and without a swatch alike.
    const QRgb colours[5] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(90, 90, 90), qRgb(9, 9, 9)};
    ASSERT_TRUE(button.LoadPngImage(Strip(40, 20, [&](int k) { return colours[k]; })));
    for (COLORREF swatch : {CLR_NONE, RGB(1, 2, 3)}) {
        button.SetSwatch(swatch);
        button.setEnabled(true);
        EXPECT_EQ(GrabPixel(button, {15, 15}), colours[0]);
        button.setDown(true);
        EXPECT_EQ(GrabPixel(button, {15, 15}), colours[2]);
        button.setDown(false);
        button.setEnabled(false);
        EXPECT_EQ(GrabPixel(button, {15, 15}), colours[3]);
    }
}

// The scene stand-in: a GL widget cleared to blue.
class ClearedGl : public QOpenGLWidget, protected QOpenGLFunctions {
public:
    using QOpenGLWidget::QOpenGLWidget;

protected:
    void initializeGL() override { initializeOpenGLFunctions(); }
    void paintGL() override
    {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

TEST(AlphaButtonOverScene, ImageBlendsOverTheGlScene)
{
    QWidget window;
    window.resize(120, 80);
    auto* scene = new ClearedGl(&window);
    scene->resize(120, 80);
    auto* button = new CCommandButton(scene);
    button->move(10, 10);
    ASSERT_TRUE(button->LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 0, 102))));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([&] { return scene->isValid(); }));
    QTest::qWait(50);

    // What reaches the screen, the window system's copy: the scene and 40 %
    // yellow over it, within 2 per channel.
    const QImage shot = window.screen()->grabWindow(window.winId()).toImage();
    ASSERT_FALSE(shot.isNull());
    for (const auto& [p, want] : {std::pair{QPoint(5, 5), qRgb(0, 0, 255)}, {QPoint(25, 25), qRgb(102, 102, 153)}}) {
        const QRgb got = shot.pixel(p);
        EXPECT_LE(std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                            std::abs(qBlue(got) - qBlue(want))}), 2) << std::hex << got;
    }
    const QString dir = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
    if (::testing::Test::HasFailure() && !dir.isEmpty() && QDir().mkpath(dir))
        shot.save(dir + QStringLiteral("/buttons_over_scene.png"));
}

} // namespace

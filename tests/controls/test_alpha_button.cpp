// Image strips, frame choice, alpha blending, hover and tooltips of the
// image buttons.
#include "ButtonTestSupport.h"
#include "controls/CCommandButton.h"

#include <QCursor>
#include <QScreen>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

TEST(AlphaButtonDrawing, FrameChoiceByState)
{
    struct Row {
        bool enabled, pressed, hover, focus;
        int frame;
    };
    const Row rows[] = {
        {true, false, false, false, 0},
        {true, false, true, false, 1},
        {true, false, false, true, 4},
        {true, false, true, true, 1},   // hover wins over focus
        {true, true, false, false, 2},
        {true, true, true, true, 2},    // pressed wins over hover and focus
        {false, false, false, false, 3},
        {false, true, true, true, 3},   // disabled wins over everything
        {false, false, true, false, 3},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CAlphaButton::ChooseFrame(r.enabled, r.pressed, r.hover, r.focus), r.frame)
            << r.enabled << r.pressed << r.hover << r.focus;
}

TEST(AlphaButtonDrawing, FrameBlendedOverAColour)
{
    // Frames of 2 x 2; each frame's pixel (1, 1) is half transparent.
    const QImage strip = MakeStrip(2, 2, [](int k, int x, int y) {
        if (x == 1 && y == 1)
            return qRgba(255, 0, 100, 128);
        return qRgba(10 * k, 20, 30, x == 0 ? 0 : 255);
    });
    const QRgb back = qRgb(0, 255, 50);
    const QImage f3 = CAlphaButton::BlendFrameOverColour(strip, 3, 2, 2, back);
    ASSERT_EQ(f3.size(), QSize(2, 2));
    EXPECT_EQ(f3.pixel(0, 0), qRgb(0, 255, 50));   // alpha 0
    EXPECT_EQ(f3.pixel(1, 0), qRgb(30, 20, 30));   // alpha 255, colour of frame 3
    EXPECT_EQ(f3.pixel(1, 1), qRgb(128, 127, 75)); // (100 x 128 + 50 x 127) / 255 = 75
    EXPECT_EQ(CAlphaButton::BlendFrameOverColour(strip, 0, 2, 2, back).pixel(1, 0), qRgb(0, 20, 30));

    // A strip without alpha is copied, whatever lies below.
    QImage opaque(2, 10, QImage::Format_RGB32);
    opaque.fill(qRgb(9, 8, 7));
    opaque.setPixel(1, 9, qRgb(1, 2, 3));
    const QImage f4 = CAlphaButton::BlendFrameOverColour(opaque, 4, 2, 2, back);
    EXPECT_EQ(f4.pixel(0, 0), qRgb(9, 8, 7));
    EXPECT_EQ(f4.pixel(1, 1), qRgb(1, 2, 3));

    // Frames outside the strip give nothing rather than reading past it.
    EXPECT_TRUE(CAlphaButton::BlendFrameOverColour(strip, 5, 2, 2, back).isNull());
    EXPECT_TRUE(CAlphaButton::BlendFrameOverColour(strip, 0, 3, 2, back).isNull());
}

TEST(AlphaButtonImage, StripSizeGivesFrameAndButtonSize)
{
    CAlphaButton button;
    EXPECT_EQ(button.size(), QSize(0, 0));
    EXPECT_FALSE(button.HasImage());

    ASSERT_TRUE(button.LoadPngImage(SolidStrip(30, 30, qRgba(1, 2, 3, 255))));
    EXPECT_EQ(button.m_nFrameWidth, 30);
    EXPECT_EQ(button.m_nFrameHeight, 30);
    EXPECT_EQ(button.size(), QSize(30, 30));

    // Two rows more than five frames: the frames stay 30 high.
    ASSERT_TRUE(button.LoadPngImage(SolidStrip(30, 30, qRgba(1, 2, 3, 255)).copy(0, 0, 30, 152)));
    EXPECT_EQ(button.m_image.height(), 152);
    EXPECT_EQ(button.m_nFrameHeight, 30);
    EXPECT_EQ(button.size(), QSize(30, 30));

    ASSERT_TRUE(button.LoadPngImage(SolidStrip(200, 30, qRgba(1, 2, 3, 255))));
    EXPECT_EQ(button.size(), QSize(200, 30));

    // Nothing to show: no image, no frame size; the size stays.
    EXPECT_FALSE(button.LoadPngImage(QImage()));
    EXPECT_FALSE(button.HasImage());
    EXPECT_EQ(button.m_nFrameWidth, 0);
    EXPECT_EQ(button.m_nFrameHeight, 0);
    EXPECT_FALSE(button.LoadPngImage(QImage(30, 4, QImage::Format_ARGB32)));
    EXPECT_FALSE(button.HasImage());
}

TEST(AlphaButtonImage, ResourcesKeepStraightAlphaOrLoadOpaque)
{
    CAlphaButton withAlpha;
    ASSERT_TRUE(withAlpha.LoadPngResource(9001));
    EXPECT_EQ(withAlpha.size(), QSize(30, 30));
    EXPECT_TRUE(withAlpha.m_image.hasAlphaChannel());
    EXPECT_EQ(withAlpha.m_image.format(), QImage::Format_ARGB32);
    // Frame 2 of the test strip: (100, 120, 60), its first pixel transparent.
    EXPECT_EQ(withAlpha.m_image.pixel(5, 65), qRgba(100, 120, 60, 255));
    EXPECT_EQ(qAlpha(withAlpha.m_image.pixel(0, 60)), 0);

    CAlphaButton opaque;
    ASSERT_TRUE(opaque.LoadPngResource(9002));
    EXPECT_FALSE(opaque.m_image.hasAlphaChannel());
    EXPECT_EQ(opaque.m_image.pixel(3, 3 * 30 + 3), qRgb(13, 23, 33));

    CAlphaButton missing;
    EXPECT_FALSE(missing.LoadPngResource(8999));
    EXPECT_FALSE(missing.HasImage());
    EXPECT_EQ(missing.size(), QSize(0, 0));
}

// A top-level host with a button at (10, 10); the host's background is a
// solid colour that stands in for the scene.
class ButtonOnHost : public ::testing::Test {
protected:
    QWidget host;
    CCommandButton* button = nullptr;

    void SetUp() override
    {
        host.resize(120, 80);
        host.setAutoFillBackground(true);
        QPalette pal = host.palette();
        pal.setColor(QPalette::Window, QColor(0, 0, 255));
        host.setPalette(pal);
        button = new CCommandButton(&host);
        button->move(10, 10);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    QRgb HostPixelAt(QPoint p) { return Grab(host).pixel(p); }
};

TEST_F(ButtonOnHost, BlackSwatchUnderTransparentImageIsABlackSquare)
{
    ASSERT_TRUE(button->LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 255, 0))));
    button->SetSwatch(0x000000);
    const QImage face = Grab(*button);
    ASSERT_EQ(face.size(), QSize(30, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(face.pixel(x, y), qRgba(0, 0, 0, 255)) << x << "," << y;
    // Seen on the host the square covers the background.
    EXPECT_EQ(HostPixelAt({25, 25}) & 0xFFFFFF, 0u);
}

TEST_F(ButtonOnHost, SwatchShowsThroughHalfTransparentImage)
{
    ASSERT_TRUE(button->LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 255, 128))));
    button->SetSwatch(RGB(255, 0, 0));
    const QRgb p = Grab(*button).pixel(15, 15);
    EXPECT_EQ(p, qRgb(255, 128, 128));  // 255 x 128 / 255 + 0 on the two dark channels

    // An image without alpha covers its swatch completely.
    QImage opaque(30, 150, QImage::Format_RGB32);
    opaque.fill(qRgb(40, 50, 60));
    ASSERT_TRUE(button->LoadPngImage(opaque));
    EXPECT_EQ(Grab(*button).pixel(15, 15), qRgb(40, 50, 60));
}

TEST_F(ButtonOnHost, PaintedFrameFollowsTheState)
{
    const QRgb colours[5] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(90, 90, 90),
                             qRgb(200, 200, 0)};
    ASSERT_TRUE(button->LoadPngImage(MakeStrip(30, 30, [&](int k, int, int) { return colours[k]; })));
    auto shown = [&] { return Grab(*button).pixel(15, 15) | 0xFF000000u; };

    EXPECT_EQ(shown(), colours[0]);
    button->m_bFocus = true;
    EXPECT_EQ(button->CurrentFrame(), 4);
    EXPECT_EQ(shown(), colours[4]);
    button->m_bHover = true;
    EXPECT_EQ(shown(), colours[1]);
    button->setDown(true);
    EXPECT_EQ(shown(), colours[2]);
    button->setEnabled(false);
    EXPECT_EQ(shown(), colours[3]);
    button->setEnabled(true);
    button->setDown(false);
    button->m_bHover = false;
    button->m_bFocus = false;
    EXPECT_EQ(shown(), colours[0]);
}

TEST_F(ButtonOnHost, HoverAndTooltipFollowThePointer)
{
    const QString text = QString::fromUtf8("[ 照準 ]\n左クリック - 表示・非表示切替");
    ASSERT_TRUE(button->LoadPngImage(SolidStrip(30, 30, qRgba(9, 9, 9, 255))));
    button->SetTooltipText(text);
    EXPECT_EQ(button->TooltipRect(), QRect(0, 0, 30, 30));
    button->SetTooltipText(QString());  // a null text changes nothing
    EXPECT_EQ(button->TooltipText(), text);

    QTest::mouseMove(&host, QPoint(100, 70));
    ASSERT_TRUE(WaitFor([&] { return !button->underMouse(); }));
    EXPECT_FALSE(button->m_bHover);
    QTest::mouseMove(button, QPoint(12, 12));
    ASSERT_TRUE(WaitFor([&] { return button->m_bHover; }));
    EXPECT_EQ(button->CurrentFrame(), 1);
    ASSERT_TRUE(WaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), text);

    QTest::mouseMove(&host, QPoint(100, 70));
    EXPECT_TRUE(WaitFor([&] { return !button->m_bHover && !QToolTip::isVisible(); }));
    EXPECT_EQ(button->CurrentFrame(), 0);
}

TEST_F(ButtonOnHost, ButtonWithoutImageNeverShowsItsTooltip)
{
    // The tip area is taken when the text is set: nothing without an image.
    button->SetTooltipText(QStringLiteral("tip"));
    EXPECT_TRUE(button->TooltipRect().isEmpty());
    button->setGeometry(10, 10, 30, 30);
    QTest::mouseMove(&host, QPoint(100, 70));
    QTest::mouseMove(button, QPoint(12, 12));
    ASSERT_TRUE(WaitFor([&] { return button->m_bHover; }));
    QTest::qWait(1200);
    EXPECT_FALSE(QToolTip::isVisible() && QToolTip::text() == QStringLiteral("tip"));
}

} // namespace

namespace {

// The scene stand-in: a GL widget cleared to one colour.
class ClearedGl : public QOpenGLWidget, protected QOpenGLFunctions {
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
    auto* scene = new ClearedGl;
    scene->setParent(&window);
    scene->setGeometry(0, 0, 120, 80);
    auto* button = new CCommandButton(scene);
    button->move(10, 10);
    ASSERT_TRUE(button->LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 0, 102))));
    auto* swatched = new CCommandButton(scene);
    swatched->move(60, 10);
    ASSERT_TRUE(swatched->LoadPngImage(SolidStrip(30, 30, qRgba(255, 255, 255, 0))));
    swatched->SetSwatch(0x000000);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(WaitFor([&] { return scene->isValid(); }));
    QTest::qWait(50);

    const QImage shot = window.grab().toImage();
    EXPECT_TRUE(SameRgb(shot.pixel(5, 5), qRgb(0, 0, 255))) << std::hex << shot.pixel(5, 5);
    EXPECT_TRUE(SameRgb(shot.pixel(25, 25), qRgb(102, 102, 153), 2)) << std::hex << shot.pixel(25, 25);
    EXPECT_TRUE(SameRgb(shot.pixel(75, 25), qRgb(0, 0, 0))) << std::hex << shot.pixel(75, 25);

    // What reaches the screen: the window system's copy of the window.
    const QImage screen = window.screen()->grabWindow(window.winId()).toImage();
    ASSERT_FALSE(screen.isNull());
    EXPECT_TRUE(SameRgb(screen.pixel(5, 5), qRgb(0, 0, 255))) << std::hex << screen.pixel(5, 5);
    EXPECT_TRUE(SameRgb(screen.pixel(25, 25), qRgb(102, 102, 153), 2)) << std::hex << screen.pixel(25, 25);
    EXPECT_TRUE(SameRgb(screen.pixel(75, 25), qRgb(0, 0, 0))) << std::hex << screen.pixel(75, 25);

    if (::testing::Test::HasFailure()) {
        SaveEvidence(shot, "buttons_over_scene_grab.png");
        SaveEvidence(screen, "buttons_over_scene_screen.png");
    }
}

} // namespace

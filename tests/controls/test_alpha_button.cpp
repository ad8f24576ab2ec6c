// Image strips, frame choice and alpha blending of the image buttons.
#include "ButtonTestSupport.h"
#include "controls/CCommandButton.h"

#include <QDir>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QScreen>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

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

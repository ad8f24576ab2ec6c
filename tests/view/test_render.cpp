// The literal scene drawing, read back from a real Mesa context. Every
// element is checked where its colour is fixed: flat colours, blends at the
// element's alpha, polygon modes, visibility.
#include "tests/view/RenderHelpers.h"
#include "view/Camera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QPoint>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int W = 400, H = 300;

// Pixel (top-left origin) of a model point, for the camera of view.
QPoint Project(const CViewState& v, const CMiravelDoc& doc, double x, double y, double z)
{
    const auto c = (Camera::Projection(W, H) * Camera::ModelView(v, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ))
                       .Apply(x, y, z);
    const double wx = (c[0] / c[3] + 1) * 0.5 * W, wy = (c[1] / c[3] + 1) * 0.5 * H;
    return QPoint(int(wx), int(H - wy));
}

// Nothing but what a test switches on.
CViewState Bare()
{
    CViewState v;
    v.m_showFrame = v.m_showCanvas = v.m_showGround = 0;
    v.m_sightX = v.m_sightY = v.m_sightZ = -1;
    v.m_lightEnable = 0;
    v.m_scale = 4;
    return v;
}

QRgb Blend(COLORREF fg, int alpha, QRgb bg)
{
    auto mix = [&](int f, int b) { return (f * alpha + b * (255 - alpha)) / 255; };
    return qRgb(mix(GetRValue(fg), qRed(bg)), mix(GetGValue(fg), qGreen(bg)), mix(GetBValue(fg), qBlue(bg)));
}

// The most frequent colour other than the background.
QRgb Dominant(const QImage& img, QRgb background)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != background)
                ++counts[img.pixel(x, y)];
    QRgb best = background;
    int n = 0;
    for (auto [c, k] : counts)
        if (k > n) {
            best = c;
            n = k;
        }
    return best;
}

class RenderTest : public ::testing::Test {
protected:
    OffscreenGL gl{W, H};
    CMiravelDoc doc;
    void SetUp() override
    {
        ASSERT_TRUE(gl.IsValid());
        doc.SetGridSize(8, 8, 8);
    }
    QImage Render(CViewState& v, const char* evidence)
    {
        QImage img = RenderScene(gl, v, doc);
        if (HasFailure() || qEnvironmentVariableIsSet("MIRAVEL_SAVE_ALL"))
            SaveEvidence(img, evidence);
        lastImage = img;
        return img;
    }
    void TearDown() override
    {
        if (HasFailure())
            SaveEvidence(lastImage, ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    QImage lastImage;
};

TEST_F(RenderTest, DefaultsPicture)
{
    CViewState v;  // start-up defaults: frame, canvas, ground, sight at (1,1,1), light on
    doc.SetGridSize(16, 16, 16);
    v.m_scale = Camera::FitScale(16, W, H);
    const QImage img = Render(v, "defaults");
    EXPECT_EQ(img.pixel(2, 2), qRgb(0, 0, 0));  // black background in the corner
    // Ground alone (alpha 170 over black) just in front of the grid's near corner.
    const QPoint ground = Project(v, doc, 18, -0.1, 18);
    EXPECT_TRUE(Near(img.pixel(ground), Blend(0x0080FF57, 170, qRgb(0, 0, 0)), 3))
        << std::hex << img.pixel(ground);
    // The sight cube at (1,1,1) is drawn in the sight colour somewhere.
    EXPECT_GT(CountPixels(img, Rgb(0x00FFFF00), 0), 0);
    // Red canvas lattice at layer 0.
    EXPECT_GT(CountPixels(img, Rgb(0x000000FF), 0), 50);

    // Only the frame: yellow at alpha 120 over black.
    CViewState frameOnly = Bare();
    frameOnly.m_showFrame = 1;
    frameOnly.m_scale = 2;
    const QImage frame = Render(frameOnly, "frame");
    EXPECT_TRUE(Near(Dominant(frame, qRgb(0, 0, 0)), Blend(0x0000FFFF, 120, qRgb(0, 0, 0)), 1));
}

TEST_F(RenderTest, SightCubeShowsOverACubeAndItsGuidesOnlyWhenAsked)
{
    doc.m_cubes[{3, 3, 3}] = RGB(255, 0, 0);
    CViewState v = Bare();
    const QPoint centre = Project(v, doc, 3.5, 4.0, 3.5);  // middle of the top face
    EXPECT_EQ(Render(v, "cube").pixel(centre), qRgb(255, 0, 0));
    v.m_sightX = v.m_sightY = v.m_sightZ = 3;
    QImage img = Render(v, "sight-over-cube");
    EXPECT_EQ(img.pixel(centre), Rgb(v.m_sightColor));
    const int guidesOff = CountPixels(img, qRgb(0, 0, 0), 0);
    v.m_showSight = 1;
    img = Render(v, "sight-guides");
    EXPECT_EQ(img.pixel(centre), Rgb(v.m_sightColor));
    // The translucent copies and guides cover more of the background.
    EXPECT_LT(CountPixels(img, qRgb(0, 0, 0), 0), guidesOff - 200);
    // A copy sits half a unit outside the +x face of the grid, at alpha 50.
    const QPoint copy = Project(v, doc, 8.5 + 0.5, 3.5, 3.5);
    EXPECT_TRUE(Near(img.pixel(copy), Blend(v.m_sightColor, 50, qRgb(0, 0, 0)), 3) ||
                Near(img.pixel(copy), Blend(v.m_sightColor, 50, Blend(v.m_sightColor, 50, qRgb(0, 0, 0))), 3))
        << std::hex << img.pixel(copy);
}

TEST_F(RenderTest, LightingShadesOnlyTheCubes)
{
    doc.m_cubes[{3, 3, 3}] = RGB(200, 200, 200);
    CViewState v = Bare();
    v.m_showFrame = 1;
    const QPoint top = Project(v, doc, 3.5, 4.0, 3.5);
    const QPoint side = Project(v, doc, 4.0, 3.5, 3.5);  // the x = 4 face
    const QImage flat = Render(v, "light-off");
    EXPECT_EQ(flat.pixel(top), qRgb(200, 200, 200));
    EXPECT_EQ(flat.pixel(side), qRgb(200, 200, 200));
    const QRgb frameColour = Dominant(flat, qRgb(0, 0, 0));

    v.m_lightEnable = 1;
    const QImage lit0 = Render(v, "light-0");
    EXPECT_NE(lit0.pixel(top), lit0.pixel(side));  // faces shaded apart
    EXPECT_NE(lit0.pixel(top), qRgb(200, 200, 200));
    // The frame looks the same with the light on.
    EXPECT_GT(CountPixels(lit0, frameColour, 0), 100);
    EXPECT_EQ(CountPixels(lit0, frameColour, 0), CountPixels(flat, frameColour, 0));

    v.m_lightPos = 3;  // from the upper left in the plane of the screen
    const QImage lit3 = Render(v, "light-3");
    EXPECT_NE(lit3.pixel(top), lit0.pixel(top));
    // A position outside the table is drawn as position 0, never read past it.
    v.m_lightPos = 9;
    EXPECT_EQ(Render(v, "light-9"), lit0);
    v.m_lightPos = -1;
    EXPECT_EQ(Render(v, "light-minus1"), lit0);
}

TEST_F(RenderTest, PolygonModes)
{
    doc.m_cubes[{3, 3, 3}] = RGB(0, 0, 255);
    CViewState v = Bare();
    const QPoint top = Project(v, doc, 3.5, 4.0, 3.5);
    const QRect box = [&] {
        QRect r;
        for (int i = 0; i < 8; ++i)
            r |= QRect(Project(v, doc, 3 + (i & 1), 3 + (i >> 1 & 1), 3 + (i >> 2 & 1)), QSize(1, 1));
        return r;
    }();
    auto blackInside = [&](const QImage& img) { return CountPixels(img.copy(box.adjusted(-1, -1, 1, 1)), qRgb(0, 0, 0), 0); };

    v.m_backColor = RGB(90, 90, 90);
    v.m_wireFrame = 1;  // filled
    const QImage filled = Render(v, "mode1");
    EXPECT_EQ(filled.pixel(top), qRgb(0, 0, 255));
    EXPECT_EQ(blackInside(filled), 0);

    v.m_wireFrame = 0;  // filled with black edges
    const QImage edged = Render(v, "mode0");
    EXPECT_EQ(edged.pixel(top), qRgb(0, 0, 255));
    EXPECT_GT(blackInside(edged), 20);
    // The edges take the cube line width.
    v.m_cubeLineWidth = 6;
    EXPECT_GT(blackInside(Render(v, "mode0-wide")), blackInside(edged) + 20);
    v.m_cubeLineWidth = 2;

    v.m_wireFrame = 2;  // wireframe: the face is see-through
    const QImage wire = Render(v, "mode2");
    EXPECT_EQ(wire.pixel(top), qRgb(90, 90, 90));
    EXPECT_GT(CountPixels(wire, qRgb(0, 0, 255), 0), 20);
    // ...except on the canvas layer while the canvas shows.
    v.m_showCanvas = 1;
    v.m_canvasAxis = 1;
    v.m_canvasPos = 3;
    EXPECT_EQ(Render(v, "mode2-canvas").pixel(top), qRgb(0, 0, 255));
    // With the canvas on another layer the cube is a wireframe again: its top
    // face shows what lies behind it.
    v.m_canvasPos = 2;
    EXPECT_NE(Render(v, "mode2-other-layer").pixel(top), qRgb(0, 0, 255));
    // Any other value draws as filled.
    v.m_wireFrame = 7;
    EXPECT_EQ(Render(v, "mode7").pixel(top), qRgb(0, 0, 255));
}

TEST_F(RenderTest, CanvasAndCopiedLayer)
{
    CViewState v = Bare();
    v.m_backColor = RGB(90, 90, 90);
    EXPECT_EQ(CountPixels(Render(v, "nothing"), Rgb(v.m_canvasColor), 0), 0);
    v.m_showCanvas = 1;
    const int canvas = CountPixels(Render(v, "canvas"), Rgb(v.m_canvasColor), 0);
    EXPECT_GT(canvas, 200);

    // A white canvas marks the copied layer in black, even with the canvas hidden.
    v.m_canvasColor = RGB(255, 255, 255);
    v.m_showCanvas = 0;
    EXPECT_EQ(CountPixels(Render(v, "no-copy"), qRgb(0, 0, 0), 0), 0);
    v.m_copyLayer = 5;
    const QImage copied = Render(v, "copied-white");
    EXPECT_GT(CountPixels(copied, qRgb(0, 0, 0), 0), 200);
    EXPECT_EQ(CountPixels(copied, qRgb(255, 255, 255), 0), 0);
    // The copy stays marked where it is while the canvas moves away.
    v.m_showCanvas = 1;
    v.m_canvasPos = 0;
    v.m_canvasColor = RGB(255, 0, 0);
    const QImage both = Render(v, "copied-and-canvas");
    EXPECT_GT(CountPixels(both, qRgb(0, 255, 255), 0), 200);
    EXPECT_GT(CountPixels(both, qRgb(255, 0, 0), 0), 200);
}

TEST_F(RenderTest, AxesAttachPreviewAndGround)
{
    CViewState v = Bare();
    v.m_scale = 2;
    EXPECT_EQ(CountPixels(Render(v, "no-axes"), qRgb(255, 0, 0), 0), 0);
    v.m_showAxis = 1;
    const QImage axes = Render(v, "axes");
    for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)})
        EXPECT_GT(CountPixels(axes, c, 0), 30);
    // The red axis overshoots the grid by one unit along x.
    EXPECT_EQ(axes.pixel(Project(v, doc, 8.5, 0, 0)), qRgb(255, 0, 0));

    v = Bare();
    v.m_attachX = v.m_attachY = v.m_attachZ = 4;
    const QPoint top = Project(v, doc, 4.5, 5.0, 4.5);
    EXPECT_EQ(Render(v, "canvas-mode-no-preview").pixel(top), qRgb(0, 0, 0));
    v.m_drawMode = 1;
    EXPECT_TRUE(Near(Render(v, "attach-preview").pixel(top), Blend(v.m_cubeColor, 100, qRgb(0, 0, 0)), 2));

    v = Bare();
    v.m_showGround = 1;
    const QImage ground = Render(v, "ground");
    EXPECT_TRUE(Near(ground.pixel(Project(v, doc, 4, -0.1, 4)), Blend(v.m_groundColor, 170, qRgb(0, 0, 0)), 2));
    // Seen from below the ground still shows: no culling.
    v.m_rotX = -25;
    const QImage below = Render(v, "ground-below");
    EXPECT_TRUE(Near(below.pixel(Project(v, doc, 4, -0.1, 4)), Blend(v.m_groundColor, 170, qRgb(0, 0, 0)), 2));
}

TEST_F(RenderTest, GridSizeDecidesTheLattices)
{
    CViewState v = Bare();
    v.m_showFrame = 1;
    v.m_frameColor = RGB(255, 255, 255);
    doc.SetGridSize(1, 1, 1);
    v.m_scale = 16;
    const QImage one = Render(v, "one-cell");
    // The cell's outline only: nothing in the middle of its top face.
    EXPECT_EQ(one.pixel(Project(v, doc, 0.5, 1.0, 0.5)), qRgb(0, 0, 0));
    EXPECT_GT(CountPixels(one, Blend(0x00FFFFFF, 120, qRgb(0, 0, 0)), 1), 100);
    // Lists built for 2 x 2 x 2 draw an interior lattice line through the same point.
    doc.SetGridSize(2, 2, 2);
    v.m_scale = 8;
    const QImage two = Render(v, "two-cells");
    EXPECT_NE(two.pixel(Project(v, doc, 1.0, 2.0, 1.0)), qRgb(0, 0, 0));
}

TEST_F(RenderTest, CameraMatricesMatchTheLibraryOnes)
{
    // The frame and the picker use our own matrices; they must equal what
    // glOrtho, gluLookAt and glRotated/glScaled/glTranslated build.
    CViewState v;
    v.m_rotX = 35;
    v.m_rotY = -70;
    v.m_rotZ = 10;
    v.m_lookX = 5;
    v.m_lookY = -10;
    v.m_scale = 1.7;
    v.m_ratioX = 0.5;
    gl.MakeCurrent();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-W * 0.5 / 10.0, W * 0.5 / 10.0, -H * 0.5 / 10.0, H * 0.5 / 10.0, -1.0, 3000.0);
    GLdouble proj[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 500, v.m_lookX, v.m_lookY, v.m_lookZ, 0, 1, 0);
    glRotated(v.m_rotX, 1, 0, 0);
    glRotated(v.m_rotY, 0, 1, 0);
    glRotated(v.m_rotZ, 0, 0, 1);
    glScaled(v.m_ratioX * v.m_scale, v.m_ratioY * v.m_scale, v.m_ratioZ * v.m_scale);
    glTranslated(-0.5 * 8, -0.5 * 6, -0.5 * 4);
    GLdouble mv[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    gl.DoneCurrent();
    const Mat4 p = Camera::Projection(W, H), m = Camera::ModelView(v, 8, 6, 4);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(p.m[size_t(i)], proj[i], 1e-6) << i;
        EXPECT_NEAR(m.m[size_t(i)], mv[i], 1e-4) << i;
    }
}

} // namespace

namespace {

TEST(RenderHiDpi, TwiceTheDevicePixelsShowTheSamePictureSharper)
{
    CMiravelDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(QStringLiteral(MIRAVEL_SOURCE_DIR "/resources/samples/sample.mvf")).ok);
    CViewState v;
    v.m_scale = Camera::FitScale(16, 200, 150);
    v.m_showSight = 1;
    OffscreenGL one(200, 150), two(400, 300);
    ASSERT_TRUE(one.IsValid() && two.IsValid());
    const QImage single = RenderScene(one, v, doc);
    two.MakeCurrent();
    v.m_viewWidth = 200;  // logical size; the framebuffer has twice the pixels
    v.m_viewHeight = 150;
    SceneRenderer::BuildLists(v, doc);
    SceneRenderer::DrawScene(v, doc, {400, 300, 2.0});
    const QImage twice = two.Read();
    SceneRenderer::DeleteLists(v);
    two.DoneCurrent();

    ASSERT_EQ(twice.size(), QSize(400, 300));
    int same = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            // One of the four device pixels of a logical pixel matches it.
            bool match = false;
            for (int k = 0; k < 4 && !match; ++k)
                match = Near(twice.pixel(2 * x + (k & 1), 2 * y + (k >> 1)), single.pixel(x, y), 8);
            same += match;
        }
    if (same < 200 * 150 * 97 / 100) {
        SaveEvidence(single, "hidpi-1x");
        SaveEvidence(twice, "hidpi-2x");
    }
    EXPECT_GE(same, 200 * 150 * 97 / 100);
}

} // namespace

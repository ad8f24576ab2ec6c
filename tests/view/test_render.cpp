// The literal scene drawing, read back from a real Mesa context. Every
// element is checked where its colour is fixed: flat colours, blends at the
// element's alpha, polygon modes, visibility.
#include "tests/support/LibraryCamera.h"
#include "tests/view/RenderHelpers.h"
#include "render/FastCubeRenderer.h"
#include "scene/Camera.h"
#include "tests/support/CubeCells.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QPoint>
#include <gtest/gtest.h>

namespace {

constexpr int W = 400, H = 300;
constexpr QRgb kBlack = qRgb(0, 0, 0);

QRgb Blend(COLORREF fg, int alpha, QRgb bg = kBlack)
{
    auto mix = [&](int f, int b) { return (f * alpha + b * (255 - alpha)) / 255; };
    return qRgb(mix(GetRValue(fg), qRed(bg)), mix(GetGValue(fg), qGreen(bg)), mix(GetBValue(fg), qBlue(bg)));
}

class RenderTest : public ::testing::Test {
protected:
    OffscreenGL gl{W, H};
    CMiravelDoc doc;
    CViewState v;
    QImage last;
    bool fast = false;  // the cubes by the fast drawing instead of the literal one

    void SetUp() override
    {
        ASSERT_TRUE(gl.IsValid());
        doc.SetGridSize(8, 8, 8);
        // Nothing but what a test switches on.
        v.m_prefs.m_showFrame = v.m_prefs.m_showCanvas = v.m_prefs.m_showGround = v.m_prefs.m_lightEnable = 0;
        v.m_pointer.m_sightX = v.m_pointer.m_sightY = v.m_pointer.m_sightZ = -1;
        v.m_camera.m_scale = 4;
    }
    void TearDown() override
    {
        if (HasFailure())
            SaveEvidence(last, ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    QImage Render()
    {
        CFastCubeRenderer cubes;
        return last = RenderScene(gl, v, doc, fast ? &cubes : nullptr);
    }
    QPoint Project(double x, double y, double z) const
    {
        const int grid[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
        return ToPixel(v.m_camera, W, H, grid, x, y, z);
    }
    QRgb At(double x, double y, double z) { return Render().pixel(Project(x, y, z)); }
};

TEST_F(RenderTest, SightCubeShowsOverACubeAndItsGuidesOnlyWhenAsked)
{
    doc.m_cubes.Set({3, 3, 3}, RGB(255, 0, 0));
    EXPECT_EQ(At(3.5, 4.0, 3.5), qRgb(255, 0, 0));  // the middle of the top face
    v.m_pointer.m_sightX = v.m_pointer.m_sightY = v.m_pointer.m_sightZ = 3;
    EXPECT_EQ(At(3.5, 4.0, 3.5), Rgb(v.m_prefs.m_sightColor));
    const int guidesOff = CountPixels(last, kBlack);
    v.m_prefs.m_showSight = 1;
    EXPECT_EQ(At(3.5, 4.0, 3.5), Rgb(v.m_prefs.m_sightColor));
    // The translucent copies and guides cover more of the background.
    EXPECT_LT(CountPixels(last, kBlack), guidesOff - 200);
    // A copy sits half a unit outside the +x face of the grid, at alpha 50
    // (once or, where a guide crosses it, twice).
    const QRgb copy = last.pixel(Project(9.0, 3.5, 3.5));
    EXPECT_TRUE(Near(copy, Blend(v.m_prefs.m_sightColor, 50), 3) || Near(copy, Blend(v.m_prefs.m_sightColor, 50, Blend(v.m_prefs.m_sightColor, 50)), 3))
        << std::hex << copy;
}

TEST_F(RenderTest, LightingShadesOnlyTheCubes)
{
    doc.m_cubes.Set({3, 3, 3}, RGB(200, 200, 200));
    v.m_prefs.m_showFrame = 1;
    const QPoint top = Project(3.5, 4.0, 3.5), side = Project(4.0, 3.5, 3.5);
    const QImage flat = Render();
    EXPECT_EQ(flat.pixel(top), qRgb(200, 200, 200));
    EXPECT_EQ(flat.pixel(side), qRgb(200, 200, 200));

    v.m_prefs.m_lightEnable = 1;
    const QImage lit0 = Render();
    EXPECT_NE(lit0.pixel(top), lit0.pixel(side));  // faces shaded apart
    EXPECT_NE(lit0.pixel(top), qRgb(200, 200, 200));
    // The frame looks the same with the light on.
    const int frame = CountPixels(flat, Blend(v.m_prefs.m_frameColor, 120), 1);
    EXPECT_GT(frame, 100);
    EXPECT_EQ(CountPixels(lit0, Blend(v.m_prefs.m_frameColor, 120), 1), frame);

    v.m_prefs.m_lightPos = 3;  // from the upper left in the plane of the screen
    EXPECT_NE(Render().pixel(top), lit0.pixel(top));
    // Positions outside the table are drawn as position 0, never read past it.
    for (int pos : {9, -1}) {
        v.m_prefs.m_lightPos = pos;
        EXPECT_EQ(Render(), lit0) << pos;
    }
}

TEST_F(RenderTest, PolygonModesInBothDrawings)
{
    doc.m_cubes.Set({3, 3, 3}, RGB(0, 0, 255));
    v.m_prefs.m_backColor = RGB(90, 90, 90);
    const CViewState start = v;
    for (bool fastDrawing : {false, true}) {
        SCOPED_TRACE(fastDrawing ? "fast" : "literal");
        fast = fastDrawing;
        v = start;
        auto blackNear = [&] { return CountPixels(Render(), kBlack); };
        v.m_prefs.m_wireFrame = CubeStyle::Filled;  // filled
        EXPECT_EQ(blackNear(), 0);
        EXPECT_EQ(last.pixel(Project(3.5, 4.0, 3.5)), qRgb(0, 0, 255));
        v.m_prefs.m_wireFrame = CubeStyle::FilledBlackEdges;  // filled with black edges, as wide as the cube lines
        const int edges = blackNear();
        EXPECT_GT(edges, 20);
        EXPECT_EQ(last.pixel(Project(3.5, 4.0, 3.5)), qRgb(0, 0, 255));
        v.m_cubeLineWidth = 6;
        EXPECT_GT(blackNear(), edges + 20);
        v.m_cubeLineWidth = 2;

        v.m_prefs.m_wireFrame = CubeStyle::Wireframe;  // wireframe: the face is see-through
        v.m_edit.m_canvasPos = 3;  // even on the canvas layer while the canvas is hidden
        EXPECT_EQ(At(3.5, 4.0, 3.5), qRgb(90, 90, 90));
        EXPECT_GT(CountPixels(last, qRgb(0, 0, 255)), 20);
        // ...but filled there while the canvas shows.
        v.m_prefs.m_showCanvas = 1;
        EXPECT_EQ(At(3.5, 4.0, 3.5), qRgb(0, 0, 255));
        v.m_edit.m_canvasPos = 2;
        EXPECT_NE(At(3.5, 4.0, 3.5), qRgb(0, 0, 255));
        // A cube on the layer x = 3 only: its faces filled between the lattice lines.
        doc.m_cubes = StoreOf({{{3, 5, 1}, RGB(0, 0, 255)}});
        v.m_edit.m_canvasAxis = CanvasAxis::X;
        const int outline = CountPixels(Render(), qRgb(0, 0, 255));
        v.m_edit.m_canvasPos = 3;
        EXPECT_GT(CountPixels(Render(), qRgb(0, 0, 255)), outline + 500) << outline;
        doc.m_cubes = StoreOf({{{3, 3, 3}, RGB(0, 0, 255)}});
        v.m_edit.m_canvasPos = 2;
        v.m_prefs.m_wireFrame = CubeStyle(7);  // any other value draws as filled
        EXPECT_EQ(At(3.5, 4.0, 3.5), qRgb(0, 0, 255));
    }
}

TEST_F(RenderTest, CanvasAndCopiedLayer)
{
    v.m_prefs.m_backColor = RGB(90, 90, 90);
    EXPECT_EQ(CountPixels(Render(), Rgb(v.m_prefs.m_canvasColor)), 0);
    v.m_prefs.m_showCanvas = 1;
    EXPECT_GT(CountPixels(Render(), Rgb(v.m_prefs.m_canvasColor)), 200);
    // The copied layer is marked in the canvas's inverse colour, even with the
    // canvas hidden: a white canvas gives black.
    v.m_prefs.m_canvasColor = RGB(255, 255, 255);
    v.m_prefs.m_showCanvas = 0;
    EXPECT_EQ(CountPixels(Render(), kBlack), 0);
    v.m_edit.m_copyLayer = 5;
    EXPECT_GT(CountPixels(Render(), kBlack), 200);
    EXPECT_EQ(CountPixels(last, qRgb(255, 255, 255)), 0);
    // The copy stays marked where it is while the canvas moves away.
    v.m_prefs.m_showCanvas = 1;
    v.m_prefs.m_canvasColor = RGB(255, 0, 0);
    EXPECT_GT(CountPixels(Render(), qRgb(0, 255, 255)), 200);
    EXPECT_GT(CountPixels(last, qRgb(255, 0, 0)), 200);
}

TEST_F(RenderTest, AxesAttachPreviewAndGround)
{
    v.m_camera.m_scale = 2;
    EXPECT_EQ(CountPixels(Render(), qRgb(255, 0, 0)), 0);
    v.m_prefs.m_showAxis = 1;
    const QImage axes = Render();
    for (QRgb c : {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)})
        EXPECT_GT(CountPixels(axes, c), 30);
    // The red axis overshoots the grid by one unit along x.
    EXPECT_EQ(axes.pixel(Project(8.5, 0, 0)), qRgb(255, 0, 0));

    v.m_prefs.m_showAxis = 0;
    v.m_camera.m_scale = 4;
    v.m_pointer.m_attachX = v.m_pointer.m_attachY = v.m_pointer.m_attachZ = 4;
    EXPECT_EQ(At(4.5, 5.0, 4.5), kBlack);  // canvas mode: no preview
    v.m_edit.m_drawMode = DrawMode::Attach;
    EXPECT_TRUE(Near(At(4.5, 5.0, 4.5), Blend(v.m_edit.m_cubeColor, 100), 2));

    v.m_edit.m_drawMode = DrawMode::Canvas;
    v.m_prefs.m_showGround = 1;
    EXPECT_TRUE(Near(At(4, -0.1, 4), Blend(v.m_prefs.m_groundColor, 170), 2));
    v.m_camera.m_rotX = -25;  // seen from below the ground still shows: no culling
    EXPECT_TRUE(Near(At(4, -0.1, 4), Blend(v.m_prefs.m_groundColor, 170), 2));
}

TEST_F(RenderTest, ToolPreviewCellsAndOutlineOverOrBehindTheCubes)
{
    doc.m_cubes.Set({3, 3, 3}, RGB(255, 0, 0));
    ToolPreview preview;
    preview.cells = {{5, 3, 3}};
    preview.color = RGB(0, 255, 0);
    preview.hasOutline = true;
    preview.outlineLo = preview.outlineHi = {3, 3, 3};
    preview.outlineColor = RGB(0, 0, 255);
    const auto blue = [&] {
        last = RenderScene(gl, v, doc, nullptr, 1, &preview);
        return CountPixels(last, qRgb(0, 0, 255));
    };
    const int behind = blue();
    EXPECT_TRUE(Near(last.pixel(Project(5.5, 4.0, 3.5)), Blend(RGB(0, 255, 0), 100), 2));
    // Over the cubes, the cube's hidden edges show too.
    preview.outlineOverCubes = true;
    EXPECT_GT(behind, 20);
    EXPECT_GT(blue(), behind + 20);
}

TEST_F(RenderTest, GridSizeDecidesTheLattices)
{
    v.m_prefs.m_showFrame = 1;
    v.m_prefs.m_frameColor = RGB(255, 255, 255);
    doc.SetGridSize(1, 1, 1);
    v.m_camera.m_scale = 16;
    // The cell's outline only: nothing in the middle of its top face. The
    // frame is drawn at alpha 120 over black, never opaque.
    EXPECT_EQ(At(0.5, 1.0, 0.5), kBlack);
    EXPECT_GT(CountPixels(last, Blend(0x00FFFFFF, 120), 1), 100);
    EXPECT_EQ(CountPixels(last, qRgb(255, 255, 255), 20), 0);
    // Lists built for 2 x 2 x 2 draw an interior lattice line through the same point.
    doc.SetGridSize(2, 2, 2);
    v.m_camera.m_scale = 8;
    EXPECT_NE(At(1.0, 2.0, 1.0), kBlack);
}

TEST_F(RenderTest, CameraMatricesMatchTheLibraryOnes)
{
    // The frame and the picker use our own matrices; they must equal what
    // glOrtho, gluLookAt and glRotated/glScaled/glTranslated build.
    v.m_camera.m_rotX = 35, v.m_camera.m_rotY = -70, v.m_camera.m_rotZ = 10;
    v.m_camera.m_lookX = 5, v.m_camera.m_lookY = -10;
    v.m_camera.m_scale = 1.7, v.m_camera.m_ratioX = 0.5;
    gl.MakeCurrent();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultLibraryProjection(W, H);
    LoadLibraryModelView(v.m_camera, 8, 6, 4);
    GLdouble proj[16], mv[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    gl.DoneCurrent();
    const Mat4 p = Camera::Projection(W, H), m = Camera::ModelView(v.m_camera, 8, 6, 4);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(p.m[size_t(i)], proj[i], 1e-6) << i;
        EXPECT_NEAR(m.m[size_t(i)], mv[i], 1e-4) << i;
    }
}

TEST(RenderHiDpi, TwiceTheDevicePixelsShowTheSamePictureSharper)
{
    CMiravelDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(QStringLiteral(MIRAVEL_SOURCE_DIR "/resources/samples/sample.mvf")).ok);
    CViewState v;
    v.m_camera.m_scale = Camera::FitScale(v.m_camera, 16, 16, 16, 200, 150);
    v.m_prefs.m_showSight = 1;
    OffscreenGL one(200, 150), two(400, 300);
    ASSERT_TRUE(one.IsValid() && two.IsValid());
    const QImage single = RenderScene(one, v, doc), twice = RenderScene(two, v, doc, nullptr, 2);
    int same = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            // One of the four device pixels of a logical pixel matches it.
            bool match = false;
            for (int k = 0; k < 4 && !match; ++k)
                match = Near(twice.pixel(2 * x + (k & 1), 2 * y + (k >> 1)), single.pixel(x, y), 8);
            same += match;
        }
    // Lines are twice as wide too: the red canvas lattice covers four times the pixels.
    EXPECT_GT(CountPixels(twice, qRgb(255, 0, 0)), 3 * CountPixels(single, qRgb(255, 0, 0)));
    if (same < 200 * 150 * 97 / 100)
        SaveEvidence(single, "hidpi-1x"), SaveEvidence(twice, "hidpi-2x");
    EXPECT_GE(same, 200 * 150 * 97 / 100);
}

} // namespace

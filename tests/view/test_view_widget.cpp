// The view as a real widget on a real (virtual) screen: its buttons, first
// show, resizes, document updates, a new GL context, picking.
#include "controls/CommandDispatcher.h"
#include "tests/view/ViewTestSupport.h"

#include <QProgressDialog>
#include <gtest/gtest.h>

namespace {

using ViewWidgetTest = ViewTest;

TEST_F(ViewWidgetTest, ButtonsAreMadeFromTheCatalogue)
{
    for (const ButtonSpec& row : ButtonCatalogue()) {
        const CCommandButton* b = view->m_buttons.ButtonById(row.id);
        ASSERT_NE(b, nullptr) << row.id;
        EXPECT_EQ(CommandRegistry::Find(b->m_strCommand), row.command) << row.id;
        EXPECT_EQ(CommandRegistry::Find(b->m_strCommand2), row.command2) << row.id;
        EXPECT_EQ(std::tie(b->m_nRepeatInterval, b->m_nClickWait, b->m_crColor),
                  std::make_tuple(row.repeatInterval, row.clickWait, InitialSwatch(row, view->m_state))) << row.id;
        EXPECT_EQ(b->parentWidget(), view);
        // The members are declared in identifier order; the lookup must follow them.
        EXPECT_TRUE(row.id == kFirstButtonId || std::less<>()(view->m_buttons.ButtonById(row.id - 1), b)) << row.id;
    }
}

TEST_F(ViewWidgetTest, FirstShowFitsTheZoomToTheRealClientArea)
{
    // 16 cells in a view whose shorter side holds about 60 units: zoom 2 at
    // 800 x 600; a little less client height still leaves it at 2.
    EXPECT_GT(view->height(), 500);
    EXPECT_DOUBLE_EQ(view->m_state.m_camera.m_scale, 2.0);
    EXPECT_GT(CountPixels(Grab(*view), qRgb(255, 0, 0)), 100);  // canvas
}

TEST_F(ViewWidgetTest, ResizeAndAnotherWindowKeepThePicture)
{
    // A wireframe, whose edge colours live in a texture of the GL context.
    for (int x = 2; x < 9; ++x)
        doc.SetCube(x, 3, 4, RGB(30 * x, 250, 0));
    view->m_state.m_prefs.m_wireFrame = CubeStyle::Wireframe;
    view->m_state.m_prefs.m_lightEnable = 0;
    const QImage before = Grab(*view);
    EXPECT_GT(CountPixels(before, qRgb(60, 250, 0)), 20);
    window.resize(500, 400);
    QTest::qWait(50);
    const QImage small = Grab(*view);
    EXPECT_EQ(small.width(), view->width());
    EXPECT_GT(CountPixels(small, qRgb(255, 0, 0)), 100);
    EXPECT_DOUBLE_EQ(view->m_state.m_camera.m_scale, 2.0);  // a resize does not refit
    window.resize(800, 600);
    QTest::qWait(50);
    // Moved into another top-level window: a new context, the same picture.
    QMainWindow other;
    other.resize(800, 600);
    other.setCentralWidget(window.takeCentralWidget());
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QTest::qWait(50);
    EXPECT_TRUE(view->HasDisplayLists());
    EXPECT_EQ(Grab(*view), before);
    window.setCentralWidget(other.takeCentralWidget());
}

TEST_F(ViewWidgetTest, AGridSizeChangeShowsOnTheNextPaint)
{
    const int redBefore = CountPixels(Grab(*view), qRgb(255, 0, 0));
    // A smaller grid needs new lattices: the canvas shrinks with it.
    doc.SetGridSize(4, 4, 4);
    const int redAfter = CountPixels(Grab(*view), qRgb(255, 0, 0));
    EXPECT_LT(redAfter, redBefore / 4);
    EXPECT_GT(redAfter, 0);
}

TEST_F(ViewWidgetTest, TheFastDrawingFollowsEdits)
{
    // The fast drawing against the literal one is compared offscreen; here
    // the view keeps its cached cubes in step with an undo.
    ASSERT_FALSE(view->m_referenceRenderer);
    doc.SetCube(5, 1, 5, RGB(255, 0, 255));
    view->m_state.m_prefs.m_lightEnable = 0;
    EXPECT_GT(CountPixels(Grab(*view), qRgb(255, 0, 255)), 20);
    view->ExecuteCommand(QStringLiteral("Cube:Back"));
    EXPECT_EQ(CountPixels(Grab(*view), qRgb(255, 0, 255)), 0);
}

TEST_F(ViewWidgetTest, ALongGeometryBuildShowsItsProgressUntilTheModelIsWhole)
{
    // Scattered cubes on a grid past the size dialog's, built a sliver a
    // frame: the window tells how far the build is, and goes when it is done.
    doc.SetGridSize(96, 8, 96);
    for (int x = 0; x < 96; x += 2)
        for (int z = x % 4; z < 96; z += 4)
            doc.m_cubes.Set({x, 0, z}, RGB(255, 0, 255));
    doc.UpdateAllViews(nullptr);
    view->m_state.m_prefs.m_lightEnable = 0;
    view->SetBuildPacing(0.001, 0);
    const int firstFrame = CountPixels(Grab(*view), qRgb(255, 0, 255));
    Grab(*view);
    ASSERT_NE(view->BuildProgress(), nullptr);
    EXPECT_TRUE(view->BuildProgress()->isVisible());
    EXPECT_LT(view->BuildProgress()->value(), 100);
    for (int frame = 0; frame < 200 && view->BuildProgress(); ++frame)
        Grab(*view);
    EXPECT_EQ(view->BuildProgress(), nullptr);
    view->SetBuildPacing(0, 0);
    EXPECT_GT(CountPixels(Grab(*view), qRgb(255, 0, 255)), firstFrame);
}

TEST_F(ViewWidgetTest, PickingUsesTheClientPixelUnderThePointer)
{
    view->m_state.m_camera.m_rotX = 90;  // straight down onto the canvas layer y = 0
    view->m_state.m_camera.m_rotY = 0;
    view->m_state.m_camera.m_scale = 1;
    // The 16 x 16 layer spans 160 pixels around the centre of the view.
    const int cx = view->width() / 2, cy = view->height() / 2;
    view->PickSight(cx + 79, cy + 79);
    EXPECT_EQ(std::tuple(view->m_state.m_pointer.m_sightX, view->m_state.m_pointer.m_sightY, view->m_state.m_pointer.m_sightZ), std::tuple(15, 0, 15));
    view->PickSight(cx + 81, cy);
    EXPECT_EQ(view->m_state.m_pointer.m_sightX, -1);
}

} // namespace

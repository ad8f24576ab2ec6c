// The view as a real widget on a real (virtual) screen: first show, resizes,
// minimising, document updates, a new GL context.
#include "model/CMiravelDoc.h"
#include "view/CMiravelView.h"

#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

namespace {

int CountColour(const QImage& img, QRgb c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == c;
    return n;
}

QImage Grab(CMiravelView& view)
{
    return view.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

class ViewWidgetTest : public ::testing::Test {
protected:
    CMiravelDoc doc;
    QMainWindow window;
    CMiravelView* view = new CMiravelView;
    void SetUp() override
    {
        window.setCentralWidget(view);
        window.resize(800, 600);
        view->SetDocument(&doc);  // before the window exists, as at start-up
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
    }
};

TEST_F(ViewWidgetTest, FirstShowFitsTheZoomToTheRealClientArea)
{
    // 16 cells in a view whose shorter side holds about 60 units: zoom 2 at
    // 800 x 600; a little less client height still leaves it at 2.
    EXPECT_GT(view->height(), 500);
    EXPECT_DOUBLE_EQ(view->m_scale, 2.0);
    EXPECT_EQ(view->m_rotX, 25.0);
    EXPECT_EQ(view->m_rotY, -45.0);
    const QImage img = Grab(*view);
    EXPECT_EQ(img.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_GT(CountColour(img, qRgb(0, 255, 255)), 0);   // sight cube at (1,1,1)
    EXPECT_GT(CountColour(img, qRgb(255, 0, 0)), 100);   // canvas
    EXPECT_TRUE(view->HasDisplayLists());
}

TEST_F(ViewWidgetTest, ResizeMinimiseAndRestoreKeepThePicture)
{
    const QImage before = Grab(*view);
    window.resize(500, 400);
    QTest::qWait(50);
    const QImage small = Grab(*view);
    EXPECT_EQ(small.width(), view->width());
    EXPECT_GT(CountColour(small, qRgb(255, 0, 0)), 100);
    EXPECT_DOUBLE_EQ(view->m_scale, 2.0);  // a resize does not refit
    window.resize(800, 600);
    QTest::qWait(50);

    window.showMinimized();
    QTest::qWait(50);
    window.showNormal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    EXPECT_TRUE(view->HasDisplayLists());
    EXPECT_EQ(Grab(*view), before);
}

TEST_F(ViewWidgetTest, DocumentChangesAndGridSizeShowOnTheNextPaint)
{
    const int redBefore = CountColour(Grab(*view), qRgb(255, 0, 0));
    view->m_lightEnable = 0;
    doc.SetCube(8, 0, 8, RGB(0, 0, 255));
    EXPECT_GT(CountColour(Grab(*view), qRgb(0, 0, 255)), 50);

    // A smaller grid needs new lattices: the canvas shrinks with it.
    doc.SetGridSize(4, 4, 4);
    const int redAfter = CountColour(Grab(*view), qRgb(255, 0, 0));
    EXPECT_LT(redAfter, redBefore / 4);
    EXPECT_GT(redAfter, 0);
}

TEST_F(ViewWidgetTest, AnotherTopLevelWindowGivesANewContextAndTheSamePicture)
{
    const QImage before = Grab(*view);
    QMainWindow other;
    other.resize(800, 600);
    window.takeCentralWidget();
    other.setCentralWidget(view);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    QTest::qWait(50);
    EXPECT_TRUE(view->HasDisplayLists());
    const QImage after = Grab(*view);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after, before);
    other.takeCentralWidget();
    window.setCentralWidget(view);
}

TEST_F(ViewWidgetTest, TheFastDrawingFollowsEditsAndMatchesTheReference)
{
    ASSERT_FALSE(view->m_referenceRenderer);
    for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z)
            doc.SetCube(x, 0, z, RGB(16 * x, 200, 16 * z));
    doc.SetCube(5, 1, 5, RGB(255, 0, 255));
    const QImage fast = Grab(*view);
    view->m_referenceRenderer = true;
    const QImage reference = Grab(*view);
    view->m_referenceRenderer = false;
    int differ = 0;
    for (int y = 0; y < fast.height(); ++y)
        for (int x = 0; x < fast.width(); ++x) {
            const QRgb a = fast.pixel(x, y), b = reference.pixel(x, y);
            differ += std::abs(qRed(a) - qRed(b)) > 1 || std::abs(qGreen(a) - qGreen(b)) > 1 ||
                      std::abs(qBlue(a) - qBlue(b)) > 1;
        }
    EXPECT_LT(differ, fast.width() * fast.height() / 100);
    // An undo shows at once: the magenta cube is gone from the next frame.
    view->m_lightEnable = 0;
    EXPECT_GT(CountColour(Grab(*view), qRgb(255, 0, 255)), 20);
    view->ExecuteCommand(QStringLiteral("Cube:Back"));
    EXPECT_EQ(CountColour(Grab(*view), qRgb(255, 0, 255)), 0);
}

TEST_F(ViewWidgetTest, PickingUsesTheClientPixelUnderThePointer)
{
    view->m_rotX = 90;  // straight down onto the canvas layer y = 0
    view->m_rotY = 0;
    view->m_scale = 1;
    // The 16 x 16 layer spans 160 pixels around the centre of the view.
    const int cx = view->width() / 2, cy = view->height() / 2;
    view->PickSight(cx - 80, cy - 80);
    EXPECT_EQ(view->m_sightX, 0);
    EXPECT_EQ(view->m_sightY, 0);
    EXPECT_EQ(view->m_sightZ, 0);
    view->PickSight(cx + 79, cy + 79);
    EXPECT_EQ(view->m_sightX, 15);
    EXPECT_EQ(view->m_sightZ, 15);
    view->PickSight(cx + 81, cy);
    EXPECT_EQ(view->m_sightX, -1);
}

} // namespace

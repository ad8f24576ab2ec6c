// Canvas layer operations on a document, without a window.
#include "editing/CanvasLayer.h"
#include "model/CMiravelDoc.h"
#include "view/ViewState.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

TEST(CanvasLayer, SlidingStaysInsideTheGrid)
{
    CMiravelDoc doc;
    doc.SetGridSize(3, 4, 5);
    CViewState v;
    v.m_canvasAxis = 2;
    for (int i = 0; i < 10; ++i)
        CanvasLayer::MoveCanvas(v, doc, true);
    EXPECT_EQ(v.m_canvasPos, 4);
    v.m_copyLayer = 2;
    CanvasLayer::MoveCanvas(v, doc, false);
    EXPECT_EQ(v.m_canvasPos, 3);
    EXPECT_EQ(v.m_copyLayer, 2);  // sliding keeps the copy source
    for (int i = 0; i < 10; ++i)
        CanvasLayer::MoveCanvas(v, doc, false);
    EXPECT_EQ(v.m_canvasPos, 0);
}

TEST(CanvasLayer, TurningGoesThroughTheSightCell)
{
    CMiravelDoc doc;
    doc.SetGridSize(8, 8, 8);
    CViewState v;  // axis Y
    v.m_sightX = 2;
    v.m_sightY = 5;
    v.m_sightZ = 7;
    v.m_copyLayer = 1;
    CanvasLayer::SwitchCanvas(v, doc, true);
    EXPECT_EQ(v.m_canvasAxis, 2);
    EXPECT_EQ(v.m_canvasPos, 7);
    EXPECT_EQ(v.m_copyLayer, -1);
    CanvasLayer::SwitchCanvas(v, doc, true);
    EXPECT_EQ(v.m_canvasAxis, 0);
    EXPECT_EQ(v.m_canvasPos, 2);
    CanvasLayer::SwitchCanvas(v, doc, true);
    EXPECT_EQ(v.m_canvasAxis, 1);
    EXPECT_EQ(v.m_canvasPos, 5);
    CanvasLayer::SwitchCanvas(v, doc, false);
    EXPECT_EQ(v.m_canvasAxis, 0);
    EXPECT_EQ(v.m_canvasPos, 2);
    // No sight: layer 0. A stale sight beyond a smaller grid: the last layer.
    v.m_sightX = v.m_sightY = v.m_sightZ = -1;
    CanvasLayer::SwitchCanvas(v, doc, false);
    EXPECT_EQ(v.m_canvasAxis, 2);
    EXPECT_EQ(v.m_canvasPos, 0);
    v.m_sightX = 30;
    CanvasLayer::SwitchCanvas(v, doc, true);
    EXPECT_EQ(v.m_canvasAxis, 0);
    EXPECT_EQ(v.m_canvasPos, 7);
}

TEST(CanvasLayer, PasteCopiesTheSourceLayerCellByCell)
{
    CMiravelDoc doc;
    doc.SetGridSize(4, 4, 4);
    CViewState v;  // axis Y
    doc.SetCube(0, 1, 0, kRed);
    doc.SetCube(3, 1, 2, kBlue);
    doc.SetCube(2, 3, 2, kRed);  // on the target layer, empty in the source
    doc.SetCube(3, 3, 2, kBlue); // already equal to its source
    const size_t recorded = doc.m_history.size();

    CanvasLayer::PasteLayer(v, doc);  // nothing copied: nothing happens
    EXPECT_EQ(doc.m_history.size(), recorded);

    v.m_canvasPos = 1;
    CanvasLayer::Copy(v);
    CanvasLayer::PasteLayer(v, doc);  // onto itself: nothing changes or is recorded
    EXPECT_EQ(doc.m_history.size(), recorded);

    v.m_canvasPos = 3;
    CanvasLayer::PasteLayer(v, doc);
    EXPECT_EQ(doc.GetCube(0, 3, 0), kRed);
    EXPECT_EQ(doc.GetCube(3, 3, 2), kBlue);
    EXPECT_EQ(doc.GetCube(2, 3, 2), CLR_NONE);
    // Two cells changed (one added, one removed): two records, undone one by one.
    EXPECT_EQ(doc.m_history.size(), recorded + 2);
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(2, 3, 2), kRed);
    EXPECT_EQ(doc.GetCube(0, 3, 0), kRed);
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(0, 3, 0), CLR_NONE);

    // An empty copy source empties the target layer, one record per cube.
    CMiravelDoc d2;
    d2.SetGridSize(4, 4, 4);
    for (int x = 0; x < 4; ++x)
        d2.SetCube(x, 2, 1, kRed);
    CViewState w;
    w.m_canvasPos = 0;
    CanvasLayer::Copy(w);
    w.m_canvasPos = 2;
    CanvasLayer::PasteLayer(w, d2);
    EXPECT_TRUE(d2.m_cubes.empty());
    EXPECT_EQ(d2.m_history.size(), 8u);
}

TEST(CanvasLayer, PasteToAllAsksFirstAndFillsEveryLayer)
{
    CMiravelDoc doc;  // 16 x 16 x 16
    CViewState v;
    v.m_canvasAxis = 0;
    int asked = 0;
    EXPECT_FALSE(CanvasLayer::PasteLayerToAll(v, doc, [&] { return ++asked, true; }));
    EXPECT_EQ(asked, 0);  // nothing copied: no question

    doc.SetCube(4, 7, 9, kRed);
    v.m_canvasPos = 4;
    CanvasLayer::Copy(v);
    doc.SetCube(0, 0, 0, kBlue);  // another layer: emptied by the paste
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(CanvasLayer::PasteLayerToAll(v, doc, [&] { return ++asked, false; }));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(doc.IsModified());
    const size_t before = doc.m_history.size();
    EXPECT_TRUE(CanvasLayer::PasteLayerToAll(v, doc, [] { return true; }));
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(doc.GetCube(x, 7, 9), kRed) << x;
    EXPECT_EQ(doc.GetCube(0, 0, 0), CLR_NONE);
    EXPECT_EQ(doc.m_cubes.size(), 16u);
    EXPECT_EQ(doc.m_history.size(), before + 15 + 1);  // 15 added, 1 removed
    EXPECT_TRUE(doc.IsModified());
    for (int i = 0; i < 16; ++i)
        doc.HistoryBack();
    EXPECT_EQ(doc.m_cubes.size(), 2u);
}

TEST(CanvasLayer, AfterTheGridShrinksNothingPointsOutsideIt)
{
    CMiravelDoc doc;
    doc.SetGridSize(4, 4, 4);
    CViewState v;
    v.m_canvasAxis = 2;
    v.m_canvasPos = 12;
    v.m_copyLayer = 9;
    v.m_sightX = 10;
    v.m_attachX = 1;
    v.m_attachY = 1;
    v.m_attachZ = 2;
    CanvasLayer::KeepInsideGrid(v, doc);
    EXPECT_EQ(v.m_canvasPos, 3);
    EXPECT_EQ(v.m_copyLayer, -1);
    EXPECT_FALSE(v.HasSight());
    EXPECT_EQ(v.m_attachZ, 2);  // inside: kept
    v.m_copyLayer = 3;
    CanvasLayer::KeepInsideGrid(v, doc);
    EXPECT_EQ(v.m_copyLayer, 3);
}

} // namespace

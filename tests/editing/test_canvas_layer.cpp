// Canvas layer operations on a document, without a window.
#include "editing/CanvasLayer.h"
#include "model/CMiravelDoc.h"
#include "scene/EditState.h"
#include "scene/PointerState.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

TEST(CanvasLayer, SlidingAndTurningStayInsideTheGrid)
{
    CMiravelDoc doc;
    doc.SetGridSize(8, 8, 5);
    CEditState e;
    CPointerState p;
    e.m_canvasAxis = CanvasAxis::Z;
    e.m_copyLayer = 2;
    for (auto [up, times, pos] : {std::tuple(true, 9, 4), std::tuple(false, 1, 3), std::tuple(false, 10, 0)}) {
        for (int i = 0; i < times; ++i)
            CanvasLayer::MoveCanvas(e, doc, up);
        EXPECT_EQ(e.m_canvasPos, pos);
    }
    EXPECT_EQ(e.m_copyLayer, 2);  // sliding keeps the copy source

    // Turning goes X, Y, Z (backward the other way) through the sight cell
    // (x, 5, 7); with no sight (-1) to layer 0; with a stale sight beyond a
    // smaller grid to its last layer. Turning forgets the copy source.
    p.m_sightY = 5;
    p.m_sightZ = 7;
    const struct { bool forward; int sightX, axis, pos; } steps[] = {
        {true, 2, 0, 2}, {true, 2, 1, 5}, {true, 2, 2, 4}, {false, 2, 1, 5}, {false, -1, 0, 0},
        {false, 2, 2, 4}, {true, 30, 0, 7}};
    for (const auto& s : steps) {
        p.m_sightX = s.sightX;
        CanvasLayer::SwitchCanvas(e, p, doc, s.forward);
        EXPECT_EQ(std::pair(e.AxisIndex(), e.m_canvasPos), std::pair(s.axis, s.pos)) << s.forward << s.sightX;
        EXPECT_EQ(e.m_copyLayer, -1);
    }

    // The grid shrinks under the canvas, a copy source and the pointer's
    // cells (the sight at x 30): what lies beyond it is let go.
    doc.SetGridSize(4, 4, 4);
    e.m_canvasAxis = CanvasAxis::Z;
    e.m_canvasPos = 12;
    e.m_copyLayer = 9;
    p.m_attachX = p.m_attachY = 1;
    p.m_attachZ = 2;
    CanvasLayer::KeepInsideGrid(e, p, doc);
    EXPECT_EQ(std::pair(e.m_canvasPos, e.m_copyLayer), std::pair(3, -1));
    EXPECT_FALSE(p.HasSight());
    EXPECT_EQ(p.m_attachZ, 2);  // inside: kept
    e.m_copyLayer = 3;
    p.m_attachY = 4;
    CanvasLayer::KeepInsideGrid(e, p, doc);
    EXPECT_EQ(e.m_copyLayer, 3);
    EXPECT_FALSE(p.HasAttach());
}

TEST(CanvasLayer, PasteCopiesTheSourceLayerCellByCell)
{
    CMiravelDoc doc;
    doc.SetGridSize(4, 4, 4);
    CEditState e;  // axis Y
    doc.SetCube(0, 1, 0, kRed);
    doc.SetCube(3, 1, 2, kBlue);
    doc.SetCube(2, 3, 2, kRed);   // on the target layer, empty in the source
    doc.SetCube(3, 3, 2, kBlue);  // already equal to its source
    CanvasLayer::PasteLayer(e, doc);  // nothing copied: nothing happens
    e.m_canvasPos = 1;
    CanvasLayer::Copy(e);
    CanvasLayer::PasteLayer(e, doc);  // onto itself: nothing changes or is recorded
    EXPECT_EQ(doc.m_history.Size(), 4u);

    e.m_canvasPos = 3;
    CanvasLayer::PasteLayer(e, doc);
    EXPECT_EQ(doc.GetCube(0, 3, 0), kRed);
    EXPECT_EQ(doc.GetCube(3, 3, 2), kBlue);
    EXPECT_EQ(doc.GetCube(2, 3, 2), CLR_NONE);
    // Two cells changed (one added, one removed): two records, undone one by one.
    EXPECT_EQ(doc.m_history.Size(), 6u);
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(2, 3, 2), kRed);
    EXPECT_EQ(doc.GetCube(0, 3, 0), kRed);
}

TEST(CanvasLayer, PasteToAllAsksFirstAndFillsEveryLayer)
{
    CMiravelDoc doc;  // 16 x 16 x 16
    CEditState e;
    e.m_canvasAxis = CanvasAxis::X;
    int asked = 0;
    EXPECT_FALSE(CanvasLayer::PasteLayerToAll(e, doc, [&] { return ++asked, true; }));
    EXPECT_EQ(asked, 0);  // nothing copied: no question

    doc.SetCube(4, 7, 9, kRed);
    e.m_canvasPos = 4;
    CanvasLayer::Copy(e);
    doc.SetCube(0, 0, 0, kBlue);  // another layer: emptied by the paste
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(CanvasLayer::PasteLayerToAll(e, doc, [&] { return ++asked, false; }));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(CanvasLayer::PasteLayerToAll(e, doc, [] { return true; }));
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(doc.GetCube(x, 7, 9), kRed) << x;
    EXPECT_EQ(doc.m_cubes.Count(), 16u);
    EXPECT_EQ(doc.m_history.Size(), 2u + 15 + 1);  // 15 added, 1 removed
}

} // namespace

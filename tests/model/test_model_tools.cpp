// The model tools through the document: each action is one step of the
// history, the grid's edges and size, hidden cubes, and the largest grid.
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);
using Cells = std::map<CUBEPOS, COLORREF>;

// A colour of its own for every cell.
COLORREF ColorOf(int x, int y, int z) { return RGB(std::uint8_t(x * 5), std::uint8_t(y * 5), std::uint8_t(z * 5)); }

void Resize(CMiravelDoc& doc, int x, int y, int z) { doc.SetGridSize(x, y, z); }

bool Apply(CMiravelDoc& doc, const ModelTools::Edit& edit) { return doc.ApplyAction(edit.changes, edit.size); }

GridSize SizeOf(const CMiravelDoc& doc) { return {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}; }

TEST(ToolHistory, AnActionIsOneStepAndTheEditorsOwnRecordsStayOnePerCell)
{
    CMiravelDoc doc;
    doc.SetCube(0, 0, 0, kRed);  // a click: one record, one step
    const Cells beforeFill = doc.m_cubes;
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.ApplyAction({{{1, 0, 0}, kBlue}, {{2, 0, 0}, kBlue}, {{0, 0, 0}, kBlue}}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_history.size(), 4u);
    EXPECT_EQ(doc.m_historyPos, 3);
    doc.SetCube(5, 5, 5, kGreen);

    doc.SetModifiedFlag(false);
    doc.HistoryBack();  // the click after the action
    EXPECT_EQ(doc.m_cubes.size(), 3u);
    doc.HistoryBack();  // the whole action at once
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_cubes, beforeFill);
    EXPECT_EQ(doc.m_historyPos, 0);
    doc.SetModifiedFlag(false);
    doc.HistoryForward();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_cubes.size(), 3u);
    EXPECT_EQ(doc.GetCube(0, 0, 0), kBlue);
    EXPECT_EQ(doc.m_historyPos, 3);

    // An action that changes nothing records nothing and keeps the redo branch.
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.ApplyAction({{{1, 0, 0}, kBlue}}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_history.size(), 5u);
    doc.HistoryForward();
    EXPECT_EQ(doc.GetCube(5, 5, 5), kGreen);
    // A new action after undo cuts the redo branch, action records included.
    doc.HistoryBack();
    doc.HistoryBack();
    ASSERT_TRUE(doc.ApplyAction({{{9, 9, 9}, kRed}}));
    EXPECT_EQ(doc.m_history.size(), 2u);
    doc.HistoryForward();
    EXPECT_EQ(doc.GetCube(5, 5, 5), CLR_NONE);
    // Undo back to nothing in two steps: the action, then the first click.
    doc.HistoryBack();
    doc.HistoryBack();
    EXPECT_TRUE(doc.m_cubes.empty());
    EXPECT_EQ(doc.m_historyPos, -1);
}

TEST(ToolMove, MovesOneCellRefusesAtTheEdgesAndUndoesAsOneStep)
{
    CMiravelDoc doc;
    Resize(doc, 4, 3, 5);
    doc.m_cubes = {{{0, 0, 0}, kRed}, {{1, 0, 0}, kBlue}, {{3, 2, 4}, kGreen}};
    doc.m_cubes[{7, 0, 0}] = kRed;  // hidden beyond the box: stays put
    // Each direction with a cube on that face of the box is refused.
    for (auto [dx, dy, dz] : {std::tuple(1, 0, 0), std::tuple(-1, 0, 0), std::tuple(0, 1, 0), std::tuple(0, -1, 0),
                              std::tuple(0, 0, 1), std::tuple(0, 0, -1)})
        EXPECT_FALSE(ModelTools::Move(doc, dx, dy, dz)) << dx << dy << dz;

    doc.m_cubes.erase({3, 2, 4});
    const Cells before = doc.m_cubes;
    ASSERT_TRUE(Apply(doc, *ModelTools::Move(doc, 1, 0, 0)));
    EXPECT_EQ(doc.m_cubes, (Cells{{{1, 0, 0}, kRed}, {{2, 0, 0}, kBlue}, {{7, 0, 0}, kRed}}));
    ASSERT_TRUE(Apply(doc, *ModelTools::Move(doc, 0, 1, 0)));
    ASSERT_TRUE(Apply(doc, *ModelTools::Move(doc, 0, 0, 1)));
    EXPECT_EQ(doc.m_cubes, (Cells{{{1, 1, 1}, kRed}, {{2, 1, 1}, kBlue}, {{7, 0, 0}, kRed}}));
    for (int i = 0; i < 3; ++i)
        doc.HistoryBack();
    EXPECT_EQ(doc.m_cubes, before);
    EXPECT_EQ(doc.m_historyPos, -1);

    // One cell: a cube cannot go anywhere; an empty grid moves nothing.
    CMiravelDoc one;
    Resize(one, 1, 1, 1);
    EXPECT_FALSE(Apply(one, *ModelTools::Move(one, 0, 0, 1)));
    one.SetCube(0, 0, 0, kRed);
    EXPECT_FALSE(ModelTools::Move(one, 0, 0, 1));
    EXPECT_FALSE(ModelTools::Move(one, -1, 0, 0));
}

TEST(ToolMove, TheLargestFullGridRefusesEveryMoveAndAHollowOneMovesEveryCube)
{
    CMiravelDoc doc;
    Resize(doc, 40, 40, 40);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            for (int z = 0; z < 40; ++z)
                doc.m_cubes[{x, y, z}] = ColorOf(x, y, z);
    EXPECT_FALSE(ModelTools::Move(doc, 1, 0, 0));
    EXPECT_FALSE(ModelTools::Move(doc, 0, -1, 0));
    // Without the top layer the rest moves up, every cube a cell, and comes
    // back with one step.
    for (int x = 0; x < 40; ++x)
        for (int z = 0; z < 40; ++z)
            doc.m_cubes.erase({x, 39, z});
    const Cells before = doc.m_cubes;
    ASSERT_TRUE(Apply(doc, *ModelTools::Move(doc, 0, 1, 0)));
    EXPECT_EQ(doc.m_cubes.size(), before.size());
    EXPECT_EQ(doc.GetCube(3, 39, 7), ColorOf(3, 38, 7));
    EXPECT_EQ(doc.GetCube(3, 0, 7), CLR_NONE);
    doc.HistoryBack();
    EXPECT_EQ(doc.m_cubes, before);
    doc.HistoryForward();
    EXPECT_EQ(doc.GetCube(0, 1, 0), ColorOf(0, 0, 0));
}

TEST(ToolTurn, TurnsClockwiseSwapsXAndZAndUndoesTheSizeWithTheCubes)
{
    CMiravelDoc doc;
    Resize(doc, 3, 2, 5);
    for (int x = 0; x < 3; ++x)
        for (int z = 0; z < 5; z += 2)
            doc.m_cubes[{x, 1, z}] = ColorOf(x, 1, z);
    doc.m_cubes[{3, 0, 0}] = kRed;  // hidden just beyond +X
    const Cells before = doc.m_cubes;

    ASSERT_TRUE(Apply(doc, ModelTools::Turn(doc, true)));
    EXPECT_EQ(SizeOf(doc), (GridSize{5, 2, 3}));
    // Seen from above, the +X end turns to the +Z end and the +Z end to -X.
    EXPECT_EQ(doc.GetCube(4, 1, 2), ColorOf(2, 1, 0));
    EXPECT_EQ(doc.GetCube(0, 1, 0), ColorOf(0, 1, 4));
    EXPECT_EQ(doc.GetCube(0, 1, 2), ColorOf(2, 1, 4));
    // The hidden cube stays outside the new box, and nothing is lost.
    EXPECT_EQ(doc.m_cubes.size(), before.size());
    EXPECT_EQ(doc.GetCube(4, 0, 3), kRed);

    doc.SetModifiedFlag(false);
    doc.HistoryBack();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(SizeOf(doc), (GridSize{3, 2, 5}));
    EXPECT_EQ(doc.m_cubes, before);
    doc.HistoryForward();
    EXPECT_EQ(SizeOf(doc), (GridSize{5, 2, 3}));
    // Back with a left turn; four right turns are the model again.
    ASSERT_TRUE(Apply(doc, ModelTools::Turn(doc, false)));
    EXPECT_EQ(doc.m_cubes, before);
    for (int i = 0; i < 4; ++i)
        Apply(doc, ModelTools::Turn(doc, true));
    EXPECT_EQ(doc.m_cubes, before);
    EXPECT_EQ(SizeOf(doc), (GridSize{3, 2, 5}));
    // Two right turns are a flip across X and one across Z.
    Apply(doc, ModelTools::Turn(doc, true));
    Apply(doc, ModelTools::Turn(doc, true));
    Apply(doc, ModelTools::Flip(doc, 0));
    Apply(doc, ModelTools::Flip(doc, 2));
    EXPECT_EQ(doc.m_cubes, before);
}

TEST(ToolFlip, OddAndEvenSizesKeepTheMiddleAndTwiceIsTheModel)
{
    for (int size : {1, 4, 5}) {
        CMiravelDoc doc;
        Resize(doc, size, 1, size);
        for (int i = 0; i < size; ++i)
            doc.m_cubes[{i, 0, 0}] = ColorOf(i, 0, 0);
        const Cells before = doc.m_cubes;
        const bool changes = Apply(doc, ModelTools::Flip(doc, 0));
        EXPECT_EQ(changes, size > 1) << size;
        for (int i = 0; i < size; ++i)
            EXPECT_EQ(doc.GetCube(i, 0, 0), ColorOf(size - 1 - i, 0, 0)) << size;
        Apply(doc, ModelTools::Flip(doc, 2));  // the row moves to the far z end
        EXPECT_EQ(doc.GetCube(0, 0, size - 1), ColorOf(size - 1, 0, 0)) << size;
        EXPECT_EQ(doc.m_cubes.size(), before.size());
        if (changes) {
            doc.HistoryBack();
            doc.HistoryBack();
            EXPECT_EQ(doc.m_cubes, before) << size;
        }
    }
}

TEST(ToolFitGrid, ShrinksToTheCubesAndLeavesAnEmptyModelAlone)
{
    CMiravelDoc doc;
    Resize(doc, 10, 8, 6);
    EXPECT_FALSE(Apply(doc, ModelTools::FitGrid(doc)));
    EXPECT_EQ(SizeOf(doc), (GridSize{10, 8, 6}));

    doc.m_cubes = {{{2, 3, 4}, kRed}, {{5, 3, 5}, kBlue}, {{12, 0, 0}, kGreen}};
    const Cells before = doc.m_cubes;
    ASSERT_TRUE(Apply(doc, ModelTools::FitGrid(doc)));
    EXPECT_EQ(SizeOf(doc), (GridSize{4, 1, 2}));
    EXPECT_EQ(doc.GetCube(0, 0, 0), kRed);
    EXPECT_EQ(doc.GetCube(3, 0, 1), kBlue);
    // The hidden cube moved with the model and is still outside the box.
    EXPECT_EQ(doc.GetCube(10, -3, -4), kGreen);
    // Fitting again changes nothing; undo gives back the grid and the places.
    EXPECT_FALSE(Apply(doc, ModelTools::FitGrid(doc)));
    doc.HistoryBack();
    EXPECT_EQ(SizeOf(doc), (GridSize{10, 8, 6}));
    EXPECT_EQ(doc.m_cubes, before);
}

TEST(ToolRegions, FillsStopAtTheLayersEdgesAndFollowOnlyFaces)
{
    CMiravelDoc doc;
    Resize(doc, 5, 3, 4);
    // A wall across the y = 1 layer at x = 2, except through z = 3.
    for (int z = 0; z < 3; ++z)
        doc.m_cubes[{2, 1, z}] = kRed;
    auto region = ModelTools::LayerRegion(doc, {0, 1, 0}, 1);
    EXPECT_EQ(region.size(), std::size_t(5 * 4 - 3));  // through the gap, the whole rest of the layer
    EXPECT_TRUE(std::all_of(region.begin(), region.end(), [](CUBEPOS p) { return p.y == 1; }));
    doc.m_cubes[{2, 1, 3}] = kRed;
    EXPECT_EQ(ModelTools::LayerRegion(doc, {0, 1, 0}, 1).size(), 8u);  // the layer's edge bounds it
    EXPECT_EQ(ModelTools::LayerRegion(doc, {2, 1, 1}, 1).size(), 4u);  // the wall itself
    EXPECT_EQ(ModelTools::LayerRegion(doc, {4, 2, 3}, 0).size(), 3u * 4 - 0);  // an empty x layer
    EXPECT_TRUE(ModelTools::LayerRegion(doc, {5, 0, 0}, 1).empty());

    // 6-connected, one colour: a diagonal neighbour and another colour stop it.
    doc.m_cubes[{2, 2, 0}] = kRed;  // above the wall: joined
    doc.m_cubes[{3, 0, 0}] = kRed;  // touches only an edge of the wall
    doc.m_cubes[{1, 1, 0}] = kBlue;
    const auto cubes = ModelTools::ColorRegion(doc, {2, 1, 0});
    EXPECT_EQ(cubes.size(), 5u);
    EXPECT_TRUE(ModelTools::ColorRegion(doc, {0, 0, 0}).empty());  // empty cell

    // One cell: the region is the cell; a fill and a replace on it are one step each.
    CMiravelDoc one;
    Resize(one, 1, 1, 1);
    ASSERT_EQ(ModelTools::LayerRegion(one, {0, 0, 0}, 2).size(), 1u);
    ASSERT_TRUE(Apply(one, ModelTools::Paint(ModelTools::LayerRegion(one, {0, 0, 0}, 2), kRed)));
    ASSERT_TRUE(Apply(one, ModelTools::ReplaceColor(one, kRed, kBlue)));
    EXPECT_EQ(one.GetCube(0, 0, 0), kBlue);
    one.HistoryBack();
    EXPECT_EQ(one.GetCube(0, 0, 0), kRed);
}

TEST(ToolReplace, RecolorsOnlyTheBoxesCubesOfThatColour)
{
    CMiravelDoc doc;
    Resize(doc, 4, 4, 4);
    doc.m_cubes = {{{0, 0, 0}, kRed}, {{3, 3, 3}, kRed}, {{1, 1, 1}, kBlue}, {{4, 0, 0}, kRed}};
    ASSERT_TRUE(Apply(doc, ModelTools::ReplaceColor(doc, kRed, kGreen)));
    EXPECT_EQ(doc.m_cubes, (Cells{{{0, 0, 0}, kGreen}, {{3, 3, 3}, kGreen}, {{1, 1, 1}, kBlue}, {{4, 0, 0}, kRed}}));
    EXPECT_EQ(doc.m_history.size(), 2u);
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(3, 3, 3), kRed);
}

} // namespace

// The model tools through the document: each action is one step of the
// history, the grid's edges and size, hidden cubes, and the largest grid.
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "tests/support/CubeCells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

// A colour of its own for every cell.
COLORREF ColorOf(int x, int y, int z) { return RGB(std::uint8_t(x * 5), std::uint8_t(y * 5), std::uint8_t(z * 5)); }


GridSize SizeOf(const CMiravelDoc& doc) { return {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}; }

TEST(ToolHistory, AnActionIsOneStepAndTheEditorsOwnRecordsStayOnePerCell)
{
    CMiravelDoc doc;
    doc.SetCube(0, 0, 0, kRed);  // a click: one record, one step
    const Cells beforeFill = CellsOf(doc.m_cubes);
    ASSERT_TRUE(doc.ApplyAction({{{1, 0, 0}, kBlue}, {{2, 0, 0}, kBlue}, {{0, 0, 0}, kBlue}}));
    EXPECT_EQ(doc.m_history.Size(), 4u);
    doc.SetCube(5, 5, 5, kGreen);
    doc.HistoryBack();  // the click after the action
    doc.HistoryBack();  // the whole action at once
    EXPECT_EQ(CellsOf(doc.m_cubes), beforeFill);
    EXPECT_EQ(doc.m_historyPos, 0);
    doc.HistoryForward();
    EXPECT_EQ(doc.m_cubes.Count(), 3u);
    EXPECT_EQ(doc.m_historyPos, 3);

    // An action that changes nothing records nothing and keeps the redo branch.
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.ApplyAction({{{1, 0, 0}, kBlue}}));
    EXPECT_FALSE(doc.IsModified());
    doc.HistoryForward();
    EXPECT_EQ(doc.GetCube(5, 5, 5), kGreen);
    // A new action after undo cuts the redo branch, action records included.
    doc.HistoryBack();
    doc.HistoryBack();
    ASSERT_TRUE(doc.ApplyAction({{{9, 9, 9}, kRed}}));
    EXPECT_EQ(doc.m_history.Size(), 2u);
    doc.HistoryBack();
    doc.HistoryBack();
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
    EXPECT_EQ(doc.m_historyPos, -1);
}

// Every transform on one lopsided model with a cube hidden beyond the box:
// a cube and the hidden one land where they must, undo takes the cubes and
// the size back in one step, redo repeats it, and the inverse tool undoes it.
TEST(ToolTransforms, EachLandsItsCubesUndoesAsOneStepAndHasAnInverse)
{
    using Tool = std::function<ModelTools::Edit(const CMiravelDoc&)>;
    const Tool left = [](auto& d) { return *ModelTools::Move(d, -1, 0, 0); };
    const struct {
        const char* name;
        Tool forward, inverse;
        CUBEPOS from, to, hiddenTo;
        GridSize size;
    } rows[] = {
        // Moves leave hidden cubes where they are.
        {"move +x", [](auto& d) { return *ModelTools::Move(d, 1, 0, 0); }, left, {0, 0, 0}, {1, 0, 0}, {7, 0, 0},
         {4, 2, 5}},
        // Seen from above, the +Z end turns to -X; the hidden cube turns too.
        {"turn right", [](auto& d) { return ModelTools::Turn(d, true); },
         [](auto& d) { return ModelTools::Turn(d, false); }, {1, 1, 4}, {0, 1, 1}, {4, 0, 7}, {5, 2, 4}},
        {"flip x", [](auto& d) { return ModelTools::Flip(d, 0); }, [](auto& d) { return ModelTools::Flip(d, 0); },
         {0, 0, 0}, {3, 0, 0}, {-4, 0, 0}, {4, 2, 5}},
        {"flip y", [](auto& d) { return ModelTools::Flip(d, 1); }, [](auto& d) { return ModelTools::Flip(d, 1); },
         {0, 0, 0}, {0, 1, 0}, {7, 1, 0}, {4, 2, 5}},
        {"flip z", [](auto& d) { return ModelTools::Flip(d, 2); }, [](auto& d) { return ModelTools::Flip(d, 2); },
         {1, 1, 4}, {1, 1, 0}, {7, 0, 4}, {4, 2, 5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CMiravelDoc doc;
        doc.SetGridSize(4, 2, 5);
        doc.m_cubes = StoreOf({{{0, 0, 0}, ColorOf(0, 0, 0)}, {{1, 1, 4}, ColorOf(1, 1, 4)}, {{2, 0, 1}, ColorOf(2, 0, 1)},
                       {{7, 0, 0}, kRed}});
        const Cells before = CellsOf(doc.m_cubes);
        ASSERT_TRUE(Apply(doc, row.forward(doc)));
        EXPECT_LE(doc.m_history.Size(), 3u);  // the action, not a record per cube
        EXPECT_EQ(SizeOf(doc), row.size);
        EXPECT_EQ(doc.m_cubes.Count(), before.size());
        EXPECT_EQ(doc.GetCube(row.to.x, row.to.y, row.to.z), before.at(row.from));
        EXPECT_EQ(doc.GetCube(row.hiddenTo.x, row.hiddenTo.y, row.hiddenTo.z), kRed);
        const Cells after = CellsOf(doc.m_cubes);

        doc.SetModifiedFlag(false);
        doc.HistoryBack();
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(SizeOf(doc), (GridSize{4, 2, 5}));
        EXPECT_EQ(CellsOf(doc.m_cubes), before);
        EXPECT_EQ(doc.m_historyPos, -1);
        doc.HistoryForward();
        EXPECT_EQ(SizeOf(doc), row.size);
        EXPECT_EQ(CellsOf(doc.m_cubes), after);
        ASSERT_TRUE(Apply(doc, row.inverse(doc)));
        EXPECT_EQ(CellsOf(doc.m_cubes), before);
        EXPECT_EQ(SizeOf(doc), (GridSize{4, 2, 5}));
    }

    // A flip keeps the middle of an odd side; one cell flips to itself.
    CMiravelDoc odd;
    odd.SetGridSize(5, 1, 1);
    odd.m_cubes = StoreOf({{{2, 0, 0}, kRed}, {{0, 0, 0}, kBlue}});
    ASSERT_TRUE(Apply(odd, ModelTools::Flip(odd, 0)));
    EXPECT_EQ(CellsOf(odd.m_cubes), (Cells{{{2, 0, 0}, kRed}, {{4, 0, 0}, kBlue}}));
    EXPECT_FALSE(Apply(odd, ModelTools::Flip(odd, 1)));

    // The largest grid turns and comes back.
    CMiravelDoc large;
    large.SetGridSize(1024, 1024, 32);
    large.m_cubes = StoreOf({{{1023, 5, 0}, kRed}, {{0, 1023, 31}, kBlue}});
    ASSERT_TRUE(Apply(large, ModelTools::Turn(large, true)));
    EXPECT_EQ(SizeOf(large), (GridSize{32, 1024, 1024}));
    EXPECT_EQ(CellsOf(large.m_cubes), (Cells{{{31, 5, 1023}, kRed}, {{0, 1023, 0}, kBlue}}));
    large.HistoryBack();
    EXPECT_EQ(SizeOf(large), (GridSize{1024, 1024, 32}));
    EXPECT_EQ(CellsOf(large.m_cubes), (Cells{{{1023, 5, 0}, kRed}, {{0, 1023, 31}, kBlue}}));
}

TEST(ToolMove, RefusesAtTheEdgesUpToTheLargestFullGrid)
{
    CMiravelDoc doc;
    doc.SetGridSize(4, 3, 5);
    doc.m_cubes = StoreOf({{{0, 0, 0}, kRed}, {{3, 2, 4}, kGreen}});
    // Each direction with a cube on that face of the box is refused.
    for (auto [dx, dy, dz] : {std::tuple(1, 0, 0), std::tuple(-1, 0, 0), std::tuple(0, 1, 0), std::tuple(0, -1, 0),
                              std::tuple(0, 0, 1), std::tuple(0, 0, -1)})
        EXPECT_FALSE(ModelTools::Move(doc, dx, dy, dz)) << dx << dy << dz;
    // A move of several cells is refused by a cube that one cell would not stop.
    CMiravelDoc one;
    one.m_cubes = {{{13, 1, 2}, kRed}};
    EXPECT_FALSE(ModelTools::Move(one, 3, -1, 0));
    EXPECT_FALSE(ModelTools::Move(one, 0, -2, 0));
    ASSERT_TRUE(Apply(one, *ModelTools::Move(one, 2, -1, 13)));
    EXPECT_EQ(CellsOf(one.m_cubes), (Cells{{{15, 0, 15}, kRed}}));
    // An empty grid moves nothing.
    CMiravelDoc empty;
    EXPECT_FALSE(Apply(empty, *ModelTools::Move(empty, 0, 0, 1)));

    // The largest full grid goes nowhere; without its top layer every cube
    // moves up a cell and comes back with one step.
    doc.SetGridSize(40, 40, 40);
    for (int i = 0; i < 64000; ++i)
        doc.m_cubes.Set({i / 1600, i / 40 % 40, i % 40}, ColorOf(i / 1600, i / 40 % 40, i % 40));
    EXPECT_FALSE(ModelTools::Move(doc, 0, -1, 0));
    for (int i = 0; i < 1600; ++i)
        doc.m_cubes.Set({i / 40, 39, i % 40}, CLR_NONE);
    const Cells before = CellsOf(doc.m_cubes);
    // Stopped through its progress, the move leaves model and history alone.
    EXPECT_FALSE(ModelTools::Apply(doc, *ModelTools::Move(doc, 0, 1, 0), [](std::int64_t, std::int64_t) { return false; }));
    EXPECT_EQ(doc.m_history.Size(), 0u);
    ASSERT_TRUE(Apply(doc, *ModelTools::Move(doc, 0, 1, 0)));
    EXPECT_EQ(doc.m_cubes.Count(), before.size());
    EXPECT_EQ(doc.GetCube(3, 39, 7), ColorOf(3, 38, 7));
    EXPECT_EQ(doc.GetCube(3, 0, 7), CLR_NONE);
    doc.HistoryBack();
    EXPECT_EQ(CellsOf(doc.m_cubes), before);
}

TEST(ToolFitGrid, FitAndCropShrinkTheGridAndUndoInOneStep)
{
    CMiravelDoc doc;
    doc.SetGridSize(10, 8, 6);
    EXPECT_FALSE(Apply(doc, ModelTools::FitGrid(doc)));
    EXPECT_EQ(SizeOf(doc), (GridSize{10, 8, 6}));

    doc.m_cubes = StoreOf({{{2, 3, 4}, kRed}, {{5, 3, 5}, kBlue}, {{12, 0, 0}, kGreen}});
    const Cells before = CellsOf(doc.m_cubes);
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
    EXPECT_EQ(CellsOf(doc.m_cubes), before);

    // A crop erases what it cuts away and moves the rest, the hidden cube
    // too; one undo takes all of it back, and redo does it again.
    ASSERT_TRUE(Apply(doc, *ModelTools::Crop(doc, {2, 3, 4}, {4, 3, 5})));
    const Cells cropped{{{0, 0, 0}, kRed}, {{10, -3, -4}, kGreen}};
    EXPECT_EQ(CellsOf(doc.m_cubes), cropped);
    doc.HistoryBack();
    EXPECT_EQ(SizeOf(doc), (GridSize{10, 8, 6}));
    EXPECT_EQ(CellsOf(doc.m_cubes), before);
    doc.HistoryForward();
    EXPECT_EQ(SizeOf(doc), (GridSize{3, 1, 2}));
    EXPECT_EQ(CellsOf(doc.m_cubes), cropped);
}

TEST(ToolRegions, FillsStopAtTheLayersEdgesAndFollowOnlyFaces)
{
    CMiravelDoc doc;
    doc.SetGridSize(5, 3, 4);
    // A wall across the y = 1 layer at x = 2, except through z = 3.
    for (int z = 0; z < 3; ++z)
        doc.m_cubes.Set({2, 1, z}, kRed);
    auto region = ModelTools::LayerRegion(doc, {0, 1, 0}, 1);
    EXPECT_EQ(region.size(), std::size_t(5 * 4 - 3));  // through the gap, the whole rest of the layer
    EXPECT_TRUE(std::all_of(region.begin(), region.end(), [](CUBEPOS p) { return p.y == 1; }));
    doc.m_cubes.Set({2, 1, 3}, kRed);
    EXPECT_EQ(ModelTools::LayerRegion(doc, {0, 1, 0}, 1).size(), 8u);  // the layer's edge bounds it
    EXPECT_EQ(ModelTools::LayerRegion(doc, {2, 1, 1}, 1).size(), 4u);  // the wall itself
    EXPECT_TRUE(ModelTools::LayerRegion(doc, {5, 0, 0}, 1).empty());

    // 6-connected, one colour: a diagonal neighbour and another colour stop it.
    doc.m_cubes.Set({2, 2, 0}, kRed);  // above the wall: joined
    doc.m_cubes.Set({3, 0, 0}, kRed);  // touches only an edge of the wall
    doc.m_cubes.Set({1, 1, 0}, kBlue);
    EXPECT_EQ(ModelTools::ColorRegion(doc, {2, 1, 0}).size(), 5u);
    EXPECT_TRUE(ModelTools::ColorRegion(doc, {0, 0, 0}).empty());  // empty cell
}

TEST(ToolReplace, RecolorsOnlyTheBoxesCubesOfThatColour)
{
    CMiravelDoc doc;
    doc.SetGridSize(4, 4, 4);
    doc.m_cubes = StoreOf({{{0, 0, 0}, kRed}, {{3, 3, 3}, kRed}, {{1, 1, 1}, kBlue}, {{4, 0, 0}, kRed}});
    ASSERT_TRUE(Apply(doc, ModelTools::ReplaceColor(doc, kRed, kGreen)));
    EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{0, 0, 0}, kGreen}, {{3, 3, 3}, kGreen}, {{1, 1, 1}, kBlue}, {{4, 0, 0}, kRed}}));
}

} // namespace

// The nearest colour is the nearest as seen (Oklab), not in RGB: mid-grey 45
// goes to black, 46 to grey; orange-red 87 to red, 88 to orange (RGB would
// split them at 64). Of equal colours the first is taken; colours a model
// already holds stay. A remap of the model is one step of the history.
TEST(PaletteRemap, TakesThePerceptuallyNearestColourAsOneStep)
{
    const std::vector<COLORREF> palette = {0, RGB(128, 128, 128), RGB(255, 0, 0), RGB(255, 128, 0), RGB(255, 128, 0)};
    const struct {
        COLORREF from, to;
    } rows[] = {
        {RGB(45, 45, 45), 0},
        {RGB(46, 46, 46), RGB(128, 128, 128)},
        {RGB(255, 87, 0), RGB(255, 0, 0)},
        {RGB(255, 88, 0), RGB(255, 128, 0)},
        {RGB(255, 64, 0), RGB(255, 0, 0)},
        {RGB(255, 128, 0), RGB(255, 128, 0)},
    };
    CMiravelDoc doc;
    for (int i = 0; i < int(std::size(rows)); ++i)
        for (int n = 0; n <= i; ++n)  // the later rows' colours more used
            doc.SetCube(i, n, 0, rows[i].from);
    doc.SetCube(20, 0, 0, kBlue);  // outside the box: not part of the model
    doc.SetGridSize(10, 10, 10);
    doc.m_palette = {kGreen, RGB(255, 64, 0)};
    const std::vector<COLORREF> listed = {kGreen,          RGB(255, 64, 0), RGB(255, 128, 0), RGB(255, 88, 0),
                                          RGB(255, 87, 0), RGB(46, 46, 46), RGB(45, 45, 45)};
    EXPECT_EQ(ModelTools::ModelPalette(doc), listed);

    const std::size_t steps = doc.m_history.Size();
    ASSERT_TRUE(Apply(doc, ModelTools::RemapToPalette(doc, palette)));
    for (int i = 0; i < int(std::size(rows)); ++i)
        EXPECT_EQ(doc.GetCube(i, 0, 0), rows[i].to) << i;
    EXPECT_EQ(doc.GetCube(20, 0, 0), kBlue);
    doc.HistoryBack();
    EXPECT_EQ(doc.m_history.Size() - steps, 5u + 4 + 3 + 2 + 1);  // every changed cube, one step
    EXPECT_EQ(doc.GetCube(3, 3, 0), RGB(255, 88, 0));
    EXPECT_EQ(doc.GetCube(0, 0, 0), RGB(45, 45, 45));
}

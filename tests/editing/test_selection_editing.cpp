// The selection's operations on one small model: where the cubes land,
// where the selection goes, and that each change is one undo step.
#include "editing/SelectionEditing.h"
#include "model/CMiravelDoc.h"
#include "tests/support/CubeCells.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

struct Row {
    const char* name;
    std::function<void(CSelectionState&, CMiravelDoc&)> run;
    Cells expected;             // the model afterwards; empty when refused
    std::optional<CellBox> box; // the selection afterwards
    GridSize size = {6, 3, 6};
};

TEST(SelectionEditing, EachOperationLandsItsCubesMovesTheBoxAndUndoesInOneStep)
{
    // Three cubes in the selection 1..2 x 0..1 x 1..2, one just beside it
    // on +X and one far off.
    const Cells model = {{{1, 0, 1}, kRed}, {{2, 0, 1}, kBlue}, {{1, 1, 2}, kGreen}, {{3, 0, 1}, kGreen}, {{4, 0, 4}, kRed}};
    const CellBox sel{{1, 0, 1}, {2, 1, 2}};
    using namespace SelectionEditing;
    const Row rows[] = {
        {"delete", [](auto& s, auto& d) { EXPECT_TRUE(Delete(s, d)); },
         {{{3, 0, 1}, kGreen}, {{4, 0, 4}, kRed}}, sel},
        {"fill", [](auto& s, auto& d) { EXPECT_TRUE(Fill(s, d, kRed)); },
         {{{1, 0, 1}, kRed}, {{1, 0, 2}, kRed}, {{1, 1, 1}, kRed}, {{1, 1, 2}, kRed}, {{2, 0, 1}, kRed},
          {{2, 0, 2}, kRed}, {{2, 1, 1}, kRed}, {{2, 1, 2}, kRed}, {{3, 0, 1}, kGreen}, {{4, 0, 4}, kRed}}, sel},
        // The blue cube lands on the green one beside the box and replaces it.
        {"move +x", [](auto& s, auto& d) { EXPECT_EQ(Move(s, d, 1, 0, 0), Outcome::Done); },
         {{{2, 0, 1}, kRed}, {{3, 0, 1}, kBlue}, {{2, 1, 2}, kGreen}, {{4, 0, 4}, kRed}},
         CellBox{{2, 0, 1}, {3, 1, 2}}},
        {"move -y refused", [](auto& s, auto& d) { EXPECT_EQ(Move(s, d, 0, -1, 0), Outcome::Refused); }, {}, sel},
        {"turn right", [](auto& s, auto& d) { EXPECT_EQ(Turn(s, d, true), Outcome::Done); },
         {{{2, 0, 1}, kRed}, {{2, 0, 2}, kBlue}, {{1, 1, 1}, kGreen}, {{3, 0, 1}, kGreen}, {{4, 0, 4}, kRed}}, sel},
        {"flip x", [](auto& s, auto& d) { EXPECT_TRUE(Flip(s, d, 0)); },
         {{{2, 0, 1}, kRed}, {{1, 0, 1}, kBlue}, {{2, 1, 2}, kGreen}, {{3, 0, 1}, kGreen}, {{4, 0, 4}, kRed}}, sel},
        {"crop", [](auto& s, auto& d) { EXPECT_TRUE(Crop(s, d)); },
         {{{0, 0, 0}, kRed}, {{1, 0, 0}, kBlue}, {{0, 1, 1}, kGreen}}, CellBox{{0, 0, 0}, {1, 1, 1}}, {2, 2, 2}},
        // The whole grid moves as the model does, kept as one action.
        {"all, move +z",
         [](auto& s, auto& d) {
             SelectAll(s, d);
             EXPECT_EQ(Move(s, d, 0, 0, 1), Outcome::Done);
             EXPECT_EQ(d.m_history.Size(), 1u);
         },
         {{{1, 0, 2}, kRed}, {{2, 0, 2}, kBlue}, {{1, 1, 3}, kGreen}, {{3, 0, 2}, kGreen}, {{4, 0, 5}, kRed}},
         CellBox{{0, 0, 0}, {5, 2, 5}}},
        // Copied, then floating from the sight cell (no selection), moved
        // one cell and put down: the green cube hangs over the top and is
        // dropped; empty cells of the block erase nothing.
        {"paste",
         [](auto& s, auto& d) {
             CubeBlock block = *Copy(s, d);
             Drop(s);
             const CUBEPOS sight{4, 2, 4};
             StartPaste(s, d, std::move(block), &sight);
             EXPECT_EQ(d.m_history.Size(), 0u);
             EXPECT_EQ(Move(s, d, -1, 0, 0), Outcome::Done);
             EXPECT_EQ(Move(s, d, 0, 5, 0), Outcome::Refused);
             const auto done = PutDown(s, d);
             ASSERT_TRUE(done);
             EXPECT_EQ(done->dropped, 1u);
             EXPECT_EQ(done->placed, 2u);
         },
         {{{1, 0, 1}, kRed}, {{2, 0, 1}, kBlue}, {{1, 1, 2}, kGreen}, {{3, 0, 1}, kGreen}, {{4, 0, 4}, kRed},
          {{3, 2, 4}, kRed}, {{4, 2, 4}, kBlue}},
         CellBox{{3, 2, 4}, {4, 2, 5}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CMiravelDoc doc;
        doc.SetGridSize(6, 3, 6);
        doc.m_cubes = StoreOf(model);
        CSelectionState state;
        state.m_box = sel;
        row.run(state, doc);
        EXPECT_EQ(state.m_box, row.box);
        EXPECT_FALSE(state.m_paste);
        if (row.expected.empty()) {
            EXPECT_EQ(CellsOf(doc.m_cubes), model);
            EXPECT_EQ(doc.m_historyPos, -1);
            continue;
        }
        EXPECT_EQ(CellsOf(doc.m_cubes), row.expected);
        EXPECT_EQ((GridSize{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}), row.size);
        doc.HistoryBack();
        EXPECT_EQ(CellsOf(doc.m_cubes), model);
        EXPECT_EQ((GridSize{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}), (GridSize{6, 3, 6}));
        EXPECT_EQ(doc.m_historyPos, -1);
        doc.HistoryForward();
        EXPECT_EQ(CellsOf(doc.m_cubes), row.expected);
    }
}

} // namespace

// The document: cube store, grid box, views, the document services and the
// edit history, step by step (position and records after every step).
#include "model/CMiravelDoc.h"
#include "tests/support/CubeCells.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

struct RecordingView : CDocView {
    int updates = 0, resets = 0;
    std::vector<CUBEPOS> cells;
    void OnUpdate(CDocView*, long) override { ++updates; }
    void OnCubeChanged(const CUBEPOS& p) override { cells.push_back(p); }
    void OnModelReset() override { ++resets; }
};

TEST(Document, ReplacedAndNewModelsKeepNothingOfTheOldOne)
{
    CMiravelDoc doc;
    doc.SetDefaultTitle(QStringLiteral("ミラヴェル"));
    RecordingView view;
    doc.AddView(&view);
    doc.SetCube(1, 1, 1, RGB(1, 2, 3));
    doc.m_cubes.Set({30, 0, 0}, RGB(4, 5, 6)); // hidden outside the box
    doc.SetPathName(QStringLiteral("/tmp/some/model.mvf"));
    doc.SetModifiedFlag(false);

    // A replaced model is untitled and modified.
    doc.ReplaceModel(40, 2, 3, StoreOf({{{0, 0, 0}, RGB(7, 8, 9)}, {{39, 1, 2}, RGB(10, 11, 12)}}));
    EXPECT_EQ(std::tuple(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ), std::tuple(40, 2, 3));
    EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{0, 0, 0}, RGB(7, 8, 9)}, {{39, 1, 2}, RGB(10, 11, 12)}}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("ミラヴェル"));
    EXPECT_EQ(std::pair(view.resets, view.updates), std::pair(1, 2));
    // Undo has nothing of the old model to bring back.
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(1, 1, 1), CLR_NONE);

    // A new document is the empty default grid, unmodified, with no history.
    doc.SetCube(1, 1, 1, RGB(1, 2, 3));
    doc.SetPathName(QStringLiteral("/tmp/some/model.mvf"));
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(std::tuple(doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ), std::tuple(16, 16, 16));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("ミラヴェル"));
    doc.HistoryBack();
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
}

TEST(Document, ViewsHearEachChangedCellUntilRemovedAndClearCannotBeUndone)
{
    CMiravelDoc doc;
    RecordingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&a); // registering twice changes nothing
    doc.SetCube(1, 2, 3, RGB(9, 9, 9));
    // Unchanged cells leave no record, no modified flag and no redraw.
    doc.SetModifiedFlag(false);
    doc.SetCube(1, 2, 3, RGB(9, 9, 9));
    doc.RemoveCube(7, 7, 7);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_history.Size(), 1u);
    doc.RemoveCube(1, 2, 3);
    doc.HistoryBack(); // history steps change the store but do not update views
    EXPECT_EQ(a.updates, 2);
    EXPECT_EQ(b.updates, 2);
    EXPECT_EQ(a.cells, std::vector<CUBEPOS>(3, CUBEPOS{1, 2, 3}));

    doc.RemoveView(&b);
    doc.SetCube(99, 99, 99, RGB(1, 1, 1)); // outside the box: cleared too
    doc.ClearAllCubes();
    EXPECT_EQ(std::pair(a.updates, a.resets), std::pair(4, 1));
    EXPECT_EQ(std::pair(b.updates, b.resets), std::pair(2, 0));
    EXPECT_TRUE(doc.m_history.IsEmpty());
    doc.HistoryBack();
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
    // Even on an empty model a clear marks the document.
    doc.SetModifiedFlag(false);
    doc.ClearAllCubes();
    EXPECT_TRUE(doc.IsModified());
}

TEST(Document, GridSizeRules)
{
    const std::tuple<std::int64_t, std::int64_t, std::int64_t, bool> rows[] = {
        // Any product the size dialog takes, or sides up to 1024 and 2^25 cells.
        {1, 1, 1, true}, {64000, 1, 1, true}, {64001, 1, 1, false}, {1, 1, 1024, true}, {1024, 1024, 32, true},
        {1024, 1024, 33, false}, {1025, 64, 1, false}, {1025, 62, 1, true}, {0, 16, 16, false},
        // A product in range from negative sides; products that wrap to 4096 and 0 in 32 bits.
        {16, -1, 16, false}, {-4, -4, 4, false}, {4096, 1048577, 1, false}, {65536, 65536, 1, false},
        {2147483647, 2147483647, 2147483647, false},
    };
    for (const auto& [x, y, z, valid] : rows)
        EXPECT_EQ(CMiravelDoc::IsValidGridSize(x, y, z), valid) << x << " x " << y << " x " << z;
}

TEST(History, StepsBackAndForwardAndANewEditCutsTheRedoBranch)
{
    CMiravelDoc doc;
    doc.SetCube(1, 2, 3, kRed);
    doc.SetCube(4, 5, 6, kBlue);
    // Each step taken marks the document modified (as after a save).
    doc.SetModifiedFlag(false);
    doc.HistoryBack();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{1, 2, 3}, kRed}}));
    doc.HistoryBack();
    doc.SetModifiedFlag(false);
    doc.HistoryBack(); // nothing more to undo: stays put
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_historyPos, -1);
    EXPECT_TRUE(doc.m_cubes.IsEmpty());
    doc.HistoryForward();
    EXPECT_TRUE(doc.IsModified());
    doc.HistoryForward();
    doc.SetModifiedFlag(false);
    doc.HistoryForward(); // already at the newest record
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{1, 2, 3}, kRed}, {{4, 5, 6}, kBlue}}));

    // One cell recoloured, then removed: each step back restores the colour before.
    doc.SetCube(0, 0, 0, kRed);
    doc.SetCube(0, 0, 0, kBlue);
    doc.RemoveCube(0, 0, 0);
    EXPECT_EQ(doc.m_history.Back(), (CUBERECORD{0, 0, 0, kBlue, CLR_NONE}));
    for (COLORREF before : {kBlue, kRed, CLR_NONE}) {
        doc.HistoryBack();
        EXPECT_EQ(doc.GetCube(0, 0, 0), before);
    }
    // Back to the first record, then a new edit: the rest is gone.
    doc.HistoryBack();
    doc.SetCube(5, 0, 0, kBlue);
    doc.HistoryForward(); // nothing left to redo
    EXPECT_EQ(doc.m_history.ToVector(), (std::vector<CUBERECORD>{{1, 2, 3, CLR_NONE, kRed}, {5, 0, 0, CLR_NONE, kBlue}}));
    EXPECT_EQ(CellsOf(doc.m_cubes), (Cells{{{1, 2, 3}, kRed}, {{5, 0, 0}, kBlue}}));
}

TEST(History, TheLimitDropsTheOldestWholeUndoStepsButNeverTheNewest)
{
    constexpr std::size_t kRecord = CEditHistory::kRecordBytes;
    CMiravelDoc doc;
    // A cell far out keeps its coordinates beside its record and comes back exactly.
    doc.SetCube(1 << 20, -(1 << 21), 3, kRed);
    doc.HistoryBack();
    doc.HistoryForward();
    EXPECT_EQ(doc.m_history.Back(), (CUBERECORD{1 << 20, -(1 << 21), 3, CLR_NONE, kRed}));
    ASSERT_TRUE(doc.ApplyAction({{{0, 0, 0}, kRed}, {{1, 0, 0}, kRed}, {{2, 0, 0}, kRed}}));  // one step
    doc.SetCube(5, 5, 5, kBlue);
    doc.HistoryBack();  // a redo step now, which counts but is never dropped
    doc.SetModifiedFlag(false);
    const Cells model = CellsOf(doc.m_cubes);
    EXPECT_EQ(doc.m_history.MemoryBytes(), 5 * kRecord + sizeof(CUBEPOS));

    doc.SetHistoryLimit(4 * kRecord);  // the far cell goes; the action fits
    EXPECT_EQ(std::pair(doc.m_history.Size(), doc.m_historyPos), std::pair(std::size_t(4), 2));
    doc.SetHistoryLimit(3 * kRecord);  // the action goes whole; the redo step stays
    EXPECT_EQ(std::pair(doc.m_history.Size(), doc.m_historyPos), std::pair(std::size_t(1), -1));
    doc.SetHistoryLimit(0);
    EXPECT_EQ(doc.m_history.Size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(CellsOf(doc.m_cubes), model);
    doc.HistoryForward();
    EXPECT_EQ(doc.GetCube(5, 5, 5), kBlue);
    // With no room at all only the newest step is kept.
    doc.SetCube(6, 6, 6, kBlue);
    EXPECT_EQ(doc.m_history.ToVector(), (std::vector<CUBERECORD>{{6, 6, 6, CLR_NONE, kBlue}}));
}

TEST(History, SameChangeAfterAnUnrecordedEditIsRefusedExceptAtPositionZero)
{
    // The store changes behind the history's back (as a load used to do).
    CMiravelDoc doc;
    doc.SetCube(0, 0, 0, kRed);
    doc.m_cubes.Clear();
    EXPECT_TRUE(doc.RecordChange(0, 0, 0, kRed)); // position 0 is not tested
    EXPECT_FALSE(doc.RecordChange(0, 0, 0, kRed));
    EXPECT_EQ(doc.m_history.Size(), 2u);
    EXPECT_TRUE(doc.RecordChange(0, 0, 0, kBlue)); // another colour is a new change
}

} // namespace

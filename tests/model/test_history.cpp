// The edit history, step by step: position and records after every step.
#include "model/CMiravelDoc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

struct Counter : CDocView {
    int updates = 0;
    void OnUpdate(CDocView*, long) override { ++updates; }
};

class HistoryTest : public ::testing::Test {
protected:
    CMiravelDoc doc;
    Counter view;
    void SetUp() override { doc.AddView(&view); }
    void TearDown() override
    {
        // The invariant the rest of the editor relies on.
        EXPECT_GE(doc.m_historyPos, -1);
        EXPECT_LT(doc.m_historyPos, std::int32_t(doc.m_history.size()));
        if (doc.m_history.empty()) {
            EXPECT_EQ(doc.m_historyPos, -1);
        }
    }
};

TEST_F(HistoryTest, BackAndForwardOverTwoCells)
{
    doc.SetCube(1, 2, 3, kRed);
    doc.SetCube(4, 5, 6, kBlue);
    ASSERT_EQ(doc.m_history.size(), 2u);
    EXPECT_EQ(doc.m_history[0], (CUBERECORD{1, 2, 3, CLR_NONE, kRed}));
    EXPECT_EQ(doc.m_history[1], (CUBERECORD{4, 5, 6, CLR_NONE, kBlue}));
    EXPECT_EQ(doc.m_historyPos, 1);

    doc.HistoryBack();
    EXPECT_EQ(doc.m_historyPos, 0);
    EXPECT_EQ(doc.GetCube(4, 5, 6), CLR_NONE);
    EXPECT_EQ(doc.GetCube(1, 2, 3), kRed);
    doc.HistoryBack();
    EXPECT_EQ(doc.m_historyPos, -1);
    EXPECT_TRUE(doc.m_cubes.empty());

    // Nothing more to undo: stays put.
    doc.HistoryBack();
    EXPECT_EQ(doc.m_historyPos, -1);
    EXPECT_TRUE(doc.m_cubes.empty());

    doc.HistoryForward();
    EXPECT_EQ(doc.m_historyPos, 0);
    EXPECT_EQ(doc.GetCube(1, 2, 3), kRed);
    EXPECT_EQ(doc.GetCube(4, 5, 6), CLR_NONE);
    doc.HistoryForward();
    doc.HistoryForward(); // already at the newest record
    EXPECT_EQ(doc.m_historyPos, 1);
    EXPECT_EQ(doc.GetCube(4, 5, 6), kBlue);
    EXPECT_EQ(doc.m_history.size(), 2u);
}

TEST_F(HistoryTest, RecolouringOneCellUndoesThroughEachColour)
{
    doc.SetCube(0, 0, 0, kRed);
    doc.SetCube(0, 0, 0, kBlue);
    EXPECT_EQ(doc.m_history[1], (CUBERECORD{0, 0, 0, kRed, kBlue}));
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(0, 0, 0), kRed);
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(0, 0, 0), CLR_NONE);
    // Removing is recorded with an empty new colour and undone to the old one.
    doc.HistoryForward();
    doc.HistoryForward();
    doc.RemoveCube(0, 0, 0);
    EXPECT_EQ(doc.m_history.back(), (CUBERECORD{0, 0, 0, kBlue, CLR_NONE}));
    doc.HistoryBack();
    EXPECT_EQ(doc.GetCube(0, 0, 0), kBlue);
}

TEST_F(HistoryTest, RecordingAfterStepsBackDiscardsTheRedoBranch)
{
    doc.SetCube(1, 0, 0, kRed);   // A
    doc.SetCube(2, 0, 0, kRed);   // B
    doc.SetCube(3, 0, 0, kRed);   // C
    doc.HistoryBack();
    doc.HistoryBack();
    doc.SetCube(4, 0, 0, kGreen); // D
    ASSERT_EQ(doc.m_history.size(), 2u);
    EXPECT_EQ(doc.m_history[0].x, 1);
    EXPECT_EQ(doc.m_history[1].x, 4);
    EXPECT_EQ(doc.m_historyPos, 1);
    doc.HistoryForward();
    EXPECT_EQ(doc.m_historyPos, 1);
    EXPECT_EQ(doc.GetCube(2, 0, 0), CLR_NONE);
    EXPECT_EQ(doc.GetCube(3, 0, 0), CLR_NONE);

    // Back over everything, then a new edit: only that edit remains.
    doc.HistoryBack();
    doc.HistoryBack();
    EXPECT_EQ(doc.m_historyPos, -1);
    doc.SetCube(5, 0, 0, kBlue);
    ASSERT_EQ(doc.m_history.size(), 1u);
    EXPECT_EQ(doc.m_history[0], (CUBERECORD{5, 0, 0, CLR_NONE, kBlue}));
    EXPECT_EQ(doc.m_historyPos, 0);
}

TEST_F(HistoryTest, UnchangedCellsLeaveNoRecordFlagOrRedraw)
{
    doc.RemoveCube(3, 3, 3);
    EXPECT_TRUE(doc.m_history.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.updates, 0);

    doc.SetCube(3, 3, 3, kRed);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.updates, 1);
    doc.SetModifiedFlag(false);
    doc.SetCube(3, 3, 3, kRed);
    EXPECT_EQ(doc.m_history.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.updates, 1);
}

TEST_F(HistoryTest, SameChangeAfterAnUnrecordedEditIsRefusedExceptAtPositionZero)
{
    doc.SetCube(0, 0, 0, kRed);
    doc.SetCube(1, 0, 0, kRed);
    // The store changes behind the history's back (as a load used to do).
    doc.m_cubes.erase(CUBEPOS{1, 0, 0});
    EXPECT_FALSE(doc.RecordChange(1, 0, 0, kRed));
    EXPECT_EQ(doc.m_history.size(), 2u);
    // A different colour for the same cell is a new change.
    EXPECT_TRUE(doc.RecordChange(1, 0, 0, kBlue));

    CMiravelDoc single;
    single.SetCube(0, 0, 0, kRed);
    single.m_cubes.clear();
    EXPECT_TRUE(single.RecordChange(0, 0, 0, kRed)); // position 0 is not tested
}

TEST_F(HistoryTest, ManySingleCellRecordsUndoOneCellPerStep)
{
    // A layer pasted cell by cell: 16 x 16 records, undone one at a time.
    for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z)
            doc.SetCube(x, 3, z, RGB(x * 10, 0, z * 10));
    ASSERT_EQ(doc.m_history.size(), 256u);
    for (int step = 255; step >= 0; --step) {
        const CUBERECORD r = doc.m_history[size_t(step)];
        ASSERT_NE(doc.GetCube(r.x, r.y, r.z), CLR_NONE);
        doc.HistoryBack();
        EXPECT_EQ(doc.GetCube(r.x, r.y, r.z), CLR_NONE);
        EXPECT_EQ(doc.m_cubes.size(), size_t(step));
    }
    for (int step = 0; step < 256; ++step)
        doc.HistoryForward();
    EXPECT_EQ(doc.m_cubes.size(), 256u);
    EXPECT_EQ(doc.GetCube(15, 3, 15), RGB(150, 0, 150));
}

TEST_F(HistoryTest, ClearEmptiesStoreAndHistoryAndCannotBeUndone)
{
    doc.ClearAllCubes(); // on an empty model it still marks the document
    EXPECT_TRUE(doc.IsModified());
    doc.SetCube(1, 1, 1, kRed);
    doc.SetCube(99, 99, 99, kBlue); // outside the box: cleared too
    doc.ClearAllCubes();
    EXPECT_TRUE(doc.m_cubes.empty());
    EXPECT_TRUE(doc.m_history.empty());
    EXPECT_EQ(doc.m_historyPos, -1);
    doc.HistoryBack();
    EXPECT_TRUE(doc.m_cubes.empty());
}

} // namespace

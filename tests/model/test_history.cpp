// The edit history, step by step: position and records after every step.
#include "model/CMiravelDoc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
using Cells = std::map<CUBEPOS, COLORREF>;

TEST(History, StepsBackAndForward)
{
    CMiravelDoc doc;
    doc.SetCube(1, 2, 3, kRed);
    doc.SetCube(4, 5, 6, kBlue);
    // Each step taken marks the document modified (as after a save).
    doc.SetModifiedFlag(false);
    doc.HistoryBack();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_cubes, (Cells{{{1, 2, 3}, kRed}}));
    doc.HistoryBack();
    doc.SetModifiedFlag(false);
    doc.HistoryBack(); // nothing more to undo: stays put
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_historyPos, -1);
    EXPECT_TRUE(doc.m_cubes.empty());
    doc.HistoryForward();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_cubes, (Cells{{{1, 2, 3}, kRed}}));
    doc.HistoryForward();
    doc.SetModifiedFlag(false);
    doc.HistoryForward(); // already at the newest record
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_historyPos, 1);
    EXPECT_EQ(doc.m_cubes, (Cells{{{1, 2, 3}, kRed}, {{4, 5, 6}, kBlue}}));

    // One cell recoloured, then removed: each step back restores the colour before.
    doc.SetCube(0, 0, 0, kRed);
    doc.SetCube(0, 0, 0, kBlue);
    doc.RemoveCube(0, 0, 0);
    EXPECT_EQ(doc.m_history.back(), (CUBERECORD{0, 0, 0, kBlue, CLR_NONE}));
    for (COLORREF before : {kBlue, kRed, CLR_NONE}) {
        doc.HistoryBack();
        EXPECT_EQ(doc.GetCube(0, 0, 0), before);
    }
}

TEST(History, RecordingAfterStepsBackDiscardsTheRedoBranch)
{
    CMiravelDoc doc;
    for (int x = 1; x <= 3; ++x)
        doc.SetCube(x, 0, 0, kRed);
    doc.HistoryBack();
    doc.HistoryBack();
    doc.SetCube(4, 0, 0, kBlue);
    doc.HistoryForward(); // nothing left to redo
    EXPECT_EQ(doc.m_historyPos, 1);
    EXPECT_EQ(doc.m_cubes, (Cells{{{1, 0, 0}, kRed}, {{4, 0, 0}, kBlue}}));
    ASSERT_EQ(doc.m_history.size(), 2u);

    // Back over everything, then a new edit: only that edit remains.
    doc.HistoryBack();
    doc.HistoryBack();
    doc.SetCube(5, 0, 0, kBlue);
    EXPECT_EQ(doc.m_history, (std::vector<CUBERECORD>{{5, 0, 0, CLR_NONE, kBlue}}));
    EXPECT_EQ(doc.m_historyPos, 0);
}

TEST(History, SameChangeAfterAnUnrecordedEditIsRefusedExceptAtPositionZero)
{
    // The store changes behind the history's back (as a load used to do).
    CMiravelDoc doc;
    doc.SetCube(0, 0, 0, kRed);
    doc.m_cubes.clear();
    EXPECT_TRUE(doc.RecordChange(0, 0, 0, kRed)); // position 0 is not tested
    EXPECT_FALSE(doc.RecordChange(0, 0, 0, kRed));
    EXPECT_EQ(doc.m_history.size(), 2u);
    EXPECT_TRUE(doc.RecordChange(0, 0, 0, kBlue)); // another colour is a new change
}

} // namespace

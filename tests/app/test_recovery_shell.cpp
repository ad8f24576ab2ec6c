// The application's part in recovery: the start-up question with its answers
// put in by the test (the question box itself: the English windows test;
// which commands remove the copy: the shell's file command test; damaged
// copies: the recovery tests).
#include "tests/app/ShellTestSupport.h"

namespace {

using RecoveryShellTest = ShellTest;

TEST_F(RecoveryShellTest, AKilledRunsCopyIsOfferedBesideAGivenFile)
{
    // (Yes on a saved model's copy and the save to its file: the real-window
    // test.) With a file on the command line the copy is offered all the
    // same; Yes puts it in place of that file's unmodified model, No deletes
    // it and keeps the file's.
    ASSERT_TRUE(StartApp());
    Doc().SetCube(6, 6, 6, kRed);
    WaitForCopy();
    KillApp();
    const QString given = WriteModel(QStringLiteral("given.mvf"), {{{7, 7, 7}, kRed}}, 16);
    recoverAnswer = RecoverAnswer::Yes;
    ASSERT_TRUE(StartApp({given}));
    EXPECT_EQ(recoverQuestions, QStringList{QStringLiteral("ミラヴェル")}); // never saved: its title
    EXPECT_EQ(CellsOf(Doc().m_cubes), (Cells{{{6, 6, 6}, kRed}}));
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("ミラヴェル*")));

    WaitForCopy(); // nothing changed since the restore: nothing written...
    EXPECT_EQ(App().Recovery()->CopiesWritten(), 0);
    KillApp();     // ...but the adopted copy is still there for the next start
    recoverAnswer = RecoverAnswer::No;
    ASSERT_TRUE(StartApp({given}));
    EXPECT_EQ(recoverQuestions.size(), 2);
    EXPECT_EQ(CellsOf(Doc().m_cubes), (Cells{{{7, 7, 7}, kRed}}));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(CopiesOnDisk(), 0);
}

} // namespace

// The application's part in recovery: which commands remove the copy, and the
// start-up question with its answers put in by the test (the question box
// itself: the English windows test).
#include "tests/app/ShellTestSupport.h"

#include <QDir>
#include <QFile>

namespace {

class RecoveryShellTest : public ShellTest {
protected:
    // Lets the copy fall due and be written.
    void WaitForCopy()
    {
        now += 30000;
        App().Recovery()->WriteIfDue();
        App().Recovery()->WaitForDisk();
    }

    QString Copy() { return App().Recovery()->Store().OwnModelPath(); }
    QStringList CopiesOnDisk()
    {
        if (Running() && App().Recovery())
            App().Recovery()->WaitForDisk();
        return QDir(Temp(QStringLiteral("data/Orvendale/MIRA-VEL/recovery"))).entryList({QStringLiteral("*.mvf")}, QDir::Files);
    }
};

TEST_F(RecoveryShellTest, SaveNewOpenAndADeclinedExitRemoveTheCopyAFailedSaveKeepsIt)
{
    ASSERT_TRUE(StartApp());
    const QString other = WriteModel(QStringLiteral("other.mvf"), {{{0, 0, 0}, kRed}}, 16);
    Doc().SetCube(1, 1, 1, kRed);
    WaitForCopy();
    EXPECT_EQ(CopiesOnDisk().size(), 1);

    // A save that fails keeps it; one that works removes it.
    paths = {Temp(QStringLiteral("missing/folder/a.mvf"))};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(CopiesOnDisk().size(), 1);
    paths = {Temp(QStringLiteral("a.mvf"))};
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(CopiesOnDisk().isEmpty());

    // New and Open, their question answered No, remove it.
    for (const int command : {ID_FILE_NEW, ID_FILE_OPEN}) {
        Doc().SetCube(2, 2, 2, kRed);
        WaitForCopy();
        EXPECT_EQ(CopiesOnDisk().size(), 1);
        saveAnswers = {SaveChangesAnswer::No};
        paths = {other};
        Command(command);
        EXPECT_TRUE(CopiesOnDisk().isEmpty());
    }

    // Closing: a cancelled close keeps the copy, a declined save removes it.
    Doc().SetCube(4, 4, 4, kRed);
    WaitForCopy();
    saveAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::No};
    EXPECT_FALSE(Frame().close());
    EXPECT_EQ(CopiesOnDisk().size(), 1);
    Command(ID_APP_EXIT);
    EXPECT_TRUE(CopiesOnDisk().isEmpty());
    EXPECT_TRUE(recoverQuestions.isEmpty());
}

TEST_F(RecoveryShellTest, AKilledRunsCopyIsOfferedBesideAGivenFileADamagedOneIsReported)
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
    EXPECT_EQ(Doc().m_cubes, (Cells{{{6, 6, 6}, kRed}}));
    EXPECT_TRUE(Doc().GetPathName().isEmpty());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("ミラヴェル*")));

    WaitForCopy(); // nothing changed since the restore: nothing written...
    EXPECT_EQ(App().Recovery()->CopiesWritten(), 0);
    KillApp();     // ...but the adopted copy is still there for the next start
    recoverAnswer = RecoverAnswer::No;
    ASSERT_TRUE(StartApp({given}));
    EXPECT_EQ(recoverQuestions.size(), 2);
    EXPECT_EQ(Doc().m_cubes, (Cells{{{7, 7, 7}, kRed}}));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(CopiesOnDisk().isEmpty());

    // A damaged copy is reported, not offered, and the start goes on.
    Doc().SetCube(1, 2, 3, kRed);
    WaitForCopy();
    const QString copy = Copy();
    KillApp();
    ASSERT_TRUE(QFile::resize(copy, 100));
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(recoverQuestions.size(), 2);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(copy + QStringLiteral(".damaged")));
    EXPECT_TRUE(QFile::exists(copy + QStringLiteral(".damaged")));
    EXPECT_TRUE(Doc().m_cubes.empty());
    EXPECT_TRUE(Frame().isVisible());
}

} // namespace

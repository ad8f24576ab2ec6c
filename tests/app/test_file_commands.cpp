// New, open, save and save as through the main window, with the question
// about unsaved changes answered by the test.
#include "ShellTestSupport.h"

#include "app/RecentFileList.h"
#include "app/ShellIds.h"
#include "view/CMiravelView.h"

#include <QAction>
#include <QFile>

namespace {
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);
} // namespace

TEST_F(ShellTest, NewAsksAboutUnsavedChangesAndActsOnEachAnswer)
{
    ASSERT_TRUE(StartApp());
    CMiravelView* view = Frame().GetActiveView();
    Doc().SetCube(2, 2, 2, kMagenta);
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("ミラヴェル*")));

    // Cancel: nothing changes.
    view->m_rotX = 99.0;
    prompts.saveAnswers = {SaveChangesAnswer::Cancel};
    Frame().CommandAction(ID_FILE_NEW)->trigger();
    EXPECT_EQ(prompts.saveQuestions, QStringList{QStringLiteral("ミラヴェル")});
    EXPECT_EQ(Doc().GetCube(2, 2, 2), kMagenta);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(view->m_rotX, 99.0);

    // Yes on a model that was never saved asks where; cancelling that dialog
    // cancels the new model too.
    prompts.saveAnswers = {SaveChangesAnswer::Yes};
    prompts.savePaths = {QString()};
    Frame().CommandAction(ID_FILE_NEW)->trigger();
    EXPECT_EQ(prompts.suggestedSavePaths, QStringList{QStringLiteral("ミラヴェル.mvf")});
    EXPECT_EQ(Doc().GetCube(2, 2, 2), kMagenta);

    // Yes with a name (without its extension): saved, then a new model.
    prompts.saveAnswers = {SaveChangesAnswer::Yes};
    prompts.savePaths = {TempPath(QStringLiteral("first"))};
    Frame().CommandAction(ID_FILE_NEW)->trigger();
    const QString saved = TempPath(QStringLiteral("first.mvf"));
    ASSERT_TRUE(QFile::exists(saved));
    CMiravelDoc check;
    ASSERT_TRUE(check.OnOpenDocument(saved).ok);
    EXPECT_EQ(check.GetCube(2, 2, 2), kMagenta);
    EXPECT_TRUE(Doc().m_cubes.empty());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("ミラヴェル")));
    // The view's initial update ran for the new model: the camera is back.
    EXPECT_EQ(view->m_rotX, 25.0);

    // No: the changes are given up.
    Doc().SetCube(0, 0, 0, kBlue);
    prompts.saveAnswers = {SaveChangesAnswer::No};
    Frame().CommandAction(ID_FILE_NEW)->trigger();
    EXPECT_TRUE(Doc().m_cubes.empty());
    EXPECT_TRUE(prompts.saveAnswers.empty());
    EXPECT_TRUE(prompts.errors.isEmpty());

    // An unmodified model is replaced without a question.
    const int asked = prompts.saveQuestions.size();
    Frame().CommandAction(ID_FILE_NEW)->trigger();
    EXPECT_EQ(prompts.saveQuestions.size(), asked);
}

TEST_F(ShellTest, AFailedOpenKeepsTheCurrentModelPathAndTitle)
{
    const QString good = WriteModel(QStringLiteral("good.mvf"), {{{1, 1, 1}, kBlue}});
    const QString bad = TempPath(QStringLiteral("bad.mvf"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a model at all, just text");
    }
    ASSERT_TRUE(StartApp({good}));
    Doc().SetCube(0, 0, 0, kMagenta);
    const QString titleBefore = Frame().windowTitle();
    EXPECT_EQ(titleBefore, Title(QStringLiteral("good.mvf*")));
    CMiravelView* view = Frame().GetActiveView();
    view->m_rotY = 12.0;

    prompts.openPaths = {bad};
    prompts.saveAnswers = {SaveChangesAnswer::No};
    Frame().CommandAction(ID_FILE_OPEN)->trigger();

    EXPECT_EQ(prompts.errors, QStringList{QStringLiteral("mvfファイルではありません")});
    EXPECT_EQ(Doc().GetPathName(), good);
    EXPECT_EQ(Doc().GetTitle(), QStringLiteral("good.mvf"));
    EXPECT_EQ(Doc().GetCube(1, 1, 1), kBlue);
    EXPECT_EQ(Doc().GetCube(0, 0, 0), kMagenta);
    EXPECT_EQ(Doc().m_sizeX, 4);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), titleBefore);
    // No initial update either: the camera is where the user left it.
    EXPECT_EQ(view->m_rotY, 12.0);
    EXPECT_EQ(App().RecentFiles().Files(), QStringList{good});

    // A missing file: the same, with the file layer's message.
    prompts.openPaths = {TempPath(QStringLiteral("gone.mvf"))};
    prompts.saveAnswers = {SaveChangesAnswer::No};
    Frame().CommandAction(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(prompts.errors.size(), 2);
    EXPECT_TRUE(prompts.errors[1].contains(QStringLiteral("gone.mvf")));
    EXPECT_EQ(Doc().GetPathName(), good);

    // Cancelling the file dialog asks nothing else.
    prompts.openPaths = {QString()};
    Frame().CommandAction(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(prompts.saveQuestions.size(), 2);
}

TEST_F(ShellTest, SaveWritesToTheDocumentsFileAndReportsFailures)
{
    const QString path = WriteModel(QStringLiteral("model.mvf"), {{{0, 1, 2}, kMagenta}});
    ASSERT_TRUE(StartApp({path}));
    Doc().SetCube(3, 3, 3, kBlue);
    ASSERT_TRUE(QFile::remove(path));

    // A model with a name is saved there without a dialog.
    Frame().CommandAction(ID_FILE_SAVE)->trigger();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("model.mvf")));
    CMiravelDoc check;
    ASSERT_TRUE(check.OnOpenDocument(path).ok);
    EXPECT_EQ(check.m_cubes, Doc().m_cubes);

    // Save as into a folder that does not exist: the message, and the model
    // keeps its name and its unsaved state.
    Doc().SetCube(0, 0, 0, kBlue);
    prompts.savePaths = {TempPath(QStringLiteral("no/such/folder/x.mvf"))};
    Frame().CommandAction(ID_FILE_SAVE_AS)->trigger();
    EXPECT_EQ(prompts.suggestedSavePaths, QStringList{path});
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("model.mvf*")));

    // Save as to a new name takes that name.
    const QString other = TempPath(QStringLiteral("other.mvf"));
    prompts.savePaths = {other};
    Frame().CommandAction(ID_FILE_SAVE_AS)->trigger();
    EXPECT_EQ(Doc().GetPathName(), other);
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("other.mvf")));
    EXPECT_EQ(App().RecentFiles().Files(), QStringList({other, path}));
}

TEST(RecentFileList, KeepsTheNewestTwentyWithoutRepeats)
{
    CRecentFileList list(20);
    for (int i = 0; i < 25; ++i)
        list.Add(QStringLiteral("/models/m%1.mvf").arg(i));
    ASSERT_EQ(list.Files().size(), 20);
    EXPECT_EQ(list.Files().front(), QStringLiteral("/models/m24.mvf"));
    EXPECT_EQ(list.Files().back(), QStringLiteral("/models/m5.mvf"));

    // Opening a listed file again moves it to the front; other spellings of
    // the same path are the same entry.
    list.Add(QStringLiteral("/models/./sub/../m10.mvf"));
    EXPECT_EQ(list.Files().size(), 20);
    EXPECT_EQ(list.Files().front(), QStringLiteral("/models/m10.mvf"));
    EXPECT_EQ(list.Files().count(QStringLiteral("/models/m10.mvf")), 1);
    list.Remove(QStringLiteral("/models/m24.mvf"));
    EXPECT_EQ(list.Files().size(), 19);
    EXPECT_FALSE(list.Files().contains(QStringLiteral("/models/m24.mvf")));

    EXPECT_EQ(CRecentFileList::MenuText(0, QStringLiteral("/a/b.mvf")), QStringLiteral("&1 /a/b.mvf"));
    EXPECT_EQ(CRecentFileList::MenuText(8, QStringLiteral("/a/b.mvf")), QStringLiteral("&9 /a/b.mvf"));
    EXPECT_EQ(CRecentFileList::MenuText(9, QStringLiteral("/a/b.mvf")), QStringLiteral("1&0 /a/b.mvf"));
    EXPECT_EQ(CRecentFileList::MenuText(19, QStringLiteral("/R&D/b.mvf")), QStringLiteral("20 /R&&D/b.mvf"));
}

TEST_F(ShellTest, RecentFilesSurviveARestartAndLoseEntriesThatNoLongerOpen)
{
    QStringList paths;
    for (int i = 0; i < 22; ++i)
        paths.append(WriteModel(QStringLiteral("m%1.mvf").arg(i), {{{0, 0, 0}, RGB(i, 0, 0)}}, 2));
    ASSERT_TRUE(StartApp());
    for (const QString& p : paths) {
        prompts.openPaths = {p};
        Frame().CommandAction(ID_FILE_OPEN)->trigger();
    }
    EXPECT_EQ(App().RecentFiles().Files().size(), 20);
    StopApp();

    // The next run shows the same twenty, newest first, in the file menu.
    ASSERT_TRUE(StartApp());
    QList<QAction*> entries = Frame().RecentFileActions();
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries.front()->text(), CRecentFileList::MenuText(0, paths[21]));
    EXPECT_EQ(entries.back()->text(), CRecentFileList::MenuText(19, paths[2]));
    EXPECT_EQ(entries.back()->data().toInt(), ID_FILE_MRU_FILE1 + 19);

    // Choosing an entry opens it.
    entries[3]->trigger();
    EXPECT_EQ(Doc().GetPathName(), paths[18]);
    EXPECT_EQ(Doc().GetCube(0, 0, 0), RGB(18, 0, 0));
    EXPECT_EQ(Frame().RecentFileActions().front()->text(), CRecentFileList::MenuText(0, paths[18]));

    // An entry whose file has gone is reported and dropped, here and in the store.
    ASSERT_TRUE(QFile::remove(paths[20]));
    Frame().RecentFileActions()[2]->trigger();
    EXPECT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(Doc().GetPathName(), paths[18]);
    EXPECT_EQ(Frame().RecentFileActions().size(), 19);
    EXPECT_FALSE(App().RecentFiles().Files().contains(paths[20]));
    StopApp();
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().RecentFileActions().size(), 19);
    EXPECT_FALSE(App().RecentFiles().Files().contains(paths[20]));
}

// The built program, killed in the middle of its work: it edits, keeps a
// recovery copy, dies by SIGKILL, starts again, asks about the copy, takes
// Enter for Yes, and Ctrl+S writes the edits to the original file.
#include "tests/app/RealProgramSupport.h"

namespace {

using Cells = std::map<CUBEPOS, COLORREF>;

std::optional<Cells> ModelCells(const QString& path)
{
    CMiravelDoc doc;
    if (!doc.OnOpenDocument(path).ok)
        return std::nullopt;
    return doc.m_cubes;
}

class RealRecoveryTest : public RealProgramTest {
protected:
    QString Folder() const { return Temp(QStringLiteral("data/Orvendale/MIRA-VEL/recovery")); }
    QStringList Copies() const
    {
        QStringList paths;
        for (const QString& name : QDir(Folder()).entryList({QStringLiteral("*.mvf")}, QDir::Files))
            paths << Folder() + QLatin1Char('/') + name;
        return paths;
    }
};

TEST_F(RealRecoveryTest, EditsSurviveASigkillAndAreSavedToTheOriginalFile)
{
    m_env.insert(QStringLiteral("MIRAVEL_RECOVERY_INTERVAL_MS"), QStringLiteral("1000"));
    const QString model = Temp(QStringLiteral("cubes.mvf"));
    Cells original;
    {
        CMiravelDoc doc;
        for (int x = 0; x < 16; ++x)
            doc.SetCube(x, 0, 0, RGB(255, 0, 255));
        original = doc.m_cubes;
        ASSERT_TRUE(doc.OnSaveDocument(model).ok);
    }

    WId window = Start({model}, QStringLiteral("^cubes\\.mvf") + kMainWindowTitle);
    ASSERT_NE(window, WId(0)) << "the main window never appeared";
    ASSERT_TRUE(FocusPastTheSplash(window));

    // Paint on the canvas, as a user would: the canvas is the grid's floor,
    // which lies below the middle of the view; a click where there is no
    // canvas does nothing.
    const QImage shot = Grab(window);
    ASSERT_FALSE(shot.isNull());
    for (int dy = 0; dy <= shot.height() / 2 - 60; dy += 40) {
        const QPoint p(shot.width() / 2 - 150 + dy / 4, shot.height() / 2 + dy);
        ASSERT_TRUE(Click(window, p));
        QTest::qWait(100);
    }
    ASSERT_NE(FindWindow(QStringLiteral("^cubes\\.mvf\\* - MIRA-VEL"), 20000), WId(0)) << "the clicks edited nothing";

    // The copy comes within the (shortened) interval and holds the edits.
    Cells edited;
    ASSERT_TRUE(WaitFor(
        [&] {
            const QStringList copies = Copies();
            const auto cells = copies.size() == 1 ? ModelCells(copies[0]) : std::nullopt;
            if (cells && *cells != original)
                edited = *cells;
            return !edited.empty();
        },
        20000))
        << "no recovery copy with the edits appeared";

    m_program.kill(); // SIGKILL: nothing of the program's own runs
    ASSERT_TRUE(m_program.waitForFinished(10000));
    EXPECT_EQ(m_program.exitStatus(), QProcess::CrashExit);
    ASSERT_EQ(Copies().size(), 1);
    EXPECT_EQ(ModelCells(model), original);

    // The next start asks; Enter answers with the default, Yes. The splash
    // may still take the first key, so Enter goes again until the question
    // is gone and the model is back, modified, under its own name.
    window = Start({}, kMainWindowTitle);
    ASSERT_NE(window, WId(0)) << "the program did not start again";
    WId restored = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            if (const WId question = FindWindow(QStringLiteral("^MIRA-VEL$"))) {
                Xdo({"windowfocus", "--sync", QString::number(question)});
                Xdo({"key", "Return"});
            }
            restored = FindWindow(QStringLiteral("^cubes\\.mvf\\* - MIRA-VEL"));
            return restored != 0;
        },
        60000))
        << "the question never came or Enter did not restore the copy";

    ASSERT_TRUE(Xdo({"windowfocus", "--sync", QString::number(restored)}));
    ASSERT_TRUE(Key("ctrl+s"));
    EXPECT_TRUE(WaitFor([&] { return ModelCells(model) == edited; }, 20000)) << "Ctrl+S did not write the edits";
    EXPECT_TRUE(WaitFor([&] { return Copies().isEmpty(); }, 10000)) << "the saved copy stayed";

    ASSERT_NO_FATAL_FAILURE(QuitThroughTheMenu());
    EXPECT_TRUE(QDir(Folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace

// The built program, killed in the middle of its work: it edits, keeps a
// recovery copy, dies by SIGKILL, starts again, asks about the copy, takes
// Enter for Yes, and Ctrl+S writes the edits to the original file.
#include "model/CMiravelDoc.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using Cells = std::map<CUBEPOS, COLORREF>;

std::optional<QString> Xdo(const QStringList& args, int timeoutMs = 20000)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (p.waitForStarted(5000) && p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit &&
        p.exitCode() == 0)
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    return std::nullopt;
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(100);
    }
    return true;
}

std::optional<Cells> ModelCells(const QString& path)
{
    CMiravelDoc doc;
    if (!doc.OnOpenDocument(path).ok)
        return std::nullopt;
    return doc.m_cubes;
}

// The first visible window whose name matches, or 0.
WId FindWindow(const QString& namePattern, int timeoutMs = 1000)
{
    const auto found = Xdo({"search", "--sync", "--onlyvisible", "--name", namePattern}, timeoutMs);
    return found ? WId(found->split(QLatin1Char('\n')).front().toULongLong()) : 0;
}

class RealRecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("MIRAVEL_RECOVERY_INTERVAL_MS"), QStringLiteral("1000"));
#ifdef __SANITIZE_ADDRESS__
        // See test_real_window.cpp: only the behaviour counts here.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
#endif
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    // Starts the program and returns its main window once shown.
    WId Start(const QStringList& args, const QString& titlePattern)
    {
        m_program.start(QStringLiteral(MIRAVEL_EXECUTABLE), args);
        if (!m_program.waitForStarted(10000))
            return 0;
        return FindWindow(titlePattern, 60000);
    }

    QStringList Copies() const
    {
        const QDir dir(m_dir.filePath(QStringLiteral("data/Orvendale/MIRA-VEL/recovery")));
        QStringList paths;
        for (const QString& name : dir.entryList({QStringLiteral("*.mvf")}, QDir::Files))
            paths << dir.filePath(name);
        return paths;
    }

    QTemporaryDir m_dir;
    QProcess m_program;
};

TEST_F(RealRecoveryTest, EditsSurviveASigkillAndAreSavedToTheOriginalFile)
{
    const QString model = m_dir.filePath(QStringLiteral("cubes.mvf"));
    Cells original;
    {
        CMiravelDoc doc;
        for (int x = 0; x < 16; ++x)
            doc.SetCube(x, 0, 0, RGB(255, 0, 255));
        original = doc.m_cubes;
        ASSERT_TRUE(doc.OnSaveDocument(model).ok);
    }

    WId window = Start({model}, QStringLiteral("^cubes\\.mvf - MIRA-VEL    Powered by Orvendale$"));
    ASSERT_NE(window, WId(0)) << "the main window never appeared";
    ASSERT_TRUE(Xdo({"windowfocus", "--sync", QString::number(window)}));
    ASSERT_TRUE(Xdo({"key", "shift"})); // the splash uses up the first key
    ASSERT_TRUE(WaitFor([] { return !Xdo({"search", "--onlyvisible", "--name", "^MIRA-VEL$"}); }, 20000));

    // Paint on the canvas, as a user would: the canvas is the grid's floor,
    // which lies below the middle of the view; a click where there is no
    // canvas does nothing.
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(window).toImage();
    ASSERT_FALSE(shot.isNull());
    for (int dy = 0; dy <= shot.height() / 2 - 60; dy += 40) {
        const QPoint p(shot.width() / 2 - 150 + dy / 4, shot.height() / 2 + dy);
        ASSERT_TRUE(Xdo({"mousemove", "--window", QString::number(window), QString::number(p.x()),
                         QString::number(p.y()), "click", "1"}));
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
    window = Start({}, QStringLiteral(" - MIRA-VEL    Powered by Orvendale$"));
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
    ASSERT_TRUE(Xdo({"key", "ctrl+s"}));
    EXPECT_TRUE(WaitFor([&] { return ModelCells(model) == edited; }, 20000)) << "Ctrl+S did not write the edits";
    EXPECT_TRUE(WaitFor([&] { return Copies().isEmpty(); }, 10000)) << "the saved copy stayed";

    ASSERT_TRUE(Xdo({"key", "alt+f"}));
    QTest::qWait(500);
    ASSERT_TRUE(Xdo({"key", "x"}));
    ASSERT_TRUE(m_program.waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);
    EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("data/Orvendale/MIRA-VEL/recovery")))
                    .entryList(QDir::Files | QDir::Hidden)
                    .isEmpty());
}

} // namespace

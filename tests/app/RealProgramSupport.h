#pragma once

// The built program run as a user runs it, in a real X window, with its own
// settings and data folders, driven by real X input through xdotool.
#include "model/CMiravelDoc.h"

#include <QDeadlineTimer>
#include <QDir>
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

// Runs xdotool: its output when it ended well before the deadline.
inline std::optional<QString> Xdo(const QStringList& args, int timeoutMs = 20000)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (p.waitForStarted(5000) && p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit
        && p.exitCode() == 0)
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    return std::nullopt; // a process still running is killed with p
}

// Polls until the condition holds or the deadline passes; the deadline only
// bounds a wait for something that must happen, it measures nothing.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(100);
    }
    return true;
}

// The first visible window whose name matches, or 0.
inline WId FindWindow(const QString& namePattern, int timeoutMs = 1000)
{
    const auto found = Xdo({"search", "--sync", "--onlyvisible", "--name", namePattern}, timeoutMs);
    return found ? WId(found->split(QLatin1Char('\n')).front().toULongLong()) : 0;
}

inline QImage Grab(WId window)
{
    return QGuiApplication::primaryScreen()->grabWindow(window).toImage().convertToFormat(QImage::Format_RGB32);
}

inline const QString kMainWindowTitle = QStringLiteral(" - MIRA-VEL    Powered by Orvendale$");

class RealProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("HOME"), m_dir.path());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), Temp(QStringLiteral("config")));
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), Temp(QStringLiteral("data"))); // recovery copies
#ifdef __SANITIZE_ADDRESS__
        // The GL driver unloads itself at exit before the leak check runs,
        // which then cannot name (and so cannot forgive) the driver's own
        // leftovers. The same program runs in-process in the shell tests with
        // the leak check on; here only its behaviour counts.
        m_env.insert(QStringLiteral("ASAN_OPTIONS"),
                     m_env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
#endif
    }

    QString Temp(const QString& name) const { return m_dir.filePath(name); }

    // Starts the program and returns its main window once shown, or 0.
    WId Start(const QStringList& args, const QString& titlePattern)
    {
        m_program.setProcessEnvironment(m_env);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(QStringLiteral(MIRAVEL_EXECUTABLE), args);
        if (!m_program.waitForStarted(10000))
            return 0;
        return FindWindow(titlePattern, 60000);
    }

    // Focuses the window and gets the splash out of the way: it uses up the
    // first key, so a harmless one.
    static bool FocusPastTheSplash(WId window)
    {
        return Xdo({"windowfocus", "--sync", QString::number(window)}) && Xdo({"key", "shift"})
            && WaitFor([] { return !Xdo({"search", "--onlyvisible", "--name", "^MIRA-VEL$"}); }, 20000);
    }

    static bool Key(const char* keys) { return Xdo({"key", keys}).has_value(); }

    // A left click at a point of the window.
    static bool Click(WId window, QPoint p)
    {
        return Xdo({"mousemove", "--window", QString::number(window), QString::number(p.x()), QString::number(p.y()),
                    "click", "1"})
            .has_value();
    }

    // Quits through the file menu (no window manager closes windows here)
    // and expects a clean end.
    void QuitThroughTheMenu()
    {
        ASSERT_TRUE(Key("alt+f"));
        QTest::qWait(500);
        ASSERT_TRUE(Key("x"));
        ASSERT_TRUE(m_program.waitForFinished(60000)) << "the program did not end";
        EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_program.exitCode(), 0);
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QProcess m_program; // one still running after a failed check is killed with it
};

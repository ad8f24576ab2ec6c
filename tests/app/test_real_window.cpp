// The built program itself, in a real X window, driven by real X input:
// start on a model, turn the view with a key, pick a colour from the palette
// and hide the frame with clicks on the on-view buttons, press keys on French
// and Russian layouts, save with Ctrl+S and quit through the file menu.
#include "model/CMiravelDoc.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);

// Runs xdotool: its output when it ended well before the deadline.
std::optional<QString> Xdo(const QStringList& args, int timeoutMs = 20000)
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

// How many pixels of the image have a colour of the kind is() accepts.
int Count(const QImage& image, bool (*is)(int r, int g, int b))
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += is(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)), qBlue(image.pixel(x, y)));
    return n;
}

// Lit faces are darker or lighter versions of a cube's colour; what stays is
// the balance of the channels.
bool Magenta(int r, int g, int b)
{
    return r > 60 && b > 60 && g * 3 < std::min(r, b) && std::abs(r - b) * 4 < std::max(r, b);
}
bool Blue(int r, int g, int b) { return b > 60 && r * 3 < b && g * 3 < b; }

// The frame is drawn yellow at alpha 120: a dark yellow. Counted left of the
// on-view buttons, some of which are yellow themselves.
int CountFrameYellow(const QImage& image)
{
    return Count(image.copy(0, 0, image.width() - 360, image.height()),
                 [](int r, int g, int b) { return r > 80 && std::abs(r - g) < 12 && b < 30; });
}

// The first row of the window that shows the scene's black background: the
// view starts there, below the menu bar.
int ViewTop(const QImage& window)
{
    for (int y = 0; y < window.height() / 2; ++y)
        if (window.pixel(2, y) == qRgb(0, 0, 0))
            return y;
    return -1;
}

class RealWindowTest : public ::testing::Test {
protected:
    QImage Grab() const
    {
        return QGuiApplication::primaryScreen()->grabWindow(m_window).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Keeps an image for a human to look at when a check failed.
    static void KeepIf(bool failed, const QImage& image, const char* name)
    {
        const QString folder = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
        if (failed && !folder.isEmpty() && QDir().mkpath(folder))
            image.save(folder + QStringLiteral("/real_window_%1.png").arg(QLatin1String(name)));
    }

    bool Key(const char* keys) { return Xdo({"key", keys}).has_value(); }

    // The server's layout is shared by the tests that run after this one.
    void TearDown() override
    {
        if (m_layoutChanged)
            SetLayout("us");
    }

    // Switches the X server's keyboard layout (the program hears of it).
    bool SetLayout(const char* layout)
    {
        m_layoutChanged = true;
        QProcess p;
        p.start(QStringLiteral("setxkbmap"), {QString::fromLatin1(layout)});
        const bool ok = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        QTest::qWait(300);
        return ok;
    }

    // A left click at a point of the window.
    bool Click(QPoint p)
    {
        const QString x = QString::number(p.x()), y = QString::number(p.y());
        return Xdo({"mousemove", "--window", QString::number(m_window), x, y, "click", "1"}).has_value();
    }

    QTemporaryDir m_dir;
    QProcess m_program; // one still running after a failed check is killed with it
    WId m_window = 0;
    bool m_layoutChanged = false;
};

TEST_F(RealWindowTest, StartTurnSaveAndQuitThroughTheProgramsOwnWindow)
{
    ASSERT_TRUE(m_dir.isValid());
    const QString model = m_dir.filePath(QStringLiteral("cubes.mvf"));
    std::map<CUBEPOS, COLORREF> cubes;
    {
        CMiravelDoc doc;
        doc.SetGridSize(4, 4, 4);
        for (int x = 0; x < 2; ++x)
            for (int y = 0; y < 2; ++y)
                for (int z = 0; z < 2; ++z) {
                    doc.SetCube(x, y, z, kMagenta);
                    doc.SetCube(x + 2, y, z + 2, kBlue);
                }
        cubes = doc.m_cubes;
        ASSERT_TRUE(doc.OnSaveDocument(model).ok);
    }

    const QString config = m_dir.filePath(QStringLiteral("config"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data"))); // recovery copies
#ifdef __SANITIZE_ADDRESS__
    // The GL driver unloads itself at exit before the leak check runs, which
    // then cannot name (and so cannot forgive) the driver's own leftovers.
    // The same program runs in-process in the shell tests with the leak check
    // on; here only its behaviour counts.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
#endif
    m_program.setProcessEnvironment(env);
    m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    m_program.start(QStringLiteral(MIRAVEL_EXECUTABLE), {model});
    ASSERT_TRUE(m_program.waitForStarted(10000));

    const auto found =
        Xdo({"search", "--sync", "--onlyvisible", "--name", "^cubes\\.mvf - MIRA-VEL    Powered by Orvendale$"}, 60000);
    ASSERT_TRUE(found) << "the main window never appeared";
    m_window = WId(found->split(QLatin1Char('\n')).front().toULongLong());
    ASSERT_NE(m_window, WId(0));
    ASSERT_TRUE(Xdo({"windowfocus", "--sync", QString::number(m_window)}));

    // The splash uses up the first key; a harmless one.
    ASSERT_TRUE(Key("shift"));
    EXPECT_TRUE(WaitFor([] { return !Xdo({"search", "--onlyvisible", "--name", "^MIRA-VEL$"}); }, 20000))
        << "the splash did not go";

    // Both colours on screen, and the picture settled.
    QImage before;
    QImage previous;
    const bool settled = WaitFor(
        [&] {
            before = Grab();
            const bool ok = Count(before, Magenta) > 200 && Count(before, Blue) > 200 && before == previous;
            previous = before;
            return ok;
        },
        30000);
    KeepIf(!settled, before, "start");
    ASSERT_TRUE(settled) << "magenta " << Count(before, Magenta) << ", blue " << Count(before, Blue);

    // A key that turns the view changes the picture.
    ASSERT_TRUE(Key("Right"));
    QImage after;
    const bool turned = WaitFor(
        [&] {
            after = Grab();
            return !after.isNull() && after != before;
        },
        15000);
    KeepIf(!turned, before, "before_right");
    KeepIf(!turned, after, "after_right");
    EXPECT_TRUE(turned) << "the Right key did not turn the view";

    // The on-view buttons, clicked with the mouse. Their places follow from
    // the default layout: control column at the right edge, palette at the
    // top right beside it.
    const int top = ViewTop(after);
    ASSERT_GE(top, 0);
    const int width = after.width();
    // Palette button 14 (magenta) is in the palette's second row, sixth column.
    const QPoint magentaButton(width - 340 + 5 * 30 + 15, top + 5 + 30 + 15);
    // The cube button sits at the start of the canvas block's second row and
    // shows the current colour through its window.
    const QRect cubeButton(width - 95, top + 5 + 30, 30, 30);
    ASSERT_TRUE(Click(magentaButton));
    const bool picked = WaitFor([&] { return Count(Grab().copy(cubeButton), Magenta) > 50; }, 15000);
    KeepIf(!picked, Grab(), "palette");
    EXPECT_TRUE(picked) << "the cube button did not take the palette colour";

    // The frame button hides the frame, after its wait for a double-click.
    const int yellowBefore = CountFrameYellow(Grab());
    EXPECT_GT(yellowBefore, 300);
    ASSERT_TRUE(Click(QPoint(width - 65 + 15, top + 65 + 15)));
    const bool hidden = WaitFor([&] { return CountFrameYellow(Grab()) < yellowBefore / 10; }, 15000);
    KeepIf(!hidden, Grab(), "frame");
    EXPECT_TRUE(hidden) << "the frame button did not hide the frame";

    // Other keyboard layouts: French "&" is the top row's 1 ("Frame:Show"
    // brings the frame back), Russian "в" sits where US has D
    // ("Setting:Default" undoes the turn).
    ASSERT_TRUE(SetLayout("fr"));
    ASSERT_TRUE(Key("ampersand"));
    const bool shown = WaitFor([&] { return CountFrameYellow(Grab()) > yellowBefore / 2; }, 15000);
    KeepIf(!shown, Grab(), "layout_fr");
    EXPECT_TRUE(shown) << "French & did not act as 1";
    ASSERT_TRUE(SetLayout("ru"));
    const QImage turnedView = Grab();
    ASSERT_TRUE(Key("Cyrillic_ve"));
    const bool reset = WaitFor([&] { return Grab() != turnedView; }, 15000);
    KeepIf(!reset, Grab(), "layout_ru");
    EXPECT_TRUE(reset) << "Russian v did not act as D";
    ASSERT_TRUE(SetLayout("us"));

    // Ctrl+S writes the model back to its file.
    ASSERT_TRUE(QFile::remove(model));
    ASSERT_TRUE(Key("ctrl+s"));
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(model); }, 20000)) << "Ctrl+S saved nothing";

    // Quit through the file menu: no window manager closes windows here.
    ASSERT_TRUE(Key("alt+f"));
    QTest::qWait(500);
    ASSERT_TRUE(Key("x"));
    ASSERT_TRUE(m_program.waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_program.exitCode(), 0);

    CMiravelDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(model).ok);
    EXPECT_EQ(saved.m_cubes, cubes);
    EXPECT_EQ(saved.m_sizeX, 4);
    EXPECT_EQ(saved.m_sizeY, 4);
    EXPECT_EQ(saved.m_sizeZ, 4);

    // What outlives the run: the display settings and the per-user store.
    EXPECT_TRUE(QFile::exists(config + QStringLiteral("/Orvendale/MIRA-VEL/MIRA-VEL.xml")));
    QSettings store(config + QStringLiteral("/Orvendale/MIRA-VEL.conf"), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("ApplicationLook")).toInt(), 210);
    EXPECT_EQ(store.value(QStringLiteral("Recent File List/File1")).toString(), model);
}

} // namespace

// The built program itself, in a real X window, driven by real X input, on a
// desktop that speaks English. A first run edits a model from the keyboard,
// keeps a recovery copy and dies by SIGKILL. The next run asks about the
// copy and takes Enter for Yes; then it turns the view with a key, picks a
// colour from the palette and hides the frame with clicks on the on-view
// buttons, takes keys on French and Russian layouts, shows English menus
// (read off the screen by tesseract), writes the edits to the original file
// with Ctrl+S and quits through the file menu.
#include "model/CMiravelDoc.h"
#include "tests/support/CubeCells.h"

#include <QDeadlineTimer>
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

// The first visible window whose name matches, or 0.
WId FindWindow(const QString& namePattern, int timeoutMs = 1000)
{
    const auto found = Xdo({"search", "--sync", "--onlyvisible", "--name", namePattern}, timeoutMs);
    return found ? WId(found->split(QLatin1Char('\n')).front().toULongLong()) : 0;
}

const QString kMainWindowTitle = QStringLiteral(" - MIRA-VEL    Powered by Orvendale$");


std::optional<Cells> ModelCells(const QString& path)
{
    CMiravelDoc doc;
    if (!doc.OnOpenDocument(path).ok)
        return std::nullopt;
    return CellsOf(doc.m_cubes);
}

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);

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

// The words tesseract reads in a picture, enlarged three times as it reads
// small screen text best that way.
QString Read(const QImage& image, const QString& scratch)
{
    image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(scratch);
    QProcess ocr;
    ocr.start(QStringLiteral("tesseract"), {scratch, QStringLiteral("stdout")});
    if (!ocr.waitForFinished(60000))
        return {};
    return QString::fromUtf8(ocr.readAllStandardOutput());
}

class RealWindowTest : public ::testing::Test {
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

    // Starts the program (a second one in another process) and returns its
    // main window once shown, or 0.
    WId Start(const QStringList& args, const QString& titlePattern, QProcess* other = nullptr)
    {
        QProcess& program = other ? *other : m_program;
        program.setProcessEnvironment(m_env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(MIRAVEL_EXECUTABLE), args);
        if (!program.waitForStarted(10000))
            return 0;
        return FindWindow(titlePattern, 60000);
    }

    // Focuses the window and gets the splash out of the way: it uses up the
    // first key, so a harmless one.
    bool FocusPastTheSplash() const
    {
        return Xdo({"windowfocus", "--sync", QString::number(m_window)}) && Xdo({"key", "shift"})
            && WaitFor([] { return !Xdo({"search", "--onlyvisible", "--name", "^MIRA-VEL$"}); }, 20000);
    }

    static bool Key(const char* keys) { return Xdo({"key", keys}).has_value(); }

    QImage Grab() const
    {
        return QGuiApplication::primaryScreen()->grabWindow(m_window).toImage().convertToFormat(QImage::Format_RGB32);
    }

    // A left click at a point of the window.
    bool Click(QPoint p) const
    {
        return Xdo({"mousemove", "--window", QString::number(m_window), QString::number(p.x()), QString::number(p.y()),
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

    // Keeps an image for a human to look at when a check failed; ok again.
    static bool KeptIfNot(bool ok, const QImage& image, const char* name)
    {
        const QString folder = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
        if (!ok && !folder.isEmpty() && QDir().mkpath(folder))
            image.save(folder + QStringLiteral("/real_window_%1.png").arg(QLatin1String(name)));
        return ok;
    }

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

    QString RecoveryFolder() const { return Temp(QStringLiteral("data/Orvendale/MIRA-VEL/recovery")); }
    QStringList Copies() const
    {
        QStringList paths;
        for (const QString& name : QDir(RecoveryFolder()).entryList({QStringLiteral("*.mvf")}, QDir::Files))
            paths << RecoveryFolder() + QLatin1Char('/') + name;
        return paths;
    }

    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QProcess m_program; // one still running after a failed check is killed with it
    WId m_window = 0;
    bool m_layoutChanged = false;
};

TEST_F(RealWindowTest, AKilledRunsEditsComeBackAndTheNextRunIsDrivenSavedAndQuit)
{
    const QString model = Temp(QStringLiteral("cubes.mvf"));
    {
        CMiravelDoc doc;
        doc.SetGridSize(4, 4, 4);
        for (int i = 0; i < 8; ++i) {
            doc.SetCube(i & 1, i >> 1 & 1, i >> 2, kMagenta);
            doc.SetCube((i & 1) + 2, i >> 1 & 1, (i >> 2) + 2, kBlue);
        }
        ASSERT_TRUE(doc.OnSaveDocument(model).ok);
    }

    const std::optional<Cells> original = ModelCells(model);
    m_env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    m_env.insert(QStringLiteral("MIRAVEL_RECOVERY_INTERVAL_MS"), QStringLiteral("1000"));
    m_window = Start({model}, QStringLiteral("^cubes\\.mvf") + kMainWindowTitle);
    ASSERT_NE(m_window, WId(0)) << "the main window never appeared";
    ASSERT_TRUE(FocusPastTheSplash()) << "the splash did not go";

    // An edit by key (the model moves up a cell); the copy comes within the
    // (shortened) interval and holds it.
    ASSERT_TRUE(Key("ctrl+shift+Prior"));
    ASSERT_NE(FindWindow(QStringLiteral("^cubes\\.mvf\\* - MIRA-VEL"), 20000), WId(0)) << "the key edited nothing";
    Cells edited;
    ASSERT_TRUE(WaitFor(
        [&] {
            const QStringList copies = Copies();
            const auto cells = copies.size() == 1 ? ModelCells(copies[0]) : std::nullopt;
            if (cells && cells != original)
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
    ASSERT_NE(Start({}, kMainWindowTitle), WId(0)) << "the program did not start again";
    ASSERT_TRUE(WaitFor(
        [&] {
            if (const WId question = FindWindow(QStringLiteral("^MIRA-VEL$"))) {
                Xdo({"windowfocus", "--sync", QString::number(question)});
                Xdo({"key", "Return"});
            }
            m_window = FindWindow(QStringLiteral("^cubes\\.mvf\\* - MIRA-VEL"));
            return m_window != 0;
        },
        60000))
        << "the question never came or Enter did not restore the copy";
    ASSERT_TRUE(FocusPastTheSplash());

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
    ASSERT_TRUE(KeptIfNot(settled, before, "start")) << "magenta " << Count(before, Magenta) << ", blue " << Count(before, Blue);

    // A key that turns the view changes the picture.
    ASSERT_TRUE(Key("Right"));
    QImage after;
    const bool turned = WaitFor(
        [&] {
            after = Grab();
            return !after.isNull() && after != before;
        },
        15000);
    KeptIfNot(turned, before, "before_right");
    EXPECT_TRUE(KeptIfNot(turned, after, "after_right")) << "the Right key did not turn the view";

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
    EXPECT_TRUE(KeptIfNot(picked, Grab(), "palette")) << "the cube button did not take the palette colour";

    // The frame button hides the frame, after its wait for a double-click.
    const int yellowBefore = CountFrameYellow(Grab());
    EXPECT_GT(yellowBefore, 300);
    ASSERT_TRUE(Click(QPoint(width - 65 + 15, top + 65 + 15)));
    const bool hidden = WaitFor([&] { return CountFrameYellow(Grab()) < yellowBefore / 10; }, 15000);
    EXPECT_TRUE(KeptIfNot(hidden, Grab(), "frame")) << "the frame button did not hide the frame";

    // Other keyboard layouts: French "&" is the top row's 1 ("Frame:Show"
    // brings the frame back), Russian "в" sits where US has D
    // ("Setting:Default" undoes the turn).
    ASSERT_TRUE(SetLayout("fr"));
    ASSERT_TRUE(Key("ampersand"));
    const bool shown = WaitFor([&] { return CountFrameYellow(Grab()) > yellowBefore / 2; }, 15000);
    EXPECT_TRUE(KeptIfNot(shown, Grab(), "layout_fr")) << "French & did not act as 1";
    ASSERT_TRUE(SetLayout("ru"));
    const QImage turnedView = Grab();
    ASSERT_TRUE(Key("Cyrillic_ve"));
    const bool reset = WaitFor([&] { return Grab() != turnedView; }, 15000);
    EXPECT_TRUE(KeptIfNot(reset, Grab(), "layout_ru")) << "Russian v did not act as D";
    ASSERT_TRUE(SetLayout("us"));

    // English menus: the bar, and the settings menu that opens at the pointer
    // in a window of its own.
    const QString bar = Read(Grab().copy(0, 0, std::min(width, 400), 30), Temp(QStringLiteral("bar.png")));
    for (const char* title : {"File", "View", "Help"})
        EXPECT_TRUE(bar.contains(QLatin1String(title))) << "menu bar reads: " << bar.toStdString();
    ASSERT_TRUE(Xdo({"mousemove", "--window", QString::number(m_window), "60", "120"}));
    const auto pointer = Xdo({"getmouselocation", "--shell"});
    ASSERT_TRUE(pointer.has_value());
    const QStringList at = pointer->split(QLatin1Char('\n'));
    ASSERT_TRUE(Key("z"));
    QTest::qWait(1000);
    const QImage withMenu = QGuiApplication::primaryScreen()
                                ->grabWindow(0, at.value(0).section(QLatin1Char('='), 1).toInt() - 20,
                                             at.value(1).section(QLatin1Char('='), 1).toInt() - 20, 400, 400)
                                .toImage();
    const QString menu = Read(withMenu, Temp(QStringLiteral("menu.png")));
    for (const char* entry : {"Cube Ratio", "Line Width", "Default View"})
        EXPECT_TRUE(KeptIfNot(menu.contains(QLatin1String(entry)), withMenu, "settings_menu"))
            << "settings menu reads: " << menu.toStdString();
    ASSERT_TRUE(Key("Escape"));
    QTest::qWait(300);

    // Ctrl+S writes the restored edits to the original file and removes the
    // copy, so the quit asks nothing.
    ASSERT_TRUE(Key("ctrl+s"));
    EXPECT_TRUE(WaitFor([&] { return ModelCells(model) == edited; }, 20000)) << "Ctrl+S did not write the edits";
    EXPECT_TRUE(WaitFor([&] { return Copies().isEmpty(); }, 10000)) << "the saved copy stayed";
    ASSERT_NO_FATAL_FAILURE(QuitThroughTheMenu());
    EXPECT_TRUE(QDir(RecoveryFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // What outlives the run: the display settings and the per-user store.
    const QString config = Temp(QStringLiteral("config"));
    EXPECT_TRUE(QFile::exists(config + QStringLiteral("/Orvendale/MIRA-VEL/MIRA-VEL.xml")));
    QSettings store(config + QStringLiteral("/Orvendale/MIRA-VEL.conf"), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("ApplicationLook")).toInt(), 210);
    EXPECT_EQ(store.value(QStringLiteral("Recent File List/File1")).toString(), model);
}

} // namespace

// Cubes selected and copied in one running editor, pasted into a second one:
// the clipboard offers both our own type and a .vox, and the second editor's
// model, saved, holds the cubes where the paste floated (its origin).
TEST_F(RealWindowTest, CubesCopiedInOneEditorPasteIntoASecondOne)
{
    const QString from = Temp(QStringLiteral("from.mvf")), to = Temp(QStringLiteral("to.mvf"));
    {
        CMiravelDoc doc;
        doc.SetGridSize(4, 4, 4);
        ASSERT_TRUE(doc.OnSaveDocument(to).ok);
        doc.SetCube(0, 0, 0, kMagenta);
        doc.SetCube(3, 2, 1, kBlue);
        ASSERT_TRUE(doc.OnSaveDocument(from).ok);
    }
    m_window = Start({from}, QStringLiteral("^from\\.mvf") + kMainWindowTitle);
    ASSERT_NE(m_window, WId(0));
    ASSERT_TRUE(FocusPastTheSplash());
    ASSERT_TRUE(Key("s") && Key("ctrl+a") && Key("ctrl+c"));
    QString targets;
    const bool offered = WaitFor(
        [&] {
            QProcess xclip;
            xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", "TARGETS", "-o"});
            targets = xclip.waitForFinished(5000) ? QString::fromLatin1(xclip.readAllStandardOutput()) : QString();
            return targets.contains(QLatin1String("application/x-miravel-cubes"))
                && targets.contains(QLatin1String("application/x-magicavoxel"));
        },
        20000);
    ASSERT_TRUE(offered) << targets.toStdString();

    // The first editor keeps running: it owns the clipboard.
    QProcess second;
    m_window = Start({to}, QStringLiteral("^to\\.mvf") + kMainWindowTitle, &second);
    ASSERT_NE(m_window, WId(0));
    ASSERT_TRUE(FocusPastTheSplash());
    ASSERT_TRUE(Key("s") && Key("ctrl+a") && Key("ctrl+v") && Key("Return") && Key("ctrl+s"));
    const Cells expected = {{{0, 0, 0}, kMagenta}, {{3, 2, 1}, kBlue}};
    EXPECT_TRUE(WaitFor([&] { return ModelCells(to) == expected; }, 20000)) << "the paste did not reach the file";
    second.kill();
    second.waitForFinished(10000);
    m_program.kill();
    m_program.waitForFinished(10000);
}

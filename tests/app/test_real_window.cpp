// The built program itself, in a real X window, driven by real X input:
// start on a model, turn the view with a key, pick a colour from the palette
// and hide the frame with clicks on the on-view buttons, press keys on French
// and Russian layouts, save with Ctrl+S and quit through the file menu.
#include "tests/app/RealProgramSupport.h"

#include <QFile>
#include <QSettings>

namespace {

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

class RealWindowTest : public RealProgramTest {
protected:
    QImage Grab() const { return ::Grab(m_window); }
    bool Click(QPoint p) const { return RealProgramTest::Click(m_window, p); }

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

    WId m_window = 0;
    bool m_layoutChanged = false;
};

TEST_F(RealWindowTest, StartTurnSaveAndQuitThroughTheProgramsOwnWindow)
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

    m_window = Start({model}, QStringLiteral("^cubes\\.mvf") + kMainWindowTitle);
    ASSERT_NE(m_window, WId(0)) << "the main window never appeared";
    EXPECT_TRUE(FocusPastTheSplash(m_window)) << "the splash did not go";

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

    // Ctrl+S writes the model back to its file (what it holds is the model
    // tests' business), so the quit asks nothing.
    ASSERT_TRUE(QFile::remove(model));
    ASSERT_TRUE(Key("ctrl+s"));
    ASSERT_TRUE(WaitFor([&] { return QFile::exists(model); }, 20000)) << "Ctrl+S saved nothing";
    ASSERT_NO_FATAL_FAILURE(QuitThroughTheMenu());

    // What outlives the run: the display settings and the per-user store.
    const QString config = Temp(QStringLiteral("config"));
    EXPECT_TRUE(QFile::exists(config + QStringLiteral("/Orvendale/MIRA-VEL/MIRA-VEL.xml")));
    QSettings store(config + QStringLiteral("/Orvendale/MIRA-VEL.conf"), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("ApplicationLook")).toInt(), 210);
    EXPECT_EQ(store.value(QStringLiteral("Recent File List/File1")).toString(), model);
}

} // namespace

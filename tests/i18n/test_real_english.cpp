// The built program started by a user whose desktop speaks English: its menu
// bar and its settings menu are English, read off the screen by tesseract.
// The pictures are kept in the test output.
#include "tests/app/RealProgramSupport.h"

#include <QProcess>

namespace {

QString Output(const QString& name)
{
    QString dir = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
    if (dir.isEmpty())
        dir = QDir::currentPath();
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
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

using RealEnglishTest = RealProgramTest;

TEST_F(RealEnglishTest, MenusAreEnglishOnAnEnglishDesktop)
{
    m_env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
    const WId window = Start({QStringLiteral(MIRAVEL_SAMPLE)}, QStringLiteral("^sample\\.mvf") + kMainWindowTitle);
    ASSERT_NE(window, WId(0)) << "the main window never appeared";
    ASSERT_TRUE(FocusPastTheSplash(window));
    QTest::qWait(1500);

    const QImage shown = Grab(window);
    shown.save(Output(QStringLiteral("english-main-window.png")));
    const QString bar = Read(shown.copy(0, 0, std::min(shown.width(), 400), 30), m_dir.filePath(QStringLiteral("bar.png")));
    for (const char* title : {"File", "View", "Help"})
        EXPECT_TRUE(bar.contains(QLatin1String(title))) << "menu bar reads: " << bar.toStdString();

    // The settings menu opens at the pointer, in a window of its own.
    const auto geometry = Xdo({"getwindowgeometry", "--shell", QString::number(window)});
    ASSERT_TRUE(geometry.has_value());
    QRect frame;
    for (const QString& line : geometry->split(QLatin1Char('\n'))) {
        const QString value = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QLatin1String("X=")))
            frame.moveLeft(value.toInt());
        else if (line.startsWith(QLatin1String("Y=")))
            frame.moveTop(value.toInt());
        else if (line.startsWith(QLatin1String("WIDTH=")))
            frame.setWidth(value.toInt());
        else if (line.startsWith(QLatin1String("HEIGHT=")))
            frame.setHeight(value.toInt());
    }
    ASSERT_TRUE(Xdo({"mousemove", "--window", QString::number(window), "60", "120"}));
    ASSERT_TRUE(Key("z"));
    QTest::qWait(1000);
    const QImage withMenu = QGuiApplication::primaryScreen()
                                ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                                .toImage();
    withMenu.save(Output(QStringLiteral("english-settings-menu.png")));
    const QString menu = Read(withMenu.copy(40, 100, 400, 400), m_dir.filePath(QStringLiteral("menu.png")));
    for (const char* entry : {"Cube Ratio", "Line Width", "Default View"})
        EXPECT_TRUE(menu.contains(QLatin1String(entry))) << "settings menu reads: " << menu.toStdString();
    ASSERT_TRUE(Key("Escape"));
    QTest::qWait(300);

    QuitThroughTheMenu();
}

} // namespace

// Start-up order, the command line and shutdown of the application object.
#include "ShellTestSupport.h"

#include "app/CSplashDlg.h"
#include "app/ShellIds.h"
#include "settings/SettingsFile.h"
#include "view/CMiravelView.h"
#include "view/ViewState.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

QRgb CornerPixel(CMiravelView* view)
{
    const QImage frame = view->grabFramebuffer();
    return frame.isNull() ? 0x12345678u : frame.pixel(3, 3) & 0xFFFFFF;
}

} // namespace

TEST_F(ShellTest, StartupRunsInOrderAndAppliesTheSettingsAfterTheFirstPaint)
{
    // A settings file from an earlier run that wants a dark blue background.
    CViewState saved;
    saved.m_backColor = RGB(0x20, 0x40, 0x80);
    ASSERT_TRUE(SaveSettings(saved, SettingsFilePath()));

    std::vector<int> steps;
    bool splashShownBeforeWindowExists = false;
    int framesWhenShown = -1;
    COLORREF backWhenShown = 0xFFFFFFFF;
    QRgb firstFrame = 0x12345678;
    int frames = 0;

    const auto watch = [&](CMiravelApp& started) {
        CMiravelApp* app = &started;
        QObject::connect(app, &CMiravelApp::startupStep, [&, app](int step) {
        steps.push_back(step);
        if (step == CMiravelApp::StepSplash)
            splashShownBeforeWindowExists =
                app->Splash() && app->Splash()->isVisible() && app->MainFrame() == nullptr;
        if (step == CMiravelApp::StepCommandLine) {
            CMiravelView* view = app->MainFrame()->GetActiveView();
            QObject::connect(view, &QOpenGLWidget::frameSwapped, view, [&frames, &firstFrame, view] {
                if (frames++ == 0)
                    firstFrame = CornerPixel(view);
            });
        }
        if (step == CMiravelApp::StepMainWindowShown) {
            framesWhenShown = frames;
            backWhenShown = app->MainFrame()->GetActiveView()->m_backColor;
        }
        });
    };
    ASSERT_TRUE(StartApp({}, true, watch));

    const std::vector<int> expected = {
        CMiravelApp::StepLocale,          CMiravelApp::StepSplash,         CMiravelApp::StepSplashTimer,
        CMiravelApp::StepUserStore,       CMiravelApp::StepRecentFiles,    CMiravelApp::StepDocument,
        CMiravelApp::StepCommandLine,     CMiravelApp::StepSplashTimerAgain,
        CMiravelApp::StepMainWindowShown, CMiravelApp::StepSettingsLoaded};
    EXPECT_EQ(steps, expected);
    EXPECT_TRUE(splashShownBeforeWindowExists);

    // The window was on screen, painted with the built-in black, before the
    // file's colour arrived.
    EXPECT_GE(framesWhenShown, 1);
    EXPECT_EQ(backWhenShown, 0u);
    EXPECT_EQ(firstFrame, 0x000000u);

    CMiravelView* view = Frame().GetActiveView();
    EXPECT_EQ(view->m_backColor, RGB(0x20, 0x40, 0x80));
    QTRY_COMPARE_WITH_TIMEOUT(CornerPixel(view), QRgb(0x204080), 5000);
    StopApp(); // the frame watchers above refer to this test's locals
}

TEST_F(ShellTest, CommandLineStartsANewModelOrOpensTheGivenFile)
{
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("ミラヴェル")));
    EXPECT_TRUE(Doc().m_cubes.empty());
    EXPECT_EQ(Doc().m_sizeX, 16);
    EXPECT_EQ(Doc().m_sizeY, 16);
    EXPECT_EQ(Doc().m_sizeZ, 16);
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().GetActiveView()->GetDocument(), &Doc());
    StopApp();

    const std::map<CUBEPOS, COLORREF> cubes = {{{0, 0, 0}, RGB(255, 0, 255)}, {{1, 2, 3}, RGB(0, 0, 255)}};
    const QString path = WriteModel(QStringLiteral("boxes.mvf"), cubes, 5);
    ASSERT_TRUE(StartApp({path}));
    EXPECT_EQ(Doc().m_cubes, cubes);
    EXPECT_EQ(Doc().m_sizeX, 5);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("boxes.mvf")));
    ASSERT_FALSE(App().RecentFiles().Files().isEmpty());
    EXPECT_EQ(App().RecentFiles().Files().front(), path);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(ShellTest, AModelThatCannotBeOpenedAtStartEndsTheStartUpAfterItsMessage)
{
    const QString path = TempPath(QStringLiteral("not-a-model.mvf"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(64, 'x'));
    }
    bool splashGoneWhenToldUser = false;
    const auto spy = [&](CMiravelApp& started) {
        CMiravelApp* app = &started;
        auto recordError = app->Prompts().showError;
        app->Prompts().showError = [app, &splashGoneWhenToldUser, recordError](QWidget* parent,
                                                                              const QString& message) {
            splashGoneWhenToldUser = app->Splash() == nullptr;
            recordError(parent, message);
        };
    };

    EXPECT_FALSE(StartApp({path}, false, spy));
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(prompts.errors.front(), QStringLiteral("mvfファイルではありません"));
    EXPECT_TRUE(splashGoneWhenToldUser);
    EXPECT_EQ(App().MainFrame(), nullptr);
    EXPECT_TRUE(App().RecentFiles().Files().isEmpty());
}

TEST_F(ShellTest, ClosingSavesTheDisplaySettingsOnlyOnceTheCloseIsCertain)
{
    ASSERT_TRUE(StartApp());
    int closedSignals = 0;
    QObject::connect(&App(), &CMiravelApp::mainFrameClosed, [&] { ++closedSignals; });
    CMiravelView* view = Frame().GetActiveView();
    view->m_frameColor = RGB(10, 20, 30);
    view->m_showAxis = 1;
    Doc().SetCube(1, 1, 1, RGB(1, 2, 3));

    // The user thinks again: nothing is written, the window stays.
    prompts.saveAnswers = {SaveChangesAnswer::Cancel};
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
    EXPECT_EQ(closedSignals, 0);

    // The exit command closes the same way.
    prompts.saveAnswers = {SaveChangesAnswer::No};
    Frame().CommandAction(ID_APP_EXIT)->trigger();
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_EQ(closedSignals, 1);
    EXPECT_EQ(prompts.saveQuestions, QStringList({QStringLiteral("ミラヴェル"), QStringLiteral("ミラヴェル")}));

    CViewState read;
    ASSERT_TRUE(LoadSettings(read, SettingsFilePath()).NeedsRefresh());
    EXPECT_EQ(read.m_frameColor, RGB(10, 20, 30));
    EXPECT_EQ(read.m_showAxis, 1);
}

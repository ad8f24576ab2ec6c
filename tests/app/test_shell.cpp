// The shell inside the test process: start-up and the command line, the file
// commands with the question about unsaved changes answered by the test, the
// recent files, the looks, the splash, the main window's own commands and the
// choice of language.
#include "app/AppLooks.h"
#include "app/CSplashDlg.h"
#include "controls/ButtonIds.h"
#include "i18n/Language.h"
#include "settings/SettingsFile.h"
#include "tests/app/ShellTestSupport.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPrinter>
#include <QSettings>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>


namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const QString kNotAModel = QStringLiteral("mvfファイルではありません");

QSettings Store() { return QSettings(QStringLiteral("Orvendale"), QStringLiteral("MIRA-VEL")); }
QColor WindowColour() { return QApplication::palette().color(QPalette::Window); }
QColor LookColour(int id) { return AppLookFor(id, kLookOff2007Blue).palette.color(QPalette::Window); }

// Counts the mouse-button presses that reach one widget.
struct PressCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        presses += e->type() == QEvent::MouseButtonPress;
        return false;
    }
};

class ShellCommandsTest : public ShellTest {
protected:
    QAction* CheckedLook() { return Frame().Action(CommandId::LookVs2008)->actionGroup()->checkedAction(); }
    QString WriteJunk(const QString& name) { return WriteBytes(Temp(name), "not a model at all") ? Temp(name) : QString(); }
    QStringList MenuTitles()
    {
        QStringList titles;
        for (const QAction* a : Frame().menuBar()->actions())
            titles << a->text();
        return titles;
    }
    QAction* LanguageEntry(const QString& language)
    {
        for (QAction* a : Frame().LanguageActions()->actions())
            if (a->data().toString() == language)
                return a;
        return nullptr;
    }
};

TEST_F(ShellCommandsTest, StartupRunsInOrderAndAppliesTheSettingsAfterTheFirstPaint)
{
    // A settings file from an earlier run that wants a dark blue background.
    CViewPreferences saved;
    saved.m_backColor = RGB(0x20, 0x40, 0x80);
    ASSERT_TRUE(SaveSettings(saved, SettingsFilePath()));

    std::vector<int> steps;
    int frames = 0, framesWhenShown = -1;
    COLORREF backWhenShown = 1;
    ASSERT_TRUE(StartApp({}, false, [&](CMiravelApp& app) {
        QObject::connect(&app, &CMiravelApp::startupStep, [&](int step) {
            steps.push_back(step);
            if (step == CMiravelApp::StepCommandLine)
                QObject::connect(app.MainFrame()->GetActiveView(), &QOpenGLWidget::frameSwapped, [&] { ++frames; });
            if (step == CMiravelApp::StepMainWindowShown) {
                framesWhenShown = frames;
                backWhenShown = app.MainFrame()->GetActiveView()->m_state.m_prefs.m_backColor;
            }
        });
    }));
    const std::vector<int> expected = {CMiravelApp::StepLocale, CMiravelApp::StepSplash, CMiravelApp::StepSplashTimer,
        CMiravelApp::StepUserStore, CMiravelApp::StepRecentFiles, CMiravelApp::StepDocument, CMiravelApp::StepCommandLine,
        CMiravelApp::StepSplashTimerAgain, CMiravelApp::StepMainWindowShown, CMiravelApp::StepSettingsLoaded};
    EXPECT_EQ(steps, expected);
    // The window was on screen, painted with the built-in black, before the
    // file's colour arrived; then it repaints in that colour.
    EXPECT_GE(framesWhenShown, 1);
    EXPECT_EQ(backWhenShown, 0u);
    CMiravelView* view = Frame().GetActiveView();
    QTRY_COMPARE_WITH_TIMEOUT(view->grabFramebuffer().pixel(3, 3) & 0xFFFFFF, QRgb(0x204080), 5000);
    StopApp(); // the watchers above refer to this test's locals
}

TEST_F(ShellCommandsTest, CommandLineStartsANewModelOrEndsAtTheGivenFilesMessage)
{
    // (A good file on the command line: the failed-open test and the
    // real-window test start on one.)
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("ミラヴェル")));
    EXPECT_TRUE(Doc().m_cubes.IsEmpty());

    // The message must not hide behind the splash, which stays above all.
    bool splashGone = false;
    EXPECT_FALSE(StartApp({WriteJunk(QStringLiteral("junk.mvf"))}, true, [&](CMiravelApp& app) {
        app.Prompts().showError = [&](QWidget*, const QString& m) { splashGone = !app.Splash(); errors << m; };
    }));
    EXPECT_EQ(errors, QStringList{kNotAModel});
    EXPECT_TRUE(splashGone);
    EXPECT_EQ(App().MainFrame(), nullptr);
    EXPECT_TRUE(App().RecentFiles().Files().isEmpty());
}

TEST_F(ShellCommandsTest, NewAndCloseAskAboutUnsavedChangesAndActOnEachAnswer)
{
    ASSERT_TRUE(StartApp());
    CMiravelView* view = Frame().GetActiveView();
    view->m_state.m_camera.m_rotX = 99.0;
    Doc().SetCube(2, 2, 2, kMagenta);
    WaitForCopy();

    // Cancel, and Yes with the save dialog cancelled: nothing changes, the
    // recovery copy stays.
    saveAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::Yes};
    paths = {QString()};
    Command(CommandId::FileNew);
    Command(CommandId::FileNew);
    EXPECT_EQ(Doc().GetCube(2, 2, 2), kMagenta);
    EXPECT_EQ(view->m_state.m_camera.m_rotX, 99.0);
    EXPECT_EQ(CopiesOnDisk(), 1);

    // Yes with a name (the extension added): saved, the copy gone, then a
    // new model with the view's initial update (the camera is back).
    saveAnswers = {SaveChangesAnswer::Yes};
    paths = {Temp(QStringLiteral("first"))};
    Command(CommandId::FileNew);
    CMiravelDoc check;
    ASSERT_TRUE(check.OnOpenDocument(Temp(QStringLiteral("first.mvf"))).ok);
    EXPECT_EQ(check.GetCube(2, 2, 2), kMagenta);
    EXPECT_TRUE(Doc().m_cubes.IsEmpty());
    EXPECT_EQ(view->m_state.m_camera.m_rotX, 25.0);
    EXPECT_EQ(CopiesOnDisk(), 0);

    // No gives the changes and their copy up, for New and for Open; an
    // unmodified model is replaced unasked.
    for (const CommandId command : {CommandId::FileNew, CommandId::FileOpen}) {
        Doc().SetCube(0, 0, 0, kBlue);
        WaitForCopy();
        ASSERT_EQ(CopiesOnDisk(), 1);
        saveAnswers = {SaveChangesAnswer::No};
        paths = {Temp(QStringLiteral("first.mvf"))};
        Command(command);
        EXPECT_EQ(Doc().GetCube(0, 0, 0), CLR_NONE);
        EXPECT_EQ(CopiesOnDisk(), 0);
    }
    Command(CommandId::FileNew);
    EXPECT_EQ(saveQuestions.size(), 5);

    // Closing: the display settings are written only once the close is
    // certain; a cancelled close keeps the copy, a declined save removes it.
    int closed = 0;
    QObject::connect(&App(), &CMiravelApp::mainFrameClosed, [&] { ++closed; });
    view->m_state.m_prefs.m_frameColor = RGB(10, 20, 30);
    Doc().SetCube(1, 1, 1, kBlue);
    WaitForCopy();
    saveAnswers = {SaveChangesAnswer::Cancel, SaveChangesAnswer::No};
    EXPECT_FALSE(Frame().close());
    EXPECT_FALSE(QFile::exists(SettingsFilePath()));
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(CopiesOnDisk(), 1);
    Command(CommandId::AppExit);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(CopiesOnDisk(), 0);
    EXPECT_EQ(saveQuestions.size(), 7);
    EXPECT_EQ(saveQuestions.last(), QStringLiteral("ミラヴェル"));
    CViewPreferences read;
    ASSERT_EQ(LoadSettings(read, SettingsFilePath()).status, SettingsLoadStatus::Complete);
    EXPECT_EQ(read.m_frameColor, RGB(10, 20, 30));
}

TEST_F(ShellCommandsTest, AFailedOpenOrSaveKeepsTheModelItsPathAndTitle)
{
    const QString path = WriteModel(QStringLiteral("model.mvf"), {{{0, 1, 2}, kMagenta}});
    ASSERT_TRUE(StartApp({path}));
    Doc().SetCube(3, 3, 3, kBlue);
    Frame().GetActiveView()->m_state.m_camera.m_rotY = 12.0;
    paths = {WriteJunk(QStringLiteral("bad.mvf"))};
    saveAnswers = {SaveChangesAnswer::No};
    Command(CommandId::FileOpen);
    EXPECT_EQ(errors, QStringList{kNotAModel});
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_EQ(Doc().GetCube(3, 3, 3), kBlue);
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("model.mvf*")));
    EXPECT_EQ(Frame().GetActiveView()->m_state.m_camera.m_rotY, 12.0); // no initial update either

    ASSERT_TRUE(QFile::remove(path));
    Command(CommandId::FileSave); // a model with a name is saved there unasked
    CMiravelDoc check;
    ASSERT_TRUE(check.OnOpenDocument(path).ok);
    EXPECT_EQ(CellsOf(check.m_cubes), CellsOf(Doc().m_cubes));
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("model.mvf")));

    // Save As renames (its failures: test_failed_saves.cpp).
    Doc().SetCube(0, 0, 0, kBlue);
    paths = {Temp(QStringLiteral("other.mvf"))};
    Command(CommandId::FileSaveAs);
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("other.mvf")));
    EXPECT_EQ(App().RecentFiles().Files(), QStringList({Temp(QStringLiteral("other.mvf")), path}));
}

TEST_F(ShellCommandsTest, RecentFilesKeepTwentySurviveARestartAndLoseEntriesThatNoLongerOpen)
{
    QStringList files;
    for (int i = 0; i < 22; ++i)
        files.append(WriteModel(QStringLiteral("m%1&.mvf").arg(i), {{{0, 0, 0}, RGB(i, 0, 0)}}));
    ASSERT_TRUE(StartApp());
    for (const QString& p : files)
        EXPECT_TRUE(App().OpenDocumentFile(p));
    EXPECT_EQ(App().RecentFiles().Files().size(), 20);

    // The next run shows the newest twenty in the file menu, numbered, with a
    // '&' in a name shown as itself; an entry opens.
    ASSERT_TRUE(StartApp());
    const auto shown = [&](int i) { return QString(files[i]).replace(QLatin1Char('&'), QStringLiteral("&&")); };
    QList<QAction*> entries = Frame().RecentFileActions();
    ASSERT_EQ(entries.size(), 20);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 ") + shown(21));
    EXPECT_EQ(entries[9]->text(), QStringLiteral("1&0 ") + shown(12));
    EXPECT_EQ(entries[19]->text(), QStringLiteral("20 ") + shown(2));
    entries[3]->trigger();
    EXPECT_EQ(Doc().GetCube(0, 0, 0), RGB(18, 0, 0));

    // An entry whose file has gone is reported and dropped, here and in the store.
    ASSERT_TRUE(QFile::remove(files[20]));
    Frame().RecentFileActions()[2]->trigger();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(Frame().RecentFileActions().size(), 19);
    ASSERT_TRUE(StartApp());
    EXPECT_FALSE(App().RecentFiles().Files().contains(files[20]));
}

TEST_F(ShellCommandsTest, TheChosenLookIsAppliedAtOnceMarkedAndUsedAtTheNextStart)
{
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(CheckedLook(), Frame().Action(CommandId::LookVs2008));
    Command(CommandId::LookOff2003);
    EXPECT_EQ(CheckedLook(), Frame().Action(CommandId::LookOff2003));
    EXPECT_EQ(Frame().menuBar()->palette().color(QPalette::Window), LookColour(kLookOff2003));

    ASSERT_TRUE(StartApp()); // the next start
    EXPECT_EQ(CheckedLook(), Frame().Action(CommandId::LookOff2003));
    EXPECT_EQ(WindowColour(), LookColour(kLookOff2003));

    // A look without a menu item still starts in a look of its own; a stored
    // number that names no look gives the default.
    Store().setValue(QStringLiteral("ApplicationLook"), kLookWindows7);
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(CheckedLook(), nullptr);
    EXPECT_EQ(WindowColour(), LookColour(kLookWindows7));

    Store().setValue(QStringLiteral("ApplicationLook"), 4711);
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(CheckedLook(), Frame().Action(CommandId::LookVs2008));
}

TEST_F(ShellCommandsTest, SplashGoesOnItsTimerOrUsesUpExactlyTheFirstKeyOrMousePress)
{
    ASSERT_TRUE(StartApp({}, true));
    ASSERT_TRUE(App().Splash() && App().Splash()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(App().Splash() == nullptr, 10000); // nothing but waiting


    ASSERT_TRUE(StartApp({}, true));
    int triggered = 0;
    auto* shortcut = new QAction(&Frame());
    shortcut->setShortcut(Qt::Key_F5);
    Frame().addAction(shortcut);
    QObject::connect(shortcut, &QAction::triggered, [&] { ++triggered; });
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    // Shortcuts are matched before a key press is delivered; one must be used
    // up like any other key.
    QTest::keyClick(Frame().windowHandle(), Qt::Key_F5);
    EXPECT_EQ(App().Splash(), nullptr);
    EXPECT_EQ(triggered, 0);
    QTest::keyClick(Frame().windowHandle(), Qt::Key_F5);
    EXPECT_EQ(triggered, 1);


    PressCounter counter;
    ASSERT_TRUE(StartApp({}, true));
    CMiravelView* view = Frame().GetActiveView();
    view->installEventFilter(&counter);
    QTest::mouseClick(view, Qt::RightButton, {}, view->rect().center());
    EXPECT_EQ(App().Splash(), nullptr);
    EXPECT_EQ(counter.presses, 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    EXPECT_EQ(counter.presses, 1);
}

TEST_F(ShellCommandsTest, PrintPutsTheViewsPictureOnThePage)
{
    const QString pdf = Temp(QStringLiteral("printed.pdf"));
    bool printIt = false;
    print = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return printIt;
    };
    ASSERT_TRUE(StartApp());
    Command(CommandId::FilePrint); // cancelled: nothing printed
    EXPECT_FALSE(QFile::exists(pdf));
    printIt = true;
    Command(CommandId::FilePrint);
    const QByteArray bytes = ReadAll(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF") && bytes.contains("/Subtype /Image"));
    // Scaled to the page keeping its proportions, centred.
    EXPECT_EQ(CMainFrame::FitPictureRect({800, 600}, {50, 50, 4000, 6000}), QRect(50, 1550, 4000, 3000));
}

TEST_F(ShellCommandsTest, TheToolBarIsKeptAndAHiddenMenuBarComesBackWithALoneAlt)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QWindow* window = Frame().windowHandle();
    // The tool bar shows from the view menu and is kept for the next start;
    // its entries follow the view's tool keys.
    EXPECT_TRUE(Frame().ToolBar()->isHidden());
    Frame().Action(CommandId::ToolBar)->trigger();
    EXPECT_TRUE(Frame().ToolBar()->isVisible());
    EXPECT_TRUE(Store().value(QStringLiteral("Tools/ToolBar")).toBool());
    QTest::keyClick(window, Qt::Key_B);
    EXPECT_TRUE(Frame().Action(CommandId::ToolBox)->isChecked());
    EXPECT_FALSE(Frame().Action(CommandId::ToolPen)->isChecked());

    Frame().MenuBarToggle()->trigger();
    EXPECT_FALSE(Frame().menuBar()->isVisible());
    // Alt together with another key does not bring it back (those keys belong
    // to the view); Alt alone does.
    QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(window, Qt::Key_9, Qt::AltModifier);
    QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_FALSE(Frame().menuBar()->isVisible());
    QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_TRUE(Frame().menuBar()->isVisible());
    EXPECT_TRUE(Frame().MenuBarToggle()->isChecked());

    // The file keys work while the bar is hidden; the toggle's mark follows the bar.
    Frame().MenuBarToggle()->trigger();
    ASSERT_FALSE(Frame().menuBar()->isVisible());
    EXPECT_FALSE(Frame().MenuBarToggle()->isChecked());
    Doc().SetCube(1, 2, 3, kBlue);
    paths = {Temp(QStringLiteral("keyed.mvf"))};
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(paths.empty());
    EXPECT_TRUE(QFile::exists(Temp(QStringLiteral("keyed.mvf"))));
}

TEST_F(ShellCommandsTest, FirstRunButtonsShowTheStateAndTheTitleMarksEveryChange)
{
    // No settings file: the sight is off, and so is its button.
    ASSERT_TRUE(StartApp());
    CMiravelView* view = Frame().GetActiveView();
    EXPECT_EQ(view->m_state.m_prefs.m_showSight, 0);
    EXPECT_EQ(view->CommandUi().Swatch(ButtonSight), RGB(0, 0, 0));

    // An undo after a save marks the title again.
    Doc().SetCube(1, 1, 1, kBlue);
    paths = {Temp(QStringLiteral("marked.mvf"))};
    Command(CommandId::FileSave);
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("marked.mvf")));
    view->ExecuteCommand(QStringLiteral("Cube:Back"));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Frame().windowTitle(), Title(QStringLiteral("marked.mvf*")));

    // A settings file that stops early still recolours the buttons from what
    // it held: here the sight on in another colour, the light position missing.
    CViewPreferences saved;
    saved.m_showSight = 1;
    saved.m_sightColor = RGB(1, 2, 3);
    ASSERT_TRUE(SaveSettings(saved, SettingsFilePath()));
    ASSERT_TRUE(WriteBytes(SettingsFilePath(), ReadAll(SettingsFilePath()).replace("<Position>0</Position>", "")));
    Frame().LoadSettings();
    EXPECT_EQ(view->m_state.m_prefs.m_showSight, 1);
    EXPECT_EQ(view->CommandUi().Swatch(ButtonSight), RGB(1, 2, 3));
}

TEST_F(ShellCommandsTest, TheToolMenuSitsBeforeHelpItsKeysActAndMirroringIsRemembered)
{
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(MenuTitles(), (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"), QStringLiteral("表示(&V)"),
                                   QStringLiteral("ツール(&T)"), QStringLiteral("ヘルプ(&H)")}));
    // The menu shows a key from its action's shortcut.
    EXPECT_TRUE(Frame().menuBar()->actions().at(3)->menu()->actions().contains(Frame().Action(CommandId::ModelMovePlusY)));
    EXPECT_EQ(Frame().Action(CommandId::ModelMovePlusY)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+PgUp")));
    // Every command of the window's own has its action and its handler.
    for (const CommandRow* row : CommandRegistry::All()) {
        EXPECT_TRUE(row->run || (Frame().Action(row->id) && Frame().Handles(row->id)))
            << CommandRegistry::Label(*row).toStdString();
    }

    // The keys reach the window's shortcuts through the view: a move, an
    // undo with Ctrl+Z and a redo with Ctrl+Shift+Z, each of the whole move.
    CMiravelView* view = Frame().GetActiveView();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    view->setFocus();
    Doc().SetCube(3, 3, 3, kBlue);
    Doc().SetCube(4, 3, 3, kMagenta);
    const Cells moved = {{{4, 3, 3}, kBlue}, {{5, 3, 3}, kMagenta}};
    QTest::keyClick(Frame().windowHandle(), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(CellsOf(Doc().m_cubes), moved);
    QTest::keyClick(Frame().windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(CellsOf(Doc().m_cubes), (Cells{{{3, 3, 3}, kBlue}, {{4, 3, 3}, kMagenta}}));
    QTest::keyClick(Frame().windowHandle(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(CellsOf(Doc().m_cubes), moved);

    // Mirroring across X: on from its key, and still on (and checked) at the next start.
    QTest::keyClick(Frame().windowHandle(), Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier);
    saveAnswers = {SaveChangesAnswer::No};
    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Frame().GetActiveView()->m_state.m_edit.m_mirrorX, 1);
    EXPECT_TRUE(Frame().Action(CommandId::ToolMirrorX)->isChecked());
}

TEST_F(ShellCommandsTest, TheLanguageChoiceIsToldAboutOnceAndTakesEffectAtTheNextStart)
{
    // The test runs with LANG=C: no language of the program, so Japanese.
    ASSERT_TRUE(StartApp());
    ASSERT_EQ(Frame().LanguageActions()->actions().size(), 2);
    EXPECT_TRUE(LanguageEntry(Language::kJapanese)->isChecked());

    LanguageEntry(Language::kEnglish)->trigger();
    ASSERT_EQ(notices.size(), 1);
    // Said in both languages, the one in use first.
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("表示の言語は")) &&
                notices[0].endsWith(QStringLiteral("The new language shows the next time MIRA-VEL starts.")))
        << notices[0].toStdString();
    EXPECT_EQ(MenuTitles().value(0), QStringLiteral("ファイル(&F)"));  // not before the next start
    EXPECT_TRUE(LanguageEntry(Language::kEnglish)->isChecked());
    LanguageEntry(Language::kEnglish)->trigger();
    EXPECT_EQ(notices.size(), 1);

    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Language::Current(), Language::kEnglish);
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Edit", "&View", "&Tools", "&Help"}));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Miravel - MIRA-VEL    Powered by Orvendale"));
    EXPECT_TRUE(LanguageEntry(Language::kEnglish)->isChecked());
    // (A later choice overwriting the stored one: the translations test.)
}

} // namespace

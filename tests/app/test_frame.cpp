// The main window: about box, printing and the menu bar switch.
#include "ShellTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/ShellIds.h"
#include "view/CMiravelView.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

TEST_F(ShellTest, AboutBoxShowsNameVersionAndClosesWithOk)
{
    ASSERT_TRUE(StartApp());
    QString title;
    QStringList texts;
    bool hasOk = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        if (!about)
            return; // the dialog never came; the check below fails
        title = about->windowTitle();
        for (const QLabel* label : about->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                texts << label->text();
        hasOk = about->OkButton()->text() == QStringLiteral("OK") && about->OkButton()->isDefault();
        QTest::mouseClick(about->OkButton(), Qt::LeftButton);
    });
    Frame().CommandAction(ID_APP_ABOUT)->trigger(); // returns once OK closed it
    EXPECT_EQ(title, QStringLiteral("バージョン情報 MIRA-VEL"));
    EXPECT_TRUE(texts.contains(QStringLiteral("MIRA-VEL, Version 1.1")));
    EXPECT_EQ(texts.size(), 2);
    EXPECT_TRUE(hasOk);
}

TEST_F(ShellTest, PrintPutsTheViewsPictureOnThePage)
{
    const QString pdf = TempPath(QStringLiteral("printed.pdf"));
    ASSERT_TRUE(StartApp());
    int asked = 0;
    prompts.printer = [&](QPrinter& printer) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    Frame().CommandAction(ID_FILE_PRINT)->trigger();
    EXPECT_EQ(asked, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    file.close();

    // Cancelling the dialog prints nothing.
    QFile::remove(pdf);
    prompts.printer = [&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return false;
    };
    Frame().CommandAction(ID_FILE_PRINT)->trigger();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST(PrintLayout, PictureFillsThePageKeepingItsProportions)
{
    struct Row {
        QSize picture;
        QRect page;
        QRect expected;
    };
    const Row rows[] = {
        {{800, 600}, {0, 0, 4000, 6000}, {0, 1500, 4000, 3000}},   // wide picture, tall page
        {{600, 800}, {0, 0, 6000, 4000}, {1500, 0, 3000, 4000}},   // tall picture, wide page
        {{100, 100}, {50, 50, 200, 400}, {50, 150, 200, 200}},     // page with a margin
        {{0, 0}, {0, 0, 100, 100}, {}},                            // no picture
    };
    for (const Row& r : rows)
        EXPECT_EQ(CMainFrame::FitPictureRect(r.picture, r.page), r.expected) << r.picture.width();
}

TEST_F(ShellTest, AHiddenMenuBarComesBackWithALoneAltAndIsRemembered)
{
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    QWindow* window = Frame().windowHandle();
    QAction* toggle = Frame().MenuBarToggle();
    ASSERT_TRUE(toggle->isChecked());

    toggle->trigger();
    EXPECT_FALSE(Frame().menuBar()->isVisible());
    ASSERT_TRUE(Frame().close());
    StopApp();

    // The next run starts without it; Alt together with another key does not
    // bring it back (those keys belong to the view), Alt alone does.
    ASSERT_TRUE(StartApp());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    window = Frame().windowHandle();
    EXPECT_FALSE(Frame().menuBar()->isVisible());
    QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(window, Qt::Key_9, Qt::AltModifier);  // "Control:Pos"
    QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_FALSE(Frame().menuBar()->isVisible());
    QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_TRUE(Frame().menuBar()->isVisible());
    EXPECT_TRUE(Frame().MenuBarToggle()->isChecked());
}

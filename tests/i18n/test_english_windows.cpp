// The program's windows in English: every text fits its label or button, and
// the controls of the fixed-layout dialogs do not run into each other.
// Pictures of the windows go to the test output, to be looked at.
#include "app/CAboutDlg.h"
#include "app/RecoveryTexts.h"
#include "app/ShellPrompts.h"
#include "app/ShellTexts.h"
#include "dialogs/CCubeRateDlg.h"
#include "dialogs/CCubeSizeDlg.h"
#include "dialogs/CLineWidthDlg.h"
#include "dialogs/CProgressWindow.h"
#include "i18n/Language.h"
#include "images/ScreenshotExport.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

void Keep(QWidget* window, const QString& name)
{
    QString dir = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
    if (dir.isEmpty())
        dir = QDir::currentPath();
    dir += QStringLiteral("/english-windows");
    QDir().mkpath(dir);
    window->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// What does not fit: labels whose text needs more room than they have,
// buttons narrower than their text, and (where asked) controls overlapping.
QStringList Problems(QWidget* window, bool checkOverlaps)
{
    QStringList problems;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QFontMetrics metrics = label->fontMetrics();
        const QRect room = label->contentsRect();
        QString text = label->text();
        if (label->buddy())
            text.remove(QLatin1Char('&'));
        // A line is as wide as its glyphs advance; the glyphs' ink may stick
        // out a pixel or so without cutting anything, as may a line's
        // leading below.
        int width = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            width = std::max(width, metrics.horizontalAdvance(line));
        int height = int(text.count(QLatin1Char('\n')) + 1) * metrics.lineSpacing() - metrics.leading();
        if (label->wordWrap()) {
            const QRect wrapped = metrics.boundingRect(room, Qt::TextWordWrap, text);
            width = wrapped.width() > room.width() ? wrapped.width() : 0;
            height = wrapped.height() - metrics.leading();
        }
        const QSize need(width, height);
        if (need.width() > room.width() || need.height() > room.height() + 1)
            problems << QStringLiteral("label \"%1\" needs %2x%3, has %4x%5")
                            .arg(label->text()).arg(need.width()).arg(need.height()).arg(room.width()).arg(room.height());
    }
    for (const QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->isVisible() && button->sizeHint().width() > button->width())
            problems << QStringLiteral("button \"%1\" needs %2 pixels, has %3")
                            .arg(button->text()).arg(button->sizeHint().width()).arg(button->width());
    }
    if (checkOverlaps) {
        QList<QWidget*> controls;
        for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && !w->isWindow())
                controls << w;
        for (qsizetype i = 0; i < controls.size(); ++i)
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                if (controls[i]->geometry().intersects(controls[j]->geometry()))
                    problems << QStringLiteral("%1 and %2 overlap")
                                    .arg(controls[i]->metaObject()->className(), controls[j]->metaObject()->className());
    }
    return problems;
}

void ExpectFits(QWidget* window, bool checkOverlaps)
{
    const QStringList problems = Problems(window, checkOverlaps);
    EXPECT_TRUE(problems.isEmpty()) << window->windowTitle().toStdString() << ":\n"
                                    << problems.join(QLatin1Char('\n')).toStdString();
}

// Runs a modal prompt; while it waits, checks and keeps a picture of the box,
// then answers with the button whose text is given.
void WhileModal(const QString& name, const QString& answer, const std::function<void()>& prompt, bool& seen)
{
    QTimer::singleShot(300, [name, answer, &seen] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr) << name.toStdString();
        seen = true;
        Keep(box, name);
        ExpectFits(box, false);
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->text() == answer) {
                b->click();
                return;
            }
        ADD_FAILURE() << name.toStdString() << ": no button " << answer.toStdString();
        box->close();
    });
    prompt();
}

class EnglishWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Language::Install(Language::kEnglish); }
};

TEST_F(EnglishWindows, ParameterDialogsFitTheirTexts)
{
    {
        CCubeSizeDlg dlg;
        dlg.m_sizeX = dlg.m_sizeY = dlg.m_sizeZ = 16;
        dlg.show();
        // Out of range, so that the message line shows.
        dlg.findChildren<QLineEdit*>().constFirst()->setText(QStringLiteral("0"));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Cube Size"));
        Keep(&dlg, QStringLiteral("cube-size"));
        ExpectFits(&dlg, true);
    }
    {
        CCubeRateDlg dlg;
        dlg.show();
        Keep(&dlg, QStringLiteral("cube-ratio"));
        ExpectFits(&dlg, true);
    }
    {
        CLineWidthDlg dlg;
        dlg.m_width = 1;
        dlg.m_title = QCoreApplication::translate("CommandDispatcher", "キャンバス");
        dlg.show();
        dlg.findChildren<QLineEdit*>().constFirst()->setText(QStringLiteral("99"));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Canvas"));
        Keep(&dlg, QStringLiteral("line-width"));
        ExpectFits(&dlg, true);
    }
    {
        CAboutDlg dlg;
        dlg.show();
        Keep(&dlg, QStringLiteral("about"));
        ExpectFits(&dlg, false);
    }
    {
        CProgressWindow progress(nullptr, 0.0);
        ASSERT_TRUE(progress.Create());
        progress.SetTitle(ScreenshotTexts::Title());
        progress.SetLine(0, ScreenshotTexts::Exporting());
        progress.SetLine(1, ScreenshotTexts::ReadingData());
        progress.Start();
        QTest::qWait(50);
        ASSERT_NE(progress.Dialog(), nullptr);
        Keep(progress.Dialog(), QStringLiteral("progress"));
        ExpectFits(progress.Dialog(), false);
        progress.Close();
    }
}

TEST_F(EnglishWindows, QuestionsMessagesAndQtsOwnDialogsSpeakEnglish)
{
    CShellPrompts prompts = CShellPrompts::Interactive();
    bool seen = false;
    SaveChangesAnswer save = SaveChangesAnswer::Yes;
    WhileModal(QStringLiteral("save-question"), QStringLiteral("Cancel"),
               [&] { save = prompts.askSaveChanges(nullptr, QStringLiteral("Miravel")); }, seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(save, SaveChangesAnswer::Cancel);

    seen = false;
    RecoverAnswer recover = RecoverAnswer::Later;
    WhileModal(QStringLiteral("recovery-question"), QStringLiteral("&No"),
               [&] {
                   recover = prompts.askRecover(nullptr, QStringLiteral("/home/user/models/castle.mvf"),
                                                QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
               },
               seen);
    EXPECT_TRUE(seen);
    EXPECT_EQ(recover, RecoverAnswer::No);

    // The standard OK button of a message box is Qt's own text.
    seen = false;
    WhileModal(QStringLiteral("error"), QStringLiteral("OK"),
               [&] { prompts.showError(nullptr, RecoveryTexts::DamagedCopy(RecoveryTexts::SideFileMissing(), QStringLiteral("/tmp/x.mvf.damaged"))); },
               seen);
    EXPECT_TRUE(seen);

    // Qt's file dialog (the program's title, Qt's buttons) is answered with Cancel.
    seen = false;
    QString path = QStringLiteral("unchanged");
    WhileModal(QStringLiteral("open-dialog"), QStringLiteral("Cancel"), [&] { path = prompts.askOpenPath(nullptr); }, seen);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(path.isEmpty());

    QColorDialog colours;
    colours.setOption(QColorDialog::DontUseNativeDialog);
    colours.show();
    Keep(&colours, QStringLiteral("colour-dialog"));
    ExpectFits(&colours, false);
}

} // namespace

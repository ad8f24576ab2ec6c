// The program's windows in English: every text fits its label or button, and
// the controls of the fixed-layout dialogs do not run into each other.
// Pictures of the windows go to the test output, to be looked at. Qt's own
// dialogs and message boxes lay themselves out; only ours are measured.
#include "app/CAboutDlg.h"
#include "app/ShellPrompts.h"
#include "dialogs/CCubeSizeDlg.h"
#include "i18n/Language.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
// buttons narrower than their text. (Where the controls sit does not depend
// on the language: the dialog tests check that they do not overlap.)
QStringList Problems(QWidget* window)
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
    return problems;
}

void ExpectFits(QWidget* window)
{
    const QStringList problems = Problems(window);
    EXPECT_TRUE(problems.isEmpty()) << window->windowTitle().toStdString() << ":\n"
                                    << problems.join(QLatin1Char('\n')).toStdString();
}

// Runs a modal prompt; while it waits, checks and keeps a picture of the box,
// hands it to inspect, then answers with the button whose text is given.
// Whether the box came.
bool WhileModal(const QString& name, const QString& answer, const std::function<void()>& prompt,
                const std::function<void(QMessageBox*)>& inspect = {})
{
    bool seen = false;
    QTimer::singleShot(300, [name, answer, inspect, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << name.toStdString();
        seen = true;
        Keep(box, name);
        ExpectFits(box);
        if (inspect)
            inspect(box);
        for (QPushButton* b : box->findChildren<QPushButton*>())
            if (b->text() == answer) {
                b->click();
                return;
            }
        ADD_FAILURE() << name.toStdString() << ": no button " << answer.toStdString();
        box->close();
    });
    prompt();
    return seen;
}

class EnglishWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Language::Install(Language::kEnglish); }
};

TEST_F(EnglishWindows, DialogsFitTheirTexts)
{
    {
        CCubeSizeDlg dlg;
        dlg.m_sizeX = dlg.m_sizeY = dlg.m_sizeZ = 16;
        dlg.show();
        // Out of range, so that the message line shows.
        dlg.findChildren<QLineEdit*>().constFirst()->setText(QStringLiteral("0"));
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Cube Size"));
        Keep(&dlg, QStringLiteral("cube-size"));
        ExpectFits(&dlg);
    }
    {
        CAboutDlg dlg;
        dlg.show();
        QStringList texts;
        for (const QLabel* label : dlg.findChildren<QLabel*>())
            texts << label->text();
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("About MIRA-VEL"));
        EXPECT_TRUE(texts.contains(QStringLiteral("MIRA-VEL, Version 1.1")));
        Keep(&dlg, QStringLiteral("about"));
        ExpectFits(&dlg);
    }
}

TEST_F(EnglishWindows, TheQuestionsSpeakEnglish)
{
    CShellPrompts prompts = CShellPrompts::Interactive();
    SaveChangesAnswer save = SaveChangesAnswer::Yes;
    EXPECT_TRUE(WhileModal(QStringLiteral("save-question"), QStringLiteral("Cancel"),
                           [&] { save = prompts.askSaveChanges(nullptr, QStringLiteral("Miravel")); }));
    EXPECT_EQ(save, SaveChangesAnswer::Cancel);

    // The recovery question names the file and the copy's time; Esc never
    // throws the changes away (Enter takes Yes: the real-window test).
    RecoverAnswer recover = RecoverAnswer::Later;
    QString caption, text;
    bool openAfterEsc = false;
    EXPECT_TRUE(WhileModal(
        QStringLiteral("recovery-question"), QStringLiteral("&No"),
        [&] {
            recover = prompts.askRecover(nullptr, QStringLiteral("/home/user/models/castle.mvf"),
                                         QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5)));
        },
        [&](QMessageBox* box) {
            caption = box->windowTitle();
            text = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
            openAfterEsc = box->isVisible();
        }));
    EXPECT_EQ(recover, RecoverAnswer::No);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(caption, QStringLiteral("MIRA-VEL"));
    EXPECT_TRUE(text.contains(QStringLiteral("/home/user/models/castle.mvf")) && text.contains(QStringLiteral("2026/12/07 09:30:05")))
        << text.toStdString();
}

} // namespace

// The view menu's language entry: the choice is stored, told about once, and
// the next start speaks it, menus, default title and all.
#include "app/CMainFrame.h"
#include "i18n/Language.h"
#include "tests/app/ShellTestSupport.h"

#include <QActionGroup>
#include <QMenuBar>

namespace {

class LanguageChoice : public ShellTest {
protected:
    QAction* Entry(const QString& language)
    {
        for (QAction* a : Frame().LanguageActions()->actions())
            if (a->data().toString() == language)
                return a;
        return nullptr;
    }
    QStringList MenuTitles()
    {
        QStringList titles;
        for (const QAction* a : Frame().menuBar()->actions())
            titles << a->text();
        return titles;
    }
};

TEST_F(LanguageChoice, TheChoiceTakesEffectAtTheNextStart)
{
    // The test runs with LANG=C: no language of the program, so Japanese.
    ASSERT_TRUE(StartApp());
    ASSERT_EQ(Frame().LanguageActions()->actions().size(), 2);
    EXPECT_TRUE(Entry(Language::kJapanese)->isChecked());

    Entry(Language::kEnglish)->trigger();
    ASSERT_EQ(notices.size(), 1);
    // Said in both languages, the one in use first.
    EXPECT_TRUE(notices[0].startsWith(QStringLiteral("表示の言語は")) &&
                notices[0].endsWith(QStringLiteral("The new language shows the next time MIRA-VEL starts.")))
        << notices[0].toStdString();
    EXPECT_EQ(MenuTitles().value(0), QStringLiteral("ファイル(&F)"));  // not before the next start
    EXPECT_TRUE(Entry(Language::kEnglish)->isChecked());
    Entry(Language::kEnglish)->trigger();
    EXPECT_EQ(notices.size(), 1);

    ASSERT_TRUE(StartApp());
    EXPECT_EQ(Language::Current(), Language::kEnglish);
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Tools", "&Help"}));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Miravel - MIRA-VEL    Powered by Orvendale"));
    EXPECT_TRUE(Entry(Language::kEnglish)->isChecked());
    // (A later choice overwriting the stored one: the translations test.)
}

} // namespace

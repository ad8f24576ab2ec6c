#pragma once

#include <QCoreApplication>
#include <QString>

// Texts of the application shell that a user sees or that name stored data.
namespace ShellTexts {

// The main window's title follows the document's: "<document> - <this>".
inline QString AppTitle() { return QStringLiteral("MIRA-VEL    Powered by Orvendale"); }
// The title of a document that has never been saved.
inline QString DefaultDocumentName() { return QCoreApplication::translate("ShellTexts", "ミラヴェル"); }
// Caption of the program's message boxes.
inline QString MessageCaption() { return QStringLiteral("MIRA-VEL"); }

// The per-user store (recent files, window placement, visual style).
inline QString StoreOrganization() { return QStringLiteral("Orvendale"); }
inline QString StoreApplication() { return QStringLiteral("MIRA-VEL"); }
inline QString AppLookKey() { return QStringLiteral("ApplicationLook"); }

inline QString SaveChangesQuestion(const QString& documentTitle)
{
    return QCoreApplication::translate("ShellTexts", "%1 への変更を保存しますか？").arg(documentTitle);
}
inline QString AnswerYes() { return QCoreApplication::translate("ShellTexts", "はい(&Y)"); }
inline QString AnswerNo() { return QCoreApplication::translate("ShellTexts", "いいえ(&N)"); }
inline QString AnswerCancel() { return QCoreApplication::translate("ShellTexts", "キャンセル"); }
inline QString OpenDialogTitle() { return QCoreApplication::translate("ShellTexts", "開く"); }
inline QString SaveDialogTitle() { return QCoreApplication::translate("ShellTexts", "名前を付けて保存"); }
// The progress windows of a long open, import or save.
inline QString ReadingFile(const QString& name)
{
    return QCoreApplication::translate("ShellTexts", "%1 を読み込んでいます...").arg(name);
}
inline QString SavingFile(const QString& name)
{
    return QCoreApplication::translate("ShellTexts", "%1 を保存しています...").arg(name);
}

// The view menu's choice of language, and what it tells: the new language
// shows from the next start.
inline QString LanguageMenu() { return QCoreApplication::translate("ShellTexts", "言語(&L)"); }
inline constexpr const char* kLanguageAtNextStart =
    QT_TRANSLATE_NOOP("ShellTexts", "表示の言語は、MIRA-VEL を次に起動したときに切り替わります。");
inline QString LanguageAtNextStart() { return QCoreApplication::translate("ShellTexts", kLanguageAtNextStart); }
// The program's languages, each named in itself.
inline QString JapaneseName() { return QStringLiteral("日本語"); }
inline QString EnglishName() { return QStringLiteral("English"); }

inline QString AboutTitle() { return QCoreApplication::translate("ShellTexts", "バージョン情報 MIRA-VEL"); }
inline QString AboutVersion() { return QStringLiteral("MIRA-VEL, Version 1.1"); }
inline QString AboutNotice() { return QStringLiteral("Copyright (C) Orvendale.  All rights reserved."); }

} // namespace ShellTexts

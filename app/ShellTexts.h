#pragma once

#include <QString>

// Texts of the application shell that a user sees or that name stored data.
namespace ShellTexts {

// The main window's title follows the document's: "<document> - <this>".
inline QString AppTitle() { return QStringLiteral("MIRA-VEL    Powered by Orvendale"); }
// The title of a document that has never been saved.
inline QString DefaultDocumentName() { return QStringLiteral("ミラヴェル"); }
// Caption of the program's message boxes.
inline QString MessageCaption() { return QStringLiteral("MIRA-VEL"); }

inline QString FileFilter() { return QStringLiteral("MiravelFile(*.mvf)"); }
inline QString FileSuffix() { return QStringLiteral("mvf"); }

// The per-user store (recent files, window placement, visual style).
inline QString StoreOrganization() { return QStringLiteral("Orvendale"); }
inline QString StoreApplication() { return QStringLiteral("MIRA-VEL"); }
inline QString AppLookKey() { return QStringLiteral("ApplicationLook"); }

inline QString SaveChangesQuestion(const QString& documentTitle)
{
    return QStringLiteral("%1 への変更を保存しますか？").arg(documentTitle);
}
inline QString AnswerYes() { return QStringLiteral("はい(&Y)"); }
inline QString AnswerNo() { return QStringLiteral("いいえ(&N)"); }
inline QString AnswerCancel() { return QStringLiteral("キャンセル"); }
inline QString OpenDialogTitle() { return QStringLiteral("開く"); }
inline QString SaveDialogTitle() { return QStringLiteral("名前を付けて保存"); }

inline QString AboutTitle() { return QStringLiteral("バージョン情報 MIRA-VEL"); }
inline QString AboutVersion() { return QStringLiteral("MIRA-VEL, Version 1.1"); }
inline QString AboutNotice() { return QStringLiteral("Copyright (C) Orvendale.  All rights reserved."); }

} // namespace ShellTexts

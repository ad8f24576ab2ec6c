#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The language of the user interface. Japanese is the language the texts are
// written in and needs no translation; English comes from a translation
// compiled into the program. Qt's own dialogs and buttons follow through
// Qt's translations of the same language.
namespace Language {

inline const QString kJapanese = QStringLiteral("ja");
inline const QString kEnglish = QStringLiteral("en");

// The first of the user's preferred languages (QLocale::uiLanguages(), most
// wanted first) that the program speaks; Japanese when it speaks none.
QString ForUiLanguages(const QStringList& uiLanguages);

// The choice the user made in the view menu, kept in the per-user store;
// empty when there is none (or it names no language of the program).
QString Stored(const QSettings& store);
void Store(QSettings& store, const QString& language);

// The stored choice, else the one the system's languages give.
QString Choose(const QSettings& store, const QStringList& uiLanguages);

// Makes language the program's: installs its translations into the running
// application (none are needed for Japanese but Qt's own), replacing those of
// an earlier call. Called at start-up, before any text is made; texts made
// before keep their language.
void Install(const QString& language);
// The language installed last; Japanese before any.
QString Current();

// A text of the program in a language other than the installed one (the
// notice that a new choice takes effect at the next start speaks both).
QString TextIn(const QString& language, const char* context, const char* sourceText);

} // namespace Language

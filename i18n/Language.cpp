#include "i18n/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace Language {

namespace {

const QString kStoreKey = QStringLiteral("Language");

// The program's translation of a language, compiled in as a resource.
QString ProgramTranslation(const QString& language)
{
    return QStringLiteral(":/i18n/miravel_%1.qm").arg(language);
}

bool Known(const QString& language)
{
    return language == kJapanese || language == kEnglish;
}

// The language the translators hold, for the help command's guide. One per
// process, like the translators installed into the application.
QString& CurrentLanguage()
{
    static QString current = kJapanese;
    return current;
}

} // namespace

QString ForUiLanguages(const QStringList& uiLanguages)
{
    for (const QString& tag : uiLanguages) {
        const QString primary = tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
        if (Known(primary))
            return primary;
    }
    return kJapanese;
}

QString Stored(const QSettings& store)
{
    const QString value = store.value(kStoreKey).toString();
    return Known(value) ? value : QString();
}

void Store(QSettings& store, const QString& language)
{
    if (Known(language))
        store.setValue(kStoreKey, language);
}

QString Choose(const QSettings& store, const QStringList& uiLanguages)
{
    const QString stored = Stored(store);
    return stored.isEmpty() ? ForUiLanguages(uiLanguages) : stored;
}

void Install(const QString& language)
{
    CurrentLanguage() = Known(language) ? language : kJapanese;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    // Qt's own texts (file and colour dialogs, standard buttons) are English
    // without a translation; its Japanese comes from the system's Qt.
    if (CurrentLanguage() != kEnglish) {
        auto* qt = new QTranslator(app);
        if (qt->load(QStringLiteral("qtbase_") + CurrentLanguage(), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
    }
    if (CurrentLanguage() != kJapanese) {
        auto* own = new QTranslator(app);
        if (own->load(ProgramTranslation(CurrentLanguage())))
            QCoreApplication::installTranslator(own);
        else
            delete own;
    }
}

QString Current()
{
    return CurrentLanguage();
}

QString TextIn(const QString& language, const char* context, const char* sourceText)
{
    if (language == kJapanese || !Known(language))
        return QString::fromUtf8(sourceText);
    QTranslator translator;
    if (translator.load(ProgramTranslation(language))) {
        const QString text = translator.translate(context, sourceText);
        if (!text.isEmpty())
            return text;
    }
    return QString::fromUtf8(sourceText);
}

} // namespace Language

#include "i18n/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QList>
#include <QPointer>
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
    // The translators of an earlier call go: the application holds one set.
    static QList<QPointer<QTranslator>> installed;
    for (const QPointer<QTranslator>& t : std::as_const(installed)) {
        if (t) {
            QCoreApplication::removeTranslator(t);
            delete t.data();
        }
    }
    installed.clear();
    const auto add = [app](const QString& file, const QString& folder) {
        auto* translator = new QTranslator(app);
        if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
            installed.append(translator);
        else
            delete translator;
    };
    // Qt's own texts (file and colour dialogs, standard buttons) are English
    // without a translation; its Japanese comes from the system's Qt.
    if (CurrentLanguage() != kEnglish)
        add(QStringLiteral("qtbase_") + CurrentLanguage(), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (CurrentLanguage() != kJapanese)
        add(ProgramTranslation(CurrentLanguage()), QString());
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

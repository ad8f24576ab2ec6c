// The English translation against the sources, through Qt's own lupdate: a
// text added, changed or dropped in the code without its finished English
// counterpart fails here. Also the rule that picks the language.
#include "i18n/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

struct Message {
    QString context, source, translation, type;
};

std::vector<Message> ReadTs(const QString& path)
{
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            m = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
            m.translation = xml.readElementText();
            messages.push_back(m);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

// The %1... a text is filled with, and what follows a tab when it is a key
// chord (a menu's key). A mouse gesture there ("Ctrl+左クリック") is words,
// and is translated.
std::multiset<QString> Placeholders(const QString& text)
{
    static const QRegularExpression arg(QStringLiteral("%\\d|\\t[\\x21-\\x7e]*$"));
    std::multiset<QString> found;
    for (const QRegularExpressionMatch& m : arg.globalMatch(text))
        found.insert(m.captured());
    return found;
}

TEST(Translations, EverySourceTextHasAFinishedEnglishTranslation)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ts = dir.filePath(QStringLiteral("miravel_en.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(MIRAVEL_TS_FILE), ts));
    // Obsolete entries are kept here, so that a text gone from the code shows.
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(MIRAVEL_LUPDATE),
                  {QStringLiteral("@" MIRAVEL_TRANSLATED_SOURCES), QStringLiteral("-I"), QStringLiteral(MIRAVEL_SOURCE_DIR),
                   QStringLiteral("-source-language"), QStringLiteral("ja"), QStringLiteral("-locations"),
                   QStringLiteral("none"), QStringLiteral("-ts"), ts});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    const QString log = QString::fromLocal8Bit(lupdate.readAll());
    ASSERT_EQ(lupdate.exitCode(), 0) << log.toStdString();

    const std::vector<Message> messages = ReadTs(ts);
    ASSERT_GT(messages.size(), 100u) << log.toStdString();
    QTranslator compiled;
    ASSERT_TRUE(compiled.load(QStringLiteral(":/i18n/miravel_en.qm")));
    for (const Message& m : messages) {
        const std::string where = (m.context + QStringLiteral(" | ") + m.source).toStdString();
        EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString() << ": " << where
                                      << "\n(run tools/update-translations and translate it)";
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << where;
        EXPECT_EQ(Placeholders(m.translation), Placeholders(m.source)) << where;
        // A menu entry with a mnemonic keeps one.
        EXPECT_EQ(m.source.contains(QLatin1Char('&')), m.translation.contains(QLatin1Char('&'))) << where;
        // The program carries this very translation.
        if (m.type.isEmpty()) {
            EXPECT_EQ(compiled.translate(m.context.toUtf8(), m.source.toUtf8()), m.translation) << where;
        }
    }
}

TEST(Translations, LanguageFollowsTheUserWhereTheProgramSpeaksIt)
{
    struct Row {
        QStringList uiLanguages;
        QString expected;
    };
    const Row rows[] = {
        {{"ja-JP", "ja-Jpan-JP", "ja"}, "ja"},
        {{"en-US", "en-Latn-US", "en"}, "en"},
        {{"de-DE", "de"}, "ja"},
        {{"de", "de-DE", "en", "en-US"}, "en"},  // the first the program speaks
        {{"fr-FR", "ja-JP", "en-US"}, "ja"},
        {{}, "ja"},
        {{"english"}, "ja"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Language::ForUiLanguages(row.uiLanguages), row.expected) << row.uiLanguages.join(',').toStdString();

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings store(dir.filePath(QStringLiteral("store.conf")), QSettings::IniFormat);
    EXPECT_EQ(Language::Choose(store, {"en-US"}), "en");
    Language::Store(store, Language::kEnglish);
    Language::Store(store, Language::kJapanese); // a later choice replaces the earlier
    EXPECT_EQ(Language::Choose(store, {"en-US"}), "ja");
    // A value the program does not know is neither stored nor followed.
    Language::Store(store, QStringLiteral("de"));
    EXPECT_EQ(Language::Stored(store), "ja");
    store.setValue(QStringLiteral("Language"), QStringLiteral("klingon"));
    EXPECT_EQ(Language::Stored(store), QString());
    EXPECT_EQ(Language::Choose(store, {"en-US"}), "en");

    // Qt's own buttons follow Japanese through the system's Qt translations.
    int argc = 1;
    char name[] = "test_translations";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    Language::Install(Language::kJapanese);
    EXPECT_EQ(Language::Current(), "ja");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("Commands", "ファイル(&F)"), QStringLiteral("ファイル(&F)"));
    // Another language replaces the translators of the first.
    Language::Install(Language::kEnglish);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_EQ(QCoreApplication::translate("Commands", "ファイル(&F)"), "&File");

    // (The notice of a new choice in both languages: the language choice test.)
}

} // namespace

// The settings file: what a load stores and where it stops, the bytes a save
// writes, saves that fail, and the forgiving number reader.
#include "settings/SettingsFile.h"
#include "settings/SettingsNumbers.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <limits>
#include <sys/resource.h>

namespace {

const QByteArray kDeclaration = R"(<?xml version="1.0" encoding="Shift_JIS" ?>)";

// A file written from the start-up values, as the writer must produce it.
const QByteArray kDefaultFile = kDeclaration + "\n"
    "<MIRA-VEL><Control><Show>1</Show><Pos>3</Pos></Control><Color><Show>1</Show><Pos>3</Pos>"
    "</Color><Axis><Show>0</Show><Width>5.000000</Width></Axis><BackGround><Color>0</Color>"
    "</BackGround><Sight><Show>0</Show><Color>16776960</Color><Width>5.000000</Width></Sight>"
    "<Ground><Show>1</Show><Color>8453975</Color></Ground><Frame><Show>1</Show><Color>65535"
    "</Color><Width>1.000000</Width></Frame><Canvas><Show>1</Show><Color>255</Color><Width>"
    "2.000000</Width></Canvas><Cube><WireFrame>1</WireFrame></Cube><Light><Enable>1</Enable>"
    "<Position>0</Position></Light></MIRA-VEL>";

// The ten sections with every value away from its start-up value.
const char* const kSections[] = {
    "<Control><Show>0</Show><Pos>2</Pos></Control>", "<Color><Show>0</Show><Pos>1</Pos></Color>",
    "<Axis><Show>1</Show><Width>0.123456</Width></Axis>",
    "<BackGround><Color>16777215</Color></BackGround>",
    "<Sight><Show>1</Show><Color>1193046</Color><Width>12.500000</Width></Sight>",
    "<Ground><Show>0</Show><Color>1</Color></Ground>",
    "<Frame><Show>0</Show><Color>8388736</Color><Width>3.000001</Width></Frame>",
    "<Canvas><Show>0</Show><Color>65280</Color><Width>7.654321</Width></Canvas>",
    "<Cube><WireFrame>2</WireFrame></Cube>", "<Light><Enable>0</Enable><Position>7</Position></Light>",
};

QByteArray Document(std::initializer_list<int> order = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                    const QByteArray& root = "MIRA-VEL", const QByteArray& declaration = kDeclaration)
{
    QByteArray text = declaration + "\n<" + root + ">";
    for (int i : order)
        text += kSections[i];
    return text + "</" + root + ">";
}

// The 21 kept fields in file order (every one fits a double exactly), so a
// mismatch names its position.
using Fields = std::array<double, kSettingsValueCount>;
template <typename... T> Fields AsFields(T... values) { return {double(values)...}; }
Fields Kept(const CViewPreferences& v)
{
    return AsFields(v.m_showControl, int(v.m_controlPos), v.m_showColor, int(v.m_colorPos), v.m_showAxis,
                    v.m_axisLineWidth, v.m_backColor, v.m_showSight, v.m_sightColor,
                    v.m_sightLineWidth, v.m_showGround, v.m_groundColor, v.m_showFrame,
                    v.m_frameColor, v.m_frameLineWidth, v.m_showCanvas, v.m_canvasColor,
                    v.m_canvasLineWidth, int(v.m_wireFrame), v.m_lightEnable, v.m_lightPos);
}
const Fields kCustom = {0, 2, 0, 1, 1, 0.123456, 0xFFFFFF, 1, 0x123456, 12.5, 0,
                        1, 0, 0x800080, 3.000001, 0, 0xFF00, 7.654321, 2, 0, 7};

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("MIRA-VEL.xml");

    QByteArray ReadBack() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    SettingsLoadResult LoadText(CViewPreferences& view, const QByteArray& text)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.flush());
        return LoadSettings(view, path);
    }
};

TEST_F(SettingsFileTest, ALoadStoresValuesInFileOrderUntilOneIsMissing)
{
    using S = SettingsLoadStatus;
    struct Case {
        QByteArray text;
        SettingsLoadStatus status;
        int stored; // the first `stored` values come from the file, the rest stay
        std::vector<std::pair<int, double>> readAs = {}; // fields read other than written
    };
    const Case cases[] = {
        // Either declaration form, another root, another order, any layout.
        {Document(), S::Complete, 21},
        {Document().replace("\" ?>", "\"?>"), S::Complete, 21},
        {Document({1, 9, 8, 7, 6, 5, 4, 3, 2, 0}, "Preferences"), S::Complete, 21},
        {Document().replace("><", ">\r\n    <"), S::Complete, 21},
        // No range checks: letters read as 0 and the load goes on; a colour
        // written as a signed decimal keeps its bits; only the light position,
        // an index into eight directions, falls back to 0.
        {Document().replace("<Axis><Show>1", "<Axis><Show>yes").replace(">16777215<", ">-1<"),
         S::Complete, 21, {{4, 0}, {6, 0xFFFFFFFF}}},
        {Document().replace("<Position>7<", "<Position>8<"), S::Complete, 21, {{20, 0}}},
        // "Light" without "Position" stops short of the last value.
        {Document().replace("<Position>7</Position>", ""), S::Stopped, 20},
        // The first element named "Color" is taken as that section, here the
        // value inside "Sight", which has no "Show": the load ends there.
        {Document({0, 4, 1, 2, 3, 5, 6, 7, 8, 9}), S::Stopped, 2},
        {Document().chopped(30), S::NotLoaded, 0},
        {Document() + "<Second/>", S::NotLoaded, 0},
        // Nesting far beyond the file's own is refused before the DOM load,
        // which would take minutes over it; sixty extra levels still load.
        {QByteArray("<a>").repeated(200000) + QByteArray("</a>").repeated(200000), S::NotLoaded, 0},
        {Document()
             .replace("<MIRA-VEL>", "<MIRA-VEL>" + QByteArray("<w>").repeated(60))
             .replace("</MIRA-VEL>", QByteArray("</w>").repeated(60) + "</MIRA-VEL>"),
         S::Complete, 21},
    };
    CViewPreferences start;
    start.m_lightPos = 4;
    for (const Case& c : cases) {
        CViewPreferences view = start;
        const SettingsLoadResult result = LoadText(view, c.text);
        EXPECT_EQ(result.status, c.status) << c.text.left(200).constData();
        EXPECT_EQ(result.valuesStored, c.stored) << c.text.left(200).constData();
        Fields expected = Kept(start);
        std::copy_n(kCustom.begin(), c.stored, expected.begin());
        for (auto [field, value] : c.readAs)
            expected[std::size_t(field)] = value;
        EXPECT_EQ(Kept(view), expected) << c.text.left(200).constData();
    }
}

TEST_F(SettingsFileTest, SavesWriteExactBytesAndNeverDamageTheEarlierFile)
{
    CViewPreferences view;
    ASSERT_EQ(LoadText(view, Document()).status, SettingsLoadStatus::Complete);
    const QLocale before; // widths keep their '.' whatever the locale says
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const bool saved = SaveSettings(view, path);
    QLocale::setDefault(before);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadBack(), Document());
    ASSERT_TRUE(SaveSettings(CViewPreferences{}, path)); // replaces the file whole
    EXPECT_EQ(ReadBack(), kDefaultFile);

    // A file-size limit below a whole file breaks the write off partway, as a
    // full disk would; SIGXFSZ would end the process, so it is ignored.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool cutShort = SaveSettings(view, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(cutShort);
    EXPECT_EQ(ReadBack(), kDefaultFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"MIRA-VEL.xml"});

    // A first run finds no file and changes nothing; its save makes the folders.
    const QString deep = dir.filePath("config/Orvendale/MIRA-VEL/MIRA-VEL.xml");
    EXPECT_EQ(LoadSettings(view, deep).status, SettingsLoadStatus::NotLoaded);
    EXPECT_EQ(Kept(view), kCustom);
    ASSERT_TRUE(SaveSettings(view, deep));
    CViewPreferences loaded;
    EXPECT_EQ(LoadSettings(loaded, deep).status, SettingsLoadStatus::Complete);
    EXPECT_EQ(Kept(loaded), kCustom);
}

TEST(SettingsNumbers, ReadLeniently)
{
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Row { const char16_t* text; std::int32_t asInt; double asDouble; };
    const Row rows[] = {{u" \t\n12abc", 12, 12}, {u"-3.9", -3, -3.9}, {u"+.5", 0, 0.5}, {u"- 5", 0, 0},
        {u"0x10", 0, 0}, {u"inf", 0, 0}, {u"2.5E-1", 2, 0.25}, {u"1e+", 1, 1}, {u"1,234.5", 1, 1.234},
        {u"2147483648", kMax, 0x1p31}, {u"-99999999999999999999", kMin, -1e20}, {u"1e400", 1, kInf},
        {u"100000e-330", 100000, 0}};
    for (const Row& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(SettingsNumbers::ParseInt(text), row.asInt) << text.toStdString();
        EXPECT_EQ(SettingsNumbers::ParseDouble(text), row.asDouble) << text.toStdString();
    }
}

} // namespace

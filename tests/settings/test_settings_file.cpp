// Reading and writing the settings file: the bytes written, what a load
// stores, and where it stops.
#include "settings/SettingsFile.h"

#include "SettingsTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A file written from the start-up values, as the writer must produce it.
const QByteArray kDefaultFile =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\n"
    "<MIRA-VEL><Control><Show>1</Show><Pos>3</Pos></Control><Color><Show>1</Show><Pos>3</Pos>"
    "</Color><Axis><Show>0</Show><Width>5.000000</Width></Axis><BackGround><Color>0</Color>"
    "</BackGround><Sight><Show>0</Show><Color>16776960</Color><Width>5.000000</Width></Sight>"
    "<Ground><Show>1</Show><Color>8453975</Color></Ground><Frame><Show>1</Show><Color>65535"
    "</Color><Width>1.000000</Width></Frame><Canvas><Show>1</Show><Color>255</Color><Width>"
    "2.000000</Width></Canvas><Cube><WireFrame>1</WireFrame></Cube><Light><Enable>1</Enable>"
    "<Position>0</Position></Light></MIRA-VEL>";

// Every kept field away from its default.
CViewState NonDefaultView()
{
    CViewState v;
    v.m_showControl = 0;
    v.m_controlPos = 2;
    v.m_showColor = 0;
    v.m_colorPos = 1;
    v.m_showAxis = 1;
    v.m_axisLineWidth = 0.123456;
    v.m_backColor = 0x00FFFFFF;
    v.m_showSight = 1;
    v.m_sightColor = 0x00123456;
    v.m_sightLineWidth = 12.5;
    v.m_showGround = 0;
    v.m_groundColor = 0x00000001;
    v.m_showFrame = 0;
    v.m_frameColor = 0x00800080;
    v.m_frameLineWidth = 3.000001;
    v.m_showCanvas = 0;
    v.m_canvasColor = 0x0000FF00;
    v.m_canvasLineWidth = 7.654321;
    v.m_wireFrame = 2;
    v.m_lightEnable = 0;
    v.m_lightPos = 7;
    return v;
}

// Sections of the non-default view, as raw text, for hand-made files.
const char* const kControl = "<Control><Show>0</Show><Pos>2</Pos></Control>";
const char* const kColor = "<Color><Show>0</Show><Pos>1</Pos></Color>";
const char* const kAxis = "<Axis><Show>1</Show><Width>0.123456</Width></Axis>";
const char* const kBack = "<BackGround><Color>16777215</Color></BackGround>";
const char* const kSight =
    "<Sight><Show>1</Show><Color>1193046</Color><Width>12.500000</Width></Sight>";
const char* const kGround = "<Ground><Show>0</Show><Color>1</Color></Ground>";
const char* const kFrame =
    "<Frame><Show>0</Show><Color>8388736</Color><Width>3.000001</Width></Frame>";
const char* const kCanvas =
    "<Canvas><Show>0</Show><Color>65280</Color><Width>7.654321</Width></Canvas>";
const char* const kCube = "<Cube><WireFrame>2</WireFrame></Cube>";
const char* const kLight = "<Light><Enable>0</Enable><Position>7</Position></Light>";

QByteArray Document(const QByteArray& root, const QList<QByteArray>& sections)
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<" + root + ">";
    for (const QByteArray& s : sections)
        text += s;
    return text + "</" + root + ">";
}

QList<QByteArray> AllSections()
{
    return {kControl, kColor, kAxis, kBack, kSight, kGround, kFrame, kCanvas, kCube, kLight};
}

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("MIRA-VEL.xml");
    }

    SettingsLoadResult LoadText(CViewState& view, const QByteArray& text)
    {
        EXPECT_TRUE(WriteAll(path, text));
        return LoadSettings(view, path);
    }
};

TEST_F(SettingsFileTest, EveryKeptValueSurvivesARoundTrip)
{
    const CViewState saved = NonDefaultView();
    ASSERT_TRUE(SaveSettings(saved, path));

    CViewState loaded;
    const SettingsLoadResult result = LoadSettings(loaded, path);
    EXPECT_EQ(result.status, SettingsLoadStatus::Complete);
    EXPECT_EQ(result.valuesStored, kSettingsValueCount);
    EXPECT_TRUE(result.NeedsRefresh());
    ExpectSameSavedFields(loaded, saved);

    // White is written as the decimal of its colour word.
    EXPECT_TRUE(ReadAll(path).contains("<BackGround><Color>16777215</Color></BackGround>"));

    // What is not kept is left alone by a load.
    CViewState other;
    other.m_cubeColor = 0x00ABCDEF;
    other.m_ratioX = 2.5;
    other.m_cubeLineWidth = 9.0;
    other.m_rotX = 90.0;
    other.m_drawMode = 1;
    LoadSettings(other, path);
    EXPECT_EQ(other.m_cubeColor, 0x00ABCDEFu);
    EXPECT_EQ(other.m_ratioX, 2.5);
    EXPECT_EQ(other.m_cubeLineWidth, 9.0);
    EXPECT_EQ(other.m_rotX, 90.0);
    EXPECT_EQ(other.m_drawMode, 1);
}

TEST_F(SettingsFileTest, DefaultsAreWrittenByteForByte)
{
    ASSERT_TRUE(SaveSettings(CViewState{}, path));
    EXPECT_EQ(ReadAll(path), kDefaultFile);

    // Saving again replaces the file whole instead of appending to it.
    ASSERT_TRUE(SaveSettings(CViewState{}, path));
    EXPECT_EQ(ReadAll(path), kDefaultFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"MIRA-VEL.xml"});
}

TEST_F(SettingsFileTest, FirstRunFindsNoFileAndTheSaveCreatesTheFolders)
{
    CViewState view = NonDefaultView();
    const SettingsLoadResult result = LoadSettings(view, path);
    EXPECT_EQ(result.status, SettingsLoadStatus::NotLoaded);
    EXPECT_EQ(result.valuesStored, 0);
    EXPECT_FALSE(result.NeedsRefresh());
    ExpectSameSavedFields(view, NonDefaultView());

    const QString deep = dir.filePath("config/Orvendale/MIRA-VEL/MIRA-VEL.xml");
    ASSERT_TRUE(SaveSettings(view, deep));
    EXPECT_TRUE(QFileInfo(dir.filePath("config/Orvendale/MIRA-VEL")).isDir());
    CViewState loaded;
    EXPECT_EQ(LoadSettings(loaded, deep).status, SettingsLoadStatus::Complete);
    ExpectSameSavedFields(loaded, view);
}

TEST_F(SettingsFileTest, FileLivesInTheUsersConfigurationFolder)
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    EXPECT_EQ(SettingsFolderPath(), dir.path() + "/Orvendale/MIRA-VEL");
    EXPECT_EQ(SettingsFilePath(), dir.path() + "/Orvendale/MIRA-VEL/MIRA-VEL.xml");
    ASSERT_TRUE(SaveSettings(CViewState{}, SettingsFilePath()));
    EXPECT_EQ(ReadAll(dir.filePath("Orvendale/MIRA-VEL/MIRA-VEL.xml")), kDefaultFile);
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}

TEST_F(SettingsFileTest, UnreadableOrMalformedFilesChangeNothing)
{
    const QByteArray broken[] = {
        "",
        "not xml at all",
        "<?xml version=\"1.0\"?>\n<MIRA-VEL><Control><Show>0</Show></MIRA-VEL>",
        // Well-formed up to a truncation in the last section.
        kDefaultFile.left(kDefaultFile.size() - 30),
        Document("MIRA-VEL", AllSections()) + "<Second/>",
    };
    for (const QByteArray& text : broken) {
        CViewState view;
        EXPECT_EQ(LoadText(view, text).status, SettingsLoadStatus::NotLoaded) << text.constData();
        ExpectSameSavedFields(view, CViewState{});
    }

    // A folder where the file should be cannot be read as one.
    CViewState view;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.xml"));
    EXPECT_EQ(LoadSettings(view, dir.filePath("folder.xml")).status,
              SettingsLoadStatus::NotLoaded);
    ExpectSameSavedFields(view, CViewState{});
}

TEST_F(SettingsFileTest, AMissingValueStopsTheLoadWhereItIs)
{
    // "Light" without "Position": the first twenty values are stored, the
    // light position keeps its value, and no refresh is asked for.
    QList<QByteArray> sections = AllSections();
    sections.last() = "<Light><Enable>0</Enable></Light>";
    CViewState view;
    view.m_lightPos = 5;
    SettingsLoadResult result = LoadText(view, Document("MIRA-VEL", sections));
    EXPECT_EQ(result.status, SettingsLoadStatus::Stopped);
    EXPECT_EQ(result.valuesStored, 20);
    EXPECT_FALSE(result.NeedsRefresh());
    CViewState expected = NonDefaultView();
    expected.m_lightPos = 5;
    ExpectSameSavedFields(view, expected);

    // A missing section in the middle: "Sight" gone, so everything from its
    // first value on keeps the current values.
    sections = AllSections();
    sections.removeAt(4);
    view = CViewState{};
    result = LoadText(view, Document("MIRA-VEL", sections));
    EXPECT_EQ(result.status, SettingsLoadStatus::Stopped);
    EXPECT_EQ(result.valuesStored, 7);
    const CViewState defaults;
    EXPECT_EQ(view.m_backColor, 0x00FFFFFFu);        // the last value before the gap
    EXPECT_EQ(view.m_showSight, defaults.m_showSight); // the first one after it
    EXPECT_EQ(view.m_frameColor, defaults.m_frameColor);
    EXPECT_EQ(view.m_lightPos, defaults.m_lightPos);

    // An empty root: nothing is stored, but the document itself was read.
    view = NonDefaultView();
    result = LoadText(view, Document("MIRA-VEL", {}));
    EXPECT_EQ(result.status, SettingsLoadStatus::Stopped);
    EXPECT_EQ(result.valuesStored, 0);
    ExpectSameSavedFields(view, NonDefaultView());
}

TEST_F(SettingsFileTest, SectionsAreFoundByNameAnywhere)
{
    // Another root name and the sections in another order; "Color" stays
    // ahead of the sections holding a "Color" value.
    QList<QByteArray> sections = {kColor, kLight, kCube, kCanvas, kFrame,
                                  kGround, kSight, kBack, kAxis, kControl};
    CViewState view;
    SettingsLoadResult result = LoadText(view, Document("Preferences", sections));
    EXPECT_EQ(result.status, SettingsLoadStatus::Complete);
    ExpectSameSavedFields(view, NonDefaultView());

    // Sections wrapped one level deeper still count.
    view = CViewState{};
    QByteArray wrapped = "<Outer>";
    for (const QByteArray& s : AllSections())
        wrapped += s;
    wrapped += "</Outer>";
    EXPECT_EQ(LoadText(view, Document("MIRA-VEL", {wrapped})).status,
              SettingsLoadStatus::Complete);
    ExpectSameSavedFields(view, NonDefaultView());

    // A second "Control" section comes too late to count; within a section
    // the first descendant of a value's name wins, even a nested one.
    sections = AllSections();
    sections[0] = "<Control><Extra><Show>7</Show></Extra><Show>0</Show><Pos>2</Pos></Control>";
    sections.append("<Control><Show>9</Show><Pos>9</Pos></Control>");
    view = CViewState{};
    EXPECT_EQ(LoadText(view, Document("MIRA-VEL", sections)).status,
              SettingsLoadStatus::Complete);
    EXPECT_EQ(view.m_showControl, 7);
    EXPECT_EQ(view.m_controlPos, 2);
}

TEST_F(SettingsFileTest, ANestedColorBeforeTheColorSectionEndsTheLoad)
{
    // The "Color" of Sight comes first in document order, so it is taken as
    // the "Color" section; it has no "Show", and the load ends there.
    QList<QByteArray> sections = AllSections();
    sections.move(4, 1); // Sight before Color
    CViewState view;
    const SettingsLoadResult result = LoadText(view, Document("MIRA-VEL", sections));
    EXPECT_EQ(result.status, SettingsLoadStatus::Stopped);
    EXPECT_EQ(result.valuesStored, 2);
    EXPECT_EQ(view.m_showControl, 0);
    EXPECT_EQ(view.m_controlPos, 2);
    const CViewState defaults;
    EXPECT_EQ(view.m_showColor, defaults.m_showColor);
    EXPECT_EQ(view.m_colorPos, defaults.m_colorPos);
    EXPECT_EQ(view.m_sightColor, defaults.m_sightColor);
    EXPECT_EQ(view.m_lightEnable, defaults.m_lightEnable);
}

TEST_F(SettingsFileTest, ValuesAreStoredWithoutRangeChecksButTheLightIndex)
{
    // Letters in the first flag read as 0 and the load goes on.
    QList<QByteArray> sections = AllSections();
    sections[0] = "<Control><Show>yes</Show><Pos>  17 cells</Pos></Control>";
    sections[3] = "<BackGround><Color>-1</Color></BackGround>";
    sections[7] = "<Canvas><Show>-4</Show><Color>4294967295</Color><Width>-2.5</Width></Canvas>";
    sections[8] = "<Cube><WireFrame>5</WireFrame></Cube>";
    CViewState view;
    EXPECT_EQ(LoadText(view, Document("MIRA-VEL", sections)).status,
              SettingsLoadStatus::Complete);
    EXPECT_EQ(view.m_showControl, 0);
    EXPECT_EQ(view.m_controlPos, 17);
    EXPECT_EQ(view.m_backColor, 0xFFFFFFFFu);
    EXPECT_EQ(view.m_showCanvas, -4);
    EXPECT_EQ(view.m_canvasColor, 0x7FFFFFFFu); // the decimal saturates at the int32 top
    EXPECT_EQ(view.m_canvasLineWidth, -2.5);
    EXPECT_EQ(view.m_wireFrame, 5);
    EXPECT_EQ(view.m_lightPos, 7);

    // The light position indexes eight directions: anything else becomes 0,
    // and the values before it are kept.
    struct Row { const char* text; std::int32_t expected; };
    const Row rows[] = {{"9", 0}, {"-1", 0}, {"8", 0}, {"7", 7}, {"0", 0}, {"3rd", 3},
                        {"99999999999", 0}};
    for (const Row& row : rows) {
        sections = AllSections();
        sections.last() = QByteArray("<Light><Enable>0</Enable><Position>") + row.text +
                          "</Position></Light>";
        view = CViewState{};
        view.m_lightPos = 4;
        EXPECT_EQ(LoadText(view, Document("MIRA-VEL", sections)).status,
                  SettingsLoadStatus::Complete);
        EXPECT_EQ(view.m_lightPos, row.expected) << row.text;
        EXPECT_EQ(view.m_lightEnable, 0);
        EXPECT_EQ(view.m_canvasLineWidth, 7.654321);
    }
}

TEST_F(SettingsFileTest, NumbersAreReadLenientlyInTheFile)
{
    QList<QByteArray> sections = AllSections();
    sections[2] = "<Axis><Show>\n  1\n</Show><Width> 2.5e1</Width></Axis>";
    sections[4] = "<Sight><Show>+1</Show><Color>  12abc</Color><Width>5,5</Width></Sight>";
    sections[6] = "<Frame><Show>0</Show><Color>-3</Color><Width>5,000000</Width></Frame>";
    sections[7] = "<Canvas><Show>0</Show><Color/><Width>wide</Width></Canvas>";
    CViewState view;
    EXPECT_EQ(LoadText(view, Document("MIRA-VEL", sections)).status,
              SettingsLoadStatus::Complete);
    EXPECT_EQ(view.m_showAxis, 1);
    EXPECT_EQ(view.m_axisLineWidth, 25.0);
    EXPECT_EQ(view.m_showSight, 1);
    EXPECT_EQ(view.m_sightColor, 12u);
    EXPECT_EQ(view.m_sightLineWidth, 5.5);
    EXPECT_EQ(view.m_frameColor, COLORREF(-3));
    EXPECT_EQ(view.m_frameLineWidth, 5.0);
    EXPECT_EQ(view.m_canvasColor, 0u);
    EXPECT_EQ(view.m_canvasLineWidth, 0.0);
}

TEST_F(SettingsFileTest, AnyDeclarationAndLayoutIsRead)
{
    QByteArray body;
    for (const QByteArray& s : AllSections())
        body += s;
    body = "<MIRA-VEL>" + body + "</MIRA-VEL>";
    QByteArray indented = body;
    indented.replace("><", ">\r\n    <");

    const QByteArray texts[] = {
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\n" + body,
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + body,
        "<?xml version='1.0' encoding='Shift_JIS'?>\r\n" + body + "\r\n",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body,
        body,
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\" ?>\r\n" + indented,
    };
    for (const QByteArray& text : texts) {
        CViewState view;
        EXPECT_EQ(LoadText(view, text).status, SettingsLoadStatus::Complete) << text.constData();
        ExpectSameSavedFields(view, NonDefaultView());
    }
}

} // namespace

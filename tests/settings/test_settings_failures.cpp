// Saves that cannot complete, and files that travel between locales.
#include "settings/SettingsFile.h"

#include "SettingsTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <clocale>
#include <csignal>
#include <string>
#include <sys/resource.h>

namespace {

class SettingsSaveFailureTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
};

TEST_F(SettingsSaveFailureTest, AFolderThatCannotBeMadeFailsQuietly)
{
    // Permissions do not stop root, so the folder chain is blocked by a
    // regular file standing where a folder is needed.
    const QString blocker = dir.filePath("Orvendale");
    ASSERT_TRUE(WriteAll(blocker, "just a file"));

    EXPECT_FALSE(SaveSettings(CViewState{}, blocker + "/MIRA-VEL/MIRA-VEL.xml"));
    EXPECT_FALSE(SaveSettings(CViewState{}, blocker + "/MIRA-VEL.xml"));
    EXPECT_EQ(ReadAll(blocker), "just a file");

    // The target itself being a folder is no place for a file either.
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken.xml/inside"));
    EXPECT_FALSE(SaveSettings(CViewState{}, dir.filePath("taken.xml")));
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.xml/inside")).isDir());
}

TEST_F(SettingsSaveFailureTest, AWriteThatBreaksOffLeavesTheEarlierFileWhole)
{
    const QString path = dir.filePath("MIRA-VEL.xml");
    CViewState earlier;
    earlier.m_lightPos = 6;
    ASSERT_TRUE(SaveSettings(earlier, path));
    const QByteArray before = ReadAll(path);
    ASSERT_FALSE(before.isEmpty());

    // A file-size limit well below a whole settings file makes the write
    // break off partway, as a full disk would. Writing past it raises
    // SIGXFSZ, which would end the process, so it is ignored meanwhile.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    const bool saved = SaveSettings(CViewState{}, path);

    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"MIRA-VEL.xml"})
        << "the unfinished temporary must not be left behind";
    CViewState loaded;
    EXPECT_EQ(LoadSettings(loaded, path).status, SettingsLoadStatus::Complete);
    EXPECT_EQ(loaded.m_lightPos, 6);
}

// Switches the C runtime's numbers to a comma locale while it lives, if the
// machine has one.
class CommaNumericLocale {
public:
    CommaNumericLocale() : m_old(std::setlocale(LC_NUMERIC, nullptr))
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',') {
                m_active = true;
                return;
            }
        }
        std::setlocale(LC_NUMERIC, m_old.c_str());
    }
    ~CommaNumericLocale() { std::setlocale(LC_NUMERIC, m_old.c_str()); }
    bool active() const { return m_active; }

private:
    std::string m_old;
    bool m_active = false;
};

TEST_F(SettingsSaveFailureTest, FilesMoveBetweenLocales)
{
    const QString path = dir.filePath("MIRA-VEL.xml");
    CViewState saved;
    saved.m_axisLineWidth = 2.25;
    saved.m_canvasLineWidth = 0.5;

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    {
        const CommaNumericLocale comma;
        if (!comma.active())
            GTEST_LOG_(INFO) << "no comma-decimal C locale installed; Qt's default locale only";
        ASSERT_TRUE(SaveSettings(saved, path));
        const QByteArray bytes = ReadAll(path);
        EXPECT_TRUE(bytes.contains("<Width>2.250000</Width>")) << bytes.constData();
        EXPECT_TRUE(bytes.contains("<Width>0.500000</Width>")) << bytes.constData();
        EXPECT_FALSE(bytes.contains(','));

        CViewState loaded;
        EXPECT_EQ(LoadSettings(loaded, path).status, SettingsLoadStatus::Complete);
        ExpectSameSavedFields(loaded, saved);
    }
    QLocale::setDefault(before);

    // A file written by a comma locale, read in the C locale.
    QByteArray old = ReadAll(path);
    old.replace("2.250000", "2,250000").replace("0.500000", "0,500000");
    ASSERT_TRUE(WriteAll(path, old));
    CViewState loaded;
    EXPECT_EQ(LoadSettings(loaded, path).status, SettingsLoadStatus::Complete);
    ExpectSameSavedFields(loaded, saved);
}

} // namespace

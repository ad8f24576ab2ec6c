// Number text of the settings file: lenient reading, C-locale writing.
#include "settings/SettingsNumbers.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>

using namespace SettingsNumbers;

TEST(SettingsNumbers, IntegersReadLeniently)
{
    struct Row { const char16_t* text; std::int32_t expected; };
    const Row rows[] = {
        {u"12", 12},
        {u"  12abc", 12},
        {u"\t\r\n 7", 7},
        {u"-3", -3},
        {u"+8", 8},
        {u"007", 7},
        {u"3.9", 3},
        {u"16777215", 16777215},
        {u"-1", -1},
        {u"abc", 0},
        {u"", 0},
        {u"   ", 0},
        {u"- 5", 0},
        {u"--5", 0},
        {u"0x10", 0},
        {u"2147483647", 2147483647},
        {u"-2147483648", std::numeric_limits<std::int32_t>::min()},
        {u"2147483648", 2147483647},
        {u"99999999999999999999", 2147483647},
        {u"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseInt(QString::fromUtf16(row.text)), row.expected)
            << QString::fromUtf16(row.text).toStdString();
}

TEST(SettingsNumbers, FloatsReadLeniently)
{
    struct Row { const char16_t* text; double expected; };
    const Row rows[] = {
        {u"5.000000", 5.0},
        {u"  2.5xyz", 2.5},
        {u"-3", -3.0},
        {u"+0.125", 0.125},
        {u"2.5e1", 25.0},
        {u"2.5E-1", 0.25},
        {u"1e+2", 100.0},
        {u"1e", 1.0},      // a letter without exponent digits ends the number
        {u"1e+", 1.0},
        {u"3.", 3.0},
        {u".5", 0.5},
        {u"-.5", -0.5},
        {u".", 0.0},
        {u"e5", 0.0},
        {u"abc", 0.0},
        {u"", 0.0},
        {u"inf", 0.0},
        {u"nan", 0.0},
        {u"0x1p3", 0.0},
        // Files written in a comma locale.
        {u"5,000000", 5.0},
        {u"5,5", 5.5},
        {u"1,234.5", 1.234},
        {u"123456.654321", 123456.654321},
        {u"1e-400", 0.0},
    };
    for (const Row& row : rows)
        EXPECT_DOUBLE_EQ(ParseDouble(QString::fromUtf16(row.text)), row.expected)
            << QString::fromUtf16(row.text).toStdString();

    EXPECT_EQ(ParseDouble(u"1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble(u"-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble(u"0.00001e315"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble(u"100000e-330"), 0.0);
}

TEST(SettingsNumbers, WritingIsPrintfStyleInTheCLocale)
{
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(-12), "-12");
    EXPECT_EQ(FormatInt(16777215), "16777215");
    EXPECT_EQ(FormatInt(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(FormatDouble(5.0), "5.000000");
    EXPECT_EQ(FormatDouble(0.1234564), "0.123456");
    EXPECT_EQ(FormatDouble(0.1234566), "0.123457");
    EXPECT_EQ(FormatDouble(-0.25), "-0.250000");
    EXPECT_EQ(FormatDouble(1e7), "10000000.000000");

    // A comma locale, both Qt's default and (where the machine has one) the C
    // runtime's, must not change the separator in either direction.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatDouble(2.5), "2.500000");
    EXPECT_DOUBLE_EQ(ParseDouble(u"2.500000"), 2.5);
    QLocale::setDefault(before);

    const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8",
                                  "de_DE", "fr_FR"};
    bool haveCommaLocale = false;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',') {
            haveCommaLocale = true;
            break;
        }
    }
    if (haveCommaLocale) {
        EXPECT_EQ(FormatDouble(2.5), "2.500000");
        EXPECT_DOUBLE_EQ(ParseDouble(u"2.500000"), 2.5);
        EXPECT_DOUBLE_EQ(ParseDouble(u"2,500000"), 2.5);
    }
    std::setlocale(LC_NUMERIC, oldNumeric.c_str());
    if (!haveCommaLocale)
        GTEST_LOG_(INFO) << "no comma-decimal C locale installed; checked Qt's default only";
}

TEST(SettingsNumbers, EveryWrittenWidthReadsBackToSixDecimals)
{
    const double widths[] = {0.0, 1.0, 0.000001, 3.141593, 12.5, 999.999999, -7.25, 1e-7};
    for (double w : widths) {
        const double back = ParseDouble(FormatDouble(w));
        EXPECT_NEAR(back, w, 0.5e-6) << w;
        EXPECT_EQ(FormatDouble(back), FormatDouble(w)) << w;
    }
}

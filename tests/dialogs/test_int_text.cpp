// Reading the number edits: the forgiving integer parse and the digits-only
// validator.
#include "dialogs/CDigitsValidator.h"
#include "dialogs/IntText.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(IntText, ReadsLeadingNumberAndClampsInsteadOfWrapping)
{
    const struct {
        const char16_t* text;
        std::int32_t expected;
    } rows[] = {
        {u"", 0}, {u"   ", 0}, {u"abc", 0}, {u"- 5", 0}, {u"42", 42}, {u" \t 42", 42},
        {u"7x9", 7}, {u"12abc34", 12}, {u"+15", 15}, {u"-15", -15}, {u"0025", 25},
        {u"\uFF17", 0}, // a full-width digit is not a digit to the parse
        {u"2147483647", kMax}, {u"2147483648", kMax}, {u"4294971392", kMax},
        {u"99999999999999999999999999", kMax}, {u"-2147483648", kMin},
        {u"-2147483649", kMin}, {u"-99999999999999999999999999", kMin},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TextToInt(QString::fromUtf16(row.text)), row.expected)
            << QString::fromUtf16(row.text).toStdString();
}

TEST(DigitsValidator, RefusesSignsAndLettersButCleansPastedDigits)
{
    QLineEdit edit;
    edit.setValidator(new CDigitsValidator(&edit));

    QTest::keyClicks(&edit, QStringLiteral("1a-2 3+"));
    EXPECT_EQ(edit.text(), QStringLiteral("123"));

    edit.clear();
    edit.insert(QStringLiteral(" 4 5 ")); // pasted text goes through the same check
    EXPECT_EQ(edit.text(), QStringLiteral("45"));
    edit.insert(QStringLiteral("12.5"));
    EXPECT_EQ(edit.text(), QStringLiteral("45"));
    edit.insert(QStringLiteral("-7"));
    EXPECT_EQ(edit.text(), QStringLiteral("45"));

    edit.clear();
    edit.insert(QString::fromUtf16(u"\uFF11\uFF12")); // as an input method types them
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
}

} // namespace

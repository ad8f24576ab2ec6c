#include "settings/SettingsNumbers.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace SettingsNumbers {
namespace {

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

bool IsDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// Skips the leading blanks and reads an optional sign; returns the index of
// the first character after them.
qsizetype SkipBlanksAndSign(QStringView text, bool& negative)
{
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    return i;
}

} // namespace

QString FormatInt(std::int32_t value)
{
    return QString::number(value);
}

QString FormatDouble(double value)
{
    // QString::number always formats in the C locale.
    return QString::number(value, 'f', 6);
}

std::int32_t ParseInt(QStringView text)
{
    bool negative = false;
    qsizetype i = SkipBlanksAndSign(text, negative);

    // The magnitude stops growing just past the 32-bit range; that is all the
    // saturation below needs to know.
    constexpr std::int64_t kCap = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        magnitude = std::min(kCap, magnitude * 10 + (text[i].unicode() - u'0'));
    if (negative)
        return std::int32_t(-magnitude); // -kCap is exactly the int32 minimum
    return std::int32_t(std::min(magnitude, kCap - 1));
}

double ParseDouble(QStringView text)
{
    bool negative = false;
    qsizetype i = SkipBlanksAndSign(text, negative);

    std::string intDigits;
    std::string fracDigits;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        intDigits += char(text[i].unicode());
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        qsizetype j = i + 1;
        for (; j < text.size() && IsDigit(text[j]); ++j)
            fracDigits += char(text[j].unicode());
        // A lone separator without digits on either side is no number.
        if (!intDigits.empty() || !fracDigits.empty())
            i = j;
    }
    if (intDigits.empty() && fracDigits.empty())
        return 0.0;

    // The exponent counts only when at least one digit follows its letter.
    long exponent = 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
            expNegative = text[j] == u'-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j)
                if (exponent < 1'000'000)
                    exponent = exponent * 10 + (text[j].unicode() - u'0');
            if (expNegative)
                exponent = -exponent;
        }
    }

    std::string normal = (intDigits.empty() ? std::string("0") : intDigits) + '.' +
                         (fracDigits.empty() ? std::string("0") : fracDigits) + 'e' +
                         std::to_string(exponent);
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Decimal order of the leading significant digit decides between
        // overflow and underflow.
        const std::string digits = intDigits + fracDigits;
        const auto firstSignificant = digits.find_first_not_of('0');
        const long order = long(intDigits.size()) - long(firstSignificant) + exponent;
        value = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

} // namespace SettingsNumbers

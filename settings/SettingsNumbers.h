#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// Number text of the settings file.
//
// Writing always uses the C conventions ("%d", "%f" with a '.' separator)
// whatever the process locale, so a file stays readable when the user moves
// between locales. Reading is deliberately forgiving, because the file is
// hand-editable and older files were written with the locale's separator:
// leading white space is skipped, an optional sign and the longest run that
// still forms a number are taken, and the rest of the text is ignored. Text
// that starts with no number at all reads as zero.
namespace SettingsNumbers {

// "%d" of the signed 32-bit value: "-12", "0", "16777215".
QString FormatInt(std::int32_t value);

// "%f": six digits after a '.', no exponent ("5.000000", "-0.250000").
QString FormatDouble(double value);

// Optional sign and decimal digits. A value beyond the 32-bit range saturates
// at its nearest end instead of wrapping.
std::int32_t ParseInt(QStringView text);

// Optional sign, digits with an optional decimal part and an optional
// exponent ("2.5e1" is 25). Both '.' and ',' are taken as the decimal
// separator, so "5,000000" from a file written in a comma locale reads as 5;
// only the first separator counts ("1,234.5" reads as 1.234). Infinity, NaN and
// hexadecimal forms are not numbers here and read as 0. A magnitude too large
// for a double reads as an infinity of its sign, one too small as zero.
double ParseDouble(QStringView text);

} // namespace SettingsNumbers

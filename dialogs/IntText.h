#pragma once

#include <QStringView>

#include <cstdint>

// Reads an integer the forgiving way the dialogs have always read their edits:
// leading white space is skipped, one optional sign, then decimal digits up to
// the first character that is not one. Text without digits gives 0. A number
// beyond the 32-bit range gives the nearest limit instead of wrapping, so a
// huge entry can never turn into a small valid one.
std::int32_t TextToInt(QStringView text);

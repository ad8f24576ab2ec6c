#include "dialogs/IntText.h"

#include <limits>

std::int32_t TextToInt(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    // Accumulate the magnitude in 64 bits and stop growing once it is past
    // what either limit needs; the rest of the digits only confirm overflow.
    constexpr std::int64_t cap = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (magnitude <= cap)
            magnitude = magnitude * 10 + (text[i].unicode() - u'0');
    }

    if (negative)
        return magnitude >= cap ? std::numeric_limits<std::int32_t>::min()
                                : std::int32_t(-magnitude);
    return magnitude >= cap ? std::numeric_limits<std::int32_t>::max() : std::int32_t(magnitude);
}

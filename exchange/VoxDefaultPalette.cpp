#include "exchange/VoxPalette.h"

namespace {

// The published table is a 6 x 6 x 6 colour cube (steps of 0x33, red
// outermost, blue innermost, from white down, without black), then ramps of
// ten shades each of red, green, blue and grey (0xEE down to 0x11, skipping
// the cube's own multiples of 0x33).
std::array<COLORREF, 256> MakeDefaultPalette()
{
    std::array<COLORREF, 256> palette{};
    int i = 1;
    for (int r = 5; r >= 0; --r)
        for (int g = 5; g >= 0; --g)
            for (int b = 5; b >= 0; --b)
                if (r || g || b)
                    palette[std::size_t(i++)] =
                        RGB(std::uint8_t(r * 0x33), std::uint8_t(g * 0x33), std::uint8_t(b * 0x33));
    static constexpr std::uint8_t kRamp[10] = {0xEE, 0xDD, 0xBB, 0xAA, 0x88,
                                               0x77, 0x55, 0x44, 0x22, 0x11};
    for (std::uint8_t v : kRamp)
        palette[std::size_t(i++)] = RGB(v, 0, 0);
    for (std::uint8_t v : kRamp)
        palette[std::size_t(i++)] = RGB(0, v, 0);
    for (std::uint8_t v : kRamp)
        palette[std::size_t(i++)] = RGB(0, 0, v);
    for (std::uint8_t v : kRamp)
        palette[std::size_t(i++)] = RGB(v, v, v);
    return palette;
}

} // namespace

const std::array<COLORREF, 256>& VoxDefaultPalette()
{
    static const std::array<COLORREF, 256> palette = MakeDefaultPalette();
    return palette;
}

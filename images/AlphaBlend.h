#pragma once

#include <cstdint>

// Lays straight-alpha pixels over a background, one channel at a time:
//     c = (image * a + background * (255 - a)) / 255   (integer division)
// for blue, green and red. Both buffers hold `pixels` pixels of four bytes in
// the order blue, green, red, alpha. The destination's fourth byte is left as
// it was: the background's own alpha means nothing to the result and callers
// may rely on it staying put.
void BlendStraightAlpha(std::uint8_t* dstBGRA, const std::uint8_t* srcBGRA, int pixels);

// One channel of that blend.
constexpr std::uint8_t BlendAlphaChannel(std::uint8_t image, std::uint8_t alpha, std::uint8_t back)
{
    return std::uint8_t((unsigned(image) * alpha + unsigned(back) * (255u - alpha)) / 255u);
}

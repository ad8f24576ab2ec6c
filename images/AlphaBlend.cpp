#include "images/AlphaBlend.h"

void BlendStraightAlpha(std::uint8_t* dstBGRA, const std::uint8_t* srcBGRA, int pixels)
{
    if (!dstBGRA || !srcBGRA)
        return;
    for (int i = 0; i < pixels; ++i, dstBGRA += 4, srcBGRA += 4) {
        for (int c = 0; c < 3; ++c)
            dstBGRA[c] = BlendAlphaChannel(srcBGRA[c], srcBGRA[3], dstBGRA[c]);
    }
}

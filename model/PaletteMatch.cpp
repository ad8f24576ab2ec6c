#include "model/PaletteMatch.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// sRGB byte to linear light, once per byte value.
const std::array<float, 256>& LinearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[std::size_t(i)] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

float Square(float v) { return v * v; }

float DistanceSquared(const OklabColor& p, const OklabColor& q)
{
    const float dl = p.l - q.l, da = p.a - q.a, db = p.b - q.b;
    return dl * dl + da * da + db * db;
}

} // namespace

OklabColor ToOklab(COLORREF color)
{
    const auto& lin = LinearTable();
    const float r = lin[GetRValue(color)], g = lin[GetGValue(color)], b = lin[GetBValue(color)];
    const float l = std::cbrt(0.4122214708f * r + 0.5363325363f * g + 0.0514459929f * b);
    const float m = std::cbrt(0.2119034982f * r + 0.6806995451f * g + 0.1073969566f * b);
    const float s = std::cbrt(0.0883024619f * r + 0.2817188376f * g + 0.6299787005f * b);
    return {0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
            1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
            0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

CPaletteMatch::CPaletteMatch(std::span<const COLORREF> palette)
{
    m_byLightness.reserve(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i)
        m_byLightness.push_back({ToOklab(palette[i]), i, palette[i] & 0xFFFFFFu});
    std::sort(m_byLightness.begin(), m_byLightness.end(),
              [](const Entry& p, const Entry& q) { return p.lab.l < q.lab.l; });
}

COLORREF CPaletteMatch::Nearest(COLORREF color)
{
    color &= 0xFFFFFFu;
    const auto [it, fresh] = m_known.try_emplace(color, CLR_NONE);
    if (!fresh || m_byLightness.empty())
        return it->second;
    const OklabColor lab = ToOklab(color);
    const Entry* best = nullptr;
    float bestDistance = 0;
    const auto consider = [&](const Entry& e) {
        const float d = DistanceSquared(lab, e.lab);
        if (!best || d < bestDistance || (d == bestDistance && e.index < best->index)) {
            best = &e;
            bestDistance = d;
        }
    };
    const auto first = std::lower_bound(m_byLightness.begin(), m_byLightness.end(), lab.l,
                                        [](const Entry& e, float l) { return e.lab.l < l; });
    auto up = first;
    auto down = first;
    bool upOpen = true, downOpen = true;
    while (upOpen || downOpen) {
        // A side stays open while its lightness gap alone could still tie.
        if (upOpen) {
            if (up == m_byLightness.end() || (best && Square(up->lab.l - lab.l) > bestDistance))
                upOpen = false;
            else
                consider(*up++);
        }
        if (downOpen) {
            if (down == m_byLightness.begin() || (best && Square(lab.l - std::prev(down)->lab.l) > bestDistance))
                downOpen = false;
            else
                consider(*--down);
        }
    }
    it->second = best->color;
    return it->second;
}

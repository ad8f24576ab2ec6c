#pragma once

// The two large models of the benchmarks, built in place.
//
// landscape: a 256^3 grid. Column (x, z) is filled from y = 0 up to
// h(x, z) - 1, h = clamp(56 + round(25 sin(0.05 x) + 15 cos(0.07 z)), 16, 96),
// coloured by height in 32 bands; then 40 solid spheres of radius 4 to 20 at
// places and in colours drawn by std::mt19937 seeded with 20260120. About
// 3.7 million cubes.
//
// full256: every cell of a 256^3 grid, each a colour taken from its place.
#include "model/CMiravelDoc.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace bench {

inline constexpr std::uint32_t kLandscapeSeed = 20260120;

inline void BuildLandscape(CMiravelDoc& doc)
{
    constexpr int N = 256;
    CCubeStore cubes;
    for (int x = 0; x < N; ++x)
        for (int z = 0; z < N; ++z) {
            const int h = std::clamp(int(56 + std::lround(25 * std::sin(0.05 * x) + 15 * std::cos(0.07 * z))), 16, 96);
            for (int y = 0; y < h; ++y) {
                const int band = y * 32 / N;
                cubes.Set({x, y, z}, RGB(std::uint8_t(40 + band * 6), std::uint8_t(200 - band * 4), std::uint8_t(60 + band * 5)));
            }
        }
    std::mt19937 rng(kLandscapeSeed);
    for (int s = 0; s < 40; ++s) {
        const int r = 4 + int(rng() % 17);
        const int cx = int(rng() % N), cy = int(rng() % 128), cz = int(rng() % N);
        const COLORREF color = RGB(std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng()));
        for (int x = std::max(0, cx - r); x <= std::min(N - 1, cx + r); ++x)
            for (int y = std::max(0, cy - r); y <= std::min(N - 1, cy + r); ++y)
                for (int z = std::max(0, cz - r); z <= std::min(N - 1, cz + r); ++z)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz) <= r * r)
                        cubes.Set({x, y, z}, color);
    }
    doc.ReplaceModel(N, N, N, std::move(cubes));
}

inline COLORREF Full256Color(int x, int y, int z)
{
    return RGB(std::uint8_t(x), std::uint8_t(y), std::uint8_t(z));
}

inline CCubeStore BuildFull256()
{
    CCubeStore cubes;
    COLORREF row[CCubeChunk::kSide];
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y)
            for (int z0 = 0; z0 < 256; z0 += CCubeChunk::kSide) {
                for (int i = 0; i < CCubeChunk::kSide; ++i)
                    row[i] = Full256Color(x, y, z0 + i);
                cubes.SetRow(x, y, z0, row, CCubeChunk::kSide);
            }
    return cubes;
}

} // namespace bench

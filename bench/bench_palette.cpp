// Remapping a model to a palette of 255 colours, as the editor's command
// does it: the nearest colours worked out and applied as one step.
//   palette_remap_full40_ms: a full 40^3 grid, every cube its own colour.
//   palette_remap_256_standin_ms: the landscape of the large-model
//   benchmarks (a 256^3 grid, about 3.7 million cubes), built in the
//   present cube store with the grid set past the editor's limit: a stand-in
//   until the chunked store brings the landscape model itself.
#include "bench/BenchUtil.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "model/PaletteMatch.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// 6 x 7 x 6 levels of red, green and blue and three greys.
std::vector<COLORREF> Palette255()
{
    std::vector<COLORREF> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 7; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(RGB(std::uint8_t(r * 51), std::uint8_t(g * 42), std::uint8_t(b * 51)));
    for (const int grey : {64, 128, 192})
        palette.push_back(RGB(std::uint8_t(grey), std::uint8_t(grey), std::uint8_t(grey)));
    return palette;
}

void BuildLandscape(CMiravelDoc& doc)
{
    constexpr int N = 256;
    doc.m_cubes.clear();
    for (int x = 0; x < N; ++x)
        for (int z = 0; z < N; ++z) {
            const int h = std::clamp(int(56 + std::lround(25 * std::sin(0.05 * x) + 15 * std::cos(0.07 * z))), 16, 96);
            for (int y = 0; y < h; ++y) {
                const int band = y * 32 / N;
                doc.m_cubes[{x, y, z}] = RGB(std::uint8_t(40 + band * 6), std::uint8_t(200 - band * 4), std::uint8_t(60 + band * 5));
            }
        }
    std::mt19937 rng(20260120);
    for (int s = 0; s < 40; ++s) {
        const int r = 4 + int(rng() % 17);
        const int cx = int(rng() % N), cy = int(rng() % 128), cz = int(rng() % N);
        const COLORREF color = RGB(std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng()));
        for (int x = std::max(0, cx - r); x <= std::min(N - 1, cx + r); ++x)
            for (int y = std::max(0, cy - r); y <= std::min(N - 1, cy + r); ++y)
                for (int z = std::max(0, cz - r); z <= std::min(N - 1, cz + r); ++z)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz) <= r * r)
                        doc.m_cubes[{x, y, z}] = color;
    }
    doc.m_sizeX = doc.m_sizeY = doc.m_sizeZ = N;
}

const bench::Register reg("palette", [] {
    const std::vector<COLORREF> palette = Palette255();
    CMiravelDoc doc;
    const auto fill40 = [&] {
        doc.SetGridSize(40, 40, 40);
        doc.m_cubes.clear();
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 40; ++y)
                for (int z = 0; z < 40; ++z)
                    doc.m_cubes[{x, y, z}] = RGB(std::uint8_t(x * 6 + 3), std::uint8_t(y * 6 + 3), std::uint8_t(z * 6 + 3));
    };
    bench::Report("palette_remap_full40_ms", bench::MedianMs(11, fill40, [&] {
        const ModelTools::Edit edit = ModelTools::RemapToPalette(doc, palette);
        doc.ApplyAction(edit.changes, edit.size);
    }), "ms");
    // The nearest colours alone, without the document's applying them.
    bench::Report("palette_match_full40_ms", bench::MedianMs(11, fill40, [&] {
        const ModelTools::Edit edit = ModelTools::RemapToPalette(doc, palette);
    }), "ms");

    CMiravelDoc large;
    bench::Report("palette_remap_256_standin_ms", bench::MedianMs(3, [&] { BuildLandscape(large); }, [&] {
        const ModelTools::Edit edit = ModelTools::RemapToPalette(large, palette);
        large.ApplyAction(edit.changes, edit.size);
    }), "ms");
});

} // namespace

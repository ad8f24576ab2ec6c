// Remapping a model to a palette of 255 colours, as the editor's command
// does it: the nearest colours worked out and applied as one step.
//   palette_remap_full40_ms: a full 40^3 grid, every cube its own colour.
//   palette_remap_256_ms: the landscape of the large-model benchmarks (a
//   256^3 grid, about 3.7 million cubes).
#include "bench/BenchUtil.h"
#include "bench/LargeModels.h"
#include "model/CMiravelDoc.h"
#include "model/ModelTools.h"
#include "model/PaletteMatch.h"

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

const bench::Register reg("palette", [] {
    const std::vector<COLORREF> palette = Palette255();
    CMiravelDoc doc;
    const auto fill40 = [&] {
        doc.SetGridSize(40, 40, 40);
        doc.m_cubes.Clear();
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 40; ++y)
                for (int z = 0; z < 40; ++z)
                    doc.m_cubes.Set({x, y, z}, RGB(std::uint8_t(x * 6 + 3), std::uint8_t(y * 6 + 3), std::uint8_t(z * 6 + 3)));
    };
    bench::Report("palette_remap_full40_ms", bench::MedianMs(11, fill40, [&] {
        ModelTools::Apply(doc, ModelTools::RemapToPalette(doc, palette));
    }), "ms");
    // The nearest colours alone, without the document's applying them.
    bench::Report("palette_match_full40_ms", bench::MedianMs(11, fill40, [&] {
        const ModelTools::Edit edit = ModelTools::RemapToPalette(doc, palette);
    }), "ms");

    CMiravelDoc large;
    bench::Report("palette_remap_256_ms", bench::MedianMs(3, [&] { bench::BuildLandscape(large); }, [&] {
        ModelTools::Apply(large, ModelTools::RemapToPalette(large, palette));
    }), "ms");
});

} // namespace

#include "images/ColorQuantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

// Median cut works on a histogram of 5 bits per channel: small enough to sort
// and search quickly, while the palette colours themselves are the exact
// means of the pixels in each box.
constexpr int kChannelBits = 5;
constexpr int kBinCount = 1 << (3 * kChannelBits);

int BinOf(QRgb c)
{
    constexpr int drop = 8 - kChannelBits;
    return ((qRed(c) >> drop) << (2 * kChannelBits)) | ((qGreen(c) >> drop) << kChannelBits) |
           (qBlue(c) >> drop);
}

// Channel 0 is red, 1 green, 2 blue, each 0..31.
int BinChannel(int bin, int channel)
{
    return (bin >> ((2 - channel) * kChannelBits)) & ((1 << kChannelBits) - 1);
}

struct Bin {
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
};

struct Box {
    std::size_t begin = 0; // range of bin ids it holds
    std::size_t end = 0;
    std::uint64_t population = 0;
    int longestChannel = 0;
    int longestSide = 0;
};

void Measure(Box& box, const std::vector<int>& ids, const std::vector<Bin>& bins)
{
    std::array<int, 3> lo{31, 31, 31};
    std::array<int, 3> hi{0, 0, 0};
    box.population = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        box.population += bins[ids[i]].count;
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], BinChannel(ids[i], c));
            hi[c] = std::max(hi[c], BinChannel(ids[i], c));
        }
    }
    box.longestChannel = 0;
    box.longestSide = hi[0] - lo[0];
    for (int c = 1; c < 3; ++c) {
        if (hi[c] - lo[c] > box.longestSide) {
            box.longestSide = hi[c] - lo[c];
            box.longestChannel = c;
        }
    }
}

// Splits the colours of the visible pixels into at most `limit` boxes and
// returns, per histogram bin, the index of its palette colour.
std::vector<std::uint8_t> MedianCut(const QImage& argb, bool transparency, int limit,
                                    std::vector<QRgb>& palette)
{
    std::vector<Bin> bins(kBinCount);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (transparency && qAlpha(row[x]) < 128)
                continue;
            Bin& b = bins[BinOf(row[x])];
            ++b.count;
            b.sum[0] += qRed(row[x]);
            b.sum[1] += qGreen(row[x]);
            b.sum[2] += qBlue(row[x]);
        }
    }
    std::vector<int> ids;
    for (int i = 0; i < kBinCount; ++i)
        if (bins[i].count)
            ids.push_back(i);

    std::vector<Box> boxes;
    if (!ids.empty()) {
        Box all;
        all.end = ids.size();
        Measure(all, ids, bins);
        boxes.push_back(all);
    }
    while (int(boxes.size()) < limit) {
        // Cutting the box with the longest side first keeps the worst colour
        // error small, which is what shows in gradients.
        int best = -1;
        for (int i = 0; i < int(boxes.size()); ++i) {
            const Box& b = boxes[i];
            if (b.end - b.begin < 2)
                continue;
            if (best < 0 || b.longestSide > boxes[best].longestSide ||
                (b.longestSide == boxes[best].longestSide &&
                 b.population > boxes[best].population))
                best = i;
        }
        if (best < 0)
            break;
        Box box = boxes[best];
        const int channel = box.longestChannel;
        std::sort(ids.begin() + std::ptrdiff_t(box.begin), ids.begin() + std::ptrdiff_t(box.end),
                  [channel](int a, int b) { return BinChannel(a, channel) < BinChannel(b, channel); });
        std::size_t split = box.end - 1;
        std::uint64_t running = 0;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            running += bins[ids[i]].count;
            if (running * 2 >= box.population) {
                split = i + 1;
                break;
            }
        }
        Box lower = box;
        lower.end = split;
        Box upper = box;
        upper.begin = split;
        Measure(lower, ids, bins);
        Measure(upper, ids, bins);
        boxes[best] = lower;
        boxes.push_back(upper);
    }

    for (const Box& box : boxes) {
        std::uint64_t sum[3] = {0, 0, 0};
        for (std::size_t i = box.begin; i < box.end; ++i)
            for (int c = 0; c < 3; ++c)
                sum[c] += bins[ids[i]].sum[c];
        const std::uint64_t n = box.population;
        palette.push_back(qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n),
                               int((sum[2] + n / 2) / n)));
    }

    // Each bin goes to the palette colour nearest its own mean, which may lie
    // in a neighbouring box.
    std::vector<std::uint8_t> binToIndex(kBinCount, 0);
    for (int id : ids) {
        const Bin& b = bins[id];
        const std::int64_t mean[3] = {std::int64_t(b.sum[0] / b.count),
                                      std::int64_t(b.sum[1] / b.count),
                                      std::int64_t(b.sum[2] / b.count)};
        std::int64_t bestDistance = -1;
        for (std::size_t p = 0; p < palette.size(); ++p) {
            const std::int64_t dr = qRed(palette[p]) - mean[0];
            const std::int64_t dg = qGreen(palette[p]) - mean[1];
            const std::int64_t db = qBlue(palette[p]) - mean[2];
            const std::int64_t d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                binToIndex[id] = std::uint8_t(p);
            }
        }
    }
    return binToIndex;
}

} // namespace

bool ReduceToPalette(const QImage& image, int maxColors, PalettePicture& out)
{
    out = PalettePicture{};
    if (image.isNull() || maxColors < 2 || maxColors > 256)
        return false;
    const bool transparency = image.hasAlphaChannel();
    const QImage argb =
        image.convertToFormat(transparency ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (argb.isNull())
        return false;
    const int w = argb.width();
    const int h = argb.height();
    auto hidden = [transparency](QRgb px) { return transparency && qAlpha(px) < 128; };
    auto opaque = [](QRgb px) { return px | 0xFF000000u; };

    bool anyHidden = false;
    if (transparency)
        for (int y = 0; y < h && !anyHidden; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < w && !anyHidden; ++x)
                anyHidden = hidden(row[x]);
        }
    const int colourLimit = anyHidden ? maxColors - 1 : maxColors;

    // First try to keep every colour as it is.
    std::unordered_map<QRgb, std::uint8_t> exact;
    bool fits = true;
    for (int y = 0; y < h && fits; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (hidden(row[x]))
                continue;
            const QRgb c = opaque(row[x]);
            if (exact.count(c))
                continue;
            if (int(exact.size()) == colourLimit) {
                fits = false;
                break;
            }
            exact.emplace(c, std::uint8_t(out.palette.size()));
            out.palette.push_back(c);
        }
    }
    std::vector<std::uint8_t> binToIndex;
    if (!fits) {
        out.palette.clear();
        binToIndex = MedianCut(argb, transparency, colourLimit, out.palette);
    }
    if (anyHidden) {
        out.transparentIndex = int(out.palette.size());
        out.palette.push_back(qRgb(0, 0, 0));
    }

    out.width = w;
    out.height = h;
    out.indices.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        std::uint8_t* dst = out.indices.data() + std::size_t(y) * std::size_t(w);
        for (int x = 0; x < w; ++x) {
            if (hidden(row[x]))
                dst[x] = std::uint8_t(out.transparentIndex);
            else if (fits)
                dst[x] = exact.at(opaque(row[x]));
            else
                dst[x] = binToIndex[BinOf(row[x])];
        }
    }
    return true;
}

#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

// A picture of at most 256 colours: one palette index per pixel.
struct PalettePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // width * height, top row first
    std::vector<QRgb> palette;         // opaque colours, at most 256
    int transparentIndex = -1;         // palette index standing for "no pixel", or -1
};

// Reduces image to a palette of at most maxColors (2..256) entries.
//
// A picture with few enough distinct colours (typical of flat-shaded
// renderings) keeps them all exactly. Otherwise the colours are split by
// median cut: the box of colours with the longest side is cut at its
// population median until there are maxColors boxes, each box giving the mean
// of its pixels; every pixel then takes the nearest palette colour. No
// dithering: a screenshot's flat areas stay flat.
//
// When the image has an alpha channel, pixels with alpha below 128 map to one
// extra entry reserved as transparent, counted within maxColors.
// Fails on an empty image or a maxColors out of range.
bool ReduceToPalette(const QImage& image, int maxColors, PalettePicture& out);

#pragma once

#include "model/CubeTypes.h"

#include <cstdint>

// The .mvf model file: a 20-byte header (the magic "mvf" in UTF-16LE, two
// reserved zero bytes, the three grid sizes as int32) followed by one 32-bit
// little-endian word per cell of the grid box, x outermost, z innermost.
//
// A cube's word carries a random mask m in 0x01..0xEF as its top byte and its
// colour bytes XOR-ed with m; an empty cell's word is random with a top byte in
// 0xF1..0xFF. The reader takes any top byte below 0xF0 as a cube.
namespace ModelFile {

inline constexpr int kHeaderSize = 20;
inline constexpr int kCellSize = 4;

constexpr std::uint32_t EncodeCube(COLORREF color, std::uint8_t mask)
{
    const std::uint32_t m = mask;
    return ((color & 0xFFFFFFu) ^ (m | (m << 8) | (m << 16))) | (m << 24);
}

// The empty word: all ones, then the marker in the top byte and each low byte
// XOR-ed with its own key.
constexpr std::uint32_t EncodeEmpty(std::uint8_t marker, std::uint8_t k2, std::uint8_t k1,
                                    std::uint8_t k0)
{
    return (std::uint32_t(marker) << 24) | (std::uint32_t(0xFFu ^ k2) << 16) |
           (std::uint32_t(0xFFu ^ k1) << 8) | std::uint32_t(0xFFu ^ k0);
}

// The colour a word stands for, or CLR_NONE for an empty cell.
constexpr COLORREF Decode(std::uint32_t word)
{
    const std::uint32_t top = word >> 24;
    if (top >= 0xF0)
        return CLR_NONE;
    return (word ^ (top | (top << 8) | (top << 16))) & 0xFFFFFFu;
}

} // namespace ModelFile

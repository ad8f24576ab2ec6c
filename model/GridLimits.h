#pragma once

#include <cstdint>

// The grids a model may have: one the size dialog accepts (each side at
// least 1 and at most 64000 cells in all, so also 64000 x 1 x 1), or a large
// one, each side 1 to 1024 and at most 2^25 cells in all (a .mvf file of
// 128 MiB and 20 bytes). Every way a grid comes in (a model file, a recovery
// copy, an import, the tools, the command line) is held to this.
namespace GridLimits {

inline constexpr std::int64_t kSizeDialogCells = 64000;
inline constexpr std::int64_t kMaxSide = 1024;
inline constexpr std::int64_t kMaxCells = std::int64_t(1) << 25;

constexpr bool IsValid(std::int64_t x, std::int64_t y, std::int64_t z)
{
    if (x < 1 || y < 1 || z < 1)
        return false;
    // Each factor is bounded before multiplying, so nothing overflows.
    if (x <= kSizeDialogCells && y <= kSizeDialogCells && z <= kSizeDialogCells && x * y * z <= kSizeDialogCells)
        return true;
    return x <= kMaxSide && y <= kMaxSide && z <= kMaxSide && x * y * z <= kMaxCells;
}

} // namespace GridLimits

#include "scene/LatticeBlocks.h"

#include "scene/SceneGeometry.h"

#include <algorithm>
#include <climits>
#include <map>
#include <utility>

namespace LatticeBlocks {

namespace {

// Lines that follow each other in the lattice's order lie side by side.
constexpr std::size_t kLinesPerBlock = 64;
// Posts go in squares of this many lattice points a side.
constexpr int kPostTile = 32;

void Add(Block& b, const std::array<int, 3>& p, const std::array<int, 3>& q)
{
    if (b.ends.empty())
        b.lo = {INT_MAX, INT_MAX, INT_MAX}, b.hi = {INT_MIN, INT_MIN, INT_MIN};
    for (const auto& e : {p, q}) {
        b.ends.push_back({std::int16_t(e[0]), std::int16_t(e[1]), std::int16_t(e[2]), 0});
        for (std::size_t a = 0; a < 3; ++a) {
            b.lo[a] = std::min(b.lo[a], e[a]);
            b.hi[a] = std::max(b.hi[a], e[a]);
        }
    }
}

void AddInOrder(std::vector<Block>& blocks, const std::array<int, 3>& p, const std::array<int, 3>& q)
{
    if (blocks.empty() || blocks.back().ends.size() >= 2 * kLinesPerBlock)
        blocks.emplace_back();
    Add(blocks.back(), p, q);
}

} // namespace

std::vector<Block> Frame(int sx, int sy, int sz)
{
    std::vector<Block> blocks;
    SceneGeometry::VisitFrameLines(sx, sy, sz, [&](const auto& p, const auto& q) { AddInOrder(blocks, p, q); });
    return blocks;
}

Canvas CanvasSlab(int axis, int sx, int sy, int sz)
{
    Canvas c;
    std::map<std::pair<int, int>, Block> tiles;
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    SceneGeometry::VisitCanvasLines(axis, sx, sy, sz, [&](const auto& p, const auto& q) {
        if (p[std::size_t(axis)] != q[std::size_t(axis)])
            Add(tiles[{p[std::size_t(a1)] / kPostTile, p[std::size_t(a2)] / kPostTile}], p, q);
        else
            AddInOrder(c.lines, p, q);
    });
    for (auto& [tile, block] : tiles)
        c.posts.push_back(std::move(block));
    return c;
}

} // namespace LatticeBlocks

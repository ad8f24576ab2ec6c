#include "model/ModelTools.h"

#include "model/CMiravelDoc.h"
#include "model/PaletteMatch.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace ModelTools {

namespace {

// Cells of a box as one index each, x outermost, z innermost.
struct BoxIndex {
    GridSize size;

    bool Contains(const CUBEPOS& p) const
    {
        return p.x >= 0 && p.y >= 0 && p.z >= 0 && p.x < size.x && p.y < size.y && p.z < size.z;
    }
    std::size_t operator()(const CUBEPOS& p) const
    {
        return (std::size_t(p.x) * std::size_t(size.y) + std::size_t(p.y)) * std::size_t(size.z) + std::size_t(p.z);
    }
    std::size_t Cells() const { return std::size_t(size.x) * std::size_t(size.y) * std::size_t(size.z); }
};

GridSize SizeOf(const CMiravelDoc& doc) { return {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}; }

// Moves cubes to where map sends them: every cube of the box, and with
// hiddenToo those outside it as well. map must not send two cubes to one
// cell. The changes first empty the cells that no cube moves into, then fill
// the cells the cubes move to; each cell is named once, and both runs go in
// the store's order, which the document applies fastest.
template <class Map>
Edit Remap(const CMiravelDoc& doc, const GridSize& newSize, bool hiddenToo, Map map)
{
    const BoxIndex newBox{newSize};
    // What arrives in each cell of the new box; CLR_NONE is never a cube.
    std::vector<COLORREF> arrived(newBox.Cells(), CLR_NONE);
    std::map<CUBEPOS, COLORREF> arrivedOutside;
    std::vector<CUBEPOS> left;
    left.reserve(doc.m_cubes.size());
    for (const auto& [pos, color] : doc.m_cubes) {
        if (!hiddenToo && !doc.InBox(pos.x, pos.y, pos.z))
            continue;
        const CUBEPOS to = map(pos);
        if (newBox.Contains(to))
            arrived[newBox(to)] = color;
        else
            arrivedOutside.emplace(to, color);
        left.push_back(pos);
    }
    Edit edit;
    edit.changes.reserve(2 * left.size());
    for (const CUBEPOS& pos : left) {
        const bool refilled =
            newBox.Contains(pos) ? arrived[newBox(pos)] != CLR_NONE : arrivedOutside.count(pos) != 0;
        if (!refilled)
            edit.changes.push_back({pos, CLR_NONE});
    }
    std::size_t i = 0;
    for (std::int32_t x = 0; x < newSize.x; ++x)
        for (std::int32_t y = 0; y < newSize.y; ++y)
            for (std::int32_t z = 0; z < newSize.z; ++z, ++i)
                if (arrived[i] != CLR_NONE)
                    edit.changes.push_back({{x, y, z}, arrived[i]});
    for (const auto& [to, color] : arrivedOutside)
        edit.changes.push_back({to, color});
    if (!(newSize == SizeOf(doc)))
        edit.size = newSize;
    return edit;
}

} // namespace

std::optional<Edit> Move(const CMiravelDoc& doc, int dx, int dy, int dz)
{
    for (const auto& [pos, color] : doc.m_cubes) {
        if (doc.InBox(pos.x, pos.y, pos.z) && !doc.InBox(pos.x + dx, pos.y + dy, pos.z + dz))
            return std::nullopt;
    }
    return Remap(doc, SizeOf(doc), false, [&](const CUBEPOS& p) { return CUBEPOS{p.x + dx, p.y + dy, p.z + dz}; });
}

Edit Turn(const CMiravelDoc& doc, bool clockwise)
{
    const std::int32_t X = doc.m_sizeX, Z = doc.m_sizeZ;
    // Seen from above (down the Y axis, X to the right), +X turns into +Z
    // clockwise.
    if (clockwise)
        return Remap(doc, {Z, doc.m_sizeY, X}, true, [&](const CUBEPOS& p) { return CUBEPOS{Z - 1 - p.z, p.y, p.x}; });
    return Remap(doc, {Z, doc.m_sizeY, X}, true, [&](const CUBEPOS& p) { return CUBEPOS{p.z, p.y, X - 1 - p.x}; });
}

Edit Flip(const CMiravelDoc& doc, int axis)
{
    const std::int32_t X = doc.m_sizeX, Y = doc.m_sizeY, Z = doc.m_sizeZ;
    return Remap(doc, SizeOf(doc), true, [&](const CUBEPOS& p) {
        return CUBEPOS{axis == 0 ? X - 1 - p.x : p.x, axis == 1 ? Y - 1 - p.y : p.y, axis == 2 ? Z - 1 - p.z : p.z};
    });
}

Edit FitGrid(const CMiravelDoc& doc)
{
    bool any = false;
    CUBEPOS lo{}, hi{};
    for (const auto& [pos, color] : doc.m_cubes) {
        if (!doc.InBox(pos.x, pos.y, pos.z))
            continue;
        if (!any) {
            lo = hi = pos;
            any = true;
        }
        lo = {std::min(lo.x, pos.x), std::min(lo.y, pos.y), std::min(lo.z, pos.z)};
        hi = {std::max(hi.x, pos.x), std::max(hi.y, pos.y), std::max(hi.z, pos.z)};
    }
    if (!any)
        return {};
    // A translation: a hidden cube could only land in the new box if it
    // had been inside the old one.
    return Remap(doc, {hi.x - lo.x + 1, hi.y - lo.y + 1, hi.z - lo.z + 1}, true,
                 [&](const CUBEPOS& p) { return CUBEPOS{p.x - lo.x, p.y - lo.y, p.z - lo.z}; });
}

Edit ReplaceColor(const CMiravelDoc& doc, COLORREF from, COLORREF to)
{
    Edit edit;
    if (from == to || from == CLR_NONE || to == CLR_NONE)
        return edit;
    for (const auto& [pos, color] : doc.m_cubes)
        if (color == from && doc.InBox(pos.x, pos.y, pos.z))
            edit.changes.push_back({pos, to});
    return edit;
}

namespace {

// Every cube of the box, in the store's order: f(pos, colour).
template <class F>
void ForEachBoxCube(const CMiravelDoc& doc, F f)
{
    for (const auto& [pos, color] : doc.m_cubes)
        if (doc.InBox(pos.x, pos.y, pos.z))
            f(pos, color);
}

} // namespace

std::vector<std::pair<COLORREF, std::size_t>> ColorCounts(const CMiravelDoc& doc)
{
    std::unordered_map<COLORREF, std::size_t> counts;
    ForEachBoxCube(doc, [&](const CUBEPOS&, COLORREF color) { ++counts[color]; });
    std::vector<std::pair<COLORREF, std::size_t>> sorted(counts.begin(), counts.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& p, const auto& q) {
        return p.second != q.second ? p.second > q.second : p.first < q.first;
    });
    return sorted;
}

std::vector<COLORREF> ModelPalette(const CMiravelDoc& doc)
{
    std::vector<COLORREF> colors(doc.m_palette.begin(),
                                 doc.m_palette.begin() + std::min<std::size_t>(doc.m_palette.size(), kMaxPaletteColors));
    std::unordered_set<COLORREF> listed(colors.begin(), colors.end());
    for (const auto& [color, count] : ColorCounts(doc)) {
        if (colors.size() >= std::size_t(kMaxPaletteColors))
            break;
        if (listed.insert(color).second)
            colors.push_back(color);
    }
    return colors;
}

Edit RemapToPalette(const CMiravelDoc& doc, std::span<const COLORREF> palette)
{
    Edit edit;
    if (palette.empty())
        return edit;
    CPaletteMatch match(palette);
    ForEachBoxCube(doc, [&](const CUBEPOS& pos, COLORREF color) {
        if (const COLORREF to = match.Nearest(color); to != color)
            edit.changes.push_back({pos, to});
    });
    return edit;
}

namespace {

// Cells connected to seed through neighbours (steps) inside the box whose
// content equals seed's.
std::vector<CUBEPOS> Region(const CMiravelDoc& doc, CUBEPOS seed, const std::vector<CUBEPOS>& steps)
{
    const BoxIndex box{SizeOf(doc)};
    if (!box.Contains(seed))
        return {};
    const COLORREF content = doc.GetCube(seed.x, seed.y, seed.z);
    std::vector<char> seen(box.Cells(), 0);
    std::vector<CUBEPOS> region{seed};
    seen[box(seed)] = 1;
    // The region itself is the queue of the breadth-first walk.
    for (std::size_t i = 0; i < region.size(); ++i) {
        const CUBEPOS p = region[i];
        for (const CUBEPOS& d : steps) {
            const CUBEPOS n{p.x + d.x, p.y + d.y, p.z + d.z};
            if (!box.Contains(n) || seen[box(n)])
                continue;
            seen[box(n)] = 1;
            if (doc.GetCube(n.x, n.y, n.z) == content)
                region.push_back(n);
        }
    }
    return region;
}

} // namespace

std::vector<CUBEPOS> LayerRegion(const CMiravelDoc& doc, CUBEPOS seed, int axis)
{
    std::vector<CUBEPOS> steps;
    for (const CUBEPOS& d : {CUBEPOS{1, 0, 0}, CUBEPOS{-1, 0, 0}, CUBEPOS{0, 1, 0}, CUBEPOS{0, -1, 0},
                             CUBEPOS{0, 0, 1}, CUBEPOS{0, 0, -1}})
        if ((axis == 0 ? d.x : axis == 1 ? d.y : d.z) == 0)
            steps.push_back(d);
    return Region(doc, seed, steps);
}

std::vector<CUBEPOS> ColorRegion(const CMiravelDoc& doc, CUBEPOS seed)
{
    if (!doc.InBox(seed.x, seed.y, seed.z) || doc.GetCube(seed.x, seed.y, seed.z) == CLR_NONE)
        return {};
    return Region(doc, seed,
                  {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}});
}

Edit Paint(const std::vector<CUBEPOS>& cells, COLORREF color)
{
    Edit edit;
    edit.changes.reserve(cells.size());
    for (const CUBEPOS& p : cells)
        edit.changes.push_back({p, color});
    return edit;
}

} // namespace ModelTools

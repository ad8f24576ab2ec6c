#include "model/ModelTools.h"

#include "model/CMiravelDoc.h"
#include "model/PaletteMatch.h"

#include <algorithm>
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

Edit Whole(const ModelTransform& transform, const GridSize& size, const CMiravelDoc& doc)
{
    Edit edit;
    edit.transform = transform;
    if (!(size == SizeOf(doc)))
        edit.size = size;
    return edit;
}

} // namespace

bool Apply(CMiravelDoc& doc, const Edit& edit, const WorkProgress& progress)
{
    if (edit.transform)
        return doc.ApplyTransform(*edit.transform, edit.size, progress, edit.changes);
    return doc.ApplyAction(edit.changes, edit.size);
}

std::optional<Edit> Move(const CMiravelDoc& doc, int dx, int dy, int dz)
{
    // Nothing may leave the box: only the cubes within the step's length of
    // the faces the move heads for could, and only the chunks those layers
    // pass through hold them. Each axis is a slab of its own: a cube may
    // leave by one face and not by another.
    const GridSize size = SizeOf(doc);
    const std::int64_t steps[3] = {dx, dy, dz};
    const std::int32_t sides[3] = {size.x, size.y, size.z};
    for (int axis = 0; axis < 3; ++axis) {
        const std::int64_t d = steps[axis], side = sides[axis];
        if (d == 0)
            continue;
        CUBEPOS lo{0, 0, 0}, hi{size.x, size.y, size.z};
        auto& from = axis == 0 ? lo.x : axis == 1 ? lo.y : lo.z;
        auto& to = axis == 0 ? hi.x : axis == 1 ? hi.y : hi.z;
        if (d > 0)
            from = std::int32_t(std::max<std::int64_t>(0, side - d));
        else
            to = std::int32_t(std::min<std::int64_t>(side, -d));
        bool leaves = false;
        doc.m_cubes.ForEachCubeIn(lo, hi, [&](const CUBEPOS&, COLORREF) { leaves = true; });
        if (leaves)
            return std::nullopt;
    }
    // Cubes outside the box stay where they are: the moved ones never leave
    // the box, so none lands on them.
    return Whole({ModelTransform::Kind::Shift, dx, dy, dz}, size, doc);
}

Edit Turn(const CMiravelDoc& doc, bool clockwise)
{
    // Cubes outside the box turn with it: the turn takes the outside of the
    // old box to the outside of the new one, so nothing hidden comes into view.
    const ModelTransform::Kind kind = clockwise ? ModelTransform::Kind::TurnRight : ModelTransform::Kind::TurnLeft;
    return Whole({kind, doc.m_sizeX, 0, doc.m_sizeZ}, {doc.m_sizeZ, doc.m_sizeY, doc.m_sizeX}, doc);
}

Edit Flip(const CMiravelDoc& doc, int axis)
{
    const std::int32_t size = axis == 0 ? doc.m_sizeX : axis == 1 ? doc.m_sizeY : doc.m_sizeZ;
    return Whole({ModelTransform::Kind::Flip, axis, size, 0}, SizeOf(doc), doc);
}

Edit FitGrid(const CMiravelDoc& doc)
{
    bool any = false;
    CUBEPOS lo{}, hi{};
    doc.m_cubes.ForEachCubeIn({0, 0, 0}, {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}, [&](const CUBEPOS& pos, COLORREF) {
        if (!any) {
            lo = hi = pos;
            any = true;
        }
        lo = {std::min(lo.x, pos.x), std::min(lo.y, pos.y), std::min(lo.z, pos.z)};
        hi = {std::max(hi.x, pos.x), std::max(hi.y, pos.y), std::max(hi.z, pos.z)};
    });
    if (!any)
        return {};
    return *Crop(doc, lo, hi);
}

std::optional<Edit> Crop(const CMiravelDoc& doc, const CUBEPOS& lo, const CUBEPOS& hi)
{
    if (!doc.InBox(lo.x, lo.y, lo.z) || !doc.InBox(hi.x, hi.y, hi.z) || lo.x > hi.x || lo.y > hi.y || lo.z > hi.z)
        return std::nullopt;
    // The cubes of the box outside lo..hi are erased, then everything, hidden
    // cubes too, moves by -lo: a hidden cube could only land in the new box
    // if it had been inside the old one.
    Edit edit = Whole({ModelTransform::Kind::Translate, -lo.x, -lo.y, -lo.z},
                      {hi.x - lo.x + 1, hi.y - lo.y + 1, hi.z - lo.z + 1}, doc);
    doc.m_cubes.ForEachCubeIn({0, 0, 0}, {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}, [&](const CUBEPOS& p, COLORREF) {
        if (p.x < lo.x || p.y < lo.y || p.z < lo.z || p.x > hi.x || p.y > hi.y || p.z > hi.z)
            edit.changes.push_back({p, CLR_NONE});
    });
    return edit;
}

Edit ReplaceColor(const CMiravelDoc& doc, COLORREF from, COLORREF to)
{
    Edit edit;
    if (from == to || from == CLR_NONE || to == CLR_NONE)
        return edit;
    doc.m_cubes.ForEachCubeIn({0, 0, 0}, {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}, [&](const CUBEPOS& pos, COLORREF color) {
        if (color == from)
            edit.changes.push_back({pos, to});
    });
    return edit;
}

namespace {

// Every cube of the grid box, chunk by chunk: f(pos, colour). The store
// clips only the chunks that reach out of the box.
template <class F>
void ForEachBoxCube(const CMiravelDoc& doc, F f)
{
    doc.m_cubes.ForEachCubeIn(CUBEPOS{0, 0, 0}, CUBEPOS{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}, f);
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

// Cells connected to seed through neighbours (steps) within [lo, hi) whose
// content equals seed's. Walked breadth first, without recursion; one bit per
// cell of [lo, hi) marks what was seen.
std::vector<CUBEPOS> Region(const CMiravelDoc& doc, CUBEPOS seed, const CUBEPOS& lo, const CUBEPOS& hi,
                            const std::vector<CUBEPOS>& steps)
{
    const BoxIndex box{{hi.x - lo.x, hi.y - lo.y, hi.z - lo.z}};
    const auto local = [&](const CUBEPOS& p) { return CUBEPOS{p.x - lo.x, p.y - lo.y, p.z - lo.z}; };
    if (!box.Contains(local(seed)))
        return {};
    const COLORREF content = doc.GetCube(seed.x, seed.y, seed.z);
    std::vector<bool> seen(box.Cells(), false);
    std::vector<CUBEPOS> region{seed};
    seen[box(local(seed))] = true;
    // The region itself is the queue of the walk.
    for (std::size_t i = 0; i < region.size(); ++i) {
        const CUBEPOS p = region[i];
        for (const CUBEPOS& d : steps) {
            const CUBEPOS n{p.x + d.x, p.y + d.y, p.z + d.z};
            const CUBEPOS l = local(n);
            if (!box.Contains(l) || seen[box(l)])
                continue;
            seen[box(l)] = true;
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
    if (!doc.InBox(seed.x, seed.y, seed.z))
        return {};
    // Only the layer through seed is walked.
    CUBEPOS lo{0, 0, 0}, hi{doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
    (axis == 0 ? lo.x : axis == 1 ? lo.y : lo.z) = axis == 0 ? seed.x : axis == 1 ? seed.y : seed.z;
    (axis == 0 ? hi.x : axis == 1 ? hi.y : hi.z) = (axis == 0 ? seed.x : axis == 1 ? seed.y : seed.z) + 1;
    return Region(doc, seed, lo, hi, steps);
}

std::vector<CUBEPOS> ColorRegion(const CMiravelDoc& doc, CUBEPOS seed)
{
    if (!doc.InBox(seed.x, seed.y, seed.z) || doc.GetCube(seed.x, seed.y, seed.z) == CLR_NONE)
        return {};
    return Region(doc, seed, {0, 0, 0}, {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ},
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

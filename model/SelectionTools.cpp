#include "model/SelectionTools.h"

#include "model/CMiravelDoc.h"

#include <algorithm>
#include <vector>

CellBox CellBox::Spanning(const CUBEPOS& a, const CUBEPOS& b)
{
    return {{std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)},
            {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)}};
}

namespace SelectionTools {

namespace {

GridSize SizeOf(const CMiravelDoc& doc) { return {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ}; }

CellBox BoxAt(const CUBEPOS& lo, const GridSize& size)
{
    return {lo, {lo.x + size.x - 1, lo.y + size.y - 1, lo.z + size.z - 1}};
}

// Moves the cubes of box to map(cell), all inside target: the cells they
// leave empty, the cells they reach take their colours. One bit per cell of
// target marks where cubes arrive, so that a cube moving into a cell another
// one leaves is not erased after it. None when a cube would leave the grid.
template <class Map>
std::optional<ModelTools::Edit> MoveContents(const CMiravelDoc& doc, const CellBox& box, const CellBox& target,
                                             Map map)
{
    std::vector<std::pair<CUBEPOS, COLORREF>> cubes;
    doc.m_cubes.ForEachCubeIn(box.lo, box.End(), [&](const CUBEPOS& p, COLORREF c) { cubes.emplace_back(p, c); });
    const GridSize t = target.Size();
    const auto index = [&](const CUBEPOS& p) {
        return (std::size_t(p.x - target.lo.x) * std::size_t(t.y) + std::size_t(p.y - target.lo.y)) * std::size_t(t.z) +
               std::size_t(p.z - target.lo.z);
    };
    std::vector<bool> arrives(cubes.empty() ? 0 : std::size_t(t.x) * std::size_t(t.y) * std::size_t(t.z), false);
    for (auto& [p, c] : cubes) {
        const CUBEPOS to = map(p);
        if (!doc.InBox(to.x, to.y, to.z))
            return std::nullopt;
        arrives[index(to)] = true;
    }
    ModelTools::Edit edit;
    edit.changes.reserve(cubes.size() * 2);
    for (const auto& [p, c] : cubes)
        if (!target.Contains(p) || !arrives[index(p)])
            edit.changes.push_back({p, CLR_NONE});
    for (const auto& [p, c] : cubes)
        edit.changes.push_back({map(p), c});
    return edit;
}

} // namespace

CellBox WholeGrid(const CMiravelDoc& doc) { return BoxAt({0, 0, 0}, SizeOf(doc)); }

std::optional<CellBox> ClipToGrid(const CMiravelDoc& doc, const CellBox& box)
{
    const CellBox grid = WholeGrid(doc);
    const CellBox cut{{std::max(box.lo.x, grid.lo.x), std::max(box.lo.y, grid.lo.y), std::max(box.lo.z, grid.lo.z)},
                      {std::min(box.hi.x, grid.hi.x), std::min(box.hi.y, grid.hi.y), std::min(box.hi.z, grid.hi.z)}};
    if (cut.lo.x > cut.hi.x || cut.lo.y > cut.hi.y || cut.lo.z > cut.hi.z)
        return std::nullopt;
    return cut;
}

ModelTools::Edit Erase(const CMiravelDoc& doc, const CellBox& box)
{
    ModelTools::Edit edit;
    doc.m_cubes.ForEachCubeIn(box.lo, box.End(), [&](const CUBEPOS& p, COLORREF) {
        edit.changes.push_back({p, CLR_NONE});
    });
    return edit;
}

ModelTools::Edit Fill(const CMiravelDoc& doc, const CellBox& box, COLORREF color)
{
    ModelTools::Edit edit;
    const std::optional<CellBox> cut = ClipToGrid(doc, box);
    if (!cut)
        return edit;
    for (std::int32_t x = cut->lo.x; x <= cut->hi.x; ++x)
        for (std::int32_t y = cut->lo.y; y <= cut->hi.y; ++y)
            for (std::int32_t z = cut->lo.z; z <= cut->hi.z; ++z)
                if (doc.GetCube(x, y, z) != color)
                    edit.changes.push_back({{x, y, z}, color});
    return edit;
}

std::optional<Moved> Move(const CMiravelDoc& doc, const CellBox& box, int dx, int dy, int dz)
{
    // The whole grid moves as the model does: kept as one action, not a
    // record for every cube.
    if (box == WholeGrid(doc)) {
        std::optional<ModelTools::Edit> edit = ModelTools::Move(doc, dx, dy, dz);
        if (!edit)
            return std::nullopt;
        return Moved{std::move(*edit), box};
    }
    const CellBox shifted{{box.lo.x + dx, box.lo.y + dy, box.lo.z + dz}, {box.hi.x + dx, box.hi.y + dy, box.hi.z + dz}};
    const std::optional<CellBox> target = ClipToGrid(doc, shifted);
    std::optional<ModelTools::Edit> edit;
    if (target)
        edit = MoveContents(doc, box, shifted, [&](const CUBEPOS& p) { return CUBEPOS{p.x + dx, p.y + dy, p.z + dz}; });
    if (!edit)
        return std::nullopt;
    return Moved{std::move(*edit), *target};
}

std::optional<Moved> Turn(const CMiravelDoc& doc, const CellBox& box, bool clockwise)
{
    if (box == WholeGrid(doc)) {
        ModelTools::Edit edit = ModelTools::Turn(doc, clockwise);
        return Moved{std::move(edit), BoxAt({0, 0, 0}, {doc.m_sizeZ, doc.m_sizeY, doc.m_sizeX})};
    }
    const GridSize s = box.Size();
    const CellBox turned = BoxAt(box.lo, {s.z, s.y, s.x});
    // The same arithmetic as the whole model's turn, on the box's own cells.
    const ModelTransform local{clockwise ? ModelTransform::Kind::TurnRight : ModelTransform::Kind::TurnLeft, s.x, 0,
                               s.z};
    std::optional<ModelTools::Edit> edit = MoveContents(doc, box, turned, [&](const CUBEPOS& p) {
        const CUBEPOS q = local.Map({p.x - box.lo.x, p.y - box.lo.y, p.z - box.lo.z});
        return CUBEPOS{q.x + box.lo.x, q.y + box.lo.y, q.z + box.lo.z};
    });
    const std::optional<CellBox> target = ClipToGrid(doc, turned);
    if (!edit || !target)
        return std::nullopt;
    return Moved{std::move(*edit), *target};
}

Moved Flip(const CMiravelDoc& doc, const CellBox& box, int axis)
{
    if (box == WholeGrid(doc))
        return {ModelTools::Flip(doc, axis), box};
    // Every cube stays within the box, so nothing can leave the grid.
    return {*MoveContents(doc, box, box,
                          [&](const CUBEPOS& p) {
                              return CUBEPOS{axis == 0 ? box.lo.x + box.hi.x - p.x : p.x, p.y,
                                             axis == 2 ? box.lo.z + box.hi.z - p.z : p.z};
                          }),
            box};
}

std::optional<Moved> Crop(const CMiravelDoc& doc, const CellBox& box)
{
    std::optional<ModelTools::Edit> edit = ModelTools::Crop(doc, box.lo, box.hi);
    if (!edit)
        return std::nullopt;
    return Moved{std::move(*edit), BoxAt({0, 0, 0}, box.Size())};
}

CubeBlock Copy(const CMiravelDoc& doc, const CellBox& box)
{
    CubeBlock block{box.Size(), {}};
    CCubeStore::CFiller fill(block.cubes);
    doc.m_cubes.ForEachCubeIn(box.lo, box.End(), [&](const CUBEPOS& p, COLORREF c) {
        fill.Put({p.x - box.lo.x, p.y - box.lo.y, p.z - box.lo.z}, c);
    });
    return block;
}

Placed Place(const CMiravelDoc& doc, const CubeBlock& block, const CUBEPOS& at)
{
    Placed placed;
    block.cubes.ForEachCube([&](const CUBEPOS& p, COLORREF c) {
        const CUBEPOS to{at.x + p.x, at.y + p.y, at.z + p.z};
        if (doc.InBox(to.x, to.y, to.z))
            placed.edit.changes.push_back({to, c});
        else
            ++placed.dropped;
    });
    return placed;
}

} // namespace SelectionTools

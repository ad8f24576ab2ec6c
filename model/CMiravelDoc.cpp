#include "model/CMiravelDoc.h"

#include <algorithm>
#include <utility>

CMiravelDoc::CMiravelDoc() = default;

void CMiravelDoc::StoreCell(const CUBEPOS& pos, COLORREF color)
{
    if (color == CLR_NONE)
        m_cubes.erase(pos);
    else
        m_cubes[pos] = color;
    NotifyCubeChanged(pos);
}

void CMiravelDoc::SetCube(std::int32_t x, std::int32_t y, std::int32_t z, COLORREF color)
{
    if (!RecordChange(x, y, z, color))
        return;
    StoreCell({x, y, z}, color);
    SetModifiedFlag();
    UpdateAllViews();
}

void CMiravelDoc::RemoveCube(std::int32_t x, std::int32_t y, std::int32_t z)
{
    if (!RecordChange(x, y, z, CLR_NONE))
        return;
    StoreCell({x, y, z}, CLR_NONE);
    SetModifiedFlag();
    UpdateAllViews();
}

void CMiravelDoc::ClearHistory()
{
    std::vector<CUBERECORD>().swap(m_history);
    m_historyPos = -1;
}

void CMiravelDoc::ClearAllCubes()
{
    ClearHistory();
    m_cubes.clear();
    NotifyModelReset();
    SetModifiedFlag();
    UpdateAllViews();
}

bool CMiravelDoc::RecordChange(std::int32_t x, std::int32_t y, std::int32_t z, COLORREF newColor)
{
    const COLORREF oldColor = GetCube(x, y, z);
    if (oldColor == newColor)
        return false;
    // Refuses to record the same change twice in a row. This only matters when
    // the store was changed behind the history's back after that record. The
    // first record (position 0) is deliberately not compared: a repeat of it
    // is recorded, as it always has been, so undo counts stay as users know them.
    if (m_historyPos >= 1) {
        const CUBERECORD& last = m_history[size_t(m_historyPos)];
        if (last.kind == RecordKind::Cell && last.x == x && last.y == y && last.z == z &&
            last.newColor == newColor)
            return false;
    }
    CutRedoBranch();
    m_history.push_back({x, y, z, oldColor, newColor});
    ++m_historyPos;
    return true;
}

void CMiravelDoc::CutRedoBranch()
{
    m_history.resize(size_t(m_historyPos + 1));
}

namespace {

// Above this many cells an action tells its views that the whole model
// changed: one rebuild is cheaper than that many single-cell updates.
constexpr std::size_t kCellNotifyLimit = 256;

} // namespace

bool CMiravelDoc::ApplyAction(const std::vector<CellChange>& changes, const std::optional<GridSize>& size)
{
    // The new records go after the redo branch, which is dropped only once it
    // is clear that the action changed something.
    const std::size_t first = m_history.size();
    const std::uint32_t action = m_nextAction;
    const bool resize = size && (size->x != m_sizeX || size->y != m_sizeY || size->z != m_sizeZ);
    const bool notifyCells = !resize && changes.size() <= kCellNotifyLimit;
    // Room for the whole action at once, still growing geometrically.
    if (const std::size_t needed = first + changes.size() + 2; m_history.capacity() < needed)
        m_history.reserve(std::max(needed, 2 * m_history.capacity()));
    // The tools list their changes mostly in the store's order: walking on
    // from the previous change's place costs less than a search from the
    // root each time. it never lies before the previous change's cell.
    auto it = m_cubes.begin();
    const CUBEPOS* previous = nullptr;
    for (const CellChange& change : changes) {
        constexpr int kMaxWalk = 8;
        int walked = 0;
        if (previous && *previous < change.pos) {
            while (it != m_cubes.end() && it->first < change.pos && walked++ < kMaxWalk)
                ++it;
        }
        if (!previous || !(*previous < change.pos) || (it != m_cubes.end() && it->first < change.pos))
            it = m_cubes.lower_bound(change.pos);
        previous = &change.pos;
        const bool present = it != m_cubes.end() && it->first == change.pos;
        const COLORREF old = present ? it->second : CLR_NONE;
        if (old == change.color)
            continue;
        m_history.push_back({change.pos.x, change.pos.y, change.pos.z, old, change.color, action});
        if (change.color == CLR_NONE)
            it = m_cubes.erase(it);
        else if (present)
            it->second = change.color;
        else
            it = m_cubes.emplace_hint(it, change.pos, change.color);
        if (notifyCells)
            NotifyCubeChanged(change.pos);
    }
    if (resize) {
        m_history.push_back({m_sizeX, m_sizeY, m_sizeZ, CLR_NONE, CLR_NONE, action, RecordKind::SizeBefore});
        m_history.push_back({size->x, size->y, size->z, CLR_NONE, CLR_NONE, action, RecordKind::SizeAfter});
        m_sizeX = size->x;
        m_sizeY = size->y;
        m_sizeZ = size->z;
    }
    if (m_history.size() == first)
        return false;
    m_history.erase(m_history.begin() + (m_historyPos + 1), m_history.begin() + std::ptrdiff_t(first));
    m_historyPos = std::int32_t(m_history.size()) - 1;
    ++m_nextAction;
    if (m_nextAction == 0)
        m_nextAction = 1;
    if (!notifyCells)
        NotifyModelReset();
    SetModifiedFlag();
    UpdateAllViews();
    return true;
}

bool CMiravelDoc::ApplyRecord(const CUBERECORD& r, bool redo, bool notifyCell)
{
    switch (r.kind) {
    case RecordKind::Cell:
        if (notifyCell) {
            StoreCell({r.x, r.y, r.z}, redo ? r.newColor : r.oldColor);
        } else if ((redo ? r.newColor : r.oldColor) == CLR_NONE) {
            m_cubes.erase({r.x, r.y, r.z});
        } else {
            m_cubes[{r.x, r.y, r.z}] = redo ? r.newColor : r.oldColor;
        }
        return false;
    case RecordKind::SizeBefore:
    case RecordKind::SizeAfter:
        // Undo takes the size of the record before the action, redo the one after.
        if ((r.kind == RecordKind::SizeAfter) != redo)
            return false;
        m_sizeX = r.x;
        m_sizeY = r.y;
        m_sizeZ = r.z;
        return true;
    }
    return false;
}

void CMiravelDoc::Step(bool redo)
{
    const std::int32_t count = std::int32_t(m_history.size());
    if (redo ? m_historyPos + 1 >= count : m_historyPos < 0)
        return;
    // The records of the step: [begin, end).
    std::int32_t begin = redo ? m_historyPos + 1 : m_historyPos;
    std::int32_t end = begin + 1;
    if (const std::uint32_t action = m_history[size_t(begin)].action; action != 0) {
        while (begin > 0 && m_history[size_t(begin - 1)].action == action)
            --begin;
        while (end < count && m_history[size_t(end)].action == action)
            ++end;
    }
    const bool notifyCells = end - begin <= std::int32_t(kCellNotifyLimit);
    bool resized = false;
    // Undo walks the records backwards, redo forwards.
    for (std::int32_t i = 0; i < end - begin; ++i) {
        const CUBERECORD& r = m_history[size_t(redo ? begin + i : end - 1 - i)];
        resized |= ApplyRecord(r, redo, notifyCells);
    }
    m_historyPos = redo ? end - 1 : begin - 1;
    if (resized || !notifyCells)
        NotifyModelReset();
    // A step changes the model as much as the edit did: closing must offer
    // to save it.
    SetModifiedFlag();
}

void CMiravelDoc::HistoryBack()
{
    Step(false);
}

void CMiravelDoc::HistoryForward()
{
    Step(true);
}

bool CMiravelDoc::IsValidGridSize(std::int64_t x, std::int64_t y, std::int64_t z)
{
    if (x < 1 || y < 1 || z < 1)
        return false;
    // Each factor is at most the limit before multiplying, so nothing overflows.
    if (x > kMaxGridCells || y > kMaxGridCells || z > kMaxGridCells)
        return false;
    return x * y <= kMaxGridCells && x * y * z <= kMaxGridCells;
}

void CMiravelDoc::SetGridSize(std::int32_t x, std::int32_t y, std::int32_t z)
{
    m_sizeX = x;
    m_sizeY = y;
    m_sizeZ = z;
    NotifyModelReset();
}

bool CMiravelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    m_cubes.clear();
    m_palette.clear();
    m_sizeX = m_sizeY = m_sizeZ = 16;
    // A new model starts with an empty history: undoing must never replay an
    // edit of the previous model onto this one.
    ClearHistory();
    NotifyModelReset();
    return true;
}

void CMiravelDoc::ReplaceModel(std::int32_t sizeX, std::int32_t sizeY, std::int32_t sizeZ,
                               std::map<CUBEPOS, COLORREF> cubes)
{
    // Nothing of the previous model may come back: not its hidden cubes when
    // the grid grows, not its edits through undo.
    ClearHistory();
    m_cubes = std::move(cubes);
    m_sizeX = sizeX;
    m_sizeY = sizeY;
    m_sizeZ = sizeZ;
    SetPathName(QString());
    SetModifiedFlag();
    NotifyModelReset();
    UpdateAllViews();
}

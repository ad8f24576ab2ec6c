#include "model/CMiravelDoc.h"

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
        if (last.x == x && last.y == y && last.z == z && last.newColor == newColor)
            return false;
    }
    m_history.resize(size_t(m_historyPos + 1));
    m_history.push_back({x, y, z, oldColor, newColor});
    ++m_historyPos;
    return true;
}

void CMiravelDoc::HistoryBack()
{
    if (m_historyPos < 0)
        return;
    const CUBERECORD r = m_history[size_t(m_historyPos)];
    StoreCell({r.x, r.y, r.z}, r.oldColor);
    --m_historyPos;
    // A step changes the model as much as the edit did: closing must offer
    // to save it.
    SetModifiedFlag();
}

void CMiravelDoc::HistoryForward()
{
    if (m_historyPos + 1 >= std::int32_t(m_history.size()))
        return;
    ++m_historyPos;
    const CUBERECORD r = m_history[size_t(m_historyPos)];
    StoreCell({r.x, r.y, r.z}, r.newColor);
    SetModifiedFlag();
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

#include "model/CMiravelDoc.h"

#include <algorithm>
#include <utility>

CMiravelDoc::CMiravelDoc() = default;

void CMiravelDoc::StoreCell(const CUBEPOS& pos, COLORREF color)
{
    m_cubes.Set(pos, color);
    NotifyCubeChanged(pos);
}

void CMiravelDoc::SetCube(std::int32_t x, std::int32_t y, std::int32_t z, COLORREF color)
{
    if (RecordChange(x, y, z, color))
        ApplyEdit({x, y, z}, color);
}

void CMiravelDoc::RemoveCube(std::int32_t x, std::int32_t y, std::int32_t z)
{
    if (RecordChange(x, y, z, CLR_NONE))
        ApplyEdit({x, y, z}, CLR_NONE);
}

void CMiravelDoc::ApplyEdit(const CUBEPOS& pos, COLORREF color)
{
    if (m_batchDepth > 0) {
        m_cubes.Set(pos, color);
        m_batchNotes.Note(pos);
        return;
    }
    StoreCell(pos, color);
    SetModifiedFlag();
    UpdateAllViews();
}

CMiravelDoc::CEditBatch::CEditBatch(CMiravelDoc& doc) : m_doc(doc)
{
    ++m_doc.m_batchDepth;
}

CMiravelDoc::CEditBatch::~CEditBatch()
{
    if (--m_doc.m_batchDepth > 0 || m_doc.m_batchNotes.IsEmpty())
        return;
    m_doc.m_batchNotes.Tell(m_doc);
    m_doc.SetModifiedFlag();
    m_doc.UpdateAllViews();
}

void CMiravelDoc::ClearHistory()
{
    m_history.Clear();
    m_historyPos = -1;
    m_gestureRecorded = false;
}

void CMiravelDoc::BeginGesture()
{
    ++m_gestureDepth;
    m_gestureRecorded = false;
}

void CMiravelDoc::EndGesture()
{
    m_gestureDepth = std::max(0, m_gestureDepth - 1);
    m_gestureRecorded = false;
}

bool CMiravelDoc::TakeGestureStart()
{
    const bool start = m_gestureDepth == 0 || !m_gestureRecorded;
    m_gestureRecorded = m_gestureDepth > 0;
    return start;
}

void CMiravelDoc::ClearAllCubes()
{
    ClearHistory();
    m_cubes.Clear();
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
        const CUBERECORD last = m_history[size_t(m_historyPos)];
        if (last.kind == RecordKind::Cell && last.x == x && last.y == y && last.z == z &&
            last.newColor == newColor)
            return false;
    }
    CutRedoBranch();
    m_history.Append({x, y, z, oldColor, newColor}, TakeGestureStart());
    ++m_historyPos;
    KeepHistoryWithinLimit();
    return true;
}

void CMiravelDoc::CutRedoBranch()
{
    m_history.Truncate(size_t(m_historyPos + 1));
}

void CMiravelDoc::SetHistoryLimit(std::size_t bytes)
{
    m_historyLimit = bytes;
    KeepHistoryWithinLimit();
}

void CMiravelDoc::KeepHistoryWithinLimit()
{
    // The oldest undo steps go first, each as a whole; the newest step stays
    // even when it alone is over the limit, and redo steps are never dropped.
    // Nothing a user sees changes: not the model, not the modified flag.
    while (m_history.MemoryBytes() > m_historyLimit) {
        const std::size_t end = m_history.StepOf(0).second;
        if (end == m_history.Size() || std::int64_t(end) > std::int64_t(m_historyPos) + 1)
            return;
        m_history.DropOldest(end);
        m_historyPos -= std::int32_t(end);
    }
}

namespace {

// Above this many cells an edit tells its views which chunks changed: one
// rebuild of each is cheaper than that many single-cell updates.
constexpr std::size_t kCellNotifyLimit = 256;

} // namespace

void CMiravelDoc::CChangeNotes::Note(const CUBEPOS& pos)
{
    if (m_chunks.empty() && m_cells.size() < kCellNotifyLimit) {
        m_cells.push_back(pos);
        return;
    }
    if (m_chunks.empty())
        for (const CUBEPOS& p : m_cells)
            m_chunks.push_back(CCubeChunk::KeyOf(p));
    // Changes come mostly chunk by chunk; the list is sorted at the end.
    const ChunkKey key = CCubeChunk::KeyOf(pos);
    if (!(m_chunks.back() == key))
        m_chunks.push_back(key);
}

void CMiravelDoc::CChangeNotes::Tell(CMiravelDoc& doc)
{
    if (m_chunks.empty()) {
        for (const CUBEPOS& p : m_cells)
            doc.NotifyCubeChanged(p);
    } else {
        std::sort(m_chunks.begin(), m_chunks.end());
        m_chunks.erase(std::unique(m_chunks.begin(), m_chunks.end()), m_chunks.end());
        doc.NotifyChunksChanged(m_chunks);
    }
    m_cells.clear();
    m_chunks.clear();
}

void CMiravelDoc::ChangeCells(CCubeStore& store, const std::vector<CellChange>& changes,
                              std::vector<CUBERECORD>& records, CChangeNotes* notes)
{
    // A drawn shape changes most of its cells: growing the list step by step
    // would copy it over and over.
    records.reserve(records.size() + changes.size());
    for (const CellChange& change : changes) {
        const COLORREF old = store.Get(change.pos);
        if (old == change.color)
            continue;
        records.push_back({change.pos.x, change.pos.y, change.pos.z, old, change.color, !records.empty()});
        store.Set(change.pos, change.color);
        if (notes)
            notes->Note(change.pos);
    }
}

bool CMiravelDoc::ApplyAction(const std::vector<CellChange>& changes, const std::optional<GridSize>& size)
{
    const bool resize = size && (size->x != m_sizeX || size->y != m_sizeY || size->z != m_sizeZ);
    // The records are gathered first: the redo branch is dropped only once
    // it is clear that the action changed something.
    std::vector<CUBERECORD> records;
    CChangeNotes notes;
    ChangeCells(m_cubes, changes, records, resize ? nullptr : &notes);
    if (resize) {
        records.push_back({m_sizeX, m_sizeY, m_sizeZ, CLR_NONE, CLR_NONE, !records.empty(), RecordKind::SizeBefore});
        records.push_back({size->x, size->y, size->z, CLR_NONE, CLR_NONE, true, RecordKind::SizeAfter});
        m_sizeX = size->x;
        m_sizeY = size->y;
        m_sizeZ = size->z;
    }
    if (records.empty())
        return false;
    CutRedoBranch();
    const bool gestureStart = TakeGestureStart();
    for (const CUBERECORD& r : records)
        m_history.Append(r, gestureStart);
    m_historyPos = std::int32_t(m_history.Size()) - 1;
    KeepHistoryWithinLimit();
    if (resize)
        NotifyModelReset();
    else
        notes.Tell(*this);
    SetModifiedFlag();
    UpdateAllViews();
    return true;
}

bool CMiravelDoc::ApplyTransform(const ModelTransform& transform, const std::optional<GridSize>& size,
                                 const WorkProgress& progress, const std::vector<CellChange>& changesBefore)
{
    const GridSize before{m_sizeX, m_sizeY, m_sizeZ};
    const bool resize = size && !(*size == before);
    // The cells change on a copy (it shares the chunks), so that a stop
    // leaves the model as it was.
    CCubeStore changed = m_cubes;
    std::vector<CUBERECORD> records;
    ChangeCells(changed, changesBefore, records, nullptr);
    std::optional<CCubeStore> moved = Transformed(changed, transform, before, progress);
    if (!moved || (!resize && *moved == m_cubes))
        return false;
    CutRedoBranch();
    const bool gestureStart = TakeGestureStart();
    for (const CUBERECORD& r : records)
        m_history.Append(r, gestureStart);
    CUBERECORD action = ToRecord(transform);
    action.joined = !records.empty();
    m_history.Append(action, gestureStart);
    if (resize) {
        m_history.Append({before.x, before.y, before.z, CLR_NONE, CLR_NONE, true, RecordKind::SizeBefore});
        m_history.Append({size->x, size->y, size->z, CLR_NONE, CLR_NONE, true, RecordKind::SizeAfter});
        m_sizeX = size->x;
        m_sizeY = size->y;
        m_sizeZ = size->z;
    }
    m_cubes = std::move(*moved);
    m_historyPos = std::int32_t(m_history.Size()) - 1;
    KeepHistoryWithinLimit();
    NotifyModelReset();
    SetModifiedFlag();
    UpdateAllViews();
    return true;
}

bool CMiravelDoc::ApplyRecord(const CUBERECORD& r, bool redo, CChangeNotes& notes, const WorkProgress& progress)
{
    switch (r.kind) {
    case RecordKind::Cell:
        m_cubes.Set({r.x, r.y, r.z}, redo ? r.newColor : r.oldColor);
        notes.Note({r.x, r.y, r.z});
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
    default: {
        // Undone by its inverse. Only a shift looks at the grid box, and a
        // shift never changes it.
        const ModelTransform t = FromRecord(r);
        // Never stopped half-way: progress is told, its answer not heeded.
        WorkProgress told;
        if (progress)
            told = [&progress](std::int64_t done, std::int64_t total) {
                progress(done, total);
                return true;
            };
        m_cubes = *Transformed(m_cubes, redo ? t : t.Inverse(), {m_sizeX, m_sizeY, m_sizeZ}, told);
        return true;
    }
    }
}

void CMiravelDoc::Step(bool redo, bool gesture, const WorkProgress& progress)
{
    const std::int32_t count = std::int32_t(m_history.Size());
    if (redo ? m_historyPos + 1 >= count : m_historyPos < 0)
        return;
    // The records to undo or redo: [begin, end). Of a gesture only what is
    // still applied (undo) or still undone (redo): single steps may have
    // taken part of it already.
    const std::size_t at = size_t(redo ? m_historyPos + 1 : m_historyPos);
    auto [first, last] = gesture ? m_history.GestureOf(at) : m_history.StepOf(at);
    if (gesture && redo)
        first = at;
    else if (gesture)
        last = at + 1;
    const std::int32_t begin = std::int32_t(first), end = std::int32_t(last);
    // Steps recorded after an undo or redo start a gesture of their own.
    m_gestureRecorded = false;
    CChangeNotes notes;
    bool reset = false;
    // Undo walks the records backwards, redo forwards.
    for (std::int32_t i = 0; i < end - begin; ++i) {
        const CUBERECORD r = m_history[size_t(redo ? begin + i : end - 1 - i)];
        reset |= ApplyRecord(r, redo, notes, progress);
    }
    m_historyPos = redo ? end - 1 : begin - 1;
    if (reset)
        NotifyModelReset();
    else
        notes.Tell(*this);
    // A step changes the model as much as the edit did: closing must offer
    // to save it.
    SetModifiedFlag();
}

void CMiravelDoc::HistoryBack(const WorkProgress& progress)
{
    Step(false, false, progress);
}

void CMiravelDoc::HistoryForward(const WorkProgress& progress)
{
    Step(true, false, progress);
}

void CMiravelDoc::StrokeBack(const WorkProgress& progress)
{
    Step(false, true, progress);
}

void CMiravelDoc::StrokeForward(const WorkProgress& progress)
{
    Step(true, true, progress);
}

bool CMiravelDoc::IsValidGridSize(std::int64_t x, std::int64_t y, std::int64_t z)
{
    return GridLimits::IsValid(x, y, z);
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
    m_cubes.Clear();
    m_palette.clear();
    m_sizeX = m_sizeY = m_sizeZ = 16;
    // A new model starts with an empty history: undoing must never replay an
    // edit of the previous model onto this one.
    ClearHistory();
    NotifyModelReset();
    return true;
}

void CMiravelDoc::ReplaceModel(std::int32_t sizeX, std::int32_t sizeY, std::int32_t sizeZ,
                               CCubeStore cubes)
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

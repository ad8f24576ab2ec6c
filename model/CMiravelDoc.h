#pragma once

#include "model/CubeTypes.h"
#include "model/Document.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// The model: a box of m_sizeX x m_sizeY x m_sizeZ cells, each empty or holding
// one coloured cube, and the linear history of single-cell edits.
//
// The store may hold cubes outside the box, left by shrinking the grid. They
// are not drawn, picked or saved, and show again when the box grows over them.
// Opening a file replaces the whole store.
class CMiravelDoc : public CDocument {
public:
    CMiravelDoc();

    std::map<CUBEPOS, COLORREF> m_cubes;
    std::int32_t m_sizeX = 16;
    std::int32_t m_sizeY = 16;
    std::int32_t m_sizeZ = 16;
    std::vector<CUBERECORD> m_history;
    std::int32_t m_historyPos = -1;
    // The colour order the model came with: an imported .vox file's palette,
    // index 1 first. An export to .vox keeps these indices. The model file
    // has no place for it, so a new or opened model has none; an import sets
    // it before ReplaceModel, which leaves it alone.
    std::vector<COLORREF> m_palette;

    // The colour of the cube at the cell, or CLR_NONE when it is empty.
    COLORREF GetCube(std::int32_t x, std::int32_t y, std::int32_t z) const
    {
        const auto it = m_cubes.find(CUBEPOS{x, y, z});
        return it == m_cubes.end() ? CLR_NONE : it->second;
    }
    bool InBox(std::int32_t x, std::int32_t y, std::int32_t z) const
    {
        return x >= 0 && y >= 0 && z >= 0 && x < m_sizeX && y < m_sizeY && z < m_sizeZ;
    }

    // Edits through the history: nothing happens (no record, no modified flag,
    // no redraw) when the cell already is what is asked.
    void SetCube(std::int32_t x, std::int32_t y, std::int32_t z, COLORREF color);
    void RemoveCube(std::int32_t x, std::int32_t y, std::int32_t z);
    // Empties the store (cubes outside the box too) and the history; cannot be undone.
    void ClearAllCubes();

    // Decides whether a change is to be applied and, if so, records it first.
    bool RecordChange(std::int32_t x, std::int32_t y, std::int32_t z, COLORREF newColor);
    // One step back or forward: one record of the editor's own edits, or all
    // records of one tool action. A step taken marks the document modified.
    void HistoryBack();
    void HistoryForward();

    // Applies a tool action (a fill, a move, a turn...) as one step of the
    // history: each change that alters its cell is recorded and applied in
    // order, and so is a new grid size when one is given. Returns false when
    // nothing changed: then nothing is recorded, and the modified flag and the
    // views are left alone.
    bool ApplyAction(const std::vector<CellChange>& changes, const std::optional<GridSize>& size = std::nullopt);

    // Sets the grid box; the store is left as it is. Sizes must be valid.
    void SetGridSize(std::int32_t x, std::int32_t y, std::int32_t z);
    // Each side at least 1 and at most kMaxGridCells cells in all.
    static bool IsValidGridSize(std::int64_t x, std::int64_t y, std::int64_t z);

    // Puts a whole model in place of the current one, as an import does: the
    // store holds exactly these cubes, the history is gone, the grid is set,
    // and the document is untitled and modified, as nothing on disk holds this
    // model yet. The sizes must be valid.
    void ReplaceModel(std::int32_t sizeX, std::int32_t sizeY, std::int32_t sizeZ,
                      std::map<CUBEPOS, COLORREF> cubes);

    bool OnNewDocument() override;
    DocResult Serialize(CArchive& ar) override;
    qint64 MaxFileBytes() const override;

    // Tests pin the random masks of the next save; normally every save draws
    // a fresh seed.
    void SetSaveSeedForTesting(std::optional<std::uint32_t> seed) { m_saveSeed = seed; }

private:
    // Every store change goes through here so that views hear about the cell.
    void StoreCell(const CUBEPOS& pos, COLORREF color);
    void ClearHistory();
    // Drops the records after m_historyPos, as any new edit does.
    void CutRedoBranch();
    // Puts a record's colour or size back (undo) or in place again (redo);
    // returns whether the grid size changed.
    bool ApplyRecord(const CUBERECORD& record, bool redo, bool notifyCell);
    // Undo and redo of one step of the history.
    void Step(bool redo);
    DocResult Store(CArchive& ar);
    DocResult Load(CArchive& ar);

    std::optional<std::uint32_t> m_saveSeed;
    // The number the next tool action's records carry; never 0.
    std::uint32_t m_nextAction = 1;
};

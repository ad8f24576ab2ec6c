#pragma once

#include "model/CubeStore.h"
#include "model/CubeTypes.h"
#include "model/Document.h"
#include "model/EditHistory.h"
#include "model/GridLimits.h"
#include "model/ModelTransform.h"

#include <cstdint>
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

    CCubeStore m_cubes;
    std::int32_t m_sizeX = 16;
    std::int32_t m_sizeY = 16;
    std::int32_t m_sizeZ = 16;
    CEditHistory m_history;
    std::int32_t m_historyPos = -1;
    // The colour order the model came with: an imported .vox file's palette,
    // index 1 first. An export to .vox keeps these indices. The model file
    // has no place for it, so a new or opened model has none; an import sets
    // it before ReplaceModel, which leaves it alone.
    std::vector<COLORREF> m_palette;

    // The colour of the cube at the cell, or CLR_NONE when it is empty.
    COLORREF GetCube(std::int32_t x, std::int32_t y, std::int32_t z) const { return m_cubes.Get(x, y, z); }
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

    // Groups the single-cell edits made while it lives (a paste): each stays a
    // step of its own in the history, but the views hear of them once, when
    // the batch ends, and the document is marked modified then.
    class CEditBatch {
    public:
        explicit CEditBatch(CMiravelDoc& doc);
        ~CEditBatch();
        CEditBatch(const CEditBatch&) = delete;
        CEditBatch& operator=(const CEditBatch&) = delete;

    private:
        CMiravelDoc& m_doc;
    };

    // A gesture of the user: the steps recorded while one is open (a pen
    // sweep from press to release, a paste) are undone and redone together
    // by StrokeBack and StrokeForward, while HistoryBack still takes them one
    // by one. A step recorded with none open is a gesture of its own. Opening
    // a gesture inside another starts a new one, and so does the first step
    // after an inner one closes or after an undo or redo: a command run in the
    // middle of a sweep stays apart from it.
    void BeginGesture();
    void EndGesture();
    class CGesture {
    public:
        explicit CGesture(CMiravelDoc& doc) : m_doc(doc) { m_doc.BeginGesture(); }
        ~CGesture() { m_doc.EndGesture(); }
        CGesture(const CGesture&) = delete;
        CGesture& operator=(const CGesture&) = delete;

    private:
        CMiravelDoc& m_doc;
    };

    // Decides whether a change is to be applied and, if so, records it first.
    bool RecordChange(std::int32_t x, std::int32_t y, std::int32_t z, COLORREF newColor);
    // One step back or forward: one record of the editor's own edits, or all
    // records of one tool action. A step taken marks the document modified.
    // progress hears of a whole-model action being undone or redone; it
    // runs to its end whatever the answer.
    void HistoryBack(const WorkProgress& progress = {});
    void HistoryForward(const WorkProgress& progress = {});
    // Back over the rest of the gesture that holds the last applied step, or
    // forward to the end of the gesture that holds the next one, as one change
    // of the model; the same rules as a single step otherwise.
    void StrokeBack(const WorkProgress& progress = {});
    void StrokeForward(const WorkProgress& progress = {});

    // Applies a tool action (a fill, a move, a turn...) as one step of the
    // history: each change that alters its cell is recorded and applied in
    // order, and so is a new grid size when one is given. Returns false when
    // nothing changed: then nothing is recorded, and the modified flag and the
    // views are left alone.
    bool ApplyAction(const std::vector<CellChange>& changes, const std::optional<GridSize>& size = std::nullopt);
    // Applies a whole-model action (a move, a turn, a flip, a fit), with the
    // grid's new size when it changes, as one step of the history. The step
    // keeps the action, not the cubes it moved; undo applies the inverse.
    // Cells changed first (a crop erases what it cuts away) join the same
    // step as records of their own. Returns false, and records nothing, when
    // nothing changed or progress (told of the chunks done) asked to stop:
    // then the model is as it was.
    bool ApplyTransform(const ModelTransform& transform, const std::optional<GridSize>& size = std::nullopt,
                        const WorkProgress& progress = {}, const std::vector<CellChange>& changesBefore = {});

    // How much memory the history's records may take, undo and redo alike;
    // past it the oldest undo steps are dropped, each as a whole, but never
    // the newest step. The modified flag and the model are not touched.
    static constexpr std::size_t kDefaultHistoryLimit = std::size_t(256) << 20;
    void SetHistoryLimit(std::size_t bytes);
    std::size_t HistoryLimit() const { return m_historyLimit; }

    // Sets the grid box; the store is left as it is. Sizes must be valid.
    void SetGridSize(std::int32_t x, std::int32_t y, std::int32_t z);
    // A grid the model may have (see GridLimits).
    static bool IsValidGridSize(std::int64_t x, std::int64_t y, std::int64_t z);

    // Puts a whole model in place of the current one, as an import does: the
    // store holds exactly these cubes, the history is gone, the grid is set,
    // and the document is untitled and modified, as nothing on disk holds this
    // model yet. The sizes must be valid.
    void ReplaceModel(std::int32_t sizeX, std::int32_t sizeY, std::int32_t sizeZ,
                      CCubeStore cubes);

    bool OnNewDocument() override;
    DocResult Serialize(CArchive& ar) override;
    // Shares the store's chunks: costs the chunk table, whatever the model.
    std::shared_ptr<const CDocSnapshot> TakeSnapshot() const override;

    // Tests pin the random masks of the next save; normally every save draws
    // a fresh seed.
    void SetSaveSeedForTesting(std::optional<std::uint32_t> seed) { m_saveSeed = seed; }

private:
    // What a group of changed cells tells the views: each cell while there
    // are few, the chunks they lie in once there are many.
    class CChangeNotes {
    public:
        void Note(const CUBEPOS& pos);
        bool IsEmpty() const { return m_cells.empty() && m_chunks.empty(); }
        bool Many() const { return !m_chunks.empty(); }
        void Tell(CMiravelDoc& doc);

    private:
        std::vector<CUBEPOS> m_cells;
        std::vector<ChunkKey> m_chunks;
    };

    // Every store change goes through here so that views hear about the cell.
    void StoreCell(const CUBEPOS& pos, COLORREF color);
    // A single-cell edit after its record: stored, and told at once or at
    // the end of the batch.
    void ApplyEdit(const CUBEPOS& pos, COLORREF color);
    void ClearHistory();
    void KeepHistoryWithinLimit();
    // Drops the records after m_historyPos, as any new edit does.
    void CutRedoBranch();
    // Puts a record's colour, size or action back (undo) or in place again
    // (redo); returns whether views must redraw everything (a new grid size,
    // a whole-model action) rather than the cells noted.
    bool ApplyRecord(const CUBERECORD& record, bool redo, CChangeNotes& notes, const WorkProgress& progress);
    // Sets the cells that the changes alter, each recorded as joined to the
    // one before (a change that leaves its cell as it is makes no record).
    static void ChangeCells(CCubeStore& store, const std::vector<CellChange>& changes,
                            std::vector<CUBERECORD>& records, CChangeNotes* notes);
    // Undo and redo of one step of the history, or of what is left of a gesture.
    void Step(bool redo, bool gesture, const WorkProgress& progress);
    // Whether the step about to be recorded opens a gesture.
    bool TakeGestureStart();
    DocResult Load(CArchive& ar);

    std::optional<std::uint32_t> m_saveSeed;
    std::size_t m_historyLimit = kDefaultHistoryLimit;
    int m_batchDepth = 0;
    int m_gestureDepth = 0;
    // Whether the innermost open gesture has recorded a step yet.
    bool m_gestureRecorded = false;
    CChangeNotes m_batchNotes;
};

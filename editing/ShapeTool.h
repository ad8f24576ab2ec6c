#pragma once

#include "editing/Shapes.h"
#include "editing/Tool.h"
#include "scene/EditState.h"

// The box, line and ellipse tools: a left press on a cell starts a shape, the
// drag sets its other corner, the release draws it as one undo step; Shift at
// the press erases instead, Escape abandons it.
//
// Canvas mode: the shape lies on the canvas layer, from the pressed cell to
// the cell under the pointer (the last one while the pointer is off the
// layer). The wheel moves the canvas as ever, and the shape spans every
// layer from the one it started on to the canvas's.
// Attach mode: the press picks a cube's face, the drag runs over faces of
// the same plane, and the shape is placed one cell out from them, as an
// attach click places a cube; the wheel grows it outward layer by layer.
// Erasing takes the cubes whose faces it covers, and grows inward.
//
// Mirror painting repeats the shape; cells outside the grid are skipped.
class CShapeTool final : public ITool {
public:
    explicit CShapeTool(Shapes::Kind kind) : m_kind(kind) {}

    // Takes a left press (without Ctrl) on a cell it can start from.
    bool Press(ToolContext& c, const PointerEvent& e) override;
    void Move(ToolContext& c, const PointerEvent& e) override;
    // The left button's release draws; a release with no button (the view
    // lost the pointer) abandons.
    void Release(ToolContext& c, const PointerEvent& e) override;
    void Wheel(ToolContext& c, const WheelEvent& e) override;
    bool Key(ToolContext& c, ToolKey key) override;
    ToolPreview Preview() const override { return m_preview; }
    bool Busy() const override { return m_busy; }
    void Leave(ToolContext& c) override;

    // The shape of the gesture under way.
    Shapes::Spec Shape(bool hollow) const;

    // The cell changes that draw a shape (color) or erase it (CLR_NONE) in
    // the document, with the mirrored cells when mirror painting is on.
    static std::vector<CellChange> Changes(const Shapes::Spec& shape, const CEditState& edit, const CMiravelDoc& doc,
                                           COLORREF color);

    // How many cells a preview shows at most; a larger shape shows the
    // outline of its box alone.
    static constexpr std::size_t kPreviewCells = 4096;

private:
    void Cancel(ToolContext& c);
    void UpdatePreview(const ToolContext& c);

    Shapes::Kind m_kind;
    bool m_busy = false;
    DrawMode m_mode = DrawMode::Canvas;
    int m_axis = 1;
    // The first corner and the other corner in the plane, both on the first
    // layer; the layers run from the first to the last.
    CUBEPOS m_start, m_end;
    int m_lastLayer = 0;
    // Attach mode: the layer of the faces drawn over, and the way the wheel
    // grows the shape (+1 or -1 along the axis).
    int m_faceLayer = 0;
    int m_grow = 1;
    COLORREF m_color = CLR_NONE;
    ToolPreview m_preview;
};

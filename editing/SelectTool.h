#pragma once

#include "editing/Tool.h"
#include "model/CubeTypes.h"

#include <optional>

// The select tool: a left drag over cells selects the box between the cell
// pressed and the cell under the pointer (canvas cells in canvas mode, the
// cubes under the faces in attach mode). While the button is held the plain
// wheel adds depth: in canvas mode it moves the canvas as ever and the box
// spans every layer from the first to the current one; in attach mode it
// reaches that many cubes deeper behind the faces. A drag that starts inside
// a floating paste moves the paste; a press outside it puts the paste down.
//
// The selection and the paste are kept in the view's edit state, where the
// commands find them and the view draws them (SelectionEditing::Preview);
// leaving the tool puts the paste down and drops the selection.
class CSelectTool final : public ITool {
public:
    bool Press(ToolContext& c, const PointerEvent& e) override;
    void Move(ToolContext& c, const PointerEvent& e) override;
    void Release(ToolContext& c, const PointerEvent& e) override;
    void Wheel(ToolContext& c, const WheelEvent& e) override;
    bool Key(ToolContext& c, ToolKey key) override;
    void Leave(ToolContext& c) override;
    bool Busy() const override { return m_drag != Drag::None; }

private:
    // The cell under the pointer this tool works on, picked afresh.
    std::optional<CUBEPOS> CellAt(ToolContext& c, const PointerEvent& e) const;
    void Span(ToolContext& c);

    enum class Drag { None, Select, Paste };
    Drag m_drag = Drag::None;
    CUBEPOS m_anchor;            // the cell pressed
    CUBEPOS m_current;           // the last cell under the pointer
    CUBEPOS m_pasteGrip;         // the paste's corner minus the cell pressed
    int m_startLayer = 0;        // the canvas layer at the press
    int m_depth = 0;             // attach mode: layers behind the faces
    CUBEPOS m_normal;            // attach mode: out of the face pressed
};

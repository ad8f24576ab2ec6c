#pragma once

#include "model/CubeTypes.h"
#include "scene/CameraState.h"
#include "scene/ToolPreview.h"

#include <cstdint>
#include <vector>

class CMiravelDoc;
struct CViewState;

// What the tools need from the widget they run in.
class IToolHost {
public:
    virtual ~IToolHost() = default;
    virtual void TakeFocus() = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // Picks the sight cell, then the attach target, at a client pixel; the
    // results land in the view state's pointer part.
    virtual void Pick(int x, int y) = 0;
    // Asks for a repaint of the whole view.
    virtual void Invalidate() = 0;
    // The grid size or the canvas axis changed: the lattices must be rebuilt.
    virtual void RebuildDisplayLists() = 0;
    // The current colour becomes color, as choosing a palette colour makes it.
    virtual void TakeColor(COLORREF color) = 0;
};

enum class PointerButton : std::uint8_t { None, Left, Right, Middle };

// One pointer event at a client pixel (top-left origin): the button pressed
// or released (None for a move), the buttons held and the modifiers.
struct PointerEvent {
    int x = 0, y = 0;
    PointerButton button = PointerButton::None;
    bool left = false, right = false, middle = false;
    bool shift = false, ctrl = false;
};

// One wheel message: one step whatever its size.
struct WheelEvent {
    bool forward = true;
    bool ctrl = false;
    bool rightButton = false;
};

enum class ToolKey : std::uint8_t { Escape };

// What a tool works with: the view state (with the picked cells), the
// document, the widget and the client area's size.
struct ToolContext {
    CViewState& view;
    CMiravelDoc& doc;
    IToolHost& host;
    ViewSize size;
};

// A tool of the pointer. The view forwards the presses, moves, releases, the
// wheel and Escape to it (through the tool box, which gives the default tool
// what another tool leaves); the tool edits through the document and keeps
// its own preview. A gesture from press to release is one undo step at most,
// except the pen's: its every placed or removed cell is one step as ever.
class ITool {
public:
    virtual ~ITool() = default;
    // Whether the tool took the press; one it leaves goes to the default tool.
    virtual bool Press(ToolContext& c, const PointerEvent& e) = 0;
    virtual void Move(ToolContext&, const PointerEvent&) {}
    virtual void Release(ToolContext&, const PointerEvent&) {}
    virtual void Wheel(ToolContext&, const WheelEvent&) {}
    // Escape abandons a gesture under way; false when the key meant nothing.
    virtual bool Key(ToolContext&, ToolKey) { return false; }
    virtual ToolPreview Preview() const { return {}; }
    // Whether a gesture of the tool is under way (from the press it took to
    // its end): meanwhile the tool gets the moves, releases and plain wheel
    // steps; otherwise the default tool does.
    virtual bool Busy() const { return false; }
    // Another tool was chosen: a gesture under way is abandoned (nothing of
    // it stays in the model) and whatever the tool keeps is let go.
    virtual void Leave(ToolContext&) {}
};

#pragma once

#include "scene/PointerState.h"

class CMiravelDoc;
struct CCameraState;
struct CEditState;
struct CViewState;

// What mouse editing needs from the widget it runs in.
class IMouseHost {
public:
    virtual ~IMouseHost() = default;
    virtual void TakeFocus() = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // Picks the sight cell, then the attach target, at a client pixel.
    virtual void Pick(int x, int y) = 0;
    // Asks for a repaint of the whole view.
    virtual void Invalidate() = 0;
    // The canvas axis changed: the canvas lattice must be rebuilt.
    virtual void RebuildDisplayLists() = 0;
};

// Turns mouse input into edits and camera drags. Over a picked cell the left
// and right buttons place and remove cubes; over empty space they start a
// rotating or zooming drag; the middle button always moves the camera.
class CMouseInteraction {
public:
    struct Buttons {
        bool left = false;
        bool right = false;
        bool shift = false;
    };

    void LButtonDown(CViewState& v, CMiravelDoc& doc, IMouseHost& host, bool shift, int x, int y);
    void RButtonDown(CViewState& v, CMiravelDoc& doc, IMouseHost& host, bool shift, int x, int y);
    void MButtonDown(CViewState& v, IMouseHost& host, int x, int y);
    // Any button released ends whatever drag is under way.
    void ButtonUp(CViewState& v, IMouseHost& host);
    void MouseMove(CViewState& v, CMiravelDoc& doc, IMouseHost& host, Buttons buttons, int x, int y);
    // One step per wheel message whatever its size: Ctrl zooms, the right
    // button turns the canvas, otherwise the canvas slides.
    void Wheel(CViewState& v, CMiravelDoc& doc, IMouseHost& host, bool forward, bool ctrl,
               bool rightButton);

    // One camera step of a drag toward (x, y); returns whether the view needs
    // repainting. Small movements pile up until they pass the threshold.
    static bool DragStep(CCameraState& camera, CPointerState& pointer, int x, int y);

    // Moves in a row that changed neither picked cell; every 102nd repaints.
    int UnchangedMoves() const { return m_unchangedMoves; }

private:
    static void StartDrag(CPointerState& pointer, IMouseHost& host, DragMode mode, int x, int y);
    // Places a cube where the current drawing mode puts one.
    static void Place(const CEditState& edit, const CPointerState& pointer, CMiravelDoc& doc);

    int m_prevSight[3] = {-1, -1, -1};
    int m_prevAttach[3] = {-1, -1, -1};
    int m_unchangedMoves = 0;
};

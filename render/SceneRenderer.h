#pragma once

#include "scene/CameraState.h"
#include "scene/EditState.h"
#include "scene/ToolPreview.h"

#include <array>
#include <cstdint>

class CMiravelDoc;
struct CViewState;

// Draws the scene with fixed-function OpenGL into whatever framebuffer is
// bound, on the context that is current. Its only state is the display lists,
// which the caller holds (they belong to a context); everything else is read
// from the view state and the document at each frame.
//
// This is the literal drawing: every cell of the grid is looked up and every
// cube is one display-list call. It is kept simple on purpose, as the
// reference picture.
namespace SceneRenderer {

// The framebuffer to draw into: its size in device pixels and how many device
// pixels make one logical pixel. The camera works in logical pixels, so a
// high-density screen shows the same picture, only sharper; line widths are
// scaled to match.
struct Target {
    int deviceWidth = 0;
    int deviceHeight = 0;
    double devicePixelRatio = 1.0;
    ViewSize view;  // the client area in logical pixels, as the camera projects
};

// Display-list names of the frame, unit cube, canvas and ground; 0 when not
// built. They are built together for one grid size and canvas axis.
struct Lists {
    std::uint32_t m_listFrame = 0;
    std::uint32_t m_listCube = 0;
    std::uint32_t m_listCanvas = 0;
    std::uint32_t m_listGround = 0;
};

// Draws the cubes element. The literal drawing looks up every cell and calls
// the cube list once per cube; a faster drawer may stand in for it, as long as
// the picture stays the same.
class ICubeDrawer {
public:
    virtual ~ICubeDrawer() = default;
    // Called with the model transform in place, lighting set as for the cubes,
    // polygon mode fill; must leave culling off and the matrix as it was.
    virtual void DrawCubes(const CViewState& view, const CMiravelDoc& doc, const Target& target) = 0;
    // One unit cube at a cell, computed exactly as the cubes are, so that a
    // cube drawn over one of them (the sight) meets it at exactly its depth.
    virtual void DrawCellCube(int x, int y, int z) = 0;
    // The frame's lattice, and the lattice of a layer (the canvas or the
    // copied layer) of the canvas axis, with colour, width and transform in
    // place, in place of the lists'. False leaves them to the lists.
    virtual bool DrawFrameLattice(const CViewState&, const CMiravelDoc&, const Target&) { return false; }
    virtual bool DrawLayerLattice(const CViewState&, const CMiravelDoc&, int /*layer*/, const Target&) { return false; }
};

// Deletes any lists and builds the four lists for the document's grid size
// and the canvas axis; without the frame's and the canvas's when the lattices
// are drawn by a cube drawer. Returns false if a list name could not be had;
// the lists built so far stay and the scene is drawn without the others.
bool BuildLists(Lists& lists, CanvasAxis axis, const CMiravelDoc& doc, bool lattices = true);
void DeleteLists(Lists& lists);

// One whole frame: clear, light, transforms, the eight elements in order.
// Leaves no GL state behind that a later frame relies on.
// cubes: null for the literal drawing of the cubes. preview: what a tool's
// gesture under way would do, drawn last of the editing aids.
void DrawScene(const CViewState& view, const Lists& lists, const CMiravelDoc& doc, const Target& target,
               ICubeDrawer* cubes = nullptr, const ToolPreview* preview = nullptr);

// The twelve edges of the box of cells lo..hi (both included), as corner
// pairs in cell units.
std::array<std::array<std::array<int, 3>, 2>, 12> BoxEdges(const CUBEPOS& lo, const CUBEPOS& hi);

// Line widths are given in logical pixels; this is what GL gets.
float DeviceLineWidth(double width, const Target& target);

// The light direction for a light position; positions outside 0..7 use 0.
const double* LightDirection(int lightPos);

} // namespace SceneRenderer

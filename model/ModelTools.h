#pragma once

#include "model/CubeTypes.h"
#include "model/ModelTransform.h"

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class CMiravelDoc;

// The model tools as plain arithmetic on the document: each works out one
// action, which Apply then applies and records as one step. Nothing else
// here changes the document.
//
// The tools act on the cubes of the grid box. The store may also hold cubes
// outside the box (left by a smaller grid); a turn, a flip and a fit carry
// them along by the same mapping, which takes the outside of the old box to
// the outside of the new one, so that nothing hidden comes into view and no
// cube lands on another. A move keeps the box where it is and leaves them.
namespace ModelTools {

// Cells to change (a fill, a colour replace), a whole-model action (a move,
// a turn, a flip, a fit), or both (a crop erases, then moves what is left):
// the changes come first.
struct Edit {
    std::vector<CellChange> changes;
    std::optional<ModelTransform> transform;
    std::optional<GridSize> size;  // the grid's new size, when it changes
};

// Applies the edit as one step of the history; false when nothing changed.
// progress hears of a whole-model action and may stop it before anything
// changes (then false too).
bool Apply(CMiravelDoc& doc, const Edit& edit, const WorkProgress& progress = {});

// Every cube of the box moved by (dx, dy, dz) cells; the editor's keys move
// one cell along one axis, the command line any number. None when a cube
// would leave the box: nothing is lost.
std::optional<Edit> Move(const CMiravelDoc& doc, int dx, int dy, int dz);

// A quarter turn about the vertical axis, clockwise as seen from above when
// clockwise is set. The grid's X and Z sizes swap.
Edit Turn(const CMiravelDoc& doc, bool clockwise);

// Cuts the grid down to the cells lo..hi (both corners included) and moves
// them to the origin corner; the cubes of the box outside lo..hi are erased,
// so a larger grid later does not bring them back. None unless lo..hi is a
// box inside the grid.
std::optional<Edit> Crop(const CMiravelDoc& doc, const CUBEPOS& lo, const CUBEPOS& hi);

// Mirrors the model across the middle of the box along axis 0 (X) or 2 (Z):
// x -> X-1-x, or z -> Z-1-z.
Edit Flip(const CMiravelDoc& doc, int axis);

// Shrinks the grid to the box of the cubes and moves them to the origin
// corner. Nothing for an empty model.
Edit FitGrid(const CMiravelDoc& doc);

// Every cube of the colour from in the box takes the colour to.
Edit ReplaceColor(const CMiravelDoc& doc, COLORREF from, COLORREF to);

// The colours of the cubes in the box with how many cubes have each, most
// used first (equal counts in colour order).
std::vector<std::pair<COLORREF, std::size_t>> ColorCounts(const CMiravelDoc& doc);

// The model's palette as the palette panel lists it: the order it came with
// (an imported .vox's palette), then its other colours, most used first; at
// most kMaxPaletteColors (PaletteMatch.h).
std::vector<COLORREF> ModelPalette(const CMiravelDoc& doc);

// Every cube of the box takes the nearest colour of the palette (Oklab).
// Nothing for an empty palette.
Edit RemapToPalette(const CMiravelDoc& doc, std::span<const COLORREF> palette);

// The cells of the layer through seed perpendicular to axis (0 X, 1 Y, 2 Z)
// that are 4-connected to seed within the box and hold what seed holds (the
// same colour, or nothing). Empty when seed is outside the box.
std::vector<CUBEPOS> LayerRegion(const CMiravelDoc& doc, CUBEPOS seed, int axis);

// The cubes of the box 6-connected to the cube at seed through cubes of its
// colour. Empty when seed holds no cube or is outside the box.
std::vector<CUBEPOS> ColorRegion(const CMiravelDoc& doc, CUBEPOS seed);

// The same colour for every cell.
Edit Paint(const std::vector<CUBEPOS>& cells, COLORREF color);

} // namespace ModelTools

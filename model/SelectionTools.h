#pragma once

#include "model/CubeStore.h"
#include "model/CubeTypes.h"
#include "model/ModelTools.h"

#include <cstddef>
#include <optional>

class CMiravelDoc;

// A box of cells, both corners included: the selection.
struct CellBox {
    CUBEPOS lo;
    CUBEPOS hi;

    // The box between two cells, in whichever order they come.
    static CellBox Spanning(const CUBEPOS& a, const CUBEPOS& b);
    GridSize Size() const { return {hi.x - lo.x + 1, hi.y - lo.y + 1, hi.z - lo.z + 1}; }
    // The cell after hi on every axis, for the store's half-open walks.
    CUBEPOS End() const { return {hi.x + 1, hi.y + 1, hi.z + 1}; }
    bool Contains(const CUBEPOS& p) const
    {
        return p.x >= lo.x && p.y >= lo.y && p.z >= lo.z && p.x <= hi.x && p.y <= hi.y && p.z <= hi.z;
    }
    friend bool operator==(const CellBox&, const CellBox&) = default;
};

// Cubes cut out of a model, at cells counted from their box's lowest corner:
// what the clipboard carries and a paste puts down. Empty cells of the box
// erase nothing when it is put down.
struct CubeBlock {
    GridSize size;
    CCubeStore cubes;
};

// The selection's operations as plain arithmetic on the document, like the
// model tools: each works out one edit that ModelTools::Apply records as one
// step. A selection always lies inside the grid; the operations that move
// its contents also say where the selection goes with them.
namespace SelectionTools {

// The whole grid (Ctrl+A).
CellBox WholeGrid(const CMiravelDoc& doc);
// The part of the box inside the grid; none when they do not meet.
std::optional<CellBox> ClipToGrid(const CMiravelDoc& doc, const CellBox& box);

// Empties the box's cells.
ModelTools::Edit Erase(const CMiravelDoc& doc, const CellBox& box);
// Every cell of the box takes the colour.
ModelTools::Edit Fill(const CMiravelDoc& doc, const CellBox& box, COLORREF color);

// An edit of the selection's contents and where the selection is after it.
struct Moved {
    ModelTools::Edit edit;
    CellBox box;
};
// The cubes of the box move by (dx, dy, dz); cubes they land on are replaced,
// empty cells of the box erase nothing. None when a cube would leave the
// grid: nothing is lost. The selection moves along, cut to the grid.
std::optional<Moved> Move(const CMiravelDoc& doc, const CellBox& box, int dx, int dy, int dz);
// A quarter turn of the box's contents about the vertical axis, as the whole
// model turns, kept at the box's lowest corner; the box's X and Z sizes swap.
// None when a cube would leave the grid.
std::optional<Moved> Turn(const CMiravelDoc& doc, const CellBox& box, bool clockwise);
// Mirrors the contents across the middle of the box along axis 0 (X) or 2 (Z).
Moved Flip(const CMiravelDoc& doc, const CellBox& box, int axis);
// Cuts the grid down to the box; the selection becomes the whole new grid.
std::optional<Moved> Crop(const CMiravelDoc& doc, const CellBox& box);

// The box's cubes, counted from its lowest corner.
CubeBlock Copy(const CMiravelDoc& doc, const CellBox& box);

// Puts the block down with its lowest corner at the cell: its cubes replace
// what is there, its empty cells erase nothing, cubes outside the grid are
// dropped and counted.
struct Placed {
    ModelTools::Edit edit;
    std::size_t dropped = 0;
};
Placed Place(const CMiravelDoc& doc, const CubeBlock& block, const CUBEPOS& at);

} // namespace SelectionTools

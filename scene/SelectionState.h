#pragma once

#include "model/SelectionTools.h"

#include <cstddef>
#include <optional>

// Cubes brought from the clipboard, floating above the model until they are
// put down: the block with its lowest corner at a cell.
struct FloatingPaste {
    CubeBlock block;
    CUBEPOS at;

    CellBox Box() const
    {
        return {at, {at.x + block.size.x - 1, at.y + block.size.y - 1, at.z + block.size.z - 1}};
    }
};

// The box selection and a paste floating over the model. Both live only
// while the select tool is chosen: leaving it puts the paste down and drops
// the selection, so that no other tool's keys change meaning.
struct CSelectionState {
    std::optional<CellBox> m_box;
    std::optional<FloatingPaste> m_paste;
    // How many cubes of the paste last put down fell outside the grid, for
    // the status bar until the next selection.
    std::optional<std::size_t> m_lastDropped;

    bool IsEmpty() const { return !m_box && !m_paste; }
};

#pragma once

// The cube store as an ordered map of cells, which tests compare and print.
#include "model/CubeStore.h"

#include <map>

using Cells = std::map<CUBEPOS, COLORREF>;

inline Cells CellsOf(const CCubeStore& store)
{
    Cells cells;
    store.ForEachCube([&](const CUBEPOS& p, COLORREF c) { cells[p] = c; });
    return cells;
}

inline CCubeStore StoreOf(const Cells& cells)
{
    CCubeStore store;
    for (const auto& [p, c] : cells)
        store.Set(p, c);
    return store;
}

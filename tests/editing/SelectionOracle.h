#pragma once

// Picking the way fixed-function GL does it: draw the candidates under names
// in selection mode through a pick matrix and take the hit with the smallest
// depth, the later hit winning a tie. The editor does not pick like this (it
// is slow and its hit buffer overflows on long rows of cubes); the tests use
// it as an independent reference for the editor's ray-cast picking.
#include "model/CMiravelDoc.h"
#include "scene/ViewState.h"

#include <vector>

struct OracleResult {
    CUBEPOS cell{-1, -1, -1};
    float depth = 0;
    bool overflow = false;
    struct Hit {
        CUBEPOS cell;
        float depth;
    };
    std::vector<Hit> all;

    // GL computes depths in single precision from large coordinates, so two
    // candidates closer than about a millionth of the depth range are a tie
    // it cannot resolve reliably. True when cell is such a near tie of the best.
    bool NearTie(const CUBEPOS& other) const
    {
        for (const Hit& h : all)
            if (h.cell == other && h.depth - depth <= 1e-6f)
                return true;
        return false;
    }
};

// The view as the reference sees it: its state, its client size and the
// display list of the unit cube, built in the current context.
struct OracleView {
    const CViewState& state;
    ViewSize size;
    std::uint32_t cubeList;
};

// wx, wy: the window point (origin bottom left); box: the pick square's side
// in pixels.
OracleResult OraclePickSight(const OracleView& view, const CMiravelDoc& doc, double wx, double wy, double box);

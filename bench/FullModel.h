#pragma once

// The full 40 x 40 x 40 model several benchmarks start from: every cell
// holds a cube of its own colour.
#include "model/CMiravelDoc.h"

namespace bench {

inline void FillFull40(CMiravelDoc& doc)
{
    doc.SetGridSize(40, 40, 40);
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            for (int z = 0; z < 40; ++z)
                doc.m_cubes.Set({x, y, z}, RGB(x * 6, y * 6, z * 6));
}

} // namespace bench

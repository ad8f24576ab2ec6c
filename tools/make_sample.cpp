// Writes the sample model that the editor opens for a newcomer: a small
// house with a tree on a meadow, so that there are cubes to look at at once.
//   miravel_make_sample resources/samples/sample.mvf
#include "model/CMiravelDoc.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.mvf\n", argv[0]);
        return 2;
    }
    CMiravelDoc doc;
    auto put = [&](int x, int y, int z, COLORREF c) { doc.m_cubes.Set({x, y, z}, c); };

    const COLORREF grass = RGB(60, 170, 60), grass2 = RGB(80, 190, 70);
    const COLORREF wall = RGB(235, 225, 200), roof = RGB(200, 40, 40);
    const COLORREF door = RGB(110, 70, 30), window = RGB(120, 200, 255);
    const COLORREF trunk = RGB(120, 80, 40), leaves = RGB(30, 130, 50);
    const COLORREF path = RGB(180, 170, 150);

    for (int x = 0; x < 16; ++x)
        for (int z = 0; z < 16; ++z)
            put(x, 0, z, (x + z) % 2 ? grass : grass2);

    // House: walls 6 x 4 x 5 from (2, 1, 2), a gabled roof along x.
    for (int x = 2; x < 8; ++x)
        for (int y = 1; y < 5; ++y)
            for (int z = 2; z < 7; ++z) {
                const bool shell = x == 2 || x == 7 || z == 2 || z == 6;
                if (shell)
                    put(x, y, z, wall);
            }
    put(4, 1, 6, door);
    put(4, 2, 6, door);
    put(6, 3, 6, window);
    put(2, 3, 4, window);
    put(7, 3, 4, window);
    for (int step = 0; step < 4; ++step)
        for (int x = 1; x < 9; ++x) {
            put(x, 5 + step, 1 + step, roof);
            put(x, 5 + step, 7 - step, roof);
        }

    for (int z = 7; z < 16; ++z)
        put(4, 0, z, path);

    // Tree.
    for (int y = 1; y < 5; ++y)
        put(12, y, 4, trunk);
    for (int x = 10; x < 15; ++x)
        for (int y = 5; y < 8; ++y)
            for (int z = 2; z < 7; ++z) {
                const int d = (x - 12) * (x - 12) + (y - 6) * (y - 6) + (z - 4) * (z - 4);
                if (d <= 5)
                    put(x, y, z, leaves);
            }

    const DocResult r = doc.OnSaveDocument(QString::fromLocal8Bit(argv[1]));
    if (!r.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        return 1;
    }
    return 0;
}

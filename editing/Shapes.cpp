#include "editing/Shapes.h"

#include <algorithm>
#include <cstdlib>

namespace Shapes {

namespace {

int& At(CUBEPOS& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }
int At(const CUBEPOS& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

void VisitLine(const Spec& s, const GridSize& grid, int layerLo, int layerHi, const CellVisitor& f)
{
    const int d[3] = {s.b.x - s.a.x, s.b.y - s.a.y, s.b.z - s.a.z};
    const int n = std::max({std::abs(d[0]), std::abs(d[1]), std::abs(d[2])});
    // Each step moves one cell along the longest axis; the others follow
    // their exact line, rounded half away from the start.
    for (int i = 0; i <= n; ++i) {
        CUBEPOS p = s.a;
        for (int k = 0; k < 3; ++k) {
            const long long twice = n == 0 ? 0 : (2LL * d[k] * i + (d[k] < 0 ? -n : n)) / (2LL * n);
            At(p, k) += int(twice);
        }
        const int layer = At(p, s.axis);
        if (layer < layerLo || layer > layerHi)
            continue;
        if (p.x >= 0 && p.y >= 0 && p.z >= 0 && p.x < grid.x && p.y < grid.y && p.z < grid.z)
            f(p);
    }
}

} // namespace

CellBox Bounds(const Spec& s)
{
    return {{std::min(s.a.x, s.b.x), std::min(s.a.y, s.b.y), std::min(s.a.z, s.b.z)},
            {std::max(s.a.x, s.b.x), std::max(s.a.y, s.b.y), std::max(s.a.z, s.b.z)}};
}

bool InEllipse(int u, int v, int u0, int u1, int v0, int v1)
{
    // In doubled units, so that the centre and the radii are whole.
    const double ru = u1 - u0 + 1, rv = v1 - v0 + 1;
    const double du = 2 * u - (u0 + u1), dv = 2 * v - (v0 + v1);
    return du * du / (ru * ru) + dv * dv / (rv * rv) <= 1.0;
}

void Visit(const Spec& s, const GridSize& grid, int layerLo, int layerHi, const CellVisitor& f)
{
    if (s.kind == Kind::Line) {
        VisitLine(s, grid, layerLo, layerHi, f);
        return;
    }
    const CellBox box = Bounds(s);
    const int k = s.axis, ua = (k + 1) % 3, va = (k + 2) % 3;
    const int u0 = At(box.lo, ua), u1 = At(box.hi, ua), v0 = At(box.lo, va), v1 = At(box.hi, va);
    const int w0 = At(box.lo, k), w1 = At(box.hi, k);
    const bool ellipse = s.kind == Kind::Ellipse;
    // In the plane: whether a cell is in the figure, and whether it is on its
    // outline (a face neighbour in the plane outside the figure).
    const auto inside = [&](int u, int v) {
        return u >= u0 && u <= u1 && v >= v0 && v <= v1 && (!ellipse || InEllipse(u, v, u0, u1, v0, v1));
    };
    const auto onOutline = [&](int u, int v) {
        return !inside(u - 1, v) || !inside(u + 1, v) || !inside(u, v - 1) || !inside(u, v + 1);
    };
    const bool capped = w1 > w0;

    CellBox clip = box;
    const int size[3] = {grid.x, grid.y, grid.z};
    for (int a = 0; a < 3; ++a) {
        At(clip.lo, a) = std::max(At(clip.lo, a), 0);
        At(clip.hi, a) = std::min(At(clip.hi, a), size[a] - 1);
    }
    At(clip.lo, k) = std::max(At(clip.lo, k), layerLo);
    At(clip.hi, k) = std::min(At(clip.hi, k), layerHi);

    CUBEPOS p;
    for (p.x = clip.lo.x; p.x <= clip.hi.x; ++p.x)
        for (p.y = clip.lo.y; p.y <= clip.hi.y; ++p.y)
            for (p.z = clip.lo.z; p.z <= clip.hi.z; ++p.z) {
                const int u = At(p, ua), v = At(p, va), w = At(p, k);
                if (ellipse && !inside(u, v))
                    continue;
                if (s.hollow && !(capped && (w == w0 || w == w1)) && !onOutline(u, v))
                    continue;
                f(p);
            }
}

std::vector<CUBEPOS> Cells(const Spec& shape, const GridSize& grid)
{
    std::vector<CUBEPOS> cells;
    Visit(shape, grid, [&cells](const CUBEPOS& p) { cells.push_back(p); });
    return cells;
}

} // namespace Shapes

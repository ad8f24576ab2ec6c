#include "editing/Picker.h"

#include "model/CMiravelDoc.h"
#include "scene/Camera.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Picker {

namespace {

// Points closer than this (in grid units) to a cell boundary count as lying on
// it, so that a ray through an edge meets the cells on both sides.
constexpr double kEps = 1e-6;
// Depths closer than this count as equal; depth runs 0..1 over 3001 units.
constexpr double kDepthEps = 1e-9;

// The ray of a window point in model coordinates: r(t) = origin + t * dir,
// where t is also the window depth, 0 at the near plane and 1 at the far one
// (the projection is orthographic, so depth is linear along the ray).
struct Ray {
    double origin[3];
    double dir[3];
    bool valid = false;

    double At(int axis, double t) const { return origin[axis] + t * dir[axis]; }
};

Ray MakeRay(const CCameraState& camera, ViewSize size, const CMiravelDoc& doc, double wx, double wy)
{
    Ray ray;
    const int w = size.width, h = size.height;
    if (w <= 0 || h <= 0)
        return ray;
    const Mat4 mvp =
        Camera::Projection(w, h) * Camera::ModelView(camera, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ);
    Mat4 inv;
    if (!mvp.Invert(inv))
        return ray;
    const double nx = 2.0 * wx / w - 1.0, ny = 2.0 * wy / h - 1.0;
    const auto a = inv.Apply(nx, ny, -1.0);
    const auto b = inv.Apply(nx, ny, 1.0);
    if (a[3] == 0.0 || b[3] == 0.0)
        return ray;
    for (int i = 0; i < 3; ++i) {
        ray.origin[i] = a[size_t(i)] / a[3];
        ray.dir[i] = b[size_t(i)] / b[3] - ray.origin[i];
    }
    ray.valid = true;
    return ray;
}

// Where the ray is inside the box lo..hi, clipped to the depth range 0..1.
bool Clip(const Ray& ray, const double lo[3], const double hi[3], double& tIn, double& tOut)
{
    tIn = 0.0;
    tOut = 1.0;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(ray.dir[i]) < 1e-300) {
            if (ray.origin[i] < lo[i] - kEps || ray.origin[i] > hi[i] + kEps)
                return false;
            continue;
        }
        double t0 = (lo[i] - ray.origin[i]) / ray.dir[i];
        double t1 = (hi[i] - ray.origin[i]) / ray.dir[i];
        if (t0 > t1)
            std::swap(t0, t1);
        tIn = std::max(tIn, t0);
        tOut = std::min(tOut, t1);
    }
    return tIn <= tOut + kDepthEps;
}

// The cell indices along one axis whose closed unit interval holds coordinate
// c: one, or two when c lies on a boundary.
int CellsHolding(double c, int out[2])
{
    const double r = std::round(c);
    if (std::abs(c - r) <= kEps) {
        out[0] = int(r) - 1;
        out[1] = int(r);
        return 2;
    }
    out[0] = int(std::floor(c));
    return 1;
}

bool Later(const CUBEPOS& a, const CUBEPOS& b) { return b < a; }

// Of the cells holding point p that pass the test, the last in x, y, z order.
template <class Test>
bool LastCellAt(const double p[3], Test test, CUBEPOS& best)
{
    int cx[2], cy[2], cz[2];
    const int nx = CellsHolding(p[0], cx), ny = CellsHolding(p[1], cy), nz = CellsHolding(p[2], cz);
    bool found = false;
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                const CUBEPOS c{cx[i], cy[j], cz[k]};
                if (test(c) && (!found || Later(c, best))) {
                    best = c;
                    found = true;
                }
            }
    return found;
}

CUBEPOS PickCanvasCell(const CEditState& v, const CMiravelDoc& doc, const Ray& ray)
{
    const int axis = v.AxisIndex();
    if (axis < 0 || axis > 2)
        return kNone;
    const int size[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
    double lo[3] = {0, 0, 0}, hi[3] = {double(size[0]), double(size[1]), double(size[2])};
    lo[axis] = v.m_canvasPos;
    hi[axis] = v.m_canvasPos + 1.0;
    for (int i = 0; i < 3; ++i)
        if (i != axis && size[i] <= 0)
            return kNone;
    double tIn, tOut;
    if (!Clip(ray, lo, hi, tIn, tOut))
        return kNone;
    const double p[3] = {ray.At(0, tIn), ray.At(1, tIn), ray.At(2, tIn)};
    CUBEPOS best = kNone;
    const auto inLayer = [&](const CUBEPOS& c) {
        const int at[3] = {c.x, c.y, c.z};
        for (int i = 0; i < 3; ++i) {
            if (i == axis ? at[i] != v.m_canvasPos : (at[i] < 0 || at[i] >= size[i]))
                return false;
        }
        return true;
    };
    return LastCellAt(p, inLayer, best) ? best : kNone;
}

CUBEPOS PickCube(const CMiravelDoc& doc, const Ray& ray)
{
    const int size[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
    if (size[0] <= 0 || size[1] <= 0 || size[2] <= 0)
        return kNone;
    const double lo[3] = {0, 0, 0};
    const double hi[3] = {double(size[0]), double(size[1]), double(size[2])};
    double tIn, tOut;
    if (!Clip(ray, lo, hi, tIn, tOut))
        return kNone;

    // The cells a ray passes follow each other through the same chunk of the
    // store: one lookup per chunk, and none of its cells where it holds none.
    ChunkKey cachedKey{std::numeric_limits<std::int32_t>::min(), 0, 0};
    const CCubeChunk* cached = nullptr;
    const auto occupied = [&](const CUBEPOS& c) {
        if (!doc.InBox(c.x, c.y, c.z))
            return false;
        const ChunkKey key = CCubeChunk::KeyOf(c);
        if (!(key == cachedKey)) {
            cachedKey = key;
            cached = doc.m_cubes.FindChunk(key);
        }
        return cached && cached->At(CCubeChunk::Local(c.x), CCubeChunk::Local(c.y), CCubeChunk::Local(c.z)) != CLR_NONE;
    };

    // Walk the cells the ray passes through, front to back. At each cell's
    // entry point every cell touching that point is a candidate, which also
    // covers cells the ray only grazes along an edge or at a corner.
    int cell[3], step[3];
    double tMax[3], tDelta[3];
    for (int i = 0; i < 3; ++i) {
        const double c = ray.At(i, tIn);
        cell[i] = std::clamp(int(std::floor(c)), 0, size[i] - 1);
        if (ray.dir[i] > 0) {
            step[i] = 1;
            tMax[i] = (cell[i] + 1 - ray.origin[i]) / ray.dir[i];
            tDelta[i] = 1.0 / ray.dir[i];
        } else if (ray.dir[i] < 0) {
            step[i] = -1;
            tMax[i] = (cell[i] - ray.origin[i]) / ray.dir[i];
            tDelta[i] = -1.0 / ray.dir[i];
        } else {
            step[i] = 0;
            tMax[i] = tDelta[i] = std::numeric_limits<double>::infinity();
        }
    }
    double t = tIn;
    while (t <= tOut + kDepthEps) {
        const double p[3] = {ray.At(0, t), ray.At(1, t), ray.At(2, t)};
        CUBEPOS best = kNone;
        if (LastCellAt(p, occupied, best))
            return best;
        const int axis = tMax[0] < tMax[1] ? (tMax[0] < tMax[2] ? 0 : 2) : (tMax[1] < tMax[2] ? 1 : 2);
        t = tMax[axis];
        cell[axis] += step[axis];
        tMax[axis] += tDelta[axis];
        if (cell[axis] < 0 || cell[axis] >= size[axis])
            break;
    }
    return kNone;
}

} // namespace

CUBEPOS PickSight(const CCameraState& camera, ViewSize size, const CEditState& edit, const CMiravelDoc& doc,
                  double wx, double wy)
{
    const Ray ray = MakeRay(camera, size, doc, wx, wy);
    if (!ray.valid)
        return kNone;
    return edit.m_drawMode == DrawMode::Canvas ? PickCanvasCell(edit, doc, ray) : PickCube(doc, ray);
}

CUBEPOS PickAttach(const CCameraState& camera, ViewSize size, const CEditState& edit,
                   const CPointerState& pointer, const CMiravelDoc& doc, double wx, double wy)
{
    if (edit.m_drawMode != DrawMode::Attach || !pointer.HasSight())
        return kNone;
    const Ray ray = MakeRay(camera, size, doc, wx, wy);
    if (!ray.valid)
        return kNone;
    const int sx = pointer.m_sightX, sy = pointer.m_sightY, sz = pointer.m_sightZ;
    const CUBEPOS neighbours[6] = {{sx - 1, sy, sz}, {sx + 1, sy, sz}, {sx, sy - 1, sz},
                                   {sx, sy + 1, sz}, {sx, sy, sz - 1}, {sx, sy, sz + 1}};
    CUBEPOS best = kNone;
    double bestDepth = 0;
    for (const CUBEPOS& n : neighbours) {
        if (doc.GetCube(n.x, n.y, n.z) != CLR_NONE)
            continue;
        const double lo[3] = {double(n.x), double(n.y), double(n.z)};
        const double hi[3] = {n.x + 1.0, n.y + 1.0, n.z + 1.0};
        double tIn, tOut;
        if (!Clip(ray, lo, hi, tIn, tOut))
            continue;
        // Equal depths go to the later candidate.
        if (best == kNone || tIn <= bestDepth + kDepthEps) {
            best = n;
            bestDepth = tIn;
        }
    }
    if (best == kNone || !doc.InBox(best.x, best.y, best.z))
        return kNone;
    return best;
}

} // namespace Picker

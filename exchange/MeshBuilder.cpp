#include "exchange/MeshBuilder.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

// One merged face: in the plane at coordinate `plane` across axis `axis`,
// spanning [u0, u1] x [v0, v1] of the two other axes (u = axis + 1, v = axis
// + 2, cyclic, so that u x v points along the axis).
struct Rect {
    int axis = 0;
    int sign = 1; // which way it faces along the axis
    std::int32_t plane = 0;
    std::int32_t u0 = 0, u1 = 0, v0 = 0, v1 = 0;
    COLORREF color = 0;
};

using Point = std::array<std::int32_t, 3>;

// A grid line along `along`, fixed in the two other axes.
std::uint64_t LineKey(int along, const Point& p)
{
    const int a = (along + 1) % 3;
    const int b = (along + 2) % 3;
    const int first = std::min(a, b), second = std::max(a, b);
    return (std::uint64_t(along) << 48) | (std::uint64_t(std::uint32_t(p[std::size_t(first)])) << 24) |
           std::uint64_t(std::uint32_t(p[std::size_t(second)]));
}

Point Corner(const Rect& r, std::int32_t u, std::int32_t v)
{
    Point p{};
    p[std::size_t(r.axis)] = r.plane;
    p[std::size_t((r.axis + 1) % 3)] = u;
    p[std::size_t((r.axis + 2) % 3)] = v;
    return p;
}

// Triangulates a convex ring whose sides may hold extra points in line
// (n - 2 triangles, none of them flat): it cuts off one strictly convex
// corner at a time, but never the one whose loss would leave every remaining
// point on one line.
template <class Emit>
void ClipEars(const std::vector<Point>& ring, int ua, int va, const std::vector<std::uint32_t>& ids,
              const Emit& triangle)
{
    std::vector<std::size_t> poly(ring.size());
    for (std::size_t i = 0; i < poly.size(); ++i)
        poly[i] = i;
    std::vector<char> convex;
    while (poly.size() > 3) {
        const std::size_t n = poly.size();
        convex.assign(n, 0);
        int corners = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const Point& a = ring[poly[(i + n - 1) % n]];
            const Point& b = ring[poly[i]];
            const Point& c = ring[poly[(i + 1) % n]];
            const std::int64_t cross =
                std::int64_t(b[std::size_t(ua)] - a[std::size_t(ua)]) * (c[std::size_t(va)] - b[std::size_t(va)]) -
                std::int64_t(b[std::size_t(va)] - a[std::size_t(va)]) * (c[std::size_t(ua)] - b[std::size_t(ua)]);
            convex[i] = cross > 0;
            corners += convex[i];
        }
        std::size_t cut = n;
        for (std::size_t i = 0; i < n && cut == n; ++i)
            if (convex[i] && (corners > 3 || !(convex[(i + n - 1) % n] && convex[(i + 1) % n])))
                cut = i;
        if (cut == n)
            cut = 0; // cannot happen for a ring around a rectangle
        triangle(ids[poly[(cut + n - 1) % n]], ids[poly[cut]], ids[poly[(cut + 1) % n]]);
        poly.erase(poly.begin() + std::ptrdiff_t(cut));
    }
    triangle(ids[poly[0]], ids[poly[1]], ids[poly[2]]);
}

class CGreedyMesher {
public:
    CGreedyMesher(const ModelData& model, MeshColours colours) : m_size{model.sizeX, model.sizeY, model.sizeZ}
    {
        m_cells.assign(std::size_t(std::int64_t(m_size[0]) * m_size[1] * m_size[2]), CLR_NONE);
        model.cubes.ForEachCubeIn({0, 0, 0}, {model.sizeX, model.sizeY, model.sizeZ}, [&](const CUBEPOS& p, COLORREF c) {
            m_cells[Index({p.x, p.y, p.z})] = colours == MeshColours::One ? RGB(255, 255, 255) : c & 0xFFFFFFu;
        });
    }

    std::int64_t Layers() const { return 2 * (std::int64_t(m_size[0]) + m_size[1] + m_size[2]); }

    // The faces of one layer of cells facing one way, merged; returns the
    // number of unit faces in it.
    std::int64_t MergeLayer(int axis, int sign, std::int32_t layer, std::vector<Rect>& out)
    {
        const int ua = (axis + 1) % 3, va = (axis + 2) % 3;
        const std::int32_t nu = m_size[std::size_t(ua)], nv = m_size[std::size_t(va)];
        m_mask.assign(std::size_t(nu) * std::size_t(nv), CLR_NONE);
        std::int64_t faces = 0;
        for (std::int32_t v = 0; v < nv; ++v)
            for (std::int32_t u = 0; u < nu; ++u) {
                Point p{};
                p[std::size_t(axis)] = layer;
                p[std::size_t(ua)] = u;
                p[std::size_t(va)] = v;
                const COLORREF c = m_cells[Index(p)];
                if (c == CLR_NONE)
                    continue;
                Point n = p;
                n[std::size_t(axis)] += sign;
                if (Inside(n) && m_cells[Index(n)] != CLR_NONE)
                    continue;
                m_mask[std::size_t(v) * std::size_t(nu) + std::size_t(u)] = c;
                ++faces;
            }
        auto at = [&](std::int32_t u, std::int32_t v) -> COLORREF& {
            return m_mask[std::size_t(v) * std::size_t(nu) + std::size_t(u)];
        };
        for (std::int32_t v = 0; v < nv; ++v)
            for (std::int32_t u = 0; u < nu;) {
                const COLORREF c = at(u, v);
                if (c == CLR_NONE) {
                    ++u;
                    continue;
                }
                std::int32_t w = 1;
                while (u + w < nu && at(u + w, v) == c)
                    ++w;
                std::int32_t h = 1;
                for (; v + h < nv; ++h) {
                    bool same = true;
                    for (std::int32_t k = 0; k < w && same; ++k)
                        same = at(u + k, v + h) == c;
                    if (!same)
                        break;
                }
                for (std::int32_t dv = 0; dv < h; ++dv)
                    for (std::int32_t k = 0; k < w; ++k)
                        at(u + k, v + dv) = CLR_NONE;
                out.push_back({axis, sign, layer + (sign > 0 ? 1 : 0), u, u + w, v, v + h, c});
                u += w;
            }
        return faces;
    }

    const std::array<std::int32_t, 3>& Size() const { return m_size; }

private:
    bool Inside(const Point& p) const
    {
        for (std::size_t i = 0; i < 3; ++i)
            if (p[i] < 0 || p[i] >= m_size[i])
                return false;
        return true;
    }
    std::size_t Index(const Point& p) const
    {
        return std::size_t((std::int64_t(p[0]) * m_size[1] + p[1]) * m_size[2] + p[2]);
    }

    std::array<std::int32_t, 3> m_size;
    std::vector<COLORREF> m_cells;
    std::vector<COLORREF> m_mask;
};

} // namespace

bool BuildCubeMesh(const ModelData& model, MeshAxes axes, CubeMesh& mesh,
                   const ExportProgress& progress, std::int64_t maxTriangles, MeshColours colours)
{
    mesh = CubeMesh{};
    if (model.sizeX < 1 || model.sizeY < 1 || model.sizeZ < 1)
        return true;
    CGreedyMesher mesher(model, colours);
    std::vector<Rect> rects, scratch;
    const std::int64_t total = mesher.Layers();
    std::int64_t done = 0, counted = 0;
    for (int axis = 0; axis < 3; ++axis)
        for (int sign : {-1, 1})
            for (std::int32_t layer = 0; layer < mesher.Size()[std::size_t(axis)]; ++layer) {
                // Every rectangle is at least two triangles: once there are
                // too many, the rest are only counted, not kept.
                if (2 * std::int64_t(rects.size()) <= maxTriangles) {
                    mesh.exposedFaces += mesher.MergeLayer(axis, sign, layer, rects);
                } else {
                    scratch.clear();
                    mesh.exposedFaces += mesher.MergeLayer(axis, sign, layer, scratch);
                    counted += std::int64_t(scratch.size());
                }
                if (progress && (++done % 16 == 0) && !progress(int(done), int(total) * 2))
                    return false;
            }
    mesh.rectangles = std::int64_t(rects.size()) + counted;
    if (2 * mesh.rectangles > maxTriangles) {
        mesh.refusedTriangles = 2 * mesh.rectangles;
        return false;
    }

    // Every corner is known on the two grid lines of its rectangle's edges;
    // an edge is later cut at each corner lying inside it.
    std::unordered_map<std::uint64_t, std::vector<std::int32_t>> lines;
    for (const Rect& r : rects) {
        const int ua = (r.axis + 1) % 3, va = (r.axis + 2) % 3;
        for (std::int32_t u : {r.u0, r.u1})
            for (std::int32_t v : {r.v0, r.v1}) {
                const Point p = Corner(r, u, v);
                lines[LineKey(ua, p)].push_back(u);
                lines[LineKey(va, p)].push_back(v);
            }
    }
    for (auto& [key, positions] : lines) {
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    }

    // The boundary of each rectangle, counter-clockwise around +axis, each
    // side with the corners of other rectangles inside it: an n-gon of n - 2
    // triangles. Counted first, so that nothing is allocated for a mesh that
    // is too large, and the arrays are allocated once.
    std::vector<Point> ring;
    auto makeRing = [&](const Rect& r) {
        const int ua = (r.axis + 1) % 3, va = (r.axis + 2) % 3;
        ring.clear();
        auto side = [&](const Point& from, int along, std::int32_t a, std::int32_t b) {
            ring.push_back(from);
            const auto& cuts = lines[LineKey(along, from)];
            const std::int32_t lo = std::min(a, b), hi = std::max(a, b);
            auto first = std::upper_bound(cuts.begin(), cuts.end(), lo);
            auto last = std::lower_bound(cuts.begin(), cuts.end(), hi);
            const std::size_t before = ring.size();
            for (auto it = first; it != last; ++it) {
                Point p = from;
                p[std::size_t(along)] = *it;
                ring.push_back(p);
            }
            if (a > b)
                std::reverse(ring.begin() + std::ptrdiff_t(before), ring.end());
        };
        side(Corner(r, r.u0, r.v0), ua, r.u0, r.u1);
        side(Corner(r, r.u1, r.v0), va, r.v0, r.v1);
        side(Corner(r, r.u1, r.v1), ua, r.u1, r.u0);
        side(Corner(r, r.u0, r.v1), va, r.v1, r.v0);
    };
    std::int64_t vertices = 0;
    for (const Rect& r : rects) {
        makeRing(r);
        vertices += std::int64_t(ring.size());
    }
    const std::int64_t triangles = vertices - 2 * std::int64_t(rects.size());
    if (triangles > maxTriangles) {
        mesh.refusedTriangles = triangles;
        return false;
    }
    mesh.positions.reserve(std::size_t(3 * vertices));
    mesh.normals.reserve(std::size_t(3 * vertices));
    mesh.colors.reserve(std::size_t(vertices));
    mesh.triangles.reserve(std::size_t(3 * triangles));

    const double half[3] = {model.sizeX / 2.0, 0.0, model.sizeZ / 2.0};
    auto addVertex = [&](const std::array<double, 3>& p, const Rect& r) {
        // Origin at the centre of the floor; ZUp turns (x, y, z) into (x, -z, y).
        double q[3] = {p[0] - half[0], p[1] - half[1], p[2] - half[2]};
        double n[3] = {0, 0, 0};
        n[r.axis] = r.sign;
        if (axes == MeshAxes::ZUp) {
            q[1] = -(p[2] - half[2]);
            q[2] = p[1] - half[1];
            const double ny = n[1];
            n[1] = -n[2];
            n[2] = ny;
        }
        for (int i = 0; i < 3; ++i) {
            mesh.positions.push_back(float(q[i]));
            mesh.normals.push_back(float(n[i]));
        }
        mesh.colors.push_back(r.color);
        return std::uint32_t(mesh.colors.size() - 1);
    };

    std::vector<std::uint32_t> ids;
    for (std::size_t ri = 0; ri < rects.size(); ++ri) {
        const Rect& r = rects[ri];
        const int ua = (r.axis + 1) % 3, va = (r.axis + 2) % 3;
        makeRing(r);
        const std::size_t n = ring.size();

        ids.clear();
        for (const Point& p : ring)
            ids.push_back(addVertex({double(p[0]), double(p[1]), double(p[2])}, r));
        auto triangle = [&](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
            // Facing -axis turns the ring clockwise.
            if (r.sign > 0)
                mesh.triangles.insert(mesh.triangles.end(), {a, b, c});
            else
                mesh.triangles.insert(mesh.triangles.end(), {a, c, b});
        };
        if (n == 4) {
            triangle(ids[0], ids[1], ids[2]);
            triangle(ids[0], ids[2], ids[3]);
        } else {
            ClipEars(ring, ua, va, ids, triangle);
        }
        if (progress && ri % 1024 == 0 &&
            !progress(int(total + std::int64_t(ri) * total / std::int64_t(rects.size())),
                      int(total) * 2))
            return false;
    }
    return true;
}

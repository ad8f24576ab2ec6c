#pragma once

#include "exchange/MeshBuilder.h"

#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace exchange_test {

// A triangle soup checked by vertex positions alone, as a slicer or a
// renderer sees it.
struct Soup {
    std::vector<std::array<float, 3>> points;
    std::vector<std::array<unsigned, 3>> triangles;
};

inline Soup SoupOf(const CubeMesh& m)
{
    Soup s;
    for (std::size_t i = 0; i < m.VertexCount(); ++i)
        s.points.push_back({m.positions[3 * i], m.positions[3 * i + 1], m.positions[3 * i + 2]});
    for (std::size_t t = 0; t < m.TriangleCount(); ++t)
        s.triangles.push_back({m.triangles[3 * t], m.triangles[3 * t + 1], m.triangles[3 * t + 2]});
    return s;
}

using Key = std::array<long, 3>;
inline Key KeyOf(const std::array<float, 3>& p)
{
    return {std::lround(p[0] * 2), std::lround(p[1] * 2), std::lround(p[2] * 2)};
}

struct SoupFacts {
    double area = 0;
    double volume = 0;            // signed: positive when the faces point outward
    int unpairedEdges = 0;        // directed edges without their reverse
    int edgesNotShared = 0;       // undirected edges not in exactly two triangles
    int degenerate = 0;
    int tJunctions = 0;           // vertices lying inside another triangle's edge
    std::array<float, 3> low{}, high{};
};

inline SoupFacts Examine(const Soup& s, bool lookForTJunctions)
{
    SoupFacts f;
    std::map<std::pair<Key, Key>, int> directed;
    for (int i = 0; i < 3; ++i) {
        f.low[i] = s.points.empty() ? 0 : s.points[0][i];
        f.high[i] = f.low[i];
    }
    for (const auto& p : s.points)
        for (int i = 0; i < 3; ++i) {
            f.low[i] = std::min(f.low[i], p[i]);
            f.high[i] = std::max(f.high[i], p[i]);
        }
    for (const auto& t : s.triangles) {
        const auto& a = s.points[t[0]];
        const auto& b = s.points[t[1]];
        const auto& c = s.points[t[2]];
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const double area = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]) / 2;
        f.area += area;
        f.degenerate += area < 1e-6;
        f.volume += (a[0] * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
                     a[1] * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
                     a[2] * (double(b[0]) * c[1] - double(b[1]) * c[0])) / 6;
        for (int k = 0; k < 3; ++k)
            ++directed[{KeyOf(s.points[t[k]]), KeyOf(s.points[t[(k + 1) % 3]])}];
    }
    for (const auto& [edge, count] : directed) {
        const auto back = directed.find({edge.second, edge.first});
        const int reverse = back == directed.end() ? 0 : back->second;
        f.unpairedEdges += count != reverse;
        f.edgesNotShared += edge.first < edge.second && (count != 1 || reverse != 1);
    }
    if (lookForTJunctions) {
        std::map<Key, bool> vertices;
        for (const auto& p : s.points)
            vertices[KeyOf(p)] = true;
        for (const auto& [edge, count] : directed) {
            const Key& a = edge.first;
            const Key& b = edge.second;
            for (const auto& [p, unused] : vertices) {
                if (p == a || p == b)
                    continue;
                // On the segment: collinear and strictly between.
                const long d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
                const long e[3] = {p[0] - a[0], p[1] - a[1], p[2] - a[2]};
                const long cx = d[1] * e[2] - d[2] * e[1], cy = d[2] * e[0] - d[0] * e[2],
                           cz = d[0] * e[1] - d[1] * e[0];
                const long dot = d[0] * e[0] + d[1] * e[1] + d[2] * e[2];
                const long len = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
                f.tJunctions += cx == 0 && cy == 0 && cz == 0 && dot > 0 && dot < len;
            }
        }
    }
    return f;
}

} // namespace exchange_test

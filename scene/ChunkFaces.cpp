#include "scene/ChunkFaces.h"

#include "scene/SceneGeometry.h"

#include <algorithm>
#include <memory>

namespace ChunkFaces {

const std::array<std::array<int, 3>, 6> kOffset = {{
    {0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 1, 0},
}};

std::array<std::array<int, 3>, 6> TriangleCorners(int direction)
{
    // The face's corners as the unit cube sends them (counter-clockwise
    // from outside): q0 q1 q2 q3. The triangles q1 q2 q0 and q2 q3 q0 keep
    // that winding and both end on q0.
    const auto faces = SceneGeometry::CubeFaces();
    const auto& q = faces[std::size_t(direction)].corners;
    std::array<std::array<int, 3>, 6> out{};
    const int order[6] = {1, 2, 0, 2, 3, 0};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& c = q[std::size_t(order[i])];
        out[i] = {int(c.x), int(c.y), int(c.z)};
    }
    return out;
}

std::size_t Mesh::FaceCount() const
{
    std::size_t n = 0;
    for (const Part& p : parts)
        n += p.triangles.size() / 6;
    return n;
}

std::size_t Mesh::Bytes() const
{
    std::size_t n = 0;
    for (const Part& p : parts)
        n += p.vertices.size() * sizeof(Vertex) + (p.triangles.size() + p.edges.size()) * sizeof(std::uint16_t);
    return n;
}

bool Mesh::Empty() const
{
    return std::all_of(parts.begin(), parts.end(), [](const Part& p) { return p.triangles.empty(); });
}

namespace {

constexpr int kSide = CChunkCells::kSide;
constexpr int kCorners = kSide + 1;  // corner positions per axis

// Each face's corners in the order the unit cube sends them.
const std::array<std::array<std::array<int, 3>, 4>, 6> kFaceCorners = [] {
    std::array<std::array<std::array<int, 3>, 4>, 6> out{};
    const auto faces = SceneGeometry::CubeFaces();
    for (std::size_t f = 0; f < 6; ++f)
        for (std::size_t i = 0; i < 4; ++i) {
            const auto& c = faces[f].corners[i];
            out[f][i] = {int(c.x), int(c.y), int(c.z)};
        }
    return out;
}();

const std::array<std::array<std::array<int, 3>, 6>, 6> kTriangles = [] {
    std::array<std::array<std::array<int, 3>, 6>, 6> t{};
    for (int f = 0; f < 6; ++f)
        t[std::size_t(f)] = TriangleCorners(f);
    return t;
}();

// Collects the faces of one chunk direction by direction, sharing corners.
class CCollector {
public:
    void Begin(const CUBEPOS& origin)
    {
        m_origin = origin;
        m_mesh = Mesh{};
        for (auto& m : m_index)
            m.fill(kNone);
        for (auto& planes : m_faces)
            for (auto& rows : planes)
                rows.fill(0);
        m_layers.fill(0);
    }

    void Add(int f, int x, int y, int z, COLORREF color)
    {
        // Where the face lies in its plane; the triangles come at Finish.
        const int n = NormalAxis(f), u = (n + 1) % 3, v = (n + 2) % 3;
        const int c[3] = {x, y, z};
        m_faces[std::size_t(f)][std::size_t(c[n])][std::size_t(c[v])] |= std::uint16_t(1u << c[u]);
        m_colors[std::size_t(f)][std::size_t(c[n])][std::size_t(c[v])][std::size_t(c[u])] = color;
        m_layers[std::size_t(f)] |= 1u << c[n];
    }

    void Finish(Mesh& out, bool outlines, bool merge)
    {
        for (int f = 0; f < 6; ++f) {
            Fill(f, merge);
            if (outlines)
                Outline(f);
        }
        out = std::move(m_mesh);
    }

private:
    static int NormalAxis(int f) { return f == 0 || f == 2 ? 2 : f == 1 || f == 3 ? 0 : 1; }

    // The triangles of the direction's faces, layer by layer: one rectangle
    // per face, or with merge the faces of one colour side by side joined
    // into rectangles, first along u, then rows of equal runs along v.
    void Fill(int f, bool merge)
    {
        const int n = NormalAxis(f), u = (n + 1) % 3, v = (n + 2) % 3;
        Part& part = m_mesh.parts[std::size_t(f)];
        for (int layer = 0; layer < kSide; ++layer) {
            if (!(m_layers[std::size_t(f)] >> layer & 1u))
                continue;
            std::array<std::uint16_t, kSide> left = m_faces[std::size_t(f)][std::size_t(layer)];
            const auto& colors = m_colors[std::size_t(f)][std::size_t(layer)];
            for (int v0 = 0; v0 < kSide; ++v0)
                while (left[std::size_t(v0)]) {
                    const int u0 = __builtin_ctz(left[std::size_t(v0)]);
                    const COLORREF color = colors[std::size_t(v0)][std::size_t(u0)];
                    int u1 = u0 + 1;
                    while (merge && u1 < kSide && (left[std::size_t(v0)] >> u1 & 1u) &&
                           colors[std::size_t(v0)][std::size_t(u1)] == color)
                        ++u1;
                    const std::uint16_t run = std::uint16_t(((1u << u1) - 1) & ~((1u << u0) - 1));
                    int v1 = v0 + 1;
                    const auto sameRun = [&](int row) {
                        if ((left[std::size_t(row)] & run) != run)
                            return false;
                        for (int c = u0; c < u1; ++c)
                            if (colors[std::size_t(row)][std::size_t(c)] != color)
                                return false;
                        return true;
                    };
                    while (merge && v1 < kSide && sameRun(v1))
                        ++v1;
                    for (int row = v0; row < v1; ++row)
                        left[std::size_t(row)] &= std::uint16_t(~run);
                    std::uint16_t idx[6];
                    for (std::size_t i = 0; i < 6; ++i) {
                        const auto& t = kTriangles[std::size_t(f)][i];
                        int c[3];
                        c[n] = layer + t[std::size_t(n)];
                        c[u] = t[std::size_t(u)] ? u1 : u0;
                        c[v] = t[std::size_t(v)] ? v1 : v0;
                        idx[i] = Corner(f, c[0], c[1], c[2]);
                    }
                    // The last corner of both triangles is this rectangle's
                    // own: rectangles of a layer do not overlap, so no other
                    // ends on it, and it takes the rectangle's colour.
                    Vertex& own = part.vertices[idx[5]];
                    own.r = GetRValue(color), own.g = GetGValue(color), own.b = GetBValue(color);
                    part.triangles.insert(part.triangles.end(), idx, idx + 6);
                }
        }
    }

    std::uint16_t Corner(int f, int lx, int ly, int lz)
    {
        std::uint16_t& slot = m_index[std::size_t(f)][std::size_t((lx * kCorners + ly) * kCorners + lz)];
        if (slot == kNone) {
            Part& part = m_mesh.parts[std::size_t(f)];
            slot = std::uint16_t(part.vertices.size());
            part.vertices.push_back({std::int16_t(m_origin.x + lx), std::int16_t(m_origin.y + ly),
                                     std::int16_t(m_origin.z + lz), 0, 0, 0, 0, 255});
        }
        return slot;
    }

    // Joins the edges of the direction's faces that follow each other along
    // one grid line of their plane into single lines. Each edge goes the way
    // the outline of its last painter goes (the later of the two faces beside
    // it): a line ends on a pixel it does not fill, so two edges that meet
    // head to head leave a gap there, as the literal drawing does.
    void Outline(int f)
    {
        const int n = NormalAxis(f), u = (n + 1) % 3, v = (n + 2) % 3;
        const int plane = kOffset[std::size_t(f)][std::size_t(n)] > 0 ? 1 : 0;
        // Which way the face's outline runs along u on its low and high v
        // sides, and along v on its low and high u sides (+1 or -1).
        int alongU[2] = {0, 0}, alongV[2] = {0, 0};
        const auto& q = kFaceCorners[std::size_t(f)];
        for (std::size_t e = 0; e < 4; ++e) {
            const auto& a = q[e];
            const auto& b = q[(e + 1) % 4];
            if (a[std::size_t(u)] != b[std::size_t(u)])
                alongU[a[std::size_t(v)]] = b[std::size_t(u)] - a[std::size_t(u)];
            else
                alongV[a[std::size_t(u)]] = b[std::size_t(v)] - a[std::size_t(v)];
        }
        Part& part = m_mesh.parts[std::size_t(f)];
        // A line from s0 to s1 along one in-plane axis at w along the other.
        auto line = [&](int layer, bool onU, int w, int s0, int s1, int sign) {
            int a[3], b[3];
            a[n] = b[n] = layer + plane;
            a[onU ? v : u] = b[onU ? v : u] = w;
            a[onU ? u : v] = sign > 0 ? s0 : s1;
            b[onU ? u : v] = sign > 0 ? s1 : s0;
            part.edges.push_back(Corner(f, a[0], a[1], a[2]));
            part.edges.push_back(Corner(f, b[0], b[1], b[2]));
        };
        for (int layer = 0; layer < kSide; ++layer) {
            if (!(m_layers[std::size_t(f)] >> layer & 1u))
                continue;
            const auto& rows = m_faces[std::size_t(f)][std::size_t(layer)];
            const auto face = [&](int r, int c) {
                return r >= 0 && r < kSide && c >= 0 && c < kSide && (rows[std::size_t(r)] >> c & 1u);
            };
            for (int onU = 0; onU < 2; ++onU)
                for (int w = 0; w <= kSide; ++w) {
                    int start = -1, sign = 0;
                    for (int s = 0; s <= kSide; ++s) {
                        // The faces after and before the grid line at w.
                        const bool later = onU ? face(w, s) : face(s, w);
                        const bool earlier = onU ? face(w - 1, s) : face(s, w - 1);
                        const int painter = !later && !earlier ? 0 : (onU ? alongU : alongV)[later ? 0 : 1];
                        if (start >= 0 && painter != sign) {
                            line(layer, onU, w, start, s, sign);
                            start = -1;
                        }
                        if (painter != 0 && start < 0) {
                            start = s;
                            sign = painter;
                        }
                    }
                }
        }
    }

    static constexpr std::uint16_t kNone = 0xFFFF;
    CUBEPOS m_origin;
    Mesh m_mesh;
    // Per direction, the corner at each position of the chunk, or kNone.
    std::array<std::array<std::uint16_t, kCorners * kCorners * kCorners>, 6> m_index;
    // Per direction and layer along its normal, one bit per face: row v, bit u.
    std::array<std::array<std::array<std::uint16_t, kSide>, kSide>, 6> m_faces;
    // Per direction, layer, row v and column u, the colour of the face there.
    std::array<std::array<std::array<std::array<COLORREF, kSide>, kSide>, kSide>, 6> m_colors;
    // Per direction, one bit per layer that holds a face.
    std::array<unsigned, 6> m_layers;
};

// Adds the faces of the cells in one row along z that the masks (bit z + 1
// for cell z) leave: direction by direction.
void AddRow(CCollector& collector, const CChunkCells& cells, int x, int y, const std::uint32_t masks[6])
{
    for (int f = 0; f < 6; ++f)
        for (std::uint32_t bits = masks[f] >> 1; bits; bits &= bits - 1) {
            const int z = __builtin_ctz(bits);
            collector.Add(f, x, y, z, cells.At(x, y, z));
        }
}

CCollector& Collector(const CUBEPOS& origin)
{
    // Big enough not to belong on the stack; one per thread that builds.
    static thread_local std::unique_ptr<CCollector> collector = std::make_unique<CCollector>();
    collector->Begin(origin);
    return *collector;
}

} // namespace

void BuildExposed(const CChunkCells& cells, Mesh& out, bool merge)
{
    // Whole rows at a time: a cell shows a face where the next cell that way
    // is empty.
    CCollector& collector = Collector(cells.Origin());
    constexpr std::uint32_t kInside = ((1u << kSide) - 1) << 1;
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) {
            const std::uint32_t own = cells.Row(x, y) & kInside;
            if (!own)
                continue;
            const std::uint32_t row = cells.Row(x, y);
            const std::uint32_t masks[6] = {own & ~(row << 1), own & ~cells.Row(x + 1, y), own & ~(row >> 1),
                                            own & ~cells.Row(x - 1, y), own & ~cells.Row(x, y - 1),
                                            own & ~cells.Row(x, y + 1)};
            AddRow(collector, cells, x, y, masks);
        }
    collector.Finish(out, true, merge);
}

void BuildLayer(const CChunkCells& cells, int axis, int pos, Mesh& out, bool merge)
{
    const CUBEPOS& o = cells.Origin();
    const int local = pos - (axis == 0 ? o.x : axis == 1 ? o.y : o.z);
    if (local < 0 || local >= kSide) {
        out = Mesh{};
        return;
    }
    // The layer's cubes hide only each other's faces: a neighbour across the
    // layer is outlined, not filled.
    CCollector& collector = Collector(o);
    const std::uint32_t inside = ((1u << kSide) - 1) << 1;
    const auto layerRow = [&](int x, int y) -> std::uint32_t {
        const std::uint32_t row = cells.Row(x, y);
        return axis == 2 ? row & (1u << (local + 1)) : (axis == 0 ? x : y) == local ? row : 0;
    };
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y) {
            const std::uint32_t all = layerRow(x, y), own = all & inside;
            if (!own)
                continue;
            const std::uint32_t masks[6] = {own & ~(all << 1), own & ~layerRow(x + 1, y), own & ~(all >> 1),
                                            own & ~layerRow(x - 1, y), own & ~layerRow(x, y - 1),
                                            own & ~layerRow(x, y + 1)};
            AddRow(collector, cells, x, y, masks);
        }
    collector.Finish(out, false, merge);
}

} // namespace ChunkFaces

#include "scene/ChunkWire.h"

#include <algorithm>
#include <memory>

namespace ChunkWire {

namespace {

constexpr int kSide = CChunkCells::kSide;
constexpr int kLines = (kSide + 1) * (kSide + 1);  // grid lines across a column

// The face of a cube on one side of an axis: axis 0 (x): x = 0 is face 3,
// x = 1 face 1; axis 1 (y): faces 4 and 5; axis 2 (z): faces 0 and 2.
constexpr int kFaceOnSide[3][2] = {{3, 1}, {4, 5}, {0, 2}};

std::uint32_t Texel(COLORREF c)
{
    return std::uint32_t(GetRValue(c)) | std::uint32_t(GetGValue(c)) << 8 | std::uint32_t(GetBValue(c)) << 16 |
           0xFF000000u;
}

// The four cells around an edge along an axis, as steps (d1, d2) along the
// two other axes from the edge's grid line, latest in x, y, z order first,
// each with the face it paints the edge with (the later of its two faces on
// the edge that face the viewer), or -1 when neither does.
struct Candidate {
    int d1, d2, face;
};

std::array<Candidate, 4> Candidates(const Key& key, int axis)
{
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    // Of the two other axes the one first in x, y, z order decides first.
    const bool a1First = a1 < a2;
    std::array<Candidate, 4> c{};
    int n = 0;
    for (int hi = 1; hi >= 0; --hi)
        for (int lo = 1; lo >= 0; --lo) {
            const int d1 = a1First ? hi : lo, d2 = a1First ? lo : hi;
            // A cell before the line has the edge on its far side.
            const int f1 = kFaceOnSide[a1][d1 ? 0 : 1], f2 = kFaceOnSide[a2][d2 ? 0 : 1];
            int face = -1;
            if (key.front[std::size_t(f1)])
                face = f1;
            if (key.front[std::size_t(f2)])
                face = std::max(face, f2);
            c[std::size_t(n++)] = {d1, d2, face};
        }
    return c;
}

// Places runs in the texture and writes their line ends.
class CRunWriter {
public:
    CRunWriter(Mesh& mesh, int width) : m_mesh(mesh) { m_mesh.textureWidth = width; }

    // A run of edges along axis from k0 on the grid line at base, one colour
    // per edge.
    void Add(int face, int axis, const int base[3], int k0, const COLORREF* colors, int n)
    {
        const int width = m_mesh.textureWidth;
        const bool single = std::all_of(colors, colors + n, [&](COLORREF c) { return c == colors[0]; });
        if (!single && n + 2 > width) {
            // Each piece's pixels just past its ends take that end's colour:
            // the pieces meet where the edges' colours change anyway.
            for (int done = 0; done < n; done += width - 2)
                Add(face, axis, base, k0 + done, colors + done, std::min(width - 2, n - done));
            return;
        }
        const int need = single ? 1 : n + 2;
        if (m_column + need > width) {
            ++m_row;
            m_column = 0;
        }
        const std::size_t at = std::size_t(m_row) * std::size_t(width) + std::size_t(m_column);
        if (m_mesh.texels.size() < at + std::size_t(need))
            m_mesh.texels.resize(std::size_t(m_row + 1) * std::size_t(width), 0xFF000000u);
        std::uint32_t* texels = &m_mesh.texels[at];
        float s0, s1;
        if (single) {
            texels[0] = Texel(colors[0]);
            s0 = s1 = (float(m_column) + 0.5f) / float(width);
        } else {
            texels[0] = Texel(colors[0]);
            for (int i = 0; i < n; ++i)
                texels[1 + i] = Texel(colors[i]);
            texels[1 + n] = Texel(colors[n - 1]);
            s0 = float(m_column + 1) / float(width);
            s1 = float(m_column + 1 + n) / float(width);
        }
        m_column += need;
        LineVertex a{std::int16_t(base[0]), std::int16_t(base[1]), std::int16_t(base[2]), 0, s0, float(m_row)};
        LineVertex b = a;
        (&a.x)[axis] = std::int16_t(k0);
        (&b.x)[axis] = std::int16_t(k0 + n);
        b.s = s1;
        m_mesh.lines[std::size_t(face)].push_back(a);
        m_mesh.lines[std::size_t(face)].push_back(b);
    }

    void Finish()
    {
        m_mesh.textureRows = m_mesh.texels.empty() ? 0 : m_row + 1;
        // The row numbers become texture coordinates: the middle of the row.
        const float rows = float(std::max(1, m_mesh.textureRows));
        for (auto& lines : m_mesh.lines)
            for (LineVertex& v : lines)
                v.t = (v.t + 0.5f) / rows;
    }

private:
    Mesh& m_mesh;
    int m_row = 0, m_column = 0;
};

// The lines of each face direction nearest to the viewer first, so that
// what they hide fails the depth test before it is shaded: across the axis
// the faces facing the viewer say which side is nearer.
void NearestFirst(const Key& key, int axis, Mesh& mesh)
{
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    const auto toward = [&](int a) {
        const bool low = key.front[std::size_t(kFaceOnSide[a][0])], high = key.front[std::size_t(kFaceOnSide[a][1])];
        return low == high ? 0 : high ? 1 : -1;
    };
    const int w1 = toward(a1), w2 = toward(a2);
    if (w1 == 0 && w2 == 0)
        return;
    static thread_local std::vector<std::pair<int, std::size_t>> order;
    static thread_local std::vector<LineVertex> sorted;
    for (auto& lines : mesh.lines) {
        order.clear();
        for (std::size_t i = 0; i < lines.size(); i += 2)
            order.push_back({-(w1 * (&lines[i].x)[a1] + w2 * (&lines[i].x)[a2]), i});
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        sorted.clear();
        for (const auto& o : order) {
            sorted.push_back(lines[o.second]);
            sorted.push_back(lines[o.second + 1]);
        }
        lines.assign(sorted.begin(), sorted.end());
    }
}

} // namespace

Key KeyFor(const Key& key, int axis, const CUBEPOS& origin)
{
    Key k = key;
    const int o[3] = {origin.x, origin.y, origin.z};
    // The layer's cells are the last painters of nothing; they change the
    // edges of the grid lines beside them.
    if (key.axis < 0 || key.axis > 2 || key.axis == axis || key.pos < o[key.axis] - 1 ||
        key.pos > o[key.axis] + kSide)
        k.axis = k.pos = -1;
    return k;
}

std::size_t Mesh::LineCount() const
{
    std::size_t n = 0;
    for (const auto& l : lines)
        n += l.size() / 2;
    return n;
}

std::size_t Mesh::Bytes() const
{
    std::size_t n = texels.size() * sizeof(std::uint32_t);
    for (const auto& l : lines)
        n += l.size() * sizeof(LineVertex);
    return n;
}

bool Mesh::Empty() const
{
    return std::all_of(lines.begin(), lines.end(), [](const auto& l) { return l.empty(); });
}

int TextureWidth(int length)
{
    int width = 16;
    while (width < length + 2)
        width *= 2;
    return width;
}

void Build(const CCubeStore& store, const GridSize& box, int axis, const ChunkKey& column, const Key& key, Mesh& out,
           int textureWidth)
{
    out = Mesh{};
    const int a1 = (axis + 1) % 3, a2 = (axis + 2) % 3;
    const int side[3] = {box.x, box.y, box.z};
    const int length = side[axis];
    if (length <= 0 || side[a1] <= 0 || side[a2] <= 0)
        return;
    CRunWriter writer(out, textureWidth >= 3 ? textureWidth : TextureWidth(length));
    const auto candidates = Candidates(key, axis);

    // Each grid line's open run and the colours of its edges so far.
    struct Run {
        int start = -1, face = -1;
    };
    std::array<Run, kLines> runs{};
    static thread_local std::vector<COLORREF> colors;
    colors.resize(std::size_t(kLines) * std::size_t(length));
    static thread_local std::unique_ptr<CChunkCells> scratch = std::make_unique<CChunkCells>();
    CChunkCells& cells = *scratch;

    int chunk[3] = {column.x, column.y, column.z};
    const CUBEPOS first = CCubeChunk::Origin(column);
    const int o[3] = {first.x, first.y, first.z};
    const auto close = [&](int line, int end) {
        Run& r = runs[std::size_t(line)];
        int base[3];
        base[axis] = 0;
        base[a1] = o[a1] + line / (kSide + 1);
        base[a2] = o[a2] + line % (kSide + 1);
        writer.Add(r.face, axis, base, r.start, &colors[std::size_t(line) * std::size_t(length) + std::size_t(r.start)],
                   end - r.start);
        r.start = -1;
    };
    for (chunk[axis] = 0; chunk[axis] * kSide < length; ++chunk[axis]) {
        const int k0 = chunk[axis] * kSide, k1 = std::min(length, k0 + kSide);
        if (!cells.Gather(store, box, {chunk[0], chunk[1], chunk[2]})) {
            // No painter here: every open run ends.
            for (int line = 0; line < kLines; ++line)
                if (runs[std::size_t(line)].start >= 0)
                    close(line, k0);
            continue;
        }
        const int layer = key.axis >= 0 && key.axis <= 2 ? key.pos - (key.axis == axis ? k0 : o[key.axis]) : kSide + 2;
        // Whether the cell (local coordinates) draws its outline.
        const auto outlined = [&](const int c[3]) {
            return cells.Filled(c) && (key.axis < 0 || key.axis > 2 || c[key.axis] != layer);
        };
        for (int line = 0; line < kLines; ++line) {
            const int i = line / (kSide + 1), j = line % (kSide + 1);
            Run& run = runs[std::size_t(line)];
            for (int k = k0; k < k1; ++k) {
                // The painter of the edge from k to k + 1, if this column holds it.
                int painted = -1;
                COLORREF color = CLR_NONE;
                for (const Candidate& cand : candidates) {
                    if (cand.face < 0)
                        continue;
                    int c[3];
                    c[axis] = k - k0;
                    c[a1] = i - 1 + cand.d1;
                    c[a2] = j - 1 + cand.d2;
                    if (!outlined(c))
                        continue;
                    if (c[a1] >= 0 && c[a1] < kSide && c[a2] >= 0 && c[a2] < kSide) {
                        painted = cand.face;
                        color = cells.At(c);
                    }
                    break;
                }
                if (run.start >= 0 && painted != run.face)
                    close(line, k);
                if (painted < 0)
                    continue;
                if (run.start < 0) {
                    run.start = k;
                    run.face = painted;
                }
                colors[std::size_t(line) * std::size_t(length) + std::size_t(k)] = color;
            }
        }
    }
    for (int line = 0; line < kLines; ++line)
        if (runs[std::size_t(line)].start >= 0)
            close(line, length);
    writer.Finish();
    NearestFirst(key, axis, out);
}

} // namespace ChunkWire

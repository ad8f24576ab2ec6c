#pragma once

#include "scene/CubeGridMirror.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// The cube edges of a wireframe, worked out without GL.
//
// The literal drawing outlines every front face of every cube, so an edge
// shared by several faces is painted once per face and the last one painted
// shows. Here each edge is kept once, with the colour and face of that last
// painter, and the edges of one grid line that follow each other with the
// same face become one long line: on a software rasteriser every line costs
// about the same however short it is, and a full grid has some 200 000 edges
// but only a few thousand grid lines.
//
// A long line cannot change colour along its length, so the colours go into
// a texture: each run of edges has its own stretch of texels, one per edge,
// with the run's end colours repeated once on either side so that a pixel
// just past an end still takes the colour of that end. The face of a run
// decides its light, which GL computes as for the cubes.
//
// Edges are grouped by axis and by their first cross coordinate; an edit
// rebuilds only the groups of the cell's edges.
class CWireframeRuns {
public:
    // What the edges are worked out for: which face directions face the
    // viewer and which layer is drawn filled instead of outlined.
    struct Key {
        std::array<bool, 6> front{};
        int axis = -1, pos = -1;
        bool showCanvas = false;
        friend bool operator==(const Key&, const Key&) = default;
    };
    // One end of a run: grid position and texture coordinates (0..1).
    struct Vertex {
        float x, y, z, s, t;
    };
    // Texels are stored as bytes r, g, b, a.
    using Texel = std::array<std::uint8_t, 4>;

    // Any grid the document allows (at most 64000 cells) needs fewer than
    // 800 rows at this width, well within what every GL driver takes.
    static constexpr int kTextureWidth = 2048;

    // Lays out the texture for the grid's size and marks everything for
    // rebuilding. Call after the grid mirror was rebuilt.
    void Reset(const CCubeGridMirror& grid);
    // Changes what the edges are for; everything is rebuilt if it differs.
    void SetKey(const Key& key);
    // One cell of the grid mirror changed.
    void CellChanged(int x, int y, int z);
    // Rebuilds what changed since the last call.
    void Update(const CCubeGridMirror& grid);

    const Key& CurrentKey() const { return m_key; }
    int TextureHeight() const { return m_textureHeight; }
    const std::vector<Texel>& Texels() const { return m_texels; }
    // Rows of the texture changed by the updates since the last call, as
    // [first, last); empty when none.
    std::pair<int, int> TakeChangedRows();
    // The runs of every group, as pairs of line ends, by face direction.
    struct Group {
        std::array<std::vector<Vertex>, 6> lines;
    };
    const std::vector<Group>& Groups() const { return m_groups; }

    std::size_t MemoryBytes() const;

private:
    // The last painter of one edge.
    struct Edge {
        bool drawn = false;
        COLORREF color = CLR_NONE;
        int face = -1;
    };
    // The last painter of the edge along axis from k to k + 1 at cross
    // coordinates i (axis + 1) and j (axis + 2), all counted in grid units.
    Edge Painter(const CCubeGridMirror& grid, int axis, int i, int j, int k) const;

    struct AxisLayout {
        int length = 0;          // edges on one grid line
        int n1 = 0, n2 = 0;      // grid lines: (n1 + 1) x (n2 + 1)
        int chunks = 0;          // stretches of at most kChunk edges per line
        int slotWidth = 0;       // texels reserved for one stretch
        int slotsPerRow = 0;
        int firstRow = 0;
        int firstGroup = 0;
    };
    static constexpr int kChunk = 64;

    bool DrawsLines(const CCubeGridMirror& grid, int x, int y, int z) const;
    void BuildGroup(const CCubeGridMirror& grid, int axis, int i);
    void MarkGroup(int axis, int i);
    std::pair<int, int> SlotPlace(const AxisLayout& a, int slot) const;  // row, column

    Key m_key;
    std::array<AxisLayout, 3> m_axes{};
    int m_textureHeight = 0;
    std::vector<Texel> m_texels;
    std::vector<Group> m_groups;
    std::vector<char> m_groupDirty;
    bool m_anyDirty = false;
    int m_changedFirst = 0, m_changedLast = 0;
};

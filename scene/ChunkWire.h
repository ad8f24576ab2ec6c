#pragma once

#include "scene/ChunkCells.h"

#include <array>
#include <cstdint>
#include <vector>

// The wireframe's edges along one axis in one column of chunks (the chunks
// that follow each other along that axis), worked out without GL.
//
// The literal drawing outlines every front face of every cube, so an edge
// shared by several faces is painted once per face and the last one painted
// shows. Here each edge is kept once, with the colour and face of that last
// painter, and the edges of one grid line that follow each other with the
// same face become one line, across the whole length of the box: a software
// rasteriser pays for every line a fixed part and for every tile of the
// screen it crosses, so a full 40 x 40 x 40 grid costs some 5 000 lines
// instead of 200 000 edges.
//
// A line cannot change colour along its length, so the colours go into a
// small texture of the column's own: a run of edges in one colour takes one
// texel; a run of several colours one texel per edge, with its end colours
// repeated once on either side so that a pixel just past an end still takes
// the colour of that end. The face of a run decides its light, which GL
// computes as for the cubes.
//
// An edge belongs to the column that holds its painter, so edges are never
// drawn twice and columns without cubes have none. The lines come nearest to
// the viewer first, as far as the faces that face the viewer tell.
namespace ChunkWire {

// What the edges are worked out for: which face directions face the viewer,
// and the layer whose cubes are drawn filled instead of outlined (axis -1:
// none).
struct Key {
    std::array<bool, 6> front{};
    int axis = -1, pos = -1;
    friend bool operator==(const Key&, const Key&) = default;
};

// The key for the edges along axis in the column whose first cell is origin:
// the layer counts only where it can change them. A layer across the axis
// only takes away the edges within it; the caller cuts those out as it draws,
// so the column does not depend on where that layer is.
Key KeyFor(const Key& key, int axis, const CUBEPOS& origin);

// One end of a run: grid position and texture coordinates (0..1).
struct LineVertex {
    std::int16_t x, y, z, pad;
    float s, t;
};
static_assert(sizeof(LineVertex) == 16);

struct Mesh {
    // Pairs of line ends, by the face direction that paints them.
    std::array<std::vector<LineVertex>, 6> lines;
    // textureWidth x textureRows texels, bytes r, g, b, a.
    int textureWidth = 0, textureRows = 0;
    std::vector<std::uint32_t> texels;

    std::size_t LineCount() const;
    std::size_t Bytes() const;
    bool Empty() const;
};

// The column of chunks along axis through the chunk at key (its coordinate
// along axis is not used). The texture is textureWidth texels wide, or by
// default the smallest power of two that holds a run along the whole side
// with its two end colours; a run of several colours longer than the width
// holds is drawn as several lines.
int TextureWidth(int length);
void Build(const CCubeStore& store, const GridSize& box, int axis, const ChunkKey& key, const Key& wireKey,
           Mesh& out, int textureWidth = 0);

} // namespace ChunkWire

#pragma once

#include "scene/ChunkCells.h"

#include <array>
#include <cstdint>
#include <vector>

// The filled faces of one chunk's cubes, in the form the fast drawing hands to
// GL, built without GL. Faces are grouped by direction in the unit cube's face
// order (z = 0, x = 1, z = 1, x = 0, y = 0, y = 1): with an orthographic
// camera all faces of one direction face the viewer or none does, so only
// three groups are drawn.
//
// A face is two triangles whose last corner carries the face's colour: with
// flat shading GL colours a triangle from its last corner, so the other
// corners can be shared with any face of the same direction, and a surface
// of n faces costs about n corners to transform instead of 4n.
namespace ChunkFaces {

// Neighbour offset, which is also the outward normal, of each direction.
extern const std::array<std::array<int, 3>, 6> kOffset;

// One corner: grid position in whole units and a colour.
struct Vertex {
    std::int16_t x, y, z, pad;
    std::uint8_t r, g, b, a;
};
static_assert(sizeof(Vertex) == 12);

struct Part {
    std::vector<Vertex> vertices;
    // Three corners per triangle, two triangles per face (or rectangle of
    // faces).
    std::vector<std::uint16_t> triangles;
    // Two corners per line: the outline of every face, the outlines of faces
    // side by side joined into one line along the grid line they share.
    std::vector<std::uint16_t> edges;
};

struct Mesh {
    std::array<Part, 6> parts;
    std::size_t FaceCount() const;
    std::size_t Bytes() const;
    bool Empty() const;
};

// The corner offsets of the unit cube's face in a direction, in the order
// its two triangles send them.
std::array<std::array<int, 3>, 6> TriangleCorners(int direction);

// Every face of a cube of the chunk whose neighbour is empty (or outside the
// box), with outlines: a face between two cubes can never be seen. With merge,
// faces of one colour side by side in a plane become one rectangle (two
// triangles): a software rasteriser pays mostly per triangle, and the faces
// of a large model are a pixel or two wide. The outlines stay those of every
// face. The pixels along the rectangles' inner seams may differ from the
// face-by-face drawing in the last bit of depth, so grids the literal drawing
// is compared with are built without it.
void BuildExposed(const CChunkCells& cells, Mesh& out, bool merge = false);

// The faces of the cubes of one layer (cells whose coordinate along axis is
// pos) except those between two of them, without outlines: how a wireframe
// shows the canvas layer's cubes filled.
void BuildLayer(const CChunkCells& cells, int axis, int pos, Mesh& out, bool merge = false);

} // namespace ChunkFaces

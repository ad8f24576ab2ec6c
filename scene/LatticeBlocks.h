#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The frame's and the canvas's lattices as the fast drawing holds them: the
// lines of SceneGeometry's lattices in blocks small enough that a view zoomed
// in on part of the grid skips the others. The canvas's posts (its lines one
// unit long across the slab) are kept apart: a 1024 x 1024 layer has a
// million of them, and seen from afar each is shorter than a pixel.
namespace LatticeBlocks {

struct Vertex {
    std::int16_t x, y, z, pad;
};
static_assert(sizeof(Vertex) == 8);

struct Block {
    std::vector<Vertex> ends;  // two per line
    std::array<int, 3> lo{}, hi{};  // bounds of the lines
};

std::vector<Block> Frame(int sizeX, int sizeY, int sizeZ);

struct Canvas {
    std::vector<Block> lines, posts;
};
Canvas CanvasSlab(int axis, int sizeX, int sizeY, int sizeZ);

} // namespace LatticeBlocks

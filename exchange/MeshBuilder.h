#pragma once

#include "exchange/ModelData.h"
#include "exchange/ModelExport.h"

#include <cstdint>
#include <vector>

// Which way is up in a written mesh. Ours is y up (x right, z toward the
// viewer); ZUp turns the model by (x, y, z) -> (x, -z, y), a rotation, so a
// right-handed model stays right-handed.
enum class MeshAxes { YUp, ZUp };

// Whether the faces keep their cubes' colours, or are all one (white), so
// that faces of every colour merge alike (STL has no colours).
enum class MeshColours { OfCubes, One };

// The visible surface of a model as plain triangles: only faces between a
// cube and an empty cell (or the outside of the grid), merged greedily into
// rectangles of one colour per plane. One unit per cube edge; the origin is
// the centre of the grid box's floor.
//
// Merged rectangles would leave T-junctions where a long edge passes the
// corner of a smaller neighbour. Every rectangle edge is therefore split at
// each corner of another rectangle lying on it, so that every edge of the
// surface is shared by exactly two triangles of opposite direction (four
// where two cubes touch only along an edge) and the mesh is closed for
// printing and crack-free in renderers.
struct CubeMesh {
    std::vector<float> positions;  // x, y, z per vertex
    std::vector<float> normals;    // x, y, z per vertex, unit, outward
    std::vector<COLORREF> colors;  // per vertex, the cube's sRGB bytes
    std::vector<std::uint32_t> triangles; // three vertices each, counter-clockwise from outside
    std::int64_t exposedFaces = 0; // unit faces before merging: one quad each
    std::int64_t rectangles = 0;   // after merging
    // When the mesh was refused for its size: how many triangles it needs at
    // least (exactly, once the rectangles were few enough to be cut up).
    std::int64_t refusedTriangles = 0;

    std::size_t VertexCount() const { return colors.size(); }
    std::size_t TriangleCount() const { return triangles.size() / 3; }
};

// The most triangles a mesh may have. Measured on a model of a million
// triangles: building the mesh takes 115 bytes a triangle, and writing it
// peaks at about 360 (STL), 670 (PLY), 1100 (OBJ) and 1250 (glTF) bytes a
// triangle in all, most of it in Assimp's exporters. So a mesh at the limit
// needs up to about 12 GB; a larger one is refused before its vertices are
// allocated, instead of failing for want of memory part-way.
inline constexpr std::int64_t kMaxMeshTriangles = 10'000'000;

// Builds the mesh; false when progress asked to stop or when it would need
// more than maxTriangles (then mesh.refusedTriangles says how many).
bool BuildCubeMesh(const ModelData& model, MeshAxes axes, CubeMesh& mesh,
                   const ExportProgress& progress = {}, std::int64_t maxTriangles = kMaxMeshTriangles,
                   MeshColours colours = MeshColours::OfCubes);

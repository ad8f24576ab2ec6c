#pragma once

#include "view/CubeGridMirror.h"
#include "view/CubeMesh.h"
#include "view/SceneRenderer.h"

#include <array>
#include <vector>

// Draws the cubes element fast, with the picture of the literal drawing:
//
// - Filled cubes (with or without black edges): only the faces that border an
//   empty cell are drawn, from vertex arrays cached per x layer of the grid.
//   A face between two cubes cannot be seen: the literal drawing hides it
//   behind the cubes' outer faces.
// - Wireframe: inner edges show, so every edge of every front face counts.
//   Where several faces share an edge, the literal drawing paints it once per
//   face and the last one painted shows; here each edge is drawn once, in the
//   colour and light of that last face. The cubes of the shown canvas layer
//   are drawn filled, as in the literal drawing.
//
// An edit rebuilds only the layers next to the edited cell.
class CFastCubeRenderer : public SceneRenderer::ICubeDrawer {
public:
    // The whole model changed (new grid size, new model, clear).
    void Reset();
    // One cell of the document changed.
    void CellChanged(const CMiravelDoc& doc, const CUBEPOS& pos);

    void DrawCubes(const CViewState& view, const CMiravelDoc& doc,
                   const SceneRenderer::Target& target) override;
    void DrawCellCube(int x, int y, int z) override;

    // Brings the geometry for the view's polygon mode up to date without
    // drawing (the view's m_viewWidth and m_viewHeight must be set).
    void Prepare(const CViewState& view, const CMiravelDoc& doc);
    // Bytes held by the dense grid copy and the cached geometry.
    std::size_t MemoryBytes() const;

private:
    // What the wireframe edges were worked out for: which face directions
    // face the viewer and which layer is drawn filled.
    struct WireKey {
        std::array<bool, 6> front{};
        int axis = -1, pos = -1;
        bool showCanvas = false;
        friend bool operator==(const WireKey&, const WireKey&) = default;
    };
    struct WireSlab {
        // Pairs of line ends, grouped by the direction of the face whose
        // colour and light the edge takes.
        std::array<std::vector<CubeMesh::Vertex>, 6> lines;
    };

    void EnsureGrid(const CMiravelDoc& doc);
    void PrepareFilled();
    void PrepareWire(const WireKey& key);
    void BuildWireSlab(int x, WireSlab& slab) const;
    bool DrawsLines(int x, int y, int z) const;
    void DrawFilled(const CViewState& view);
    void DrawWire(const CViewState& view);
    WireKey CurrentWireKey(const CViewState& view, const CMiravelDoc& doc) const;

    CCubeGridMirror m_grid;
    bool m_resetPending = true;
    std::vector<CubeMesh::Slab> m_slabs;
    std::vector<char> m_dirty;
    std::vector<WireSlab> m_wire;
    std::vector<char> m_wireDirty;
    WireKey m_wireKey;
    std::vector<CubeMesh::Vertex> m_layerFaces;  // scratch for the filled canvas layer
};

#pragma once

#include "scene/CubeGridMirror.h"
#include "scene/CubeMesh.h"
#include "render/SceneRenderer.h"
#include "scene/WireframeRuns.h"

#include <array>
#include <vector>

// Draws the cubes element fast, with the picture of the literal drawing:
//
// - Filled cubes (with or without black edges): only the faces that border an
//   empty cell are drawn, from vertex arrays cached per x layer of the grid.
//   A face between two cubes cannot be seen: the literal drawing hides it
//   behind the cubes' outer faces.
// - Wireframe: inner edges show, so every edge of every front face counts;
//   each is drawn once, in the colour and light of the face the literal
//   drawing paints last, and the edges along one grid line go as long lines
//   coloured from a texture (see CWireframeRuns). The cubes of the shown
//   canvas layer are drawn filled, as in the literal drawing.
//
// An edit rebuilds only the geometry next to the edited cell.
//
// The wireframe's texture is the only GL object held: ReleaseGL must be
// called with the context current before the context goes away.
class CFastCubeRenderer : public SceneRenderer::ICubeDrawer {
public:
    // The whole model changed (new grid size, new model, clear).
    void Reset();
    // One cell of the document changed.
    void CellChanged(const CMiravelDoc& doc, const CUBEPOS& pos);

    void DrawCubes(const CViewState& view, const CMiravelDoc& doc,
                   const SceneRenderer::Target& target) override;
    void DrawCellCube(int x, int y, int z) override;

    // Brings the geometry for the view's cube style up to date without
    // drawing, for a client area of the given size.
    void Prepare(const CViewState& view, ViewSize size, const CMiravelDoc& doc);
    // Bytes held by the dense grid copy and the cached geometry.
    std::size_t MemoryBytes() const;
    // Deletes the texture; the context must be current.
    void ReleaseGL();
    // A new context: names of the old one mean nothing in it.
    void ForgetGL() { m_texture = 0, m_textureRows = 0; }

private:
    void EnsureGrid(const CMiravelDoc& doc);
    void PrepareFilled();
    void PrepareWire(const CWireframeRuns::Key& key);
    void DrawFilled(const CViewState& view);
    void DrawWire(const CViewState& view);
    void UploadWireTexture();
    CWireframeRuns::Key CurrentWireKey(const CViewState& view, ViewSize size, const CMiravelDoc& doc) const;

    CCubeGridMirror m_grid;
    bool m_resetPending = true;
    std::vector<CubeMesh::Slab> m_slabs;
    std::vector<char> m_dirty;
    CWireframeRuns m_wire;
    bool m_wireLaidOut = false;   // m_wire matches the grid's size
    std::uint32_t m_texture = 0;
    int m_textureRows = 0;        // rows of the texture as GL holds it
    std::vector<CubeMesh::Vertex> m_layerFaces;  // scratch for the filled canvas layer
};

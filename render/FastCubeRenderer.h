#pragma once

#include "render/FastLattice.h"
#include "render/WireAtlas.h"
#include "render/SceneRenderer.h"
#include "scene/Camera.h"
#include "scene/ChunkCells.h"
#include "scene/ChunkFaces.h"
#include "scene/ChunkWire.h"

#include <array>
#include <memory>
#include <vector>

// Draws the cubes element fast, with the picture of the literal drawing, from
// geometry cached per chunk of the grid box (16 x 16 x 16 cells, the store's
// own chunks) and held by GL in buffer objects:
//
// - Filled cubes (with or without black edges): only the faces that border an
//   empty cell, grouped by direction so that only the three directions facing
//   the viewer are sent; black edges as the faces' outlines, those of faces
//   side by side joined into one line. A face between two cubes cannot be
//   seen: the literal drawing hides it behind the cubes' outer faces.
// - Wireframe: inner edges show, so every edge of every front face counts;
//   each is drawn once, in the colour and light of the face the literal
//   drawing paints last, the edges along one grid line joined over the whole
//   length of the box (see ChunkWire); they are cached per column of chunks
//   and axis, their colours in a shared texture (see WireAtlas), and drawn
//   nearest first, so that most of what lies behind fails the depth test
//   before it is shaded. The cubes of the shown canvas layer are drawn filled, as in the
//   literal drawing.
//
// Frame time follows what is drawn: chunks without cubes cost nothing and
// chunks outside the view are skipped. An edit rebuilds only the chunks (and
// columns) next to the edited cells, before the next frame. Everything else (a new model,
// a turn, the wireframe seen from another side) may be built over several
// frames when a budget is set, each frame drawing what is ready.
//
// The buffers and textures belong to the context: ReleaseGL must be called
// with it current before it goes away, ForgetGL when a new one replaces it.
class CFastCubeRenderer : public SceneRenderer::ICubeDrawer {
public:
    CFastCubeRenderer();
    ~CFastCubeRenderer() override;
    CFastCubeRenderer(const CFastCubeRenderer&) = delete;
    CFastCubeRenderer& operator=(const CFastCubeRenderer&) = delete;

    // The whole model changed (new grid size, new model, a turn).
    void Reset();
    // One cell of the document changed.
    void CellChanged(const CMiravelDoc& doc, const CUBEPOS& pos);
    // Cells in these chunks of the store changed.
    void ChunksChanged(const CMiravelDoc& doc, const std::vector<ChunkKey>& chunks);

    void DrawCubes(const CViewState& view, const CMiravelDoc& doc,
                   const SceneRenderer::Target& target) override;
    void DrawCellCube(int x, int y, int z) override;
    bool DrawFrameLattice(const CViewState& view, const CMiravelDoc& doc, const SceneRenderer::Target& t) override;
    bool DrawLayerLattice(const CViewState& view, const CMiravelDoc& doc, int layer,
                          const SceneRenderer::Target& t) override;

    // Brings the geometry for the view's cube style up to date without
    // drawing (and without GL), for a client area of the given size.
    void Prepare(const CViewState& view, ViewSize size, const CMiravelDoc& doc);
    // How long a frame may spend building geometry that no edit asked for;
    // 0 (the default) builds everything before drawing.
    void SetBuildBudget(double milliseconds) { m_budgetMs = milliseconds; }
    // Whether the last frame left geometry unbuilt: another frame is due.
    bool HasPendingWork() const { return m_pending; }
    // How much of the geometry the style needs is built, 0 to 1.
    double BuiltFraction() const { return m_pending ? m_builtFraction : 1.0; }
    // Bytes held by the cached geometry, in GL and waiting for it.
    std::size_t MemoryBytes() const;
    // What the last frame drew.
    struct Stats {
        std::size_t chunks = 0, faces = 0, lines = 0;
    };
    const Stats& LastFrame() const { return m_stats; }

    // Deletes the buffers and textures; the context must be current.
    void ReleaseGL();
    // A new context: names of the old one mean nothing in it.
    void ForgetGL();

private:
    struct FaceRange {
        std::uint32_t vertexOffset = 0, triangleOffset = 0, triangleCount = 0, edgeOffset = 0, edgeCount = 0;
    };
    struct FacesGL {
        std::uint32_t buffer = 0;
        std::array<FaceRange, 6> parts{};
        std::size_t bytes = 0;
    };
    struct LinesGL {
        std::uint32_t buffer = 0;
        CWireAtlas::Slot colors;
        std::array<std::uint32_t, 6> first{}, count{};  // line ends
        std::size_t bytes = 0;
    };
    enum class State : std::uint8_t { Missing, Built, Edited };
    // A chunk of the box: its filled faces and, while a wireframe shows the
    // canvas layer through it, the layer's filled cubes.
    struct Chunk {
        State faces = State::Missing;
        State layer = State::Missing;
        int layerAxis = -1, layerPos = -1;
        std::unique_ptr<ChunkFaces::Mesh> facesMesh, layerMesh;  // built, not yet in GL
        FacesGL facesGL, layerGL;
    };
    // The wireframe's edges along one axis through a column of chunks.
    struct Column {
        State state = State::Missing;
        ChunkWire::Key key;
        std::unique_ptr<ChunkWire::Mesh> mesh;
        LinesGL gl;
    };

    void EnsureTables(const CMiravelDoc& doc);
    Chunk& ChunkAt(int x, int y, int z);
    Column& ColumnOf(int axis, const int chunk[3]);
    void MarkChunk(int x, int y, int z);
    // Builds what the style needs; returns whether all of it is built.
    bool Build(const CViewState& view, ViewSize size, const CMiravelDoc& doc, double budgetMs);
    // Notes how much is built when a frame's budget ran out; returns false.
    bool NoteBuilt(bool wire, const ChunkWire::Key& key);
    void DropWire();
    void Upload();
    void Trash(FacesGL& gl);
    void Trash(LinesGL& gl);
    void EmptyTrash();
    void DrawFilled(const CViewState& view, const std::array<bool, 6>& front, const Mat4& mvp, double margin);
    void DrawWire(const CViewState& view, const std::array<bool, 6>& front, const Mat4& mvp, double margin);
    void DrawFaceParts(const FacesGL& gl, const std::array<bool, 6>& front, bool edges);
    bool Visible(const Mat4& mvp, double margin, const int lo[3], const int hi[3]) const;
    // The chunks with faces (axis 3) or the columns along an axis with edges
    // that the view shows, with their depth in the middle.
    struct Placed {
        double depth;
        int axis;  // of a column; -1 for a chunk
        std::size_t index;
    };
    std::vector<Placed> InViewOrder(const Mat4& mvp, double margin, int axis) const;
    static void NearestFirst(std::vector<Placed>& order);
    ChunkWire::Key CurrentWireKey(const CViewState& view, ViewSize size, const CMiravelDoc& doc) const;

    std::vector<Chunk> m_chunks;
    std::array<std::vector<Column>, 3> m_columns;  // by axis
    std::array<int, 3> m_count{};                  // chunks along each axis of the box
    GridSize m_box;
    bool m_merge = false;  // faces of one colour merged (large grids)
    bool m_resetPending = true;
    bool m_pending = false;
    bool m_wireHeld = false;
    double m_budgetMs = 0;
    double m_builtFraction = 0;
    CChunkCells m_cells;
    CFastLattice m_lattice;
    CWireAtlas m_atlas;
    std::vector<std::uint32_t> m_trashBuffers, m_trashTextures;
    Stats m_stats;
};

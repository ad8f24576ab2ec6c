#pragma once

#include "scene/Camera.h"
#include "scene/CameraState.h"
#include "scene/LatticeBlocks.h"

#include <cstdint>
#include <vector>

// The frame's and the canvas's lattices drawn from buffer objects, for the
// fast drawing: the lines of the display lists, in blocks, those outside the
// view skipped; and the canvas's posts (its lines one unit long across the
// slab) left out while each is shorter than half a device pixel: such a post
// runs from one crossing of the slab's own lines to the matching crossing on
// its other face, and those lines already fill the pixel it could fill.
// Building these takes milliseconds where compiling a list of a 1024 x 1024
// layer's million posts takes seconds.
//
// The buffers belong to the context, as the cube drawer's do.
class CFastLattice {
public:
    // Draws with the colour, line width and transform in place. mvp is the
    // whole transform, device the framebuffer's size in pixels.
    void DrawFrame(int sizeX, int sizeY, int sizeZ, const Mat4& mvp, ViewSize device);
    // The canvas lattice of the axis, already translated to its layer.
    void DrawCanvas(int axis, int sizeX, int sizeY, int sizeZ, const Mat4& mvp, ViewSize device);

    std::size_t MemoryBytes() const { return m_frame.bytes + m_canvas.bytes; }
    void ReleaseGL();
    void ForgetGL();

private:
    struct Range {
        std::int32_t first = 0, count = 0;
        std::array<int, 3> lo{}, hi{};
    };
    struct Set {
        std::uint32_t buffer = 0;
        std::array<int, 4> key{-1, -1, -1, -1};  // sizes and axis it was built for
        std::vector<Range> lines, posts;
        std::size_t bytes = 0;
    };
    static void Upload(Set& set, const std::vector<LatticeBlocks::Block>& lines,
                       const std::vector<LatticeBlocks::Block>& posts);
    static void Draw(const Set& set, const std::vector<Range>& ranges, const Mat4& mvp);
    static void Delete(Set& set);

    Set m_frame, m_canvas;
};

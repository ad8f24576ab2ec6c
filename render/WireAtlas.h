#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The wireframe's edge colours of every column in a few large textures
// (pages) instead of one texture per column: llvmpipe pays for each change
// of texture between draws about as much as for sampling all the lines'
// pixels, so a frame that draws eighty columns from one page runs a fifth
// faster than one that binds eighty textures.
//
// A page is as wide as every column's texture (the columns are built for
// that width) and holds columns' rows one after the other; a column's rows
// are freed when it is rebuilt or dropped, and a page left empty is deleted
// at the next Collect. The rows are bookkept without GL; Place, Collect and
// Release need the context current.
class CWireAtlas {
public:
    struct Slot {
        int page = -1;
        int row = 0, rows = 0;
        explicit operator bool() const { return page >= 0; }
    };

    CWireAtlas() = default;
    CWireAtlas(const CWireAtlas&) = delete;
    CWireAtlas& operator=(const CWireAtlas&) = delete;

    // The width the columns are built for; a new width empties the atlas
    // (its pages go to trash, for the caller to delete with the context).
    void SetWidth(int width, std::vector<std::uint32_t>& trash);
    int Width() const { return m_width; }

    // Rows for a column's texels (rows x Width() bytes r, g, b, a), uploaded;
    // a new page is made when none has room, tall enough for `hint` rows
    // (what waits for upload) if the driver allows. An empty slot when
    // the driver cannot hold the column.
    Slot Place(int rows, int hint, const std::uint32_t* texels);
    void Free(Slot& slot);
    std::uint32_t Texture(int page) const { return m_pages[std::size_t(page)].texture; }
    int PageRows(int page) const { return m_pages[std::size_t(page)].rows; }

    // Deletes the pages no column uses any more.
    void Collect();
    // Deletes every page; the context must be current.
    void Release();
    // A new context: the old pages' names mean nothing in it.
    void Forget() { m_pages.clear(); }
    std::size_t Bytes() const;

private:
    struct Page {
        std::uint32_t texture = 0;
        int rows = 0, used = 0;
        std::vector<std::uint8_t> taken;  // per row
    };
    int m_width = 0;
    int m_maxSide = 0;  // the driver's largest texture side, asked once
    std::vector<Page> m_pages;
};

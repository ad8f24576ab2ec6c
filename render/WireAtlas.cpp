#include "render/WireAtlas.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

constexpr int kFewestRows = 64;

} // namespace

void CWireAtlas::SetWidth(int width, std::vector<std::uint32_t>& trash)
{
    if (width == m_width)
        return;
    for (Page& p : m_pages)
        if (p.texture)
            trash.push_back(p.texture);
    m_pages.clear();
    m_width = width;
}

CWireAtlas::Slot CWireAtlas::Place(int rows, int hint, const std::uint32_t* texels)
{
    if (rows <= 0 || m_width <= 0)
        return {};
    if (m_maxSide == 0) {
        GLint side = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
        m_maxSide = std::max(1, int(side));
    }
    if (m_width > m_maxSide || rows > m_maxSide)
        return {};
    Slot slot;
    // First fit, in the pages there are.
    for (std::size_t p = 0; p < m_pages.size() && !slot; ++p) {
        Page& page = m_pages[p];
        if (page.rows - page.used < rows)
            continue;
        int run = 0;
        for (int r = 0; r < page.rows; ++r) {
            run = page.taken[std::size_t(r)] ? 0 : run + 1;
            if (run == rows) {
                slot = {int(p), r + 1 - rows, rows};
                break;
            }
        }
    }
    if (!slot) {
        int height = kFewestRows;
        while (height < std::max(rows, hint) && height < m_maxSide)
            height *= 2;
        height = std::min(height, m_maxSide);
        Page page;
        page.rows = height;
        page.taken.assign(std::size_t(height), 0);
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, m_width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        page.texture = name;
        // The place of a deleted page, if there is one: slots name pages by index.
        const auto dead = std::find_if(m_pages.begin(), m_pages.end(), [](const Page& p) { return p.texture == 0; });
        const std::size_t at = std::size_t(dead - m_pages.begin());
        if (dead == m_pages.end())
            m_pages.push_back(std::move(page));
        else
            *dead = std::move(page);
        slot = {int(at), 0, rows};
    }
    Page& page = m_pages[std::size_t(slot.page)];
    std::fill_n(page.taken.begin() + slot.row, rows, std::uint8_t(1));
    page.used += rows;
    glBindTexture(GL_TEXTURE_2D, page.texture);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, slot.row, m_width, rows, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return slot;
}

void CWireAtlas::Free(Slot& slot)
{
    if (slot && std::size_t(slot.page) < m_pages.size()) {
        Page& page = m_pages[std::size_t(slot.page)];
        if (page.texture && slot.row + slot.rows <= page.rows) {
            std::fill_n(page.taken.begin() + slot.row, slot.rows, std::uint8_t(0));
            page.used -= slot.rows;
        }
    }
    slot = {};
}

void CWireAtlas::Collect()
{
    for (Page& p : m_pages)
        if (p.texture && p.used == 0) {
            const GLuint name = p.texture;
            glDeleteTextures(1, &name);
            p = Page{};
        }
}

void CWireAtlas::Release()
{
    for (Page& p : m_pages)
        if (p.texture) {
            const GLuint name = p.texture;
            glDeleteTextures(1, &name);
        }
    m_pages.clear();
}

std::size_t CWireAtlas::Bytes() const
{
    std::size_t n = 0;
    for (const Page& p : m_pages)
        n += std::size_t(p.rows) * std::size_t(m_width) * 4;
    return n;
}

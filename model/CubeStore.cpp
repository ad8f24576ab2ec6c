#include "model/CubeStore.h"

#include <cstring>
#include <utility>

CCubeStore::CCubeStore(const CCubeStore& other)
    : m_slots(other.m_slots), m_mask(other.m_mask), m_used(other.m_used), m_count(other.m_count)
{
    for (Slot& s : m_slots)
        if (s.chunk)
            s.chunk->m_refs.fetch_add(1, std::memory_order_relaxed);
}

CCubeStore::CCubeStore(CCubeStore&& other) noexcept
    : m_slots(std::move(other.m_slots)), m_mask(other.m_mask), m_used(other.m_used), m_count(other.m_count)
{
    other.m_slots.clear();
    other.m_mask = other.m_used = other.m_count = 0;
}

CCubeStore& CCubeStore::operator=(const CCubeStore& other)
{
    if (this != &other) {
        CCubeStore copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CCubeStore& CCubeStore::operator=(CCubeStore&& other) noexcept
{
    if (this != &other) {
        Clear();
        m_slots = std::move(other.m_slots);
        m_mask = other.m_mask;
        m_used = other.m_used;
        m_count = other.m_count;
        other.m_slots.clear();
        other.m_mask = other.m_used = other.m_count = 0;
    }
    return *this;
}

CCubeStore::~CCubeStore()
{
    Clear();
}

void CCubeStore::Release(CCubeChunk* chunk)
{
    if (chunk->m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete chunk;
}

void CCubeStore::Clear()
{
    for (Slot& s : m_slots)
        if (s.chunk)
            Release(s.chunk);
    std::vector<Slot>().swap(m_slots);
    m_mask = m_used = m_count = 0;
}

std::size_t CCubeStore::MemoryBytes() const
{
    return m_slots.capacity() * sizeof(Slot) + m_used * sizeof(CCubeChunk);
}

std::size_t CCubeStore::Probe(const ChunkKey& key) const
{
    std::size_t i = SlotOf(key);
    while (m_slots[i].chunk && !(m_slots[i].key == key))
        i = (i + 1) & m_mask;
    return i;
}

void CCubeStore::Grow()
{
    std::vector<Slot> old = std::move(m_slots);
    const std::size_t size = old.empty() ? 16 : 2 * old.size();
    m_slots.assign(size, Slot{});
    m_mask = size - 1;
    for (const Slot& s : old)
        if (s.chunk)
            m_slots[Probe(s.key)] = s;
}

CCubeChunk& CCubeStore::Writable(std::size_t slot, const ChunkKey& key)
{
    Slot& s = m_slots[slot];
    if (!s.chunk) {
        s.key = key;
        s.chunk = new CCubeChunk;
        ++m_used;
    } else if (s.chunk->m_refs.load(std::memory_order_acquire) != 1) {
        // Shared with a copy: this store takes its own from now on.
        CCubeChunk* own = new CCubeChunk(*s.chunk);
        Release(s.chunk);
        s.chunk = own;
    }
    return *s.chunk;
}

CCubeChunk& CCubeStore::ChunkToFill(const ChunkKey& key)
{
    if (m_slots.empty())
        Grow();
    std::size_t slot = Probe(key);
    if (!m_slots[slot].chunk && 2 * (m_used + 1) > m_slots.size()) {
        Grow();
        slot = Probe(key);
    }
    return Writable(slot, key);
}

void CCubeStore::EraseSlot(std::size_t slot)
{
    Release(m_slots[slot].chunk);
    m_slots[slot].chunk = nullptr;
    --m_used;
    // Linear probing without tombstones: pull later entries of the run back
    // into the gap when their home slot lies at or before it.
    std::size_t gap = slot;
    for (std::size_t i = (slot + 1) & m_mask; m_slots[i].chunk; i = (i + 1) & m_mask) {
        const std::size_t home = SlotOf(m_slots[i].key);
        const bool movable = gap <= i ? (home <= gap || home > i) : (home <= gap && home > i);
        if (movable) {
            m_slots[gap] = m_slots[i];
            m_slots[i].chunk = nullptr;
            gap = i;
        }
    }
}

void CCubeStore::Set(const CUBEPOS& p, COLORREF color)
{
    SetRow(p.x, p.y, p.z, &color, 1);
}

void CCubeStore::SetRow(std::int32_t x, std::int32_t y, std::int32_t z0, const COLORREF* colors, int count)
{
    const ChunkKey key{CCubeChunk::KeyOf(x), CCubeChunk::KeyOf(y), CCubeChunk::KeyOf(z0)};
    const int first = CCubeChunk::Index(CCubeChunk::Local(x), CCubeChunk::Local(y), CCubeChunk::Local(z0));
    if (m_slots.empty())
        Grow();
    std::size_t slot = Probe(key);
    const CCubeChunk* present = m_slots[slot].chunk;
    // Nothing to do is found without copying or creating a chunk.
    bool changes = false;
    for (int i = 0; i < count && !changes; ++i)
        changes = (present ? present->m_cells[first + i] : CLR_NONE) != colors[i];
    if (!changes)
        return;
    if (!present && 2 * (m_used + 1) > m_slots.size()) {
        Grow();
        slot = Probe(key);
    }
    CCubeChunk& chunk = Writable(slot, key);
    for (int i = 0; i < count; ++i) {
        COLORREF& cell = chunk.m_cells[first + i];
        const int delta = int(colors[i] != CLR_NONE) - int(cell != CLR_NONE);
        chunk.m_filled += delta;
        m_count = std::size_t(std::ptrdiff_t(m_count) + delta);
        cell = colors[i];
    }
    if (chunk.m_filled == 0)
        EraseSlot(slot);
}

bool operator==(const CCubeStore& a, const CCubeStore& b)
{
    if (a.m_count != b.m_count || a.m_used != b.m_used)
        return false;
    for (const CCubeStore::Slot& s : a.m_slots) {
        if (!s.chunk)
            continue;
        const CCubeChunk* other = b.FindChunk(s.key);
        if (!other)
            return false;
        if (other != s.chunk && std::memcmp(other->Cells(), s.chunk->Cells(), sizeof(COLORREF) * CCubeChunk::kCells))
            return false;
    }
    return true;
}

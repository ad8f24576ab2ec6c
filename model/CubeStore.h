#pragma once

#include "model/CubeTypes.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

// The coordinate of a chunk: the cell coordinates divided by the chunk side,
// rounded down (cell -1 lies in chunk -1).
struct ChunkKey {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;

    friend bool operator==(const ChunkKey&, const ChunkKey&) = default;
    friend bool operator<(const ChunkKey& a, const ChunkKey& b)
    {
        return a.x != b.x ? a.x < b.x : a.y != b.y ? a.y < b.y : a.z < b.z;
    }
};

// 16 x 16 x 16 cells, one colour each, CLR_NONE where empty. The cells are
// laid out like the model file: x outermost, z innermost, so the 16 cells of
// one row along z lie side by side.
class CCubeChunk {
public:
    static constexpr int kBits = 4;
    static constexpr int kSide = 1 << kBits;
    static constexpr int kCells = kSide * kSide * kSide;
    static constexpr int kMask = kSide - 1;

    static constexpr int Index(int lx, int ly, int lz) { return (lx << (2 * kBits)) | (ly << kBits) | lz; }
    static constexpr std::int32_t KeyOf(std::int32_t c) { return c >> kBits; } // arithmetic: rounds down
    static constexpr int Local(std::int32_t c) { return int(c & kMask); }
    static constexpr ChunkKey KeyOf(const CUBEPOS& p) { return {KeyOf(p.x), KeyOf(p.y), KeyOf(p.z)}; }
    static constexpr CUBEPOS Origin(const ChunkKey& k)
    {
        return {std::int32_t(std::uint32_t(k.x) << kBits), std::int32_t(std::uint32_t(k.y) << kBits),
                std::int32_t(std::uint32_t(k.z) << kBits)};
    }

    COLORREF At(int index) const { return m_cells[index]; }
    COLORREF At(int lx, int ly, int lz) const { return m_cells[Index(lx, ly, lz)]; }
    // The 16 cells along z at (lx, ly).
    const COLORREF* Row(int lx, int ly) const { return m_cells + Index(lx, ly, 0); }
    const COLORREF* Cells() const { return m_cells; }
    // How many cells hold a cube; a chunk in a store always holds at least one.
    int Filled() const { return m_filled; }

private:
    friend class CCubeStore;
    CCubeChunk() { std::fill(std::begin(m_cells), std::end(m_cells), CLR_NONE); }
    CCubeChunk(const CCubeChunk& other) : m_filled(other.m_filled)
    {
        std::copy(std::begin(other.m_cells), std::end(other.m_cells), m_cells);
    }

    // Stores that share this chunk. A store writes only to a chunk it holds
    // alone and copies a shared one first, so a copy of a store (an undo
    // snapshot, the recovery copy being written on another thread) never
    // sees a later change. The count is atomic because the other thread may
    // let its copy go while this one edits.
    std::atomic<std::int32_t> m_refs{1};
    std::int32_t m_filled = 0;
    COLORREF m_cells[kCells];
};

// The cube store: cells anywhere in the 32-bit space, each empty or holding a
// colour. A hash table from chunk coordinate to dense 16^3 chunks; a chunk
// with no cube is not kept. Lookup is constant time; memory is about 4 bytes
// per cell of every chunk that holds a cube (16 KiB a chunk).
//
// Copying a store copies only its table: the chunks are shared until one side
// writes to one (copy on write). Copies may be read on other threads while
// the original is edited; a single store is not for concurrent use.
//
// Loops over many cells walk whole chunks (ForEachChunk, ForEachChunkIn,
// ForEachRow) instead of asking for one cell at a time.
class CCubeStore {
public:
    CCubeStore() = default;
    // A store holding these cells (a later one wins where two name a cell).
    CCubeStore(std::initializer_list<std::pair<CUBEPOS, COLORREF>> cells) : CCubeStore(cells.begin(), cells.end()) {}
    template <class It>
        requires std::input_iterator<It>
    CCubeStore(It first, It last)
    {
        for (; first != last; ++first)
            Set(first->first, first->second);
    }
    CCubeStore(const CCubeStore& other);
    CCubeStore(CCubeStore&& other) noexcept;
    CCubeStore& operator=(const CCubeStore& other);
    CCubeStore& operator=(CCubeStore&& other) noexcept;
    ~CCubeStore();

    COLORREF Get(std::int32_t x, std::int32_t y, std::int32_t z) const
    {
        const CCubeChunk* chunk = FindChunk({CCubeChunk::KeyOf(x), CCubeChunk::KeyOf(y), CCubeChunk::KeyOf(z)});
        return chunk ? chunk->At(CCubeChunk::Local(x), CCubeChunk::Local(y), CCubeChunk::Local(z)) : CLR_NONE;
    }
    COLORREF Get(const CUBEPOS& p) const { return Get(p.x, p.y, p.z); }
    // The colours of the cells [z0, z0 + count) along z at (x, y), all within
    // one chunk, into out.
    void GetRow(std::int32_t x, std::int32_t y, std::int32_t z0, int count, COLORREF* out) const
    {
        const CCubeChunk* chunk = FindChunk({CCubeChunk::KeyOf(x), CCubeChunk::KeyOf(y), CCubeChunk::KeyOf(z0)});
        for (int i = 0; i < count; ++i)
            out[i] = chunk ? chunk->Row(CCubeChunk::Local(x), CCubeChunk::Local(y))[CCubeChunk::Local(z0) + i] : CLR_NONE;
    }
    // Puts a cube of the colour at the cell; CLR_NONE empties it.
    void Set(const CUBEPOS& p, COLORREF color);
    // The cells [z0, z0 + count) along z at (x, y), all within one chunk,
    // take the colours given (CLR_NONE empties). One lookup for the lot.
    void SetRow(std::int32_t x, std::int32_t y, std::int32_t z0, const COLORREF* colors, int count);

    // Puts many cubes into a store faster than Set, remembering the chunk
    // it wrote to last: for building a store (a turned copy, a read file).
    // A colour written over another replaces it; the colour is never
    // CLR_NONE (nothing is emptied this way).
    class CFiller {
    public:
        explicit CFiller(CCubeStore& store) : m_store(store) {}
        void Put(const CUBEPOS& p, COLORREF color)
        {
            const ChunkKey key = CCubeChunk::KeyOf(p);
            if (!m_chunk || !(key == m_key)) {
                m_chunk = &m_store.ChunkToFill(key);
                m_key = key;
            }
            COLORREF& cell = m_chunk->m_cells[CCubeChunk::Index(CCubeChunk::Local(p.x), CCubeChunk::Local(p.y),
                                                                 CCubeChunk::Local(p.z))];
            if (cell == CLR_NONE) {
                ++m_chunk->m_filled;
                ++m_store.m_count;
            }
            cell = color;
        }

    private:
        CCubeStore& m_store;
        CCubeChunk* m_chunk = nullptr;
        ChunkKey m_key;
    };

    // The number of cubes, inside the grid box or not.
    std::size_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    std::size_t ChunkCount() const { return m_used; }
    void Clear();
    // What the store holds in memory: its table and its chunks, counting a
    // shared chunk as if it were this store's alone.
    std::size_t MemoryBytes() const;

    const CCubeChunk* FindChunk(const ChunkKey& key) const
    {
        if (m_used == 0)
            return nullptr;
        for (std::size_t i = SlotOf(key);; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (!s.chunk)
                return nullptr;
            if (s.key == key)
                return s.chunk;
        }
    }

    // f(key, chunk) for every chunk, in no particular order.
    template <class F>
    void ForEachChunk(F&& f) const
    {
        for (const Slot& s : m_slots)
            if (s.chunk)
                f(s.key, *s.chunk);
    }

    // f(key, chunk) for every chunk that holds cells of the box [lo, hi)
    // (hi exclusive), in no particular order. The chunk may also hold cells
    // outside the box: the caller clips.
    template <class F>
    void ForEachChunkIn(const CUBEPOS& lo, const CUBEPOS& hi, F&& f) const
    {
        if (m_used == 0 || lo.x >= hi.x || lo.y >= hi.y || lo.z >= hi.z)
            return;
        const ChunkKey a = CCubeChunk::KeyOf(lo);
        const ChunkKey b = CCubeChunk::KeyOf(CUBEPOS{hi.x - 1, hi.y - 1, hi.z - 1});
        const std::int64_t span =
            (std::int64_t(b.x) - a.x + 1) * (std::int64_t(b.y) - a.y + 1) * (std::int64_t(b.z) - a.z + 1);
        // Whichever is shorter: the chunks of the box, or the table.
        if (span <= std::int64_t(m_slots.size())) {
            for (std::int32_t x = a.x; x <= b.x; ++x)
                for (std::int32_t y = a.y; y <= b.y; ++y)
                    for (std::int32_t z = a.z; z <= b.z; ++z)
                        if (const CCubeChunk* c = FindChunk({x, y, z}))
                            f(ChunkKey{x, y, z}, *c);
            return;
        }
        for (const Slot& s : m_slots)
            if (s.chunk && s.key.x >= a.x && s.key.x <= b.x && s.key.y >= a.y && s.key.y <= b.y &&
                s.key.z >= a.z && s.key.z <= b.z)
                f(s.key, *s.chunk);
    }

    // f(pos, colour) for every cube, in no particular order.
    template <class F>
    void ForEachCube(F&& f) const
    {
        ForEachChunk([&](const ChunkKey& key, const CCubeChunk& chunk) { ForEachCubeOf(key, chunk, f); });
    }

    // f(pos, colour) for every cube of the box [lo, hi), in no particular order.
    template <class F>
    void ForEachCubeIn(const CUBEPOS& lo, const CUBEPOS& hi, F&& f) const
    {
        ForEachChunkIn(lo, hi, [&](const ChunkKey& key, const CCubeChunk& chunk) {
            const CUBEPOS o = CCubeChunk::Origin(key);
            if (o.x >= lo.x && o.y >= lo.y && o.z >= lo.z && o.x + CCubeChunk::kSide <= hi.x &&
                o.y + CCubeChunk::kSide <= hi.y && o.z + CCubeChunk::kSide <= hi.z) {
                ForEachCubeOf(key, chunk, f);
                return;
            }
            ForEachCubeOf(key, chunk, [&](const CUBEPOS& p, COLORREF c) {
                if (p.x >= lo.x && p.y >= lo.y && p.z >= lo.z && p.x < hi.x && p.y < hi.y && p.z < hi.z)
                    f(p, c);
            });
        });
    }

    // Walks the box [0, size) in the model file's order (x outermost, z
    // innermost) a row piece at a time: f(x, y, z0, cells, count) for each run
    // of cells along z that lies in one chunk, where cells points at the
    // chunk's colours for z0 .. z0 + count - 1, or is null where no chunk
    // holds any cube. Costs one table lookup per chunk and 16 rows, not one
    // per cell.
    template <class F>
    void ForEachRow(const GridSize& size, F&& f) const
    {
        if (size.x <= 0 || size.y <= 0 || size.z <= 0)
            return;
        const std::int32_t chunksZ = CCubeChunk::KeyOf(size.z - 1) + 1;
        std::vector<const CCubeChunk*> row(std::size_t(chunksZ), nullptr);
        std::int32_t rowX = -1, rowY = -1;
        for (std::int32_t x = 0; x < size.x; ++x)
            for (std::int32_t y = 0; y < size.y; ++y) {
                const std::int32_t cx = CCubeChunk::KeyOf(x), cy = CCubeChunk::KeyOf(y);
                if (cx != rowX || cy != rowY) {
                    rowX = cx;
                    rowY = cy;
                    for (std::int32_t cz = 0; cz < chunksZ; ++cz)
                        row[std::size_t(cz)] = FindChunk({cx, cy, cz});
                }
                for (std::int32_t cz = 0; cz < chunksZ; ++cz) {
                    const std::int32_t z0 = cz << CCubeChunk::kBits;
                    const int count = int(std::min<std::int32_t>(CCubeChunk::kSide, size.z - z0));
                    const CCubeChunk* c = row[std::size_t(cz)];
                    f(x, y, z0, c ? c->Row(CCubeChunk::Local(x), CCubeChunk::Local(y)) : nullptr, count);
                }
            }
    }

    // f(pos, colour) for every cube of one chunk, in the chunk's order.
    template <class F>
    static void ForEachCubeOf(const ChunkKey& key, const CCubeChunk& chunk, F&& f)
    {
        const CUBEPOS o = CCubeChunk::Origin(key);
        int left = chunk.Filled();
        for (int i = 0; i < CCubeChunk::kCells && left > 0; ++i) {
            const COLORREF c = chunk.At(i);
            if (c == CLR_NONE)
                continue;
            --left;
            f(CUBEPOS{o.x + (i >> (2 * CCubeChunk::kBits)), o.y + ((i >> CCubeChunk::kBits) & CCubeChunk::kMask),
                      o.z + (i & CCubeChunk::kMask)},
              c);
        }
    }

    // Same cubes in the same cells.
    friend bool operator==(const CCubeStore& a, const CCubeStore& b);

private:
    struct Slot {
        ChunkKey key;
        CCubeChunk* chunk = nullptr; // null: a free slot
    };

    std::size_t SlotOf(const ChunkKey& k) const
    {
        std::uint64_t h = std::uint64_t(std::uint32_t(k.x)) * 0x9E3779B97F4A7C15ull;
        h ^= std::uint64_t(std::uint32_t(k.y)) * 0xC2B2AE3D27D4EB4Full;
        h ^= std::uint64_t(std::uint32_t(k.z)) * 0x165667B19E3779F9ull;
        h ^= h >> 29;
        return std::size_t(h) & m_mask;
    }
    // The slot of key, or the free slot where it would go.
    std::size_t Probe(const ChunkKey& key) const;
    // A chunk this store may write to: a fresh one in a free slot, or the
    // slot's own, copied first when it is shared.
    CCubeChunk& Writable(std::size_t slot, const ChunkKey& key);
    // The writable chunk at key, made when there is none.
    CCubeChunk& ChunkToFill(const ChunkKey& key);
    void EraseSlot(std::size_t slot);
    void Grow();
    static void Release(CCubeChunk* chunk);

    std::vector<Slot> m_slots; // a power of two long, at most half used
    std::size_t m_mask = 0;
    std::size_t m_used = 0;    // chunks
    std::size_t m_count = 0;   // cubes
};

#include "model/ModelTransform.h"

namespace {

// a + b and a - 1 - b without overflow: modulo 2^32.
std::int32_t Add(std::int32_t a, std::int32_t b) { return std::int32_t(std::uint32_t(a) + std::uint32_t(b)); }
std::int32_t Mirror(std::int32_t size, std::int32_t v)
{
    return std::int32_t(std::uint32_t(size) - 1u - std::uint32_t(v));
}

} // namespace

CUBEPOS ModelTransform::Map(const CUBEPOS& p) const
{
    switch (kind) {
    case Kind::TurnRight:
        // Seen from above (down the Y axis, X to the right), +X turns into +Z.
        return {Mirror(c, p.z), p.y, p.x};
    case Kind::TurnLeft:
        return {p.z, p.y, Mirror(a, p.x)};
    case Kind::Flip:
        return {a == 0 ? Mirror(b, p.x) : p.x, a == 1 ? Mirror(b, p.y) : p.y, a == 2 ? Mirror(b, p.z) : p.z};
    case Kind::Shift:
    case Kind::Translate:
        return {Add(p.x, a), Add(p.y, b), Add(p.z, c)};
    }
    return p;
}

ModelTransform ModelTransform::Inverse() const
{
    switch (kind) {
    // A turn to the right of an X x Z grid is undone by a turn to the left of
    // the Z x X grid it made, and the other way round.
    case Kind::TurnRight:
        return {Kind::TurnLeft, c, 0, a};
    case Kind::TurnLeft:
        return {Kind::TurnRight, c, 0, a};
    case Kind::Flip:
        return *this;
    case Kind::Shift:
    case Kind::Translate:
        return {kind, Add(0, -a), Add(0, -b), Add(0, -c)};
    }
    return *this;
}

bool ModelTransform::Moves(const CUBEPOS& p, const GridSize& box) const
{
    if (kind != Kind::Shift)
        return true;
    return p.x >= 0 && p.y >= 0 && p.z >= 0 && p.x < box.x && p.y < box.y && p.z < box.z;
}

std::optional<CCubeStore> Transformed(const CCubeStore& store, const ModelTransform& t, const GridSize& box,
                                      const WorkProgress& progress)
{
    CCubeStore out;
    // A map is one to one: every cube lands in a cell of its own.
    CCubeStore::CFiller fill(out);
    const std::int64_t total = std::int64_t(store.ChunkCount());
    std::int64_t done = 0;
    bool stopped = false;
    store.ForEachChunk([&](const ChunkKey& key, const CCubeChunk& chunk) {
        if (stopped)
            return;
        const CUBEPOS o = CCubeChunk::Origin(key);
        for (int i = 0; i < CCubeChunk::kCells; ++i) {
            if (const COLORREF c = chunk.At(i); c != CLR_NONE) {
                const CUBEPOS p{o.x + (i >> (2 * CCubeChunk::kBits)), o.y + ((i >> CCubeChunk::kBits) & CCubeChunk::kMask),
                                o.z + (i & CCubeChunk::kMask)};
                fill.Put(t.Moves(p, box) ? t.Map(p) : p, c);
            }
        }
        // Told every 16 chunks (65536 cells).
        if (progress && ++done % 16 == 0)
            stopped = !progress(done, total);
    });
    if (stopped)
        return std::nullopt;
    return out;
}

CUBERECORD ToRecord(const ModelTransform& t)
{
    CUBERECORD r{t.a, t.b, t.c};
    r.kind = RecordKind(int(RecordKind::TurnRight) + int(t.kind));
    return r;
}

bool IsTransformRecord(const CUBERECORD& r)
{
    return r.kind >= RecordKind::TurnRight;
}

ModelTransform FromRecord(const CUBERECORD& r)
{
    return {ModelTransform::Kind(int(r.kind) - int(RecordKind::TurnRight)), r.x, r.y, r.z};
}

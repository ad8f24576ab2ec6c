#include "model/EditHistory.h"

#include <algorithm>

namespace {

// Bits of the packed position word.
constexpr int kCoordBits = 19;
constexpr std::uint64_t kCoordMask = (std::uint64_t(1) << kCoordBits) - 1;
constexpr int kKindShift = 3 * kCoordBits;      // 3 bits
constexpr int kJoinedBit = kKindShift + 3;
constexpr int kWideBit = kJoinedBit + 1;
constexpr int kGestureBit = kWideBit + 1;
constexpr std::int32_t kCoordLimit = std::int32_t(1) << (kCoordBits - 1);

bool Fits(std::int32_t c) { return c >= -kCoordLimit && c < kCoordLimit; }

std::uint64_t PackCoord(std::int32_t c) { return std::uint64_t(std::uint32_t(c)) & kCoordMask; }

std::int32_t UnpackCoord(std::uint64_t word, int shift)
{
    const auto raw = std::uint32_t((word >> shift) & kCoordMask);
    // Sign-extend the 19-bit field.
    return std::int32_t(raw ^ (std::uint32_t(1) << (kCoordBits - 1))) - kCoordLimit;
}

} // namespace

CUBERECORD CEditHistory::operator[](std::size_t i) const
{
    const Packed& p = m_records[i];
    CUBERECORD r;
    if (p.pos >> kWideBit & 1) {
        const CUBEPOS& w = m_wide[std::size_t((p.pos & ((std::uint64_t(1) << kKindShift) - 1)) - m_wideFirst)];
        r.x = w.x;
        r.y = w.y;
        r.z = w.z;
    } else {
        r.x = UnpackCoord(p.pos, 0);
        r.y = UnpackCoord(p.pos, kCoordBits);
        r.z = UnpackCoord(p.pos, 2 * kCoordBits);
    }
    r.oldColor = p.oldColor;
    r.newColor = p.newColor;
    r.joined = (p.pos >> kJoinedBit & 1) != 0;
    r.kind = RecordKind((p.pos >> kKindShift) & 7);
    return r;
}

void CEditHistory::Append(const CUBERECORD& r, bool gestureStart)
{
    // A record joined to the one before it never opens a gesture, and the
    // oldest always does.
    gestureStart = m_records.empty() || (gestureStart && !r.joined);
    std::uint64_t pos = std::uint64_t(r.kind) << kKindShift | std::uint64_t(r.joined) << kJoinedBit |
                        std::uint64_t(gestureStart) << kGestureBit;
    if (Fits(r.x) && Fits(r.y) && Fits(r.z)) {
        pos |= PackCoord(r.x) | PackCoord(r.y) << kCoordBits | PackCoord(r.z) << (2 * kCoordBits);
    } else {
        pos |= std::uint64_t(1) << kWideBit | (m_wideFirst + m_wide.size());
        m_wide.push_back({r.x, r.y, r.z});
    }
    m_records.push_back({pos, r.oldColor, r.newColor});
}

bool CEditHistory::Joined(std::size_t i) const
{
    return (m_records[i].pos >> kJoinedBit & 1) != 0;
}

std::size_t CEditHistory::WideIn(std::size_t first, std::size_t end) const
{
    if (m_wide.empty())
        return 0;
    std::size_t n = 0;
    for (std::size_t i = first; i < end; ++i)
        n += m_records[i].pos >> kWideBit & 1;
    return n;
}

void CEditHistory::Truncate(std::size_t count)
{
    if (count >= m_records.size())
        return;
    for (std::size_t n = WideIn(count, m_records.size()); n > 0; --n)
        m_wide.pop_back();
    m_records.resize(count);
}

void CEditHistory::DropOldest(std::size_t count)
{
    count = std::min(count, m_records.size());
    for (std::size_t n = WideIn(0, count); n > 0; --n) {
        m_wide.pop_front();
        ++m_wideFirst;
    }
    m_records.erase(m_records.begin(), m_records.begin() + std::ptrdiff_t(count));
    // What is left of a gesture whose start was dropped is a gesture of its own.
    if (!m_records.empty())
        m_records.front().pos |= std::uint64_t(1) << kGestureBit;
}

void CEditHistory::Clear()
{
    std::deque<Packed>().swap(m_records);
    std::deque<CUBEPOS>().swap(m_wide);
    m_wideFirst = 0;
}

std::pair<std::size_t, std::size_t> CEditHistory::StepOf(std::size_t i) const
{
    std::size_t first = i, end = i + 1;
    while (first > 0 && Joined(first))
        --first;
    while (end < m_records.size() && Joined(end))
        ++end;
    return {first, end};
}

bool CEditHistory::StartsGesture(std::size_t i) const
{
    return (m_records[i].pos >> kGestureBit & 1) != 0;
}

std::pair<std::size_t, std::size_t> CEditHistory::GestureOf(std::size_t i) const
{
    std::size_t first = i, end = i + 1;
    while (first > 0 && !StartsGesture(first))
        --first;
    while (end < m_records.size() && !StartsGesture(end))
        ++end;
    return {first, end};
}

std::size_t CEditHistory::MemoryBytes() const
{
    return m_records.size() * sizeof(Packed) + m_wide.size() * sizeof(CUBEPOS);
}

std::vector<CUBERECORD> CEditHistory::ToVector() const
{
    std::vector<CUBERECORD> v;
    v.reserve(m_records.size());
    for (std::size_t i = 0; i < m_records.size(); ++i)
        v.push_back((*this)[i]);
    return v;
}

bool operator==(const CEditHistory& a, const CEditHistory& b)
{
    return a.ToVector() == b.ToVector();
}

#pragma once

#include "model/CubeTypes.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

// The records of the edit history in order, 16 bytes each: the three
// coordinates packed into one 64-bit word with the record's kind, step flag
// and gesture mark, then the two colours. A cell farther than 2^18 from the origin on
// some axis (only hidden cubes can be) keeps its coordinates beside the
// records.
//
// Records are dropped from either end only: the oldest steps when the
// history is over its memory limit, the newest when an edit cuts the redo
// branch. Both are cheap however long the history is.
class CEditHistory {
public:
    static constexpr std::size_t kRecordBytes = 16;

    std::size_t Size() const { return m_records.size(); }
    bool IsEmpty() const { return m_records.empty(); }
    CUBERECORD operator[](std::size_t i) const;
    CUBERECORD Back() const { return (*this)[Size() - 1]; }

    // gestureStart: the record opens a gesture (a sweep, a paste, a click
    // with its mirrors), the span "Undo stroke" steps over; the gesture runs
    // up to the next record so marked. Only the first record of a step may
    // carry the mark, and the oldest record always does.
    void Append(const CUBERECORD& record, bool gestureStart = true);
    // Keeps the first count records.
    void Truncate(std::size_t count);
    // Drops the first count records; the new oldest starts a gesture.
    void DropOldest(std::size_t count);
    // Empties the history and gives its memory back.
    void Clear();

    // The records [first, end) of the step that holds record i.
    std::pair<std::size_t, std::size_t> StepOf(std::size_t i) const;
    // The records [first, end) of the gesture that holds record i.
    std::pair<std::size_t, std::size_t> GestureOf(std::size_t i) const;
    bool StartsGesture(std::size_t i) const;
    // What the records take, undo and redo alike.
    std::size_t MemoryBytes() const;

    std::vector<CUBERECORD> ToVector() const;
    friend bool operator==(const CEditHistory& a, const CEditHistory& b);
    friend bool operator==(const CEditHistory& h, const std::vector<CUBERECORD>& v) { return h.ToVector() == v; }

private:
    struct Packed {
        std::uint64_t pos;
        COLORREF oldColor;
        COLORREF newColor;
    };
    static_assert(sizeof(Packed) == kRecordBytes);

    bool Joined(std::size_t i) const;
    // How many of the records [first, end) keep their coordinates aside.
    std::size_t WideIn(std::size_t first, std::size_t end) const;

    std::deque<Packed> m_records;
    // Coordinates of the wide records, in record order; m_wideFirst numbers
    // the first of them.
    std::deque<CUBEPOS> m_wide;
    std::uint64_t m_wideFirst = 0;
};

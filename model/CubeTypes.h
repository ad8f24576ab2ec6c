#pragma once

#include <cstdint>
#include <tuple>

// A colour as the whole program passes it around: 0x00BBGGRR, red in the low
// byte. Cube colours always have a zero top byte.
using COLORREF = std::uint32_t;

// Stands for "no cube" in history records and layer paste, and for "no swatch"
// on a button. Never a cube colour.
inline constexpr COLORREF CLR_NONE = 0xFFFFFFFFu;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GetGValue(COLORREF c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(COLORREF c) { return std::uint8_t((c >> 16) & 0xFF); }

// A cell coordinate; the key of the cube store. Ordered by x, then y, then z.
struct CUBEPOS {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;

    friend bool operator<(const CUBEPOS& a, const CUBEPOS& b)
    {
        return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
    }
    friend bool operator==(const CUBEPOS&, const CUBEPOS&) = default;
};

// What a history record holds. A cell record is one cell's colours before
// and after. A tool action that resizes the grid (a turn, a fit) records the
// size before and the size after as two records in a row, with x, y, z
// holding the size and the colours unused. A whole-model action is kept as
// the action itself, undone by its inverse (see ModelTransform), with x, y, z
// holding its numbers.
enum class RecordKind : std::uint8_t { Cell, SizeBefore, SizeAfter, TurnRight, TurnLeft, Flip, Shift, Translate };

// One record of the edit history: for a cell, the colours before and after,
// CLR_NONE for empty.
struct CUBERECORD {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    COLORREF oldColor = CLR_NONE;
    COLORREF newColor = CLR_NONE;
    // Whether the record belongs to the same step of undo and redo as the
    // record before it: all records of one tool action after its first. The
    // editor's own single-cell edits (a click, a sweep step, a paste) are
    // each a step of their own.
    bool joined = false;
    RecordKind kind = RecordKind::Cell;

    friend bool operator==(const CUBERECORD&, const CUBERECORD&) = default;
};

// A change of a tool action: the cell and its colour afterwards (CLR_NONE
// empties it).
struct CellChange {
    CUBEPOS pos;
    COLORREF color = CLR_NONE;
};

struct GridSize {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;

    friend bool operator==(const GridSize&, const GridSize&) = default;
};

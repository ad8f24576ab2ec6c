#pragma once

// The tool bar's pictures by name, each stored as ":/tool/<name>.png"
// (48 x 48): the one list of them (the build reads it to draw and embed them).
inline constexpr const char* kToolIcons[] = {
    "pen",
    "box",
    "line",
    "ellipse",
    "select",
    "hollow",
};

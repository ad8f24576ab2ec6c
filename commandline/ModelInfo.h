#pragma once

#include "model/CubeTypes.h"

#include <QJsonObject>
#include <QString>

#include <cstddef>

struct ModelData;

// What --info tells about a model: the grid, how many cubes and colours it
// holds, and the box of its cubes, as a line for people or as JSON.
namespace ModelInfo {

struct Info {
    GridSize grid{};
    std::size_t cubes = 0;
    std::size_t colors = 0;
    // The cells at the two corners of the cubes' box; none for an empty model.
    CUBEPOS low{}, high{};
};

Info Of(const ModelData& model);

// "FILE: grid 16×16×16, 1234 cubes, 5 colours, cubes from 0,0,0 to 15,3,15"
QString Line(const QString& file, const Info& info);
// {"file": ..., "grid": [x, y, z], "cubes": n, "colors": n,
//  "box": {"from": [x, y, z], "to": [x, y, z]}} (box null when empty)
QJsonObject Json(const QString& file, const Info& info);

} // namespace ModelInfo

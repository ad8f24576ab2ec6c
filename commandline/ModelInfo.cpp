#include "commandline/ModelInfo.h"

#include "exchange/ModelData.h"

#include <QJsonArray>

#include <algorithm>
#include <unordered_set>

namespace ModelInfo {

namespace {

QString Cell(const CUBEPOS& p) { return QStringLiteral("%1,%2,%3").arg(p.x).arg(p.y).arg(p.z); }
QJsonArray Triple(int x, int y, int z) { return {x, y, z}; }

} // namespace

Info Of(const ModelData& model)
{
    Info info;
    info.grid = {model.sizeX, model.sizeY, model.sizeZ};
    info.cubes = model.cubes.Count();
    std::unordered_set<COLORREF> colors;
    bool first = true;
    model.cubes.ForEachCube([&](const CUBEPOS& pos, COLORREF color) {
        colors.insert(color);
        if (first)
            info.low = info.high = pos;
        first = false;
        info.low = {std::min(info.low.x, pos.x), std::min(info.low.y, pos.y), std::min(info.low.z, pos.z)};
        info.high = {std::max(info.high.x, pos.x), std::max(info.high.y, pos.y), std::max(info.high.z, pos.z)};
    });
    info.colors = colors.size();
    return info;
}

QString Line(const QString& file, const Info& info)
{
    QString line = QStringLiteral("%1: grid %2×%3×%4, %5 cubes, %6 colours")
                       .arg(file)
                       .arg(info.grid.x)
                       .arg(info.grid.y)
                       .arg(info.grid.z)
                       .arg(info.cubes)
                       .arg(info.colors);
    if (info.cubes > 0)
        line += QStringLiteral(", cubes from %1 to %2").arg(Cell(info.low), Cell(info.high));
    return line;
}

QJsonObject Json(const QString& file, const Info& info)
{
    QJsonObject box;
    if (info.cubes > 0)
        box = {{QStringLiteral("from"), Triple(info.low.x, info.low.y, info.low.z)},
               {QStringLiteral("to"), Triple(info.high.x, info.high.y, info.high.z)}};
    return {{QStringLiteral("file"), file},
            {QStringLiteral("grid"), Triple(info.grid.x, info.grid.y, info.grid.z)},
            {QStringLiteral("cubes"), qint64(info.cubes)},
            {QStringLiteral("colors"), qint64(info.colors)},
            {QStringLiteral("box"), info.cubes > 0 ? QJsonValue(box) : QJsonValue(QJsonValue::Null)}};
}

} // namespace ModelInfo

#include "exchange/ExchangeFormat.h"

#include <QFileInfo>

namespace {

// Each format with the extension it is written with; also what a path's
// extension is read as.
struct FormatRow {
    ExchangeFormat format;
    QLatin1String suffix;
};
constexpr FormatRow kFormats[] = {
    {ExchangeFormat::Mvf, QLatin1String("mvf")},   {ExchangeFormat::Vox, QLatin1String("vox")},
    {ExchangeFormat::Gltf, QLatin1String("gltf")}, {ExchangeFormat::Glb, QLatin1String("glb")},
    {ExchangeFormat::Obj, QLatin1String("obj")},   {ExchangeFormat::Ply, QLatin1String("ply")},
    {ExchangeFormat::Stl, QLatin1String("stl")},   {ExchangeFormat::Png, QLatin1String("png")},
    {ExchangeFormat::Jpeg, QLatin1String("jpg")},  {ExchangeFormat::Bmp, QLatin1String("bmp")},
};

} // namespace

std::optional<ExchangeFormat> FormatForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpeg"))
        return ExchangeFormat::Jpeg;
    for (const FormatRow& row : kFormats)
        if (suffix == row.suffix)
            return row.format;
    return std::nullopt;
}

QString FormatSuffix(ExchangeFormat format)
{
    for (const FormatRow& row : kFormats)
        if (row.format == format)
            return row.suffix;
    return {};
}

bool IsMeshFormat(ExchangeFormat format)
{
    switch (format) {
    case ExchangeFormat::Gltf:
    case ExchangeFormat::Glb:
    case ExchangeFormat::Obj:
    case ExchangeFormat::Ply:
    case ExchangeFormat::Stl:
        return true;
    default:
        return false;
    }
}

bool IsImageFormat(ExchangeFormat format)
{
    return format == ExchangeFormat::Png || format == ExchangeFormat::Jpeg ||
           format == ExchangeFormat::Bmp;
}

#include "exchange/ExchangeFormat.h"

#include <QFileInfo>

std::optional<ExchangeFormat> FormatForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("mvf"))
        return ExchangeFormat::Mvf;
    if (suffix == QLatin1String("vox"))
        return ExchangeFormat::Vox;
    if (suffix == QLatin1String("gltf"))
        return ExchangeFormat::Gltf;
    if (suffix == QLatin1String("glb"))
        return ExchangeFormat::Glb;
    if (suffix == QLatin1String("obj"))
        return ExchangeFormat::Obj;
    if (suffix == QLatin1String("ply"))
        return ExchangeFormat::Ply;
    if (suffix == QLatin1String("stl"))
        return ExchangeFormat::Stl;
    if (suffix == QLatin1String("png"))
        return ExchangeFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return ExchangeFormat::Jpeg;
    if (suffix == QLatin1String("bmp"))
        return ExchangeFormat::Bmp;
    return std::nullopt;
}

QString FormatSuffix(ExchangeFormat format)
{
    switch (format) {
    case ExchangeFormat::Mvf: return QStringLiteral("mvf");
    case ExchangeFormat::Vox: return QStringLiteral("vox");
    case ExchangeFormat::Gltf: return QStringLiteral("gltf");
    case ExchangeFormat::Glb: return QStringLiteral("glb");
    case ExchangeFormat::Obj: return QStringLiteral("obj");
    case ExchangeFormat::Ply: return QStringLiteral("ply");
    case ExchangeFormat::Stl: return QStringLiteral("stl");
    case ExchangeFormat::Png: return QStringLiteral("png");
    case ExchangeFormat::Jpeg: return QStringLiteral("jpg");
    case ExchangeFormat::Bmp: return QStringLiteral("bmp");
    }
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

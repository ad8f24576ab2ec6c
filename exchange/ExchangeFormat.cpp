#include "exchange/ExchangeFormat.h"

#include "exchange/FileFormats.h"

std::optional<ExchangeFormat> FormatForPath(const QString& path)
{
    const FileFormat* format = FileFormats::ForPath(path);
    return format ? format->id : std::nullopt;
}

QString FormatSuffix(ExchangeFormat format)
{
    return FileFormats::Get(format).Suffix();
}

bool IsMeshFormat(ExchangeFormat format)
{
    return FileFormats::Get(format).kind == FormatKind::Mesh;
}

bool IsImageFormat(ExchangeFormat format)
{
    return FileFormats::Get(format).kind == FormatKind::Picture;
}

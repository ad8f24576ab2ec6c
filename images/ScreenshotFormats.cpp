#include "images/ScreenshotFormats.h"

#include <QFileInfo>

#include <array>

namespace {

constexpr std::array<ScreenshotFormat, 7> kFormats{{
    {"bmp", "BMP File(*.bmp)", ImageFormat::BMP},
    {"png", "PNG File(*.png)", ImageFormat::PNG},
    {"gif", "GIF File(*.gif)", ImageFormat::GIF},
    {"tiff", "TIFF File(*.tiff)", ImageFormat::TIFF},
    {"exif", "EXIF File(*.exif)", ImageFormat::EXIF},
    {"jpg", "JPEG File(*.jpg)", ImageFormat::JPEG},
    {"ico", "ICON File(*.ico)", ImageFormat::Icon},
}};

} // namespace

std::span<const ScreenshotFormat> ScreenshotFormats()
{
    return kFormats;
}

QString WithDefaultExtension(const QString& path, const ScreenshotFormat& format)
{
    return WithDefaultExtension(path, QLatin1String(format.extension));
}

QString WithDefaultExtension(const QString& path, const QString& extension)
{
    if (path.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    // "shot." and ".hidden" count as names without an extension.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && dot < name.size() - 1)
        return path;
    QString result = path;
    if (!result.endsWith(QLatin1Char('.')))
        result += QLatin1Char('.');
    return result + extension;
}

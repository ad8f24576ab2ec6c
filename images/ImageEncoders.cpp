#include "images/ImageEncoders.h"

#include "images/GifEncoder.h"

#include <QImageWriter>

namespace {

bool WriteWithQt(const QImage& image, QIODevice& device, const char* qtFormat)
{
    QImageWriter writer(&device, qtFormat);
    return writer.write(image);
}

std::vector<ImageEncoder> EnumerateEncoders()
{
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    std::vector<ImageEncoder> encoders;
    auto addQt = [&](ImageFormat format, const char* mimeType, const char* qtFormat) {
        if (!writable.contains(QByteArray(qtFormat)))
            return;
        encoders.push_back({format, mimeType, [qtFormat](const QImage& image, QIODevice& device) {
                                return WriteWithQt(image, device, qtFormat);
                            }});
    };
    addQt(ImageFormat::BMP, "image/bmp", "bmp");
    addQt(ImageFormat::PNG, "image/png", "png");
    encoders.push_back({ImageFormat::GIF, "image/gif", EncodeGif});
    addQt(ImageFormat::TIFF, "image/tiff", "tiff");
    addQt(ImageFormat::JPEG, "image/jpeg", "jpeg");
    if (writable.contains(QByteArray("ico"))) {
        // Qt's icon writer quietly shrinks larger pictures to fit; a file of
        // another size than the picture would be a wrong result, so refuse.
        encoders.push_back({ImageFormat::Icon, "image/x-icon",
                            [](const QImage& image, QIODevice& device) {
                                if (image.width() > kMaxIconSide || image.height() > kMaxIconSide)
                                    return false;
                                return WriteWithQt(image, device, "ico");
                            }});
    }
    return encoders;
}

} // namespace

const std::vector<ImageEncoder>& InstalledImageEncoders()
{
    static const std::vector<ImageEncoder> encoders = EnumerateEncoders();
    return encoders;
}

const ImageEncoder* FindImageEncoder(ImageFormat format)
{
    for (const ImageEncoder& encoder : InstalledImageEncoders())
        if (encoder.format == format)
            return &encoder;
    return nullptr;
}

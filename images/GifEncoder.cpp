#include "images/GifEncoder.h"

#include "images/ColorQuantizer.h"

#include <QIODevice>

#include <gif_lib.h>

#include <memory>

namespace {

int WriteToDevice(GifFileType* gif, const GifByteType* data, int length)
{
    auto* device = static_cast<QIODevice*>(gif->UserData);
    const qint64 written = device->write(reinterpret_cast<const char*>(data), length);
    return written < 0 ? 0 : int(written);
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// GIF sides are 16-bit fields.
constexpr int kMaxGifSide = 65535;

} // namespace

bool EncodeGif(const QImage& image, QIODevice& device)
{
    if (image.isNull() || image.width() > kMaxGifSide || image.height() > kMaxGifSide)
        return false;
    PalettePicture picture;
    if (!ReduceToPalette(image, 256, picture))
        return false;

    // A colour map must have a power-of-two size of at least two entries.
    int mapSize = 2;
    while (mapSize < int(picture.palette.size()))
        mapSize *= 2;
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(mapSize, nullptr));
    if (!map)
        return false;
    for (int i = 0; i < mapSize; ++i) {
        const QRgb c = i < int(picture.palette.size()) ? picture.palette[i] : qRgb(0, 0, 0);
        map->Colors[i].Red = GifByteType(qRed(c));
        map->Colors[i].Green = GifByteType(qGreen(c));
        map->Colors[i].Blue = GifByteType(qBlue(c));
    }

    int error = 0;
    GifFileType* gif = EGifOpen(&device, WriteToDevice, &error);
    if (!gif)
        return false;
    const bool transparent = picture.transparentIndex >= 0;
    // Transparency lives in a GIF89 extension block.
    EGifSetGifVersion(gif, transparent);
    bool ok = EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map.get()) == GIF_OK;
    if (ok && transparent) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = picture.transparentIndex;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) ==
                   GIF_OK;
    for (int y = 0; ok && y < picture.height; ++y)
        ok = EGifPutLine(gif, picture.indices.data() + std::size_t(y) * std::size_t(picture.width),
                         picture.width) == GIF_OK;
    // Closing writes the trailer and frees the encoder whatever happened before.
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return ok && closed;
}

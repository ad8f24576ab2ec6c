#include "images/ScreenshotExport.h"

#include "images/CImage.h"
#include "model/CubeTypes.h"

#include <new>

namespace {

constexpr int kStepWaitMs = 1000;

// Whatever way the export ends, an opened progress window must not be left
// standing over the main window.
class ProgressCloser {
public:
    explicit ProgressCloser(IExportProgress& progress) : m_progress(progress) {}
    ~ProgressCloser() { m_progress.Close(); }
    ProgressCloser(const ProgressCloser&) = delete;
    ProgressCloser& operator=(const ProgressCloser&) = delete;

private:
    IExportProgress& m_progress;
};

} // namespace

bool ExportScreenshot(IExportProgress& progress, const ReadFramePixels& readPixels, int width,
                      int height, const QString& path, ImageFormat format)
{
    if (!readPixels || !CImage::IsSizeAllowed(width, height))
        return false;
    if (!progress.Create())
        return false;
    ProgressCloser closer(progress);

    progress.SetTitle(ScreenshotTexts::Title());
    progress.Start();
    progress.SetLine(1, ScreenshotTexts::Exporting());
    progress.SetLine(2, ScreenshotTexts::ReadingData());
    progress.SetProgress(1, 2);
    progress.Wait(kStepWaitMs);

    const std::size_t w = std::size_t(width);
    const std::size_t h = std::size_t(height);
    const std::size_t bytes = 3 * w * h;
    std::vector<std::uint8_t> buffer;
    try {
        buffer.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!readPixels(buffer) || buffer.size() < bytes)
        return false;

    CImage image;
    if (!image.Create(width, height, 24))
        return false;
    // The buffer starts with the bottom row of the window; the image with the
    // top row of the picture.
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t* row = buffer.data() + 3 * w * y;
        const int imageRow = height - 1 - int(y);
        for (std::size_t x = 0; x < w; ++x)
            image.SetPixel(int(x), imageRow, RGB(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
    }

    progress.Wait(kStepWaitMs);
    progress.SetLine(2, ScreenshotTexts::Saving());
    progress.SetProgress(2, 2);
    return image.Save(path, format);
}

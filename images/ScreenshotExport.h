#pragma once

#include "images/ImageFormat.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The window that keeps the user informed while a screenshot is written. The
// export only talks to this interface, so the real window (a modal dialog)
// can live with the widgets and tests can watch the calls without waiting.
class IExportProgress {
public:
    virtual ~IExportProgress() = default;
    // Creates the window; false when it cannot be created.
    virtual bool Create() = 0;
    virtual void SetTitle(const QString& title) = 0;
    // Shows the window modal to its owner, without a cancel button, a
    // minimise box or a time estimate.
    virtual void Start() = 0;
    // line is 1 or 2.
    virtual void SetLine(int line, const QString& text) = 0;
    virtual void SetProgress(int done, int total) = 0;
    // Blocks for that long while the window stays painted.
    virtual void Wait(int milliseconds) = 0;
    // Stops and closes the window.
    virtual void Close() = 0;
};

// Texts of the progress window and the message shown when an export fails.
namespace ScreenshotTexts {
inline QString Title() { return QCoreApplication::translate("ScreenshotTexts", "スクリーンショット"); }
inline QString Exporting() { return QCoreApplication::translate("ScreenshotTexts", "出力中..."); }
inline QString ReadingData() { return QCoreApplication::translate("ScreenshotTexts", "データを取得しています"); }
inline QString Saving() { return QCoreApplication::translate("ScreenshotTexts", "保存しています"); }
inline QString Failed() { return QCoreApplication::translate("ScreenshotTexts", "出力できませんでした"); }
} // namespace ScreenshotTexts

// Fills a buffer of 3 * width * height bytes, already zeroed, with the frame:
// red, green, blue per pixel, rows tightly packed, the bottom row of the
// window first (the order GL reads pixels in). Returns false if it could not.
using ReadFramePixels = std::function<bool(std::vector<std::uint8_t>& buffer)>;

// Writes the frame of a view of width x height pixels to path in format,
// upright (the top of the window is the top of the picture) and at exactly
// that size, showing progress in two steps with a one-second pause after
// each. Returns false when the progress window cannot be created, the size is
// not positive or too large, the pixels cannot be read or held, or the image
// cannot be saved; the progress window is closed in every case it was opened.
bool ExportScreenshot(IExportProgress& progress, const ReadFramePixels& readPixels, int width,
                      int height, const QString& path, ImageFormat format);

// The screenshot export with a recording progress window, and the file names
// of the "Image:..." commands.
#include "images/CImage.h"
#include "images/ScreenshotExport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Writes every call down instead of showing a window or waiting.
class RecordingProgress : public IExportProgress {
public:
    bool createSucceeds = true;
    QStringList calls;
    QString watchedPath; // whether this file exists is noted at Close
    bool fileExistedAtClose = false;

    bool Create() override
    {
        calls << "Create";
        return createSucceeds;
    }
    void SetTitle(const QString& title) override { calls << "Title:" + title; }
    void Start() override { calls << "Start"; }
    void SetLine(int n, const QString& s) override { calls << QString("Line%1:%2").arg(n).arg(s); }
    void SetProgress(int d, int t) override { calls << QString("Progress:%1/%2").arg(d).arg(t); }
    void Wait(int milliseconds) override { calls << QString("Wait:%1").arg(milliseconds); }
    void Close() override
    {
        calls << "Close";
        fileExistedAtClose = QFile::exists(watchedPath);
    }
};

// Window pixel (x, yFromBottom) of the fake frame: every pixel differs, and
// the vertical direction is unmistakable.
QRgb FrameColour(int x, int yFromBottom)
{
    return qRgb((x * 13 + 1) & 255, (yFromBottom * 29 + 2) & 255, (x + 3 * yFromBottom) & 255);
}

// Fills the buffer the way GL reads a frame, bottom row first, after checking
// it arrives as 3 * w * h zero bytes, and notes the read in the log.
ReadFramePixels FakeFrame(int w, int h, RecordingProgress& log)
{
    return [w, h, &log](std::vector<std::uint8_t>& buffer) {
        log.calls << "Read";
        EXPECT_EQ(buffer.size(), std::size_t(3 * w * h));
        EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0), std::ptrdiff_t(buffer.size()));
        std::uint8_t* p = buffer.data();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x, p += 3) {
                const QRgb c = FrameColour(x, y);
                p[0] = std::uint8_t(qRed(c));
                p[1] = std::uint8_t(qGreen(c));
                p[2] = std::uint8_t(qBlue(c));
            }
        return true;
    };
}

const QStringList kFullRun{
    "Create",       "Title:スクリーンショット", "Start",
    "Line1:出力中...", "Line2:データを取得しています", "Progress:1/2",
    "Wait:1000",    "Read",                   "Wait:1000",
    "Line2:保存しています", "Progress:2/2", "Close",
};

} // namespace

TEST(ScreenshotExport, StepsTextsAndAnUprightPictureAtExactlyTheViewSize)
{
    // An odd width: the rows GL hands over are not padded (the encoders'
    // own padding is tested with them).
    QTemporaryDir dir;
    const int w = 5, h = 3;
    RecordingProgress progress;
    progress.watchedPath = dir.filePath("a.png");
    ASSERT_TRUE(ExportScreenshot(progress, FakeFrame(w, h, progress), w, h, progress.watchedPath, ImageFormat::PNG));
    EXPECT_EQ(progress.calls, kFullRun);
    EXPECT_TRUE(progress.fileExistedAtClose) << "saved before the window closes";

    const QImage back = QImageReader(progress.watchedPath).read();
    ASSERT_EQ(back.size(), QSize(w, h));
    int wrong = 0;
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x)
            wrong += (back.pixel(x, row) | 0xFF000000u) != FrameColour(x, h - 1 - row);
    EXPECT_EQ(wrong, 0);
}

TEST(ScreenshotExport, FailuresCloseTheWindowAndReport)
{
    QTemporaryDir dir;
    // No progress window: nothing else happens, nothing is read or written.
    RecordingProgress noWindow;
    noWindow.createSucceeds = false;
    EXPECT_FALSE(ExportScreenshot(noWindow, FakeFrame(4, 4, noWindow), 4, 4,
                                  dir.filePath("none.png"), ImageFormat::PNG));
    EXPECT_EQ(noWindow.calls, QStringList{"Create"});

    // The save fails (the encoders' failures are tested with them): the whole run, one Close.
    RecordingProgress failed;
    EXPECT_FALSE(ExportScreenshot(failed, FakeFrame(4, 4, failed), 4, 4, dir.filePath("no/dir/a.png"), ImageFormat::PNG));
    EXPECT_EQ(failed.calls, kFullRun);

    // The frame cannot be read, or the reader hands back too little.
    const ReadFramePixels badReaders[] = {
        [](std::vector<std::uint8_t>&) { return false; },
        [](std::vector<std::uint8_t>& buffer) {
            buffer.resize(buffer.size() / 2);
            return true;
        },
    };
    for (const ReadFramePixels& read : badReaders) {
        RecordingProgress progress;
        EXPECT_FALSE(
            ExportScreenshot(progress, read, 4, 4, dir.filePath("unread.png"), ImageFormat::PNG));
        EXPECT_EQ(progress.calls.last(), "Close");
        EXPECT_EQ(progress.calls.count("Close"), 1);
    }

    // Sizes no view can have are refused before anything is shown.
    constexpr int kMax = CImage::kMaxDimension;
    for (auto [w, h] : {std::pair{0, 600}, {800, -1}, {kMax + 1, 2}, {kMax, kMax}}) {
        RecordingProgress progress;
        EXPECT_FALSE(ExportScreenshot(progress, FakeFrame(w, h, progress), w, h,
                                      dir.filePath("huge.png"), ImageFormat::PNG));
        EXPECT_TRUE(progress.calls.isEmpty()) << w << "x" << h;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

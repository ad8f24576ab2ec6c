// The screenshot export with a recording progress window, and the format table.
#include "images/CImage.h"
#include "images/ScreenshotExport.h"
#include "images/ScreenshotFormats.h"

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
        calls << QStringLiteral("Create");
        return createSucceeds;
    }
    void SetTitle(const QString& title) override { calls << QStringLiteral("Title:") + title; }
    void Start() override { calls << QStringLiteral("Start"); }
    void SetLine(int line, const QString& text) override
    {
        calls << QStringLiteral("Line%1:%2").arg(line).arg(text);
    }
    void SetProgress(int done, int total) override
    {
        calls << QStringLiteral("Progress:%1/%2").arg(done).arg(total);
    }
    void Wait(int milliseconds) override { calls << QStringLiteral("Wait:%1").arg(milliseconds); }
    void Close() override
    {
        calls << QStringLiteral("Close");
        fileExistedAtClose = !watchedPath.isEmpty() && QFile::exists(watchedPath);
    }
};

// The colour of window pixel (x, yFromBottom) in the fake frame: every pixel
// differs, and the vertical direction is unmistakable.
COLORREF FrameColour(int x, int yFromBottom)
{
    return RGB(std::uint8_t(x * 13 + 1), std::uint8_t(yFromBottom * 29 + 2),
               std::uint8_t((x + 3 * yFromBottom) & 255));
}

// Fills the buffer the way GL reads a frame, bottom row first, and notes the
// read in the progress log.
ReadFramePixels FakeFrame(int w, int h, RecordingProgress& log, bool* sawZeroedBuffer = nullptr)
{
    return [w, h, &log, sawZeroedBuffer](std::vector<std::uint8_t>& buffer) {
        log.calls << QStringLiteral("Read");
        if (sawZeroedBuffer) {
            *sawZeroedBuffer = buffer.size() == std::size_t(3 * w * h);
            for (std::uint8_t b : buffer)
                *sawZeroedBuffer = *sawZeroedBuffer && b == 0;
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = FrameColour(x, y);
                std::uint8_t* p = buffer.data() + 3 * (std::size_t(y) * std::size_t(w) + std::size_t(x));
                p[0] = GetRValue(c);
                p[1] = GetGValue(c);
                p[2] = GetBValue(c);
            }
        return true;
    };
}

const QStringList kSuccessfulRun{
    QStringLiteral("Create"),
    QStringLiteral("Title:スクリーンショット"),
    QStringLiteral("Start"),
    QStringLiteral("Line1:出力中..."),
    QStringLiteral("Line2:データを取得しています"),
    QStringLiteral("Progress:1/2"),
    QStringLiteral("Wait:1000"),
    QStringLiteral("Read"),
    QStringLiteral("Wait:1000"),
    QStringLiteral("Line2:保存しています"),
    QStringLiteral("Progress:2/2"),
    QStringLiteral("Close"),
};

} // namespace

TEST(ScreenshotExport, StepsTextsAndAnUprightPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int w = 5;
    const int h = 3;
    const QString path = dir.filePath(QStringLiteral("shot.png"));
    RecordingProgress progress;
    progress.watchedPath = path;
    bool zeroed = false;
    ASSERT_TRUE(ExportScreenshot(progress, FakeFrame(w, h, progress, &zeroed), w, h, path,
                                 ImageFormat::PNG));
    EXPECT_EQ(progress.calls, kSuccessfulRun);
    EXPECT_TRUE(zeroed) << "the buffer must be 3*w*h zero bytes before the read";
    EXPECT_TRUE(progress.fileExistedAtClose) << "saved before the window closes";

    CImage picture;
    ASSERT_TRUE(picture.LoadFromFile(path));
    ASSERT_EQ(picture.GetWidth(), w);
    ASSERT_EQ(picture.GetHeight(), h);
    EXPECT_EQ(picture.GetBPP(), 24);
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x)
            EXPECT_EQ(picture.GetPixel(x, row), FrameColour(x, h - 1 - row))
                << "column " << x << ", row " << row << " from the top";
}

TEST(ScreenshotExport, OddSizesComeOutExactly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Size {
        int w, h;
        ImageFormat format;
        const char* name;
    };
    for (const Size& s : {Size{803, 600, ImageFormat::BMP, "a.bmp"},
                          Size{1, 1, ImageFormat::PNG, "b.png"},
                          Size{641, 3, ImageFormat::GIF, "c.gif"},
                          Size{3, 641, ImageFormat::TIFF, "d.tiff"},
                          Size{101, 77, ImageFormat::JPEG, "e.jpg"}}) {
        SCOPED_TRACE(s.name);
        const QString path = dir.filePath(QLatin1String(s.name));
        RecordingProgress progress;
        ASSERT_TRUE(ExportScreenshot(progress, FakeFrame(s.w, s.h, progress), s.w, s.h, path,
                                     s.format));
        QImageReader reader(path);
        const QImage back = reader.read();
        EXPECT_EQ(back.size(), QSize(s.w, s.h));
        if (s.format != ImageFormat::JPEG && s.format != ImageFormat::GIF) {
            // Top-left of the picture is the window's top-left pixel.
            EXPECT_EQ(back.pixel(0, 0) | 0xFF000000u,
                      qRgb(GetRValue(FrameColour(0, s.h - 1)), GetGValue(FrameColour(0, s.h - 1)),
                           GetBValue(FrameColour(0, s.h - 1))));
        }
    }
}

TEST(ScreenshotExport, FailuresCloseTheWindowAndReport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // No progress window: nothing else happens, nothing is read or written.
    {
        RecordingProgress progress;
        progress.createSucceeds = false;
        const QString path = dir.filePath(QStringLiteral("none.png"));
        EXPECT_FALSE(ExportScreenshot(progress, FakeFrame(4, 4, progress), 4, 4, path,
                                      ImageFormat::PNG));
        EXPECT_EQ(progress.calls, QStringList{QStringLiteral("Create")});
        EXPECT_FALSE(QFile::exists(path));
    }
    // No encoder: the whole run, then the window closes and no file appears.
    {
        RecordingProgress progress;
        const QString path = dir.filePath(QStringLiteral("shot.exif"));
        EXPECT_FALSE(ExportScreenshot(progress, FakeFrame(4, 4, progress), 4, 4, path,
                                      ImageFormat::EXIF));
        EXPECT_EQ(progress.calls, kSuccessfulRun);
        EXPECT_FALSE(QFile::exists(path));
    }
    // A path that cannot be written.
    {
        RecordingProgress progress;
        EXPECT_FALSE(ExportScreenshot(progress, FakeFrame(4, 4, progress), 4, 4,
                                      dir.filePath(QStringLiteral("no/such/dir/shot.png")),
                                      ImageFormat::PNG));
        EXPECT_EQ(progress.calls.last(), QStringLiteral("Close"));
        EXPECT_EQ(progress.calls.count(QStringLiteral("Close")), 1);
    }
    // The frame cannot be read, or the reader hands back too little.
    {
        RecordingProgress progress;
        const QString path = dir.filePath(QStringLiteral("unread.png"));
        auto fails = [&progress](std::vector<std::uint8_t>&) {
            progress.calls << QStringLiteral("Read");
            return false;
        };
        EXPECT_FALSE(ExportScreenshot(progress, fails, 4, 4, path, ImageFormat::PNG));
        EXPECT_EQ(progress.calls.last(), QStringLiteral("Close"));
        EXPECT_FALSE(progress.calls.contains(QStringLiteral("Line2:保存しています")));
        auto shrinks = [](std::vector<std::uint8_t>& buffer) {
            buffer.resize(buffer.size() / 2);
            return true;
        };
        RecordingProgress second;
        EXPECT_FALSE(ExportScreenshot(second, shrinks, 4, 4, path, ImageFormat::PNG));
        EXPECT_EQ(second.calls.last(), QStringLiteral("Close"));
        EXPECT_FALSE(QFile::exists(path));
    }
    // Sizes no view can have are refused before anything is shown.
    for (auto [w, h] : {std::pair{0, 600}, std::pair{800, 0}, std::pair{-1, 5},
                        std::pair{CImage::kMaxDimension + 1, 2},
                        std::pair{CImage::kMaxDimension, CImage::kMaxDimension}}) {
        RecordingProgress progress;
        auto mustNotRead = [](std::vector<std::uint8_t>&) {
            ADD_FAILURE() << "read for a refused size";
            return true;
        };
        EXPECT_FALSE(ExportScreenshot(progress, mustNotRead, w, h,
                                      dir.filePath(QStringLiteral("huge.png")), ImageFormat::PNG))
            << w << "x" << h;
        EXPECT_TRUE(progress.calls.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

TEST(ScreenshotFormats, CommandsExtensionsAndFilters)
{
    struct Row {
        const char* command;
        const char* extension;
        const char* filter;
        ImageFormat format;
    };
    const Row rows[] = {
        {"Image:BMP", "bmp", "BMP File(*.bmp)", ImageFormat::BMP},
        {"Image:PNG", "png", "PNG File(*.png)", ImageFormat::PNG},
        {"Image:GIF", "gif", "GIF File(*.gif)", ImageFormat::GIF},
        {"Image:TIFF", "tiff", "TIFF File(*.tiff)", ImageFormat::TIFF},
        {"Image:EXIF", "exif", "EXIF File(*.exif)", ImageFormat::EXIF},
        {"Image:JPEG", "jpg", "JPEG File(*.jpg)", ImageFormat::JPEG},
        {"Image:ICON", "ico", "ICON File(*.ico)", ImageFormat::Icon},
    };
    ASSERT_EQ(ScreenshotFormats().size(), std::size(rows));
    for (const Row& r : rows) {
        const ScreenshotFormat* f = FindScreenshotFormat(QLatin1String(r.command));
        ASSERT_NE(f, nullptr) << r.command;
        EXPECT_STREQ(f->extension, r.extension);
        EXPECT_STREQ(f->filterText, r.filter);
        EXPECT_EQ(f->format, r.format);
    }
    EXPECT_EQ(FindScreenshotFormat(QStringLiteral("image:bmp")), nullptr);
    EXPECT_EQ(FindScreenshotFormat(QStringLiteral("Image:ICO")), nullptr);
    EXPECT_EQ(FindScreenshotFormat(QStringLiteral("ScreenShot")), nullptr);

    const ScreenshotFormat& png = *FindScreenshotFormat(QStringLiteral("Image:PNG"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/shot"), png), QStringLiteral("/tmp/shot.png"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/shot."), png), QStringLiteral("/tmp/shot.png"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/shot.PNG"), png), QStringLiteral("/tmp/shot.PNG"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/shot.bmp"), png), QStringLiteral("/tmp/shot.bmp"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/tmp/a.b/shot"), png), QStringLiteral("/tmp/a.b/shot.png"));
    EXPECT_EQ(WithDefaultExtension(QString(), png), QString());
}

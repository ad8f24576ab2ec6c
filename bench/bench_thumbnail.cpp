// What a file manager waits for per model: the whole thumbnailer process,
// started afresh with no display, on the bundled sample; and, for scale, a
// thumbnail of a full 40 x 40 x 40 model drawn in this process.
#include "commandline/ThumbnailPicture.h"
#include "bench/BenchUtil.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

const bench::Register reg("thumbnail", [] {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    bool ok = true;
    const double process = bench::MedianMs(9, {}, [&] {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(MIRAVEL_EXECUTABLE),
                {QStringLiteral("--thumbnail"), QStringLiteral(MIRAVEL_SOURCE_DIR "/resources/samples/sample.mvf"),
                 dir.filePath(QStringLiteral("sample.png")), QStringLiteral("256")});
        ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && ok;
    });
    bench::Report("thumbnail_sample_ms", ok ? process : -1, "ms");

    ModelData full{40, 40, 40, {}};
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 40; ++y)
            for (int z = 0; z < 40; ++z)
                full.cubes.Set({x, y, z}, RGB(std::uint8_t(x * 6), std::uint8_t(y * 6), std::uint8_t(z * 6)));
    const double drawn = bench::MedianMs(5, {}, [&] { ok = !ThumbnailPicture::Render(full, 256).image.isNull() && ok; });
    bench::Report("thumbnail_full40_ms", ok ? drawn : -1, "ms");
});

} // namespace

// Runs every registered benchmark, or those whose group is named on the
// command line.
#include "bench/BenchUtil.h"

#include <QGuiApplication>
#include <QSurfaceFormat>

int main(int argc, char** argv)
{
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setSamples(0);
    QSurfaceFormat::setDefaultFormat(format);
    QGuiApplication app(argc, argv);
    for (const bench::Entry& e : bench::Registry()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i)
            wanted = wanted || e.group == argv[i];
        if (wanted)
            e.run();
    }
    return 0;
}

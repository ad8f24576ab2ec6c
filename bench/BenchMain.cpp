// Runs every registered benchmark, or those whose group is named on the
// command line.
#include "bench/BenchUtil.h"

#include <QGuiApplication>
#include "render/GLFormat.h"

int main(int argc, char** argv)
{
    SetDefaultGLFormat();
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

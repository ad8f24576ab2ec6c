// main() for test executables that need a QApplication (widgets, GL).
// The whole suite runs under Xvfb, so a real X display is there.
#include <QApplication>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include "render/GLFormat.h"
#include <gtest/gtest.h>

namespace {

// The GL driver keeps a few allocations until the process ends and unloads
// itself after main() returns, before the leak checker looks; the checker
// then cannot name the driver in their stacks and its suppression misses.
// Pinning the loaded driver keeps it named.
void PinGlDriverForLeakReports()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "/dri/"))
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    SetDefaultGLFormat();

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    PinGlDriverForLeakReports();
    return result;
}

// main() for test executables that need a QApplication (widgets, GL).
// The whole suite runs under Xvfb, so a real X display is there.
#include <QApplication>
#include <QSurfaceFormat>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Fixed-function GL (display lists, lighting, GLU) needs a compatibility
    // context; it must be the default before the application exists.
    QSurfaceFormat format;
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setSamples(0);
    QSurfaceFormat::setDefaultFormat(format);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

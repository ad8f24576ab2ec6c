#include "commandline/BatchConvert.h"
#include "app/CMiravelApp.h"
#include "app/WindowSystemStart.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The converter's options mean no window at all, and no display for the
    // model formats: decided before any Qt application object exists.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (CommandLine::IsToolRun(arguments))
        return BatchConvert::RunTool(argc, argv, arguments);

    CMiravelApp::PrepareSurfaceFormat();
    WindowSystemStart::Watch();
    QApplication qtApp(argc, argv);
    WindowSystemStart::Done();
    // The event loop ends when the main window has closed, not when the last
    // window of any kind (a splash, a dialog) goes.
    QApplication::setQuitOnLastWindowClosed(false);

    int exitCode = 1;
    {
        CMiravelApp theApp;
        QObject::connect(&theApp, &CMiravelApp::mainFrameClosed, &qtApp, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        if (theApp.InitInstance(QApplication::arguments())) {
            QApplication::exec();
            exitCode = theApp.ExitInstance();
        } else {
            theApp.ExitInstance();
        }
    }
    return exitCode;
}

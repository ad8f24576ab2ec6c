#include "app/WindowSystemStart.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace WindowSystemStart {

namespace {

struct Held {
    QtMsgType type;
    QString message;
    QByteArray category;
};

QtMessageHandler g_previous = nullptr;
std::vector<Held> g_held;

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        g_held.push_back({type, message, context.category ? QByteArray(context.category) : QByteArray()});
        return;
    }
    // The platform plugin could not start. Its first complaint says why
    // ("could not connect to display :9"); the fatal message only says that
    // no plugin could be initialised.
    QString reason = g_held.empty() ? message.section(QLatin1Char('\n'), 0, 0) : g_held.front().message;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        reason = QStringLiteral("there is no display (DISPLAY is not set)");
    const QString line = QStringLiteral("miravel: cannot open the editor's window: %1. "
                                        "Conversions and thumbnails need no display (see miravel --help).\n")
                             .arg(reason.simplified());
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    // Not abort(): a missing display is no crash, and leaves no core behind.
    std::_Exit(1);
}

} // namespace

void Watch()
{
    g_held.clear();
    g_previous = qInstallMessageHandler(Hold);
}

void Done()
{
    qInstallMessageHandler(g_previous);
    for (Held& held : g_held) {
        QMessageLogContext context(nullptr, 0, nullptr, held.category.isEmpty() ? nullptr : held.category.constData());
        if (g_previous)
            g_previous(held.type, context, held.message);
        else
            std::fprintf(stderr, "%s\n", held.message.toLocal8Bit().constData());
    }
    g_held.clear();
    g_previous = nullptr;
}

} // namespace WindowSystemStart

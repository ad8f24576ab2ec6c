#include "app/WindowPaint.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

bool Exposed(const QWidget* window)
{
    return window->windowHandle() && window->windowHandle()->isExposed();
}

} // namespace

void ShowAndPaintNow(QWidget* window)
{
    window->show();
    if (!Exposed(window)) {
        // A window can only be painted once the window system has exposed it.
        // A display that never exposes it (an offscreen platform, say) must
        // not hang the start-up, so the wait has a bound.
        const QDeadlineTimer deadline(5000);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (Exposed(window) || deadline.hasExpired())
                loop.quit();
        });
        poll.start(5);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    window->repaint();
}

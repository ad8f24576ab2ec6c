#pragma once

#include "model/WorkProgress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <cstdint>
#include <memory>

class QWidget;

// The progress window of work that may take a while (opening, importing,
// saving, a turn of a large model). It shows only once the work has taken
// delayMs, so short work never flashes a window; from then on each step
// moves its bar and lets the program repaint. It is modal to its owner: the
// main window takes no input meanwhile. With a Cancel button only where the
// work can stop and leave everything as it was.
class CDelayedProgress {
public:
    CDelayedProgress(QWidget* owner, const QString& title, const QString& text, bool cancellable, int delayMs = 400);
    ~CDelayedProgress();
    CDelayedProgress(const CDelayedProgress&) = delete;
    CDelayedProgress& operator=(const CDelayedProgress&) = delete;

    // One step of the work: done of total. False once the user cancelled.
    bool Step(std::int64_t done, std::int64_t total);
    // Step as a callback, for the layer doing the work.
    WorkProgress Callback() { return [this](std::int64_t done, std::int64_t total) { return Step(done, total); }; }

    // The window, once the delay has passed; null before.
    QProgressDialog* Dialog() const { return m_dialog; }

    // A progress window that lives as long as the callback does (the last copy
    // of it closes the window).
    static WorkProgress Owned(QWidget* owner, const QString& title, const QString& text, bool cancellable,
                              int delayMs = 400);

private:
    QWidget* m_owner;
    QString m_title;
    QString m_text;
    bool m_cancellable;
    int m_delayMs;
    QElapsedTimer m_started;
    QElapsedTimer m_painted;
    QPointer<QProgressDialog> m_dialog;
    bool m_cancelled = false;
};

#include "dialogs/CDelayedProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

namespace {

// The bar's steps; the work's own units can be bytes, chunks or voxels.
constexpr int kBarSteps = 1000;
// How often the window repaints and looks at its Cancel button.
constexpr qint64 kPaintEveryMs = 50;

} // namespace

CDelayedProgress::CDelayedProgress(QWidget* owner, const QString& title, const QString& text, bool cancellable,
                                   int delayMs)
    : m_owner(owner), m_title(title), m_text(text), m_cancellable(cancellable), m_delayMs(delayMs)
{
    m_started.start();
}

CDelayedProgress::~CDelayedProgress()
{
    delete m_dialog.data();
}

bool CDelayedProgress::Step(std::int64_t done, std::int64_t total)
{
    if (m_cancelled)
        return false;
    if (!m_dialog) {
        if (m_started.elapsed() < m_delayMs)
            return true;
        m_dialog = new QProgressDialog(m_text, QString(), 0, kBarSteps, m_owner);
        m_dialog->setWindowTitle(m_title);
        if (m_cancellable)
            m_dialog->setCancelButtonText(QCoreApplication::translate("CDelayedProgress", "キャンセル"));
        else
            m_dialog->setCancelButton(nullptr);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->setMinimumWidth(320);
        m_dialog->show();
    } else if (m_painted.isValid() && m_painted.elapsed() < kPaintEveryMs) {
        return true;
    }
    m_painted.start();
    m_dialog->setValue(total > 0 ? int(std::min<std::int64_t>(done, total) * kBarSteps / total) : 0);
    // Paints the window and the rest of the program; modal, it lets through
    // only the Cancel button's input.
    QCoreApplication::processEvents();
    // Without a Cancel button, Esc or the window's close may still cancel
    // the dialog itself: that work goes on all the same, so it keeps its
    // window, made again at the next step.
    if (m_dialog->wasCanceled() && !m_cancellable) {
        delete m_dialog.data();
        return true;
    }
    m_cancelled = m_dialog->wasCanceled();
    return !m_cancelled;
}

WorkProgress CDelayedProgress::Owned(QWidget* owner, const QString& title, const QString& text, bool cancellable,
                                     int delayMs)
{
    auto progress = std::make_shared<CDelayedProgress>(owner, title, text, cancellable, delayMs);
    return [progress](std::int64_t done, std::int64_t total) { return progress->Step(done, total); };
}

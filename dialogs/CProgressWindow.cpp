#include "dialogs/CProgressWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

CProgressWindow::CProgressWindow(QWidget* owner, double pauseScale)
    : m_owner(owner), m_pauseScale(pauseScale)
{
}

CProgressWindow::~CProgressWindow()
{
    Close();
}

bool CProgressWindow::Create()
{
    m_dialog = new QProgressDialog(m_owner);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setWindowFlags(m_dialog->windowFlags() & ~Qt::WindowMinimizeButtonHint &
                             ~Qt::WindowCloseButtonHint);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(0);
    m_dialog->setMinimumWidth(320);
    return true;
}

void CProgressWindow::SetTitle(const QString& title)
{
    if (m_dialog)
        m_dialog->setWindowTitle(title);
}

void CProgressWindow::Start()
{
    if (!m_dialog)
        return;
    m_dialog->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CProgressWindow::SetLine(int line, const QString& text)
{
    if (line == 1 || line == 2)
        m_lines[line - 1] = text;
    UpdateLabel();
}

void CProgressWindow::UpdateLabel()
{
    if (m_dialog) {
        m_dialog->setLabelText(m_lines[0] + QLatin1Char('\n') + m_lines[1]);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void CProgressWindow::SetProgress(int done, int total)
{
    if (!m_dialog)
        return;
    m_dialog->setRange(0, total);
    m_dialog->setValue(done);
}

void CProgressWindow::Wait(int milliseconds)
{
    // Keeps painting while it waits; the user's input waits too.
    const int ms = int(milliseconds * m_pauseScale);
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QEventLoop loop;
        QTimer::singleShot(std::min<qint64>(20, ms - timer.elapsed()), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

void CProgressWindow::Close()
{
    if (m_dialog) {
        m_dialog->close();
        delete m_dialog;
    }
}

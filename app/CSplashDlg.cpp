#include "app/CSplashDlg.h"

#include "app/WindowPaint.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

CSplashDlg::CSplashDlg()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // Invisible on a frameless window, but lets tools find the splash.
    setWindowTitle(QStringLiteral("MIRA-VEL"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture = LoadPicture();
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    qApp->installEventFilter(this);
    m_watching = true;
}

CSplashDlg::~CSplashDlg()
{
    if (m_watching)
        qApp->removeEventFilter(this);
}

QPixmap CSplashDlg::LoadPicture()
{
    QPixmap picture(QStringLiteral(":/bitmap/345.png"));
    if (!picture.isNull())
        return picture;
    // Without the artwork the splash still has its size and says what starts.
    QPixmap plain(kWidth, kHeight);
    QPainter p(&plain);
    QLinearGradient fill(0, 0, 0, kHeight);
    fill.setColorAt(0, QColor(0x20, 0x30, 0x60));
    fill.setColorAt(1, QColor(0x08, 0x0C, 0x20));
    p.fillRect(plain.rect(), fill);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(36);
    font.setBold(true);
    p.setFont(font);
    p.drawText(plain.rect(), Qt::AlignCenter, QStringLiteral("MIRA-VEL"));
    return plain;
}

void CSplashDlg::ShowSplashScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(0, 0), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    ShowAndPaintNow(this);
}

void CSplashDlg::StartTimer()
{
    m_timer.start(kTimerMs, this);
}

void CSplashDlg::HideSplash()
{
    if (m_hidden)
        return;
    m_hidden = true;
    m_timer.stop();
    if (m_watching) {
        qApp->removeEventFilter(this);
        m_watching = false;
    }
    hide();
    emit hidden();
}

void CSplashDlg::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer.timerId())
        HideSplash();
    else
        QWidget::timerEvent(event);
}

bool CSplashDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (m_hidden)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Before a key press is delivered, the shortcut machinery asks whether
        // the key is wanted as it is. Claiming it keeps a menu shortcut from
        // firing, so that the key press itself arrives below and is used up.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        HideSplash();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void CSplashDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

#include "controls/CAlphaButton.h"

#include "images/AlphaBlend.h"

#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QToolTip>

CAlphaButton::CAlphaButton(QWidget* parent) : QPushButton(parent)
{
    // Child controls start with an empty rectangle; loading an image gives
    // them one frame, the layout their cell.
    setGeometry(0, 0, 0, 0);
    // Hover and the tooltip follow the pointer without a button held.
    setMouseTracking(true);
    // No context menu over a button, and the request does not travel on to
    // the view either.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

CAlphaButton::~CAlphaButton() = default;

bool CAlphaButton::LoadPngResource(int resourceNumber)
{
    QImageReader reader(QStringLiteral(":/png/%1.png").arg(resourceNumber), "png");
    QImage strip;
    if (!reader.read(&strip)) {
        ClearImage();
        return false;
    }
    return LoadPngImage(strip);
}

bool CAlphaButton::LoadPngImage(const QImage& strip)
{
    // Fewer rows than frames would give frames of no height at all.
    if (strip.isNull() || strip.height() < kFrameCount || strip.width() <= 0) {
        ClearImage();
        return false;
    }
    // Straight alpha, as decoded: the blend multiplies by alpha itself.
    m_image = strip.convertToFormat(strip.hasAlphaChannel() ? QImage::Format_ARGB32
                                                            : QImage::Format_RGB32);
    m_nFrameWidth = m_image.width();
    m_nFrameHeight = m_image.height() / kFrameCount;
    resize(m_nFrameWidth, m_nFrameHeight);
    raise();
    update();
    return true;
}

void CAlphaButton::ClearImage()
{
    m_image = QImage();
    m_nFrameWidth = 0;
    m_nFrameHeight = 0;
    update();
}

void CAlphaButton::SetTooltipText(const QString& text)
{
    if (text.isNull())
        return;
    if (!m_tipRegistered) {
        m_tipRect = rect();
        m_tipRegistered = true;
    }
    m_tipText = text;
}

int CAlphaButton::ChooseFrame(bool enabled, bool pressed, bool hover, bool focus)
{
    if (!enabled)
        return 3;
    if (pressed)
        return 2;
    if (hover)
        return 1;
    if (focus)
        return 4;
    return 0;
}

int CAlphaButton::CurrentFrame() const
{
    return ChooseFrame(isEnabled(), isDown(), m_bHover, m_bFocus);
}

QImage CAlphaButton::BlendFrameOverColour(const QImage& strip, int frame, int frameWidth,
                                          int frameHeight, QRgb back)
{
    if (strip.isNull() || frameWidth <= 0 || frameHeight <= 0 || frame < 0 ||
        (frame + 1) * frameHeight > strip.height() || frameWidth > strip.width())
        return QImage();

    const QImage source = strip.convertToFormat(
        strip.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const bool withAlpha = source.hasAlphaChannel();
    QImage out(frameWidth, frameHeight, QImage::Format_RGB32);
    const std::uint8_t br = std::uint8_t(qRed(back));
    const std::uint8_t bg = std::uint8_t(qGreen(back));
    const std::uint8_t bb = std::uint8_t(qBlue(back));
    for (int y = 0; y < frameHeight; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(frame * frameHeight + y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < frameWidth; ++x) {
            const QRgb p = in[x];
            if (!withAlpha) {
                dst[x] = qRgb(qRed(p), qGreen(p), qBlue(p));
                continue;
            }
            const std::uint8_t a = std::uint8_t(qAlpha(p));
            dst[x] = qRgb(BlendAlphaChannel(std::uint8_t(qRed(p)), a, br),
                          BlendAlphaChannel(std::uint8_t(qGreen(p)), a, bg),
                          BlendAlphaChannel(std::uint8_t(qBlue(p)), a, bb));
        }
    }
    return out;
}

void CAlphaButton::paintEvent(QPaintEvent* event)
{
    if (!HasImage()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    DrawItem(painter);
}

void CAlphaButton::DrawItem(QPainter& painter)
{
    const int frame = CurrentFrame();
    const QRect source(0, frame * m_nFrameHeight, m_nFrameWidth, m_nFrameHeight);
    if (const auto under = UnderlayColour()) {
        painter.fillRect(rect(), QColor::fromRgb(*under));
        painter.drawImage(QPoint(0, 0), BlendFrameOverColour(m_image, frame, m_nFrameWidth,
                                                             m_nFrameHeight, *under));
    } else {
        // Nothing solid below: QPainter blends the straight-alpha strip onto
        // whatever is composed beneath the button (the scene).
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QPoint(0, 0), m_image, source);
    }

    const QString caption = text();
    if (caption.isEmpty())
        return;
    const QFontMetrics metrics(font());
    const int w = metrics.horizontalAdvance(caption);
    const int h = metrics.height();
    int x = width() / 2 - w / 2;
    int y = height() / 2 - h / 2;
    if (isDown()) {
        ++x;
        ++y;
    }
    const QRect box(x, y, w, h);
    painter.setFont(font());
    if (!isEnabled()) {
        // Greyed and embossed, as disabled captions are.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(box.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, caption);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
    } else {
        painter.setPen(palette().color(QPalette::ButtonText));
    }
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, caption);
}

bool CAlphaButton::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

bool CAlphaButton::event(QEvent* event)
{
    // The tip is shown by this button's own timer with its own delays; the
    // application's tooltip request must not reach the view behind either.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QPushButton::event(event);
}

void CAlphaButton::PointerAt(const QPoint& pos)
{
    m_lastPointer = pos;
    if (!m_bTracking) {
        m_bTracking = true;
        m_bHover = true;
        update();
    }
    if (!m_tipSuppressed && !m_tipText.isEmpty() && !m_tipTimer.isActive() &&
        !QToolTip::isVisible() && m_tipRect.contains(pos))
        m_tipTimer.start(kTooltipDelayMs, this);
}

void CAlphaButton::HideTip()
{
    m_tipTimer.stop();
    if (QToolTip::isVisible() && QToolTip::text() == m_tipText)
        QToolTip::hideText();
}

void CAlphaButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    PointerAt(event->position().toPoint());
}

void CAlphaButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    m_bTracking = false;
    m_bHover = false;
    m_tipSuppressed = false;
    HideTip();
    update();
}

void CAlphaButton::mouseMoveEvent(QMouseEvent* event)
{
    PointerAt(event->position().toPoint());
    QPushButton::mouseMoveEvent(event);
    event->accept();
}

void CAlphaButton::mousePressEvent(QMouseEvent* event)
{
    m_tipSuppressed = true;
    HideTip();
    QPushButton::mousePressEvent(event);
    event->accept();
}

void CAlphaButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPushButton::mouseReleaseEvent(event);
    event->accept();
}

void CAlphaButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    if (!HasImage()) {
        // An ordinary push button takes the second click of a double-click
        // as one more press.
        m_tipSuppressed = true;
        HideTip();
        QPushButton::mousePressEvent(event);
        event->accept();
        return;
    }
    // An image button reports the double-click instead of a second press,
    // so the release that follows is no click.
    setDown(false);
    event->accept();
    emit doubleClicked();
}

void CAlphaButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Arrows steer the view, not the focus between buttons.
        event->ignore();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

void CAlphaButton::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    m_bFocus = true;
    update();
}

void CAlphaButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    m_bFocus = false;
    update();
}

void CAlphaButton::hideEvent(QHideEvent* event)
{
    QPushButton::hideEvent(event);
    m_bTracking = false;
    m_bHover = false;
    HideTip();
}

void CAlphaButton::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_tipTimer.timerId()) {
        QPushButton::timerEvent(event);
        return;
    }
    m_tipTimer.stop();
    if (m_tipSuppressed || !m_bTracking || m_tipText.isEmpty() || !m_tipRect.contains(m_lastPointer))
        return;
    QToolTip::showText(mapToGlobal(m_lastPointer), m_tipText, this, m_tipRect, kTooltipShowMs);
}

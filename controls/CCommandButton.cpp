#include "controls/CCommandButton.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

CCommandButton::CCommandButton(QWidget* parent) : CAlphaButton(parent)
{
    connect(this, &QAbstractButton::clicked, this, [this] { OnClicked(); });
    connect(this, &CAlphaButton::doubleClicked, this, [this] { OnDoubleClicked(); });
}

CCommandButton::~CCommandButton()
{
    KillTimer(kRepeatTimer);
    KillTimer(kClickWaitTimer);
}

void CCommandButton::SetSwatch(COLORREF color)
{
    m_crColor = color;
    update();
}

std::optional<QRgb> CCommandButton::UnderlayColour() const
{
    if (m_crColor == CLR_NONE)
        return std::nullopt;
    return qRgb(GetRValue(m_crColor), GetGValue(m_crColor), GetBValue(m_crColor));
}

void CCommandButton::Send(const QString& name)
{
    if (m_pOwner)
        m_pOwner->ExecuteCommand(name);
}

bool CCommandButton::IsTimerRunning(int timerId) const
{
    return (timerId == kRepeatTimer || timerId == kClickWaitTimer) && m_qtTimer[timerId] != 0;
}

void CCommandButton::SetTimer(int timerId, int ms)
{
    KillTimer(timerId);
    m_qtTimer[timerId] = startTimer(ms, Qt::PreciseTimer);
}

void CCommandButton::KillTimer(int timerId)
{
    if (m_qtTimer[timerId] != 0) {
        killTimer(m_qtTimer[timerId]);
        m_qtTimer[timerId] = 0;
    }
}

void CCommandButton::OnClicked()
{
    if (m_nClickWait > 0)
        SetTimer(kClickWaitTimer, m_nClickWait);
    else
        Send(m_strCommand);
}

void CCommandButton::OnDoubleClicked()
{
    KillTimer(kClickWaitTimer);  // the pending single click is dropped
    Send(m_strCommand2);
}

void CCommandButton::OnTimer(int timerId)
{
    if (timerId == kClickWaitTimer) {
        KillTimer(kClickWaitTimer);
        Send(m_strCommand);
        return;
    }
    // Repeat tick. One arriving after the release (a command may have run a
    // nested event loop that delivered it) stops the timer for good.
    if (!m_bPressed) {
        KillTimer(kRepeatTimer);
        return;
    }
    if (m_nClickWait > 0)
        SetTimer(kClickWaitTimer, m_nClickWait);
    else
        Send(m_strCommand);
    if (m_bPressed && m_nRepeatInterval > 0)
        SetTimer(kRepeatTimer, m_nRepeatInterval);
    else
        KillTimer(kRepeatTimer);
}

void CCommandButton::timerEvent(QTimerEvent* event)
{
    for (int timerId : {kRepeatTimer, kClickWaitTimer}) {
        if (m_qtTimer[timerId] != 0 && event->timerId() == m_qtTimer[timerId]) {
            OnTimer(timerId);
            return;
        }
    }
    CAlphaButton::timerEvent(event);
}

void CCommandButton::CancelPress()
{
    if (m_nRepeatInterval >= 0)
        KillTimer(kRepeatTimer);
    m_bPressed = false;
    if (isDown())
        setDown(false);
}

void CCommandButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bPressed = true;
        if (m_nRepeatInterval > 0)
            SetTimer(kRepeatTimer, kFirstRepeatMs);
    }
    CAlphaButton::mousePressEvent(event);
}

void CCommandButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_bPressed = false;
        if (m_nRepeatInterval > 0)
            KillTimer(kRepeatTimer);
        // Emits clicked() when released over the button.
        CAlphaButton::mouseReleaseEvent(event);
        return;
    }
    // The release of a right press that moved off the button belongs to the
    // window now under the pointer, as nothing captured the mouse; X11's
    // implicit grab hands it to this button all the same.
    if (event->button() == Qt::RightButton && hitButton(event->position().toPoint())) {
        KillTimer(kClickWaitTimer);
        Send(m_strCommand2);
    }
    CAlphaButton::mouseReleaseEvent(event);
}

void CCommandButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Should the platform deliver a press before the double-click, that press
    // belongs to the double-click and must not start a repeat.
    if (event->button() == Qt::LeftButton && HasImage() && m_bPressed) {
        m_bPressed = false;
        if (m_nRepeatInterval > 0)
            KillTimer(kRepeatTimer);
    }
    CAlphaButton::mouseDoubleClickEvent(event);
}

bool CCommandButton::event(QEvent* event)
{
    if (event->type() == QEvent::UngrabMouse)
        CancelPress();
    return CAlphaButton::event(event);
}

void CCommandButton::focusOutEvent(QFocusEvent* event)
{
    CAlphaButton::focusOutEvent(event);
    // A pop-up keeps the press alive; anything else that takes the focus
    // away (a dialog, another window) ends it.
    if (event->reason() != Qt::PopupFocusReason)
        CancelPress();
}

void CCommandButton::hideEvent(QHideEvent* event)
{
    CAlphaButton::hideEvent(event);
    CancelPress();
}

void CCommandButton::changeEvent(QEvent* event)
{
    CAlphaButton::changeEvent(event);
    if ((event->type() == QEvent::EnabledChange && !isEnabled()) ||
        (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        CancelPress();
}

void CCommandButton::paintEvent(QPaintEvent* event)
{
    // A button without image is drawn by the style; its swatch is the erase
    // colour underneath, as for a control that fills its background.
    if (!HasImage() && m_crColor != CLR_NONE) {
        QPainter painter(this);
        painter.fillRect(rect(), QColor::fromRgb(*UnderlayColour()));
    }
    CAlphaButton::paintEvent(event);
}

#pragma once

#include "controls/CAlphaButton.h"
#include "controls/ICommandOwner.h"
#include "model/CubeTypes.h"

#include <QString>

// An image button that sends named commands to its owner:
// - a click sends m_strCommand, at once or, with a click wait, after it
//   unless a double-click comes first;
// - a double-click and a right click send m_strCommand2 (a pending click is
//   dropped);
// - with a repeat interval, holding the left button sends m_strCommand
//   500 ms after the press and then every interval until the release.
// Behind the image it paints the solid swatch m_crColor unless that is
// CLR_NONE.
//
// Two timers per button: kRepeatTimer and kClickWaitTimer. Starting one
// that runs replaces it.
class CCommandButton : public CAlphaButton {
    Q_OBJECT

public:
    explicit CCommandButton(QWidget* parent = nullptr);
    ~CCommandButton() override;

    static constexpr int kRepeatTimer = 1;
    static constexpr int kClickWaitTimer = 2;
    static constexpr int kFirstRepeatMs = 500;  // whatever the interval

    QString m_strCommand;          // click and auto-repeat
    QString m_strCommand2;         // double-click and right click
    ICommandOwner* m_pOwner = nullptr;  // nothing is sent without one
    int m_nRepeatInterval = 0;     // ms; 0 = no auto-repeat
    int m_nClickWait = 0;          // ms; 0 = a click sends at once
    bool m_bPressed = false;       // left button went down here and is not up yet
    COLORREF m_crColor = CLR_NONE; // swatch under the image

    // Sets the swatch and repaints the button.
    void SetSwatch(COLORREF color);
    bool IsTimerRunning(int timerId) const;

    // What a click and a double-click do (also reached by the keyboard).
    void OnClicked();
    void OnDoubleClicked();

protected:
    std::optional<QRgb> UnderlayColour() const override;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void Send(const QString& name);
    void SetTimer(int timerId, int ms);
    void KillTimer(int timerId);
    void OnTimer(int timerId);
    // The press ended without a release here (hidden, disabled, another
    // window took over): the repeat stops.
    void CancelPress();

    int m_qtTimer[3] = {0, 0, 0};  // Qt timer ids by kRepeatTimer / kClickWaitTimer
};

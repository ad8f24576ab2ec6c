#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

// The picture shown while the program starts: frameless, above the other
// windows, centred on the screen. It goes away when its timer fires or at the
// first key or mouse-button press anywhere in the program; that press is used
// up by hiding the splash and reaches nothing else.
class CSplashDlg : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTimerMs = 3000;
    static constexpr int kWidth = 393;
    static constexpr int kHeight = 150;

    CSplashDlg();
    ~CSplashDlg() override;

    // Shows the window and paints it at once.
    void ShowSplashScreen();
    // Starts the timer, or starts it again from zero if it runs.
    void StartTimer();
    bool IsTimerActive() const { return m_timer.isActive(); }
    bool IsHidden() const { return m_hidden; }
    // Stops the timer, hides the window and stops watching input. Emits
    // hidden() once.
    void HideSplash();

    const QPixmap& Picture() const { return m_picture; }

signals:
    void hidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    static QPixmap LoadPicture();

    QPixmap m_picture;
    QBasicTimer m_timer;
    bool m_watching = false;
    bool m_hidden = false;
};

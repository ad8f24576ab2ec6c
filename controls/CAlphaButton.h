#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <optional>

class QPainter;

// A push button whose face is one of five frames of an image strip stacked
// top to bottom: 0 normal, 1 hover, 2 pressed, 3 disabled, 4 focused.
//
// The frame is drawn with its straight (not premultiplied) alpha over what
// lies beneath the button. The buttons sit over the 3D view; Qt composes
// child widgets that leave their background unpainted over the GL scene, so
// where nothing solid is under the image, QPainter blends it onto the scene.
// Where a subclass fills a solid colour first (UnderlayColour), the blend is
// done here in integer arithmetic, exactly.
//
// Without an image the button is an ordinary push button (the style draws
// it), and double-clicks are two clicks.
//
// Derives from QPushButton for the ordinary push-button look and its
// press / release / click logic; mouse events stop at the button and do not
// reach the view below.
class CAlphaButton : public QPushButton {
    Q_OBJECT

public:
    explicit CAlphaButton(QWidget* parent = nullptr);
    ~CAlphaButton() override;

    // Loads the strip from the resource ":/png/<N>.png". True when an image
    // was decoded; the button then takes the size of one frame.
    bool LoadPngResource(int resourceNumber);
    // The same for an image already in memory (strips built by code, tests).
    // A null image, or one with fewer than five rows, leaves no image.
    bool LoadPngImage(const QImage& strip);
    bool HasImage() const { return !m_image.isNull(); }

    // Sets the tooltip; '\n' breaks lines. A null string changes nothing. The
    // tip answers over the button's rectangle as it is when the text is first
    // set (one frame, since the image is loaded first) and keeps that area.
    void SetTooltipText(const QString& text);
    QString TooltipText() const { return m_tipText; }
    QRect TooltipRect() const { return m_tipRect; }

    // The frame the next paint shows.
    int CurrentFrame() const;

    // Frame index for a button state: disabled wins, then pressed, hover, focus.
    static int ChooseFrame(bool enabled, bool pressed, bool hover, bool focus);
    // Frame `frame` of a strip (frames frameWidth x frameHeight) blended over
    // a solid colour, as an opaque image of one frame. A strip without alpha
    // is copied unchanged.
    static QImage BlendFrameOverColour(const QImage& strip, int frame, int frameWidth,
                                       int frameHeight, QRgb back);

    static constexpr int kFrameCount = 5;
    static constexpr int kTooltipDelayMs = 500;
    static constexpr int kTooltipShowMs = 32767;

    int m_nId = 0;               // control identifier given at creation
    bool m_bHover = false;       // the pointer rests over the button
    bool m_bFocus = false;       // the button has the keyboard focus
    bool m_bTracking = false;    // the pointer entered and has not left yet
    QImage m_image;              // the strip: ARGB32 (straight alpha) or RGB32
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;

signals:
    // A left double-click on a button with an image (a plain one clicks twice).
    void doubleClicked();

protected:
    // A solid colour known to lie under the image, or none (the scene).
    virtual std::optional<QRgb> UnderlayColour() const { return std::nullopt; }
    // Paints an image button: underlay, frame, caption.
    virtual void DrawItem(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void ClearImage();
    void PointerAt(const QPoint& pos);
    void HideTip();

    QString m_tipText;
    QRect m_tipRect;
    bool m_tipRegistered = false;
    bool m_tipSuppressed = false;  // a press hides the tip until the pointer leaves
    QBasicTimer m_tipTimer;
    QPoint m_lastPointer;
};

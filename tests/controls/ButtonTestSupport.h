#pragma once
// Shared pieces of the button widget tests: a recording owner, synthetic
// image strips and pixels.

#include "controls/ICommandOwner.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <functional>
#include <vector>

struct RecordingOwner : ICommandOwner {
    QElapsedTimer clock;
    std::vector<QString> names;
    std::vector<qint64> times;  // ms since the owner was made, one per name

    RecordingOwner() { clock.start(); }
    bool ExecuteCommand(const QString& name) override
    {
        names.push_back(name);
        times.push_back(clock.elapsed());
        return true;
    }
};

// A strip of five frames of w x h; frame k is filled with frameColour(k),
// ARGB with straight alpha.
inline QImage Strip(int w, int h, const std::function<QRgb(int)>& frameColour)
{
    QImage strip(w, h * 5, QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < w; ++x)
            strip.setPixel(x, y, frameColour(y / h));
    return strip;
}

inline QImage SolidStrip(int w, int h, QRgb argb)
{
    return Strip(w, h, [argb](int) { return argb; });
}

inline QRgb GrabPixel(QWidget& w, QPoint p)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(p);
}

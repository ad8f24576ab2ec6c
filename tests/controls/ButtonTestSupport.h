#pragma once
// Shared pieces of the button widget tests: a recording owner, synthetic
// image strips, waiting on the event loop, and pixel access.

#include "controls/ICommandOwner.h"

#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QTest>
#include <QWidget>

#include <cstring>
#include <functional>
#include <vector>

struct RecordingOwner : ICommandOwner {
    struct Sent {
        QString name;
        qint64 atMs;
    };
    QElapsedTimer clock;
    std::vector<Sent> sent;

    RecordingOwner() { clock.start(); }
    bool ExecuteCommand(const QString& name) override
    {
        sent.push_back({name, clock.elapsed()});
        return true;
    }
    std::vector<QString> Names() const
    {
        std::vector<QString> names;
        for (const Sent& s : sent)
            names.push_back(s.name);
        return names;
    }
    int Count(const QString& name) const
    {
        int n = 0;
        for (const Sent& s : sent)
            n += s.name == name ? 1 : 0;
        return n;
    }
};

// A strip of five frames of w x h, every pixel given by the function
// (frame, x, y) -> ARGB with straight alpha.
inline QImage MakeStrip(int w, int frameH, const std::function<QRgb(int, int, int)>& pixel,
                        int extraRows = 0)
{
    QImage strip(w, frameH * 5 + extraRows, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    for (int k = 0; k < 5; ++k)
        for (int y = 0; y < frameH; ++y)
            for (int x = 0; x < w; ++x)
                strip.setPixel(x, k * frameH + y, pixel(k, x, y));
    return strip;
}

inline QImage SolidStrip(int w, int frameH, QRgb argb)
{
    return MakeStrip(w, frameH, [argb](int, int, int) { return argb; });
}

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}

inline QImage Grab(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Keeps a picture of a failed check where the test run collects evidence.
inline void SaveEvidence(const QImage& image, const char* name)
{
    const QString dir = qEnvironmentVariable("MIRAVEL_TEST_OUTPUT");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + QLatin1String(name));
}

inline bool SameRgb(QRgb a, QRgb b, int tolerance = 0)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}


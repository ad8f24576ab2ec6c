#pragma once

#include <QImage>
#include <QString>

#include <memory>

// An OpenGL context that needs no display at all: Mesa's software driver
// reached through EGL on its surfaceless platform, drawing into a framebuffer
// object of its own. Scripts, thumbnailers and servers often run where no X
// display exists; their pictures are drawn by the same driver and the same
// scene code as the editor's view, so they are the same pixels.
//
// The driver is started once for the process, at the first Start, and kept.
// EGL and a window system's GL share one "current context" per thread: a
// caller that holds another context current must release it before Start.
class CHeadlessGL {
public:
    CHeadlessGL();
    ~CHeadlessGL();
    CHeadlessGL(const CHeadlessGL&) = delete;
    CHeadlessGL& operator=(const CHeadlessGL&) = delete;

    // Makes the context current with a framebuffer of width x height pixels
    // (colour with alpha, and depth) bound, ready to draw into. False, with
    // Error() saying why in one line, when GL cannot start here or the
    // framebuffer cannot be made.
    bool Start(int width, int height);
    // What was drawn, top row first. Opaque RGB, or with transparentBackground
    // the pixels nothing was drawn on (the depth buffer still at its clear
    // value) have alpha 0 and the others are opaque.
    QImage Read(bool transparentBackground) const;
    // Deletes the framebuffer and releases the context; Start may follow again.
    void Stop();

    const QString& Error() const { return m_error; }

private:
    struct Framebuffer;
    std::unique_ptr<Framebuffer> m_framebuffer;  // while started
    QString m_error;
};

#pragma once

class QWidget;

// Shows a top-level window and paints it before returning, as far as the
// window system lets it: the window is mapped, exposed and drawn once. Input
// that arrives meanwhile waits for the event loop.
void ShowAndPaintNow(QWidget* window);

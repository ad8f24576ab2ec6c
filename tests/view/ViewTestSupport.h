#pragma once

// Driving the real view: a main window holding it, pixel positions of model
// points, mouse events with buttons held, and answers to modal windows.
#include "model/CMiravelDoc.h"
#include "tests/view/RenderHelpers.h"
#include "view/CMiravelView.h"
#include "scene/Camera.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

inline QImage Grab(CMiravelView& view) { return view.grabFramebuffer().convertToFormat(QImage::Format_RGB32); }

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

// Runs act on the next modal dialog or pop-up menu that opens (of class T,
// when given), from inside its own event loop; gives up after two seconds.
template <class T = QWidget>
inline void WhenModalOpens(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, act, started] {
        QWidget* w = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        const bool found = w && w->isVisible() && qobject_cast<T*>(w);
        if (found || started->elapsed() > 2000) {
            timer->stop();
            timer->deleteLater();
        }
        if (found)
            act(w);
    });
    timer->start(10);
}

class ViewFixture {
public:
    ViewFixture()
    {
        window.setCentralWidget(view);
        window.resize(800, 600);
        view->SetDocument(&doc);  // before the window exists, as at start-up
        view->CommandUi().m_openUrl = [](const QString&) { return true; };  // no browser in a test
        view->CommandUi().m_exportPauseScale = 0.01;
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
        QApplication::setActiveWindow(&window);
        view->setFocus();
        QTest::qWait(50);
    }
    ~ViewFixture() { QTest::qWait(10); }

    // Straight down onto the y layers, one cell = 20 pixels.
    void TopDown()
    {
        view->m_state.m_camera.m_rotX = 90;
        view->m_state.m_camera.m_rotY = 0;
        view->m_state.m_camera.m_scale = 2;
    }
    // Client pixel (top left origin) of the middle of a cell's top face.
    QPoint CellTop(int x, int y, int z) const
    {
        const int grid[3] = {doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ};
        return ToPixel(view->m_state.m_camera, view->width(), view->height(), grid, x + 0.5, y + 1.0, z + 0.5);
    }

    CMiravelDoc doc;
    QMainWindow window;
    CMiravelView* view = new CMiravelView;
    bool exposed = false;
};

// A test on the shown view; fails at once if the window never showed.
class ViewTest : public ::testing::Test, public ViewFixture {
protected:
    void SetUp() override { ASSERT_TRUE(exposed); }
};

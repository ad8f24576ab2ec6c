#pragma once

// Driving the real view: a main window holding it, pixel positions of model
// points, mouse events with buttons held, and answers to modal windows.
#include "model/CMiravelDoc.h"
#include "view/CMiravelView.h"
#include "view/Camera.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>

// Client pixel (top left origin) of a model point, for the view's camera.
inline QPoint ProjectToView(const CMiravelView& v, const CMiravelDoc& doc, double x, double y, double z)
{
    const auto c = (Camera::Projection(v.width(), v.height()) *
                    Camera::ModelView(v, doc.m_sizeX, doc.m_sizeY, doc.m_sizeZ))
                       .Apply(x, y, z);
    return QPoint(int((c[0] / c[3] + 1) * 0.5 * v.width()), int(v.height() - (c[1] / c[3] + 1) * 0.5 * v.height()));
}

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

// Runs act on the next modal dialog or pop-up menu that opens (of class T,
// when given), from inside its own event loop; gives up after two seconds.
template <class T = QWidget>
inline void WhenModalOpens(std::function<void(QWidget*)> act, bool* seen = nullptr)
{
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, act, seen, started] {
        QWidget* w = QApplication::activePopupWidget();
        if (!w)
            w = QApplication::activeModalWidget();
        if (w && w->isVisible() && qobject_cast<T*>(w)) {
            timer->stop();
            timer->deleteLater();
            if (seen)
                *seen = true;
            act(w);
        } else if (started->elapsed() > 2000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

class ViewFixture {
public:
    ViewFixture()
    {
        window.setCentralWidget(view);
        window.resize(800, 600);
        view->SetDocument(&doc);
        view->m_openUrl = [this](const QString& url) { urls.push_back(url); };
        view->m_exportPauseScale = 0.01;
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
        QApplication::setActiveWindow(&window);
        view->setFocus();
        QTest::qWait(20);
    }
    ~ViewFixture() { QTest::qWait(10); }

    // Straight down onto the y layers, one cell = 20 pixels.
    void TopDown()
    {
        view->m_rotX = 90;
        view->m_rotY = 0;
        view->m_scale = 2;
    }
    QPoint CellTop(int x, int y, int z) { return ProjectToView(*view, doc, x + 0.5, y + 1.0, z + 0.5); }

    CMiravelDoc doc;
    QMainWindow window;
    CMiravelView* view = new CMiravelView;
    std::vector<QString> urls;
    bool exposed = false;
};

#pragma once

#include "controls/CViewButtons.h"
#include "controls/CommandIds.h"
#include "controls/CommandUi.h"
#include "controls/ICommandOwner.h"
#include "editing/MouseInteraction.h"
#include "model/Document.h"
#include "render/FastCubeRenderer.h"
#include "scene/ViewState.h"

#include <QOpenGLWidget>
#include <functional>

class CMiravelDoc;

// The 3D view: draws the document with OpenGL, carries the on-view buttons,
// turns mouse and keys into edits and named commands, and holds every piece of
// view state (the CViewState members).
//
// The GL context belongs to Qt; the view makes it current through Qt whenever
// it does GL work outside a paint. The buttons are members (CViewButtons),
// destroyed before the widget itself.
class CMiravelView : public QOpenGLWidget,
                     public CViewState,
                     public CViewButtons,
                     public CDocView,
                     public ICommandOwner,
                     public ICommandUi,
                     public IMouseHost {
    Q_OBJECT

public:
    explicit CMiravelView(QWidget* parent = nullptr);
    ~CMiravelView() override;

    // Attaches the document: registers as its view and runs the initial update.
    void SetDocument(CMiravelDoc* doc);
    CMiravelDoc* GetDocument() const { return m_doc; }

    // Runs each time a document is attached (start-up, new, open): rebuilds
    // the display lists and sends "Setting:Default".
    virtual void OnInitialUpdate();
    void OnUpdate(CDocView* sender, long hint) override;
    void OnCubeChanged(const CUBEPOS& pos) override;
    void OnModelReset() override;

    // Performs a named command ("Canvas:Up", "Setting:Default", ...). Returns
    // false for an empty or unknown name.
    bool ExecuteCommand(const QString& name) override;
    void ExecuteCommand(CommandId id);

    // After the settings file has been read: recolour, show or hide and lay
    // out the on-view buttons, then repaint.
    void RefreshButtons();

    // Picking at a pixel of the client area (logical pixels from the top left).
    void PickSight(int x, int y);
    void PickAttach(int x, int y);

    // The scene as a screenshot or a print shows it: without the editing
    // aids that only the window shows (the mirror planes).
    QImage ScenePicture();

    // Whether the context exists and the display lists are built.
    bool HasDisplayLists() const { return m_listCube != 0; }

    // ICommandUi: what commands ask of the window.
    void InvalidateView() override;
    void InvalidateButton(int buttonId) override;
    void InvalidateChildren() override;
    COLORREF Swatch(int buttonId) const override;
    void SetSwatch(int buttonId, COLORREF color) override;
    void ShowControlButtons(bool show) override;
    void ShowColorButtons(bool show) override;
    void LayoutButtons() override;
    void RebuildDisplayLists() override;
    void FitZoom() override;
    bool PickColor(COLORREF& color) override;
    bool Confirm(const QString& question) override;
    void Warn(const QString& message) override;
    bool RunCubeSizeDialog(std::int32_t& x, std::int32_t& y, std::int32_t& z) override;
    bool RunCubeRateDialog(double& x, double& y, double& z) override;
    bool RunLineWidthDialog(const QString& title, double& width) override;
    bool PromptImagePath(QString& path, const QString& filter, const QString& defaultExt) override;
    void ShowSettingMenu() override;
    void ShowScreenShotMenu() override;
    bool ExportImage(const QString& path, ImageFormat format) override;
    bool OpenUrl(const QString& url) override;

    // Where "Orvendale" sends the user guide's address; the desktop's browser
    // by default, false when none starts. Tests replace it.
    std::function<bool(const QString&)> m_openUrl;
    // Scales the export's two one-second pauses (tests shorten them).
    double m_exportPauseScale = 1.0;
    // Draw the cubes the literal way, one display-list call per cube, instead
    // of from cached geometry. Slow; kept as the reference picture. Also
    // chosen by MIRAVEL_RENDERER=reference in the environment.
    bool m_referenceRenderer = false;

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // IMouseHost.
    void TakeFocus() override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void Pick(int x, int y) override;
    void Invalidate() override;

    void ReleaseGL();
    bool ListsMatchModel() const;
    void ApplyFit();

    CMiravelDoc* m_doc = nullptr;
    CMouseInteraction m_mouse;
    CFastCubeRenderer m_fastCubes;
    bool m_listsDirty = true;
    // The zoom is fitted to the client area; before the window has its real
    // size, the fit waits for the first paint.
    bool m_fitPending = false;
    // A Ctrl press used by a tool holds the left button: no sweep paints
    // until it is released.
    bool m_toolPress = false;
    // Set while a picture for a file or a printer is drawn.
    bool m_hideEditingAids = false;
    // What the lists were built for.
    int m_listsSizeX = 0, m_listsSizeY = 0, m_listsSizeZ = 0, m_listsAxis = -1;
};

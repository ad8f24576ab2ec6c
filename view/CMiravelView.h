#pragma once

#include "controls/CViewButtons.h"
#include "controls/CommandIds.h"
#include "editing/ToolBox.h"
#include "model/Document.h"
#include "render/FastCubeRenderer.h"
#include "render/SceneRenderer.h"
#include "scene/ViewState.h"
#include "view/ViewAdapters.h"
#include "view/ViewCommandUi.h"

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QPointer>
#include <QProgressDialog>

class CMiravelDoc;

// The 3D view: the GL widget that draws the document and hands its mouse and
// wheel events on to its tools, its keys to the command dispatcher. The
// view state, the on-view buttons and the command UI are members.
//
// The GL context belongs to Qt; the view makes it current through Qt whenever
// it does GL work outside a paint. It watches its document as one of its
// views (CDocView). The buttons are destroyed before the widget itself, so
// each leaves its parent before the parent would delete its children.
class CMiravelView : public QOpenGLWidget, public CDocView {
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
    void OnChunksChanged(const std::vector<ChunkKey>& chunks) override;

    // Performs a named command ("Canvas:Up", "Setting:Default", ...). Returns
    // false for an empty or unknown name.
    bool ExecuteCommand(const QString& name);
    void ExecuteCommand(CommandId id);

    // After the settings file has been read: recolour, show or hide and lay
    // out the on-view buttons, then repaint.
    void RefreshButtons();

    // Picking at a pixel of the client area (logical pixels from the top left).
    void PickSight(int x, int y);
    void PickAttach(int x, int y);

    // The grid size or canvas axis changed: the lists are rebuilt at the next
    // paint.
    void RebuildDisplayLists();
    // Fits the zoom to the grid in the client area as it is now, or at the
    // first paint when the window has no real size yet, for the grid seen
    // with the ratio and rotation of `pose`.
    void FitZoom(const CCameraState& pose);

    // The scene as a screenshot or a print shows it: without the editing
    // aids that only the window shows (the mirror planes).
    QImage ScenePicture();

    // Whether the context exists and the display lists are built.
    bool HasDisplayLists() const { return m_lists.m_listCube != 0; }

    CViewCommandUi& CommandUi() { return m_commandUi; }

    // How long a frame may build and how long before the build's progress
    // window shows (tests shorten both).
    void SetBuildPacing(double budgetMs, int progressDelayMs);
    QProgressDialog* BuildProgress() const { return m_buildProgress; }

signals:
    // The status bar's line changed: the select tool's selection and paste;
    // empty under the other tools.
    void StatusTextChanged(const QString& text);
    // A command of the view ran, from whatever way in (a key, a button, a
    // menu): check marks that show the view's state may have changed.
    void CommandRan(CommandId id);

private:
    // Declared before the buttons, which hold the command owner until they
    // are gone.
    CViewCommandUi m_commandUi{*this};
    CViewCommandOwner m_commandOwner{*this};
    CViewToolHost m_toolHost{*this};

public:
    CViewState m_state;
    CViewButtons m_buttons;
    // Client size in logical pixels, taken at every paint and pick.
    std::int32_t m_viewWidth = 0, m_viewHeight = 0;
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
    // How long one frame may spend building geometry that no edit asked for.
    double m_buildBudgetMs = 100.0;
    // A build shorter than this shows no progress window.
    int m_buildProgressDelayMs = 400;

    void ReleaseGL();
    bool ListsMatchModel() const;
    void ApplyFit();
    ToolContext Tools();
    // Shows, moves or closes the window telling how far a long geometry
    // build has come.
    void TrackBuild();
    // Tells the status bar when its line changed.
    void UpdateStatus();

    CMiravelDoc* m_doc = nullptr;
    CToolBox m_tools;
    CFastCubeRenderer m_fastCubes;
    SceneRenderer::Lists m_lists;
    bool m_listsDirty = true;
    // The zoom is fitted to the client area; before the window has its real
    // size, the fit waits for the first paint, with the pose it was asked for.
    bool m_fitPending = false;
    CCameraState m_fitPose;
    // Runs from the first frame that left geometry unbuilt; past a short
    // delay a window shows the build's progress until it is done.
    QElapsedTimer m_buildStarted;
    QPointer<QProgressDialog> m_buildProgress;
    // Set while a picture for a file or a printer is drawn.
    bool m_hideEditingAids = false;
    // What the lists were built for.
    int m_listsSizeX = 0, m_listsSizeY = 0, m_listsSizeZ = 0;
    CanvasAxis m_listsAxis = CanvasAxis::X;
    QString m_statusText;
};

#pragma once

#include "model/Document.h"
#include "view/ViewState.h"

#include <QOpenGLWidget>

class CMiravelDoc;

// The 3D view: draws the document with OpenGL and holds every piece of view
// state (the CViewState members). The GL context belongs to Qt; the view makes
// it current through Qt whenever it does GL work outside a paint.
class CMiravelView : public QOpenGLWidget, public CViewState, public CDocView {
    Q_OBJECT

public:
    explicit CMiravelView(QWidget* parent = nullptr);
    ~CMiravelView() override;

    // Attaches the document: registers as its view and runs the initial update.
    void SetDocument(CMiravelDoc* doc);
    CMiravelDoc* GetDocument() const { return m_doc; }

    // Runs each time a document is attached (start-up, new, open): rebuilds
    // the display lists and resets the camera.
    virtual void OnInitialUpdate();
    void OnUpdate(CDocView* sender, long hint) override;
    void OnModelReset() override;

    // The camera as GL matrices, multiplied into the current matrix of the
    // current context (for code that draws with the view's camera).
    bool SetProjection();
    bool SetLookAt();

    // Deletes and rebuilds the display lists, for a new grid size or canvas axis.
    void RebuildDisplayLists();

    // Picking at a pixel of the client area (logical pixels from the top left).
    void PickSight(int x, int y);
    void PickAttach(int x, int y);

    // Zoom to fit the grid in the current client area.
    void FitZoom();
    // Rotation, look-at and zoom back to their defaults.
    void ResetCamera();

    // Performs a named command ("Canvas:Up", "Setting:Default", ...). Returns
    // false for an empty or unknown name.
    bool ExecuteCommand(const QString& name);

    // After the settings file has been read: recolour, show or hide and lay
    // out the on-view buttons, then repaint.
    void RefreshButtons();

    // Whether the context exists and the display lists are built.
    bool HasDisplayLists() const { return m_listCube != 0; }

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    void ReleaseGL();
    void ApplyFit();
    bool ListsMatchModel() const;

    CMiravelDoc* m_doc = nullptr;
    bool m_listsDirty = true;
    // The zoom is fitted to the client area; before the window has its real
    // size, the fit waits for the first resize.
    bool m_fitPending = false;
    // What the lists were built for.
    int m_listsSizeX = 0, m_listsSizeY = 0, m_listsSizeZ = 0, m_listsAxis = -1;
};

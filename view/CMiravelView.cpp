#include "view/CMiravelView.h"

#include "editing/Picker.h"
#include "model/CMiravelDoc.h"
#include "view/Camera.h"
#include "view/SceneRenderer.h"

#include <QOpenGLContext>
#include <GL/gl.h>
#include <algorithm>

CMiravelView::CMiravelView(QWidget* parent) : QOpenGLWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_palette.assign(kInitialPalette.begin(), kInitialPalette.end());
}

CMiravelView::~CMiravelView()
{
    if (m_doc)
        m_doc->RemoveView(this);
    ReleaseGL();
}

void CMiravelView::SetDocument(CMiravelDoc* doc)
{
    if (m_doc == doc) {
        OnInitialUpdate();
        return;
    }
    if (m_doc)
        m_doc->RemoveView(this);
    m_doc = doc;
    if (m_doc)
        m_doc->AddView(this);
    OnInitialUpdate();
}

void CMiravelView::OnInitialUpdate()
{
    RebuildDisplayLists();
    ResetCamera();
}

void CMiravelView::OnUpdate(CDocView*, long)
{
    update();
}

void CMiravelView::OnModelReset()
{
    // A new grid size needs new lists; the next paint checks and rebuilds.
    update();
}

bool CMiravelView::SetProjection()
{
    glMultMatrixd(Camera::Projection(width(), height()).m.data());
    return true;
}

bool CMiravelView::SetLookAt()
{
    glMultMatrixd(Camera::LookAtMatrix(*this).m.data());
    return true;
}

void CMiravelView::RebuildDisplayLists()
{
    m_listsDirty = true;
    update();
}

bool CMiravelView::ListsMatchModel() const
{
    return m_doc && m_listsSizeX == m_doc->m_sizeX && m_listsSizeY == m_doc->m_sizeY &&
           m_listsSizeZ == m_doc->m_sizeZ && m_listsAxis == m_canvasAxis;
}

void CMiravelView::PickSight(int x, int y)
{
    m_sightX = m_sightY = m_sightZ = -1;
    if (!m_doc)
        return;
    m_viewWidth = width();
    m_viewHeight = height();
    const CUBEPOS c = Picker::PickSight(*this, *m_doc, x + 0.5, m_viewHeight - y - 0.5);
    m_sightX = c.x;
    m_sightY = c.y;
    m_sightZ = c.z;
}

void CMiravelView::PickAttach(int x, int y)
{
    m_attachX = m_attachY = m_attachZ = -1;
    if (!m_doc)
        return;
    m_viewWidth = width();
    m_viewHeight = height();
    const CUBEPOS c = Picker::PickAttach(*this, *m_doc, x + 0.5, m_viewHeight - y - 0.5);
    m_attachX = c.x;
    m_attachY = c.y;
    m_attachZ = c.z;
}

void CMiravelView::FitZoom()
{
    if (!m_doc)
        return;
    if (!isVisible() || width() <= 0 || height() <= 0) {
        m_fitPending = true;
        return;
    }
    ApplyFit();
    update();
}

void CMiravelView::ApplyFit()
{
    m_fitPending = false;
    m_scale = Camera::FitScale(std::max({m_doc->m_sizeX, m_doc->m_sizeY, m_doc->m_sizeZ}), width(),
                               height());
}

void CMiravelView::ResetCamera()
{
    FitZoom();
    Camera::ResetRotation(*this);
    Camera::ResetLookAt(*this);
    update();
}

void CMiravelView::initializeGL()
{
    // The context is replaced when the widget moves to another top-level
    // window; its display lists go with it.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CMiravelView::ReleaseGL,
            Qt::UniqueConnection);
    m_listFrame = m_listCube = m_listCanvas = m_listGround = 0;
    m_listsDirty = true;
}

void CMiravelView::ReleaseGL()
{
    if (!context() || !isValid())
        return;
    makeCurrent();
    SceneRenderer::DeleteLists(*this);
    doneCurrent();
    m_listsDirty = true;
}

void CMiravelView::resizeGL(int, int)
{
    // Nothing to do: every paint takes the client size afresh.
}

void CMiravelView::paintGL()
{
    m_viewWidth = width();
    m_viewHeight = height();
    if (!m_doc) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    // A fit asked for before the window had its final size happens now.
    if (m_fitPending)
        ApplyFit();
    if (m_listsDirty || !ListsMatchModel()) {
        SceneRenderer::BuildLists(*this, *m_doc);
        m_listsSizeX = m_doc->m_sizeX;
        m_listsSizeY = m_doc->m_sizeY;
        m_listsSizeZ = m_doc->m_sizeZ;
        m_listsAxis = m_canvasAxis;
        m_listsDirty = false;
    }
    const double dpr = devicePixelRatioF();
    SceneRenderer::Target target;
    target.deviceWidth = int(m_viewWidth * dpr + 0.5);
    target.deviceHeight = int(m_viewHeight * dpr + 0.5);
    target.devicePixelRatio = dpr;
    SceneRenderer::DrawScene(*this, *m_doc, target);
}

bool CMiravelView::ExecuteCommand(const QString& name)
{
    if (name == QLatin1String("Setting:Default")) {
        ResetCamera();
        return true;
    }
    return false;
}

void CMiravelView::RefreshButtons()
{
    update();
}

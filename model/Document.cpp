#include "model/Document.h"

#include "model/CubeTypes.h"
#include "model/FileErrorText.h"
#include "model/ModelMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>

namespace {

// Why a save could not even start. The file layer reports a name that is a
// folder, or a folder on the way that is a file, only as an unknown error.
QString WhyNotWritable(const QString& path, const QString& fileLayerReason)
{
    const QFileInfo target(path);
    if (target.isDir())
        return ModelMessages::PathIsFolder();
    for (QFileInfo dir(target.absolutePath()); !dir.isRoot(); dir = QFileInfo(dir.absolutePath())) {
        if (dir.exists() && !dir.isDir())
            return ModelMessages::FolderIsFile(dir.absoluteFilePath());
        if (dir.isDir())
            break;
    }
    return fileLayerReason;
}

} // namespace

CDocument::~CDocument() = default;

void CDocument::AddView(CDocView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(CDocView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CDocument::UpdateAllViews(CDocView* sender, long hint)
{
    // A view may unregister while being told; walk a copy.
    const auto views = m_views;
    for (CDocView* v : views)
        if (v != sender)
            v->OnUpdate(sender, hint);
}

void CDocument::NotifyCubeChanged(const CUBEPOS& pos)
{
    for (CDocView* v : m_views)
        v->OnCubeChanged(pos);
}

void CDocument::NotifyChunksChanged(const std::vector<ChunkKey>& chunks)
{
    for (CDocView* v : m_views)
        v->OnChunksChanged(chunks);
}

void CDocument::NotifyModelReset()
{
    for (CDocView* v : m_views)
        v->OnModelReset();
}

void CDocument::SetModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    const auto views = m_views;
    for (CDocView* v : views)
        v->OnModifiedChanged();
}

void CDocument::SetPathName(const QString& path)
{
    m_pathName = path;
    m_title = path.isEmpty() ? m_defaultTitle : QFileInfo(path).fileName();
}

bool CDocument::OnNewDocument()
{
    m_pathName.clear();
    m_title = m_defaultTitle;
    SetModifiedFlag(false);
    return true;
}

DocResult CDocument::OnOpenDocument(const QString& path, const WorkProgress& progress)
{
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return DocResult::Fail(ModelMessages::CannotOpen(path, FileErrorText::OfFailedCall(file)));
    CArchive ar(file, CArchive::load);
    ar.SetProgress(progress);
    DocResult result = Serialize(ar);
    if (ar.Cancelled())
        return DocResult::Cancelled();
    // A read that broke off is the disk's fault, not the file's.
    if (ar.Failed())
        return DocResult::Fail(ModelMessages::CannotOpen(path, ar.ErrorString()));
    if (!result.ok)
        return result;
    SetPathName(path);
    SetModifiedFlag(false);
    return result;
}

DocResult CDocument::OnSaveDocument(const QString& path, const WorkProgress& progress)
{
    // The model goes straight into the temporary that replaces the old file
    // only once it is complete.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return DocResult::Fail(ModelMessages::CannotSave(path, WhyNotWritable(path, FileErrorText::OfFailedCall(file))));
    CArchive ar(file, CArchive::store, m_fileWriter);
    ar.SetProgress(progress);
    DocResult result = Serialize(ar);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    // The last bytes reach the disk on the flush; its failure (a full disk)
    // has a reason only there, not after the commit.
    bool flushed = ar.Flush();
    if (flushed) {
        errno = 0;
        flushed = file.flush();
    }
    if (ar.Cancelled()) {
        file.cancelWriting();
        return DocResult::Cancelled();
    }
    if (!flushed) {
        const QString reason = ar.Failed() ? ar.ErrorString() : FileErrorText::OfFailedCall(file);
        file.cancelWriting();
        return DocResult::Fail(ModelMessages::CannotSave(path, reason));
    }
    errno = 0;
    if (!file.commit())
        return DocResult::Fail(ModelMessages::CannotSave(path, FileErrorText::OfFailedCall(file)));
    SetPathName(path);
    SetModifiedFlag(false);
    return result;
}

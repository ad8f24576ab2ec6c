#pragma once

#include "model/Archive.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

class CDocument;
struct CUBEPOS;
struct ChunkKey;

// Anything that shows a document. Views register with their document and hear
// about every change; the document itself knows nothing about widgets.
class CDocView {
public:
    virtual ~CDocView() = default;
    // The document changed: repaint (UpdateAllViews).
    virtual void OnUpdate(CDocView* sender, long hint) = 0;
    // One cell of the store changed, before any OnUpdate that reports it.
    // Lets a view keep caches per cell instead of rebuilding everything.
    virtual void OnCubeChanged(const CUBEPOS& /*pos*/) {}
    // Many cells or the grid size changed at once (new, open, clear, resize,
    // a turn).
    virtual void OnModelReset() {}
    // Many cells changed, all within these chunks of the cube store (sorted,
    // each once), and the grid size did not (a large fill, a paste, their
    // undo). A cell's change also changes what its neighbours in the next
    // chunk show. By default it is a reset.
    virtual void OnChunksChanged(const std::vector<ChunkKey>& /*chunks*/) { OnModelReset(); }
    // The modified flag turned on or off.
    virtual void OnModifiedChanged() {}
};

// Moves a view's registration from the document it watches to another one.
template <class Doc>
void WatchDocument(CDocView* view, Doc*& current, Doc* next)
{
    if (current == next)
        return;
    if (current)
        current->RemoveView(view);
    current = next;
    if (current)
        current->AddView(view);
}

// A frozen copy of a document's content, cheap to take, that can be written
// on another thread while the document goes on changing.
class CDocSnapshot {
public:
    virtual ~CDocSnapshot() = default;
    // Writes the copy as the document's Serialize would have when it was taken.
    virtual DocResult Store(CArchive& ar) const = 0;
};

// The document services of a desktop framework that the editor relies on:
// views, the modified flag, path and title, new / open / save.
class CDocument {
public:
    virtual ~CDocument();

    void AddView(CDocView* view);
    void RemoveView(CDocView* view);
    void UpdateAllViews(CDocView* sender = nullptr, long hint = 0);

    bool IsModified() const { return m_modified; }
    // Views hear of every change of the flag, whoever makes it.
    void SetModifiedFlag(bool modified = true);

    const QString& GetPathName() const { return m_pathName; }
    const QString& GetTitle() const { return m_title; }
    void SetPathName(const QString& path);
    void SetTitle(const QString& title) { m_title = title; }
    // The title a document has before it is saved (the template's document name).
    void SetDefaultTitle(const QString& title) { m_defaultTitle = title; }

    // Starts an empty document. Returns false to cancel.
    virtual bool OnNewDocument();
    // Reads the file at path. On failure the document is exactly as before:
    // model, path, title and modified flag.
    // progress hears of the bytes read and may cancel, which leaves the
    // document as it was too.
    virtual DocResult OnOpenDocument(const QString& path, const WorkProgress& progress = {});
    // Writes the file through a temporary that replaces the old file only once
    // it is complete, so a failed save never destroys the file that was there.
    // A cancelled save (progress answered false) leaves the old file and the
    // document as they were.
    virtual DocResult OnSaveDocument(const QString& path, const WorkProgress& progress = {});

    // Reads or writes the document through the archive, streamed: an open
    // reads only what the format needs, so a huge stray file cannot stall the
    // editor.
    virtual DocResult Serialize(CArchive& ar) = 0;
    virtual std::shared_ptr<const CDocSnapshot> TakeSnapshot() const = 0;

    // How a save hands its blocks to the file (see CArchive::BlockWriter).
    using FileWriter = CArchive::BlockWriter;
    void SetFileWriterForTesting(FileWriter writer) { m_fileWriter = std::move(writer); }

protected:
    void NotifyCubeChanged(const CUBEPOS& pos);
    void NotifyModelReset();
    void NotifyChunksChanged(const std::vector<ChunkKey>& chunks);

private:
    std::vector<CDocView*> m_views;
    QString m_pathName;
    QString m_title;
    QString m_defaultTitle;
    bool m_modified = false;
    FileWriter m_fileWriter;
};

#pragma once

#include "model/Archive.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class CDocSnapshot;
class CDocument;
class QLockFile;

// A recovery copy left by an instance that no longer runs. While a store
// holds it, the store holds its lock, so no other instance can take it.
struct CRecoveryCopy {
    QString id;
    QString originalPath; // empty when the model had never been saved
    QString title;
    QDateTime written;    // when the copy was last written
    // Why the copy's side file cannot be used; empty when it can. The model
    // itself is checked by loading it (Load).
    QString problem;
};

// The recovery folder: each running instance keeps at most one copy of its
// modified model there, as <id>.mvf in the model file format, with a side file
// <id>.json that names the original path and title, and a lock <id>.lock that
// the instance holds while it runs. Ids are fresh for every instance, so two
// instances never write the same files, and a copy whose lock can be taken
// was left by an instance that is gone.
//
// Every file is replaced whole (written beside and renamed over), so a copy on
// disk is always a complete earlier or later state, never a mix.
class CRecoveryStore {
public:
    // folder empty: the per-user data folder's "recovery", looked up on first
    // use (the application's organisation and name must be set by then).
    explicit CRecoveryStore(QString folder = {});
    ~CRecoveryStore();
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    static QString DefaultFolder();
    QString Folder() const;
    const QString& OwnId() const { return m_ownId; }

    // A copy ready to be written: a snapshot of the document, and its side file.
    struct Snapshot {
        QByteArray side;
        std::shared_ptr<const CDocSnapshot> model;
    };
    // Takes the instance's lock and a snapshot of the document: the part that
    // must run on the document's thread, which costs little whatever the
    // model. Empty on failure, with the reason.
    std::optional<Snapshot> Prepare(CDocument& doc, QString* reason = nullptr);
    // Writes a prepared copy: the side file, then the model, serialised
    // straight into its file. May run on another thread, one write or
    // removal at a time.
    bool Commit(const Snapshot& snapshot, QString* reason = nullptr);
    // Both at once.
    bool Write(CDocument& doc, QString* reason = nullptr);
    bool HasOwnCopy() const;
    // Deletes this instance's copy; the lock stays held until the store goes.
    // May run on the thread that commits.
    void RemoveOwn();
    QString OwnModelPath() const { return ModelPath(m_ownId); }

    // The copies of instances that are gone, newest first, each now locked by
    // this store. What cannot be a copy is cleaned up on the way: a lone lock,
    // a side file whose model was never written.
    std::vector<CRecoveryCopy> TakeLeftCopies();
    // Reads a left copy's model into doc through the document's own reader.
    DocResult Load(const CRecoveryCopy& copy, CDocument& doc) const;
    // Deletes the copy's files and lets its lock go.
    void Delete(const CRecoveryCopy& copy);
    // Renames the copy's files to <name>.damaged, where they are never offered
    // again but stay for a person to look at. Returns the model's new path.
    QString MoveAside(const CRecoveryCopy& copy);
    // Lets the lock go and leaves the files for a later start.
    void Release(const CRecoveryCopy& copy);
    // The copy becomes this instance's own: written over and removed as such.
    void Adopt(const CRecoveryCopy& copy);

    QString ModelPath(const QString& id) const;
    QString SidePath(const QString& id) const;
    QString LockPath(const QString& id) const;

private:
    bool LockOwn(QString* reason);
    std::unique_ptr<QLockFile> TryLock(const QString& id) const;
    bool EnsureFolder() const;

    // Looked up on first use, on the document's thread, before any other
    // thread reads it.
    mutable QString m_folder;
    QString m_ownId;
    std::unique_ptr<QLockFile> m_ownLock;
    QByteArray m_ownSideWritten; // the side file's bytes as last written (by Commit)
    std::map<QString, std::unique_ptr<QLockFile>> m_takenLocks;
};

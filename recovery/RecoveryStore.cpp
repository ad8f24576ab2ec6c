#include "recovery/RecoveryStore.h"

#include "recovery/RecoveryTexts.h"
#include "model/Document.h"
#include "model/ModelMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>
#include <algorithm>

namespace {

// The side file is a few hundred bytes; anything much bigger is not one.
constexpr qint64 kMaxSideBytes = 64 * 1024;
// How old a lock file that names no owner must be before it counts as stale.
constexpr qint64 kUnreadableLockMs = 60 * 1000;

// The lock files that stores of this process hold. A lock file that names
// this very process but is not among them was left by an earlier process that
// had the same pid (a sandbox may give every run the same one), so it is
// stale although the pid it names is alive.
QSet<QString>& LocksHeldHere()
{
    static QSet<QString> paths;
    return paths;
}

void LetGo(std::unique_ptr<QLockFile>& lock, const QString& path)
{
    if (!lock)
        return;
    LocksHeldHere().remove(path);
    lock->unlock(); // removes the lock file
    lock.reset();
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (reason)
        *reason = ModelMessages::CannotSave(path, file.errorString());
    file.cancelWriting();
    return false;
}

} // namespace

CRecoveryStore::CRecoveryStore(QString folder)
    : m_folder(std::move(folder)), m_ownId(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

CRecoveryStore::~CRecoveryStore()
{
    LetGo(m_ownLock, LockPath(m_ownId));
    for (auto& [id, lock] : m_takenLocks)
        LetGo(lock, LockPath(id));
}

QString CRecoveryStore::DefaultFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

QString CRecoveryStore::Folder() const
{
    if (m_folder.isEmpty())
        m_folder = DefaultFolder();
    return m_folder;
}

QString CRecoveryStore::ModelPath(const QString& id) const
{
    return Folder() + QLatin1Char('/') + id + QStringLiteral(".mvf");
}

QString CRecoveryStore::SidePath(const QString& id) const
{
    return Folder() + QLatin1Char('/') + id + QStringLiteral(".json");
}

QString CRecoveryStore::LockPath(const QString& id) const
{
    return Folder() + QLatin1Char('/') + id + QStringLiteral(".lock");
}

bool CRecoveryStore::EnsureFolder() const
{
    const QString folder = Folder();
    if (folder.isEmpty())
        return false;
    if (QFileInfo(folder).isDir())
        return true;
    if (!QDir().mkpath(folder))
        return false;
    // Copies of the user's unsaved work are for the user only.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

std::unique_ptr<QLockFile> CRecoveryStore::TryLock(const QString& id) const
{
    const QString path = LockPath(id);
    auto lock = std::make_unique<QLockFile>(path);
    // Only an owner that is gone makes a lock stale, never its age: an
    // instance may run for days.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    if (!locked && lock->error() == QLockFile::LockFailedError && !LocksHeldHere().contains(path)) {
        qint64 pid = 0;
        QString host, app;
        const bool stale =
            lock->getLockInfo(&pid, &host, &app)
                ? pid == QCoreApplication::applicationPid() &&
                      (host.isEmpty() || host == QSysInfo::machineHostName())
                // Unreadable: its owner died between creating and filling it,
                // or is doing that right now (which takes far less than this).
                : QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime()) > kUnreadableLockMs;
        if (stale)
            locked = lock->removeStaleLockFile() && lock->tryLock(0);
    }
    if (!locked)
        return nullptr;
    LocksHeldHere().insert(path);
    return lock;
}

bool CRecoveryStore::LockOwn(QString* reason)
{
    if (m_ownLock)
        return true;
    if (EnsureFolder())
        m_ownLock = TryLock(m_ownId);
    if (!m_ownLock && reason)
        *reason = RecoveryTexts::CannotLock();
    return bool(m_ownLock);
}

std::optional<CRecoveryStore::Snapshot> CRecoveryStore::Prepare(CDocument& doc, QString* reason)
{
    if (!LockOwn(reason))
        return std::nullopt;
    Snapshot snapshot;
    snapshot.model = doc.TakeSnapshot();
    const QJsonObject side{{QStringLiteral("path"), doc.GetPathName()}, {QStringLiteral("title"), doc.GetTitle()}};
    snapshot.side = QJsonDocument(side).toJson(QJsonDocument::Compact);
    return snapshot;
}

bool CRecoveryStore::Commit(const Snapshot& snapshot, QString* reason)
{
    // The side file first: a model without one could not be put back where
    // it belongs, while a side file without a model is simply cleaned up.
    if (snapshot.side != m_ownSideWritten) {
        if (!WriteWhole(SidePath(m_ownId), snapshot.side, reason))
            return false;
        m_ownSideWritten = snapshot.side;
    }
    QSaveFile file(ModelPath(m_ownId));
    if (file.open(QIODevice::WriteOnly)) {
        CArchive ar(file, CArchive::store);
        const DocResult stored = snapshot.model->Store(ar);
        if (stored.ok && ar.Flush() && file.commit())
            return true;
        if (reason)
            *reason = stored.ok ? ModelMessages::CannotSave(file.fileName(), file.errorString()) : stored.message;
        file.cancelWriting();
        return false;
    }
    if (reason)
        *reason = ModelMessages::CannotSave(file.fileName(), file.errorString());
    return false;
}

bool CRecoveryStore::Write(CDocument& doc, QString* reason)
{
    const std::optional<Snapshot> snapshot = Prepare(doc, reason);
    return snapshot && Commit(*snapshot, reason);
}

bool CRecoveryStore::HasOwnCopy() const
{
    return QFileInfo::exists(ModelPath(m_ownId));
}

void CRecoveryStore::RemoveOwn()
{
    m_ownSideWritten.clear();
    if (Folder().isEmpty())
        return;
    // Temporaries of a write that was cut off go too; the lock stays.
    const QDir dir(Folder());
    for (const QString& name : dir.entryList({m_ownId + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        if (!name.endsWith(QStringLiteral(".damaged")) && !name.startsWith(m_ownId + QStringLiteral(".lock")))
            QFile::remove(dir.filePath(name));
}

std::vector<CRecoveryCopy> CRecoveryStore::TakeLeftCopies()
{
    std::vector<CRecoveryCopy> copies;
    if (Folder().isEmpty() || !QFileInfo(Folder()).isDir())
        return copies;
    const QDir dir(Folder());
    QStringList ids;
    const QStringList patterns = {QStringLiteral("*.mvf"), QStringLiteral("*.json"), QStringLiteral("*.lock")};
    for (const QFileInfo& file : dir.entryInfoList(patterns, QDir::Files | QDir::Hidden))
        if (!ids.contains(file.completeBaseName()))
            ids.append(file.completeBaseName());

    for (const QString& id : ids) {
        if (id == m_ownId || m_takenLocks.count(id))
            continue;
        std::unique_ptr<QLockFile> lock = TryLock(id);
        if (!lock)
            continue; // a running instance's
        const QFileInfo model(ModelPath(id));
        if (!model.exists()) {
            // A lone lock, or a first write that stopped before the model.
            QFile::remove(SidePath(id));
            LetGo(lock, LockPath(id));
            continue;
        }
        CRecoveryCopy copy{id, {}, {}, model.lastModified(), {}};
        QFile side(SidePath(id));
        if (!side.exists()) {
            copy.problem = RecoveryTexts::SideFileMissing();
        } else {
            QJsonParseError error;
            const QJsonDocument json =
                side.open(QIODevice::ReadOnly) && side.size() <= kMaxSideBytes
                    ? QJsonDocument::fromJson(side.readAll(), &error)
                    : QJsonDocument();
            const QJsonValue path = json.object().value(QStringLiteral("path"));
            const QJsonValue title = json.object().value(QStringLiteral("title"));
            if (!json.isObject() || !path.isString() || !title.isString()) {
                copy.problem = RecoveryTexts::SideFileUnreadable();
            } else {
                copy.originalPath = path.toString();
                copy.title = title.toString();
            }
        }
        m_takenLocks[id] = std::move(lock);
        copies.push_back(std::move(copy));
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const CRecoveryCopy& a, const CRecoveryCopy& b) { return a.written > b.written; });
    return copies;
}

DocResult CRecoveryStore::Load(const CRecoveryCopy& copy, CDocument& doc) const
{
    QFile file(ModelPath(copy.id));
    if (!file.open(QIODevice::ReadOnly))
        return DocResult::Fail(ModelMessages::CannotOpen(file.fileName(), file.errorString()));
    CArchive ar(file, CArchive::load);
    const DocResult result = doc.Serialize(ar);
    if (ar.Failed())
        return DocResult::Fail(ModelMessages::CannotOpen(file.fileName(), ar.ErrorString()));
    return result;
}

void CRecoveryStore::Delete(const CRecoveryCopy& copy)
{
    const QDir dir(Folder());
    for (const QString& name : dir.entryList({copy.id + QStringLiteral(".*")}, QDir::Files | QDir::Hidden))
        if (!name.endsWith(QStringLiteral(".damaged")) && !name.startsWith(copy.id + QStringLiteral(".lock")))
            QFile::remove(dir.filePath(name));
    Release(copy);
}

QString CRecoveryStore::MoveAside(const CRecoveryCopy& copy)
{
    QString keptAs;
    for (const QString& path : {ModelPath(copy.id), SidePath(copy.id)}) {
        if (!QFileInfo::exists(path))
            continue;
        const QString aside = path + QStringLiteral(".damaged");
        QFile::remove(aside);
        const QString now = QFile::rename(path, aside) ? aside : path;
        if (keptAs.isEmpty())
            keptAs = now;
    }
    Release(copy);
    return keptAs;
}

void CRecoveryStore::Release(const CRecoveryCopy& copy)
{
    const auto it = m_takenLocks.find(copy.id);
    if (it == m_takenLocks.end())
        return;
    LetGo(it->second, LockPath(copy.id));
    m_takenLocks.erase(it);
}

void CRecoveryStore::Adopt(const CRecoveryCopy& copy)
{
    const auto it = m_takenLocks.find(copy.id);
    if (it == m_takenLocks.end())
        return;
    RemoveOwn();
    LetGo(m_ownLock, LockPath(m_ownId));
    m_ownLock = std::move(it->second);
    m_takenLocks.erase(it);
    m_ownId = copy.id;
    m_ownSideWritten.clear();
}

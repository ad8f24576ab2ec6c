#include "recovery/RecoveryKeeper.h"

#include "recovery/RecoveryTexts.h"
#include "model/CMiravelDoc.h"

#include <QElapsedTimer>
#include <algorithm>

CRecoveryKeeper::CRecoveryKeeper(QString folder, qint64 intervalMs)
    : m_policy(intervalMs), m_store(std::move(folder))
{
    QElapsedTimer started;
    started.start();
    m_clock = [started] { return started.elapsed(); };
    m_timer.setSingleShot(true);
    // A coarse timer may fire a twentieth of its interval late, which would
    // let a copy lag by more than the interval.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryKeeper::WriteIfDue);
    m_disk.setMaxThreadCount(1);
}

CRecoveryKeeper::~CRecoveryKeeper()
{
    // The jobs use the store; the last of them must be on disk before the
    // lock goes with it.
    m_disk.waitForDone();
    Watch(nullptr);
}

qint64 CRecoveryKeeper::IntervalFromEnvironment()
{
    bool ok = false;
    const qint64 ms = qEnvironmentVariable("MIRAVEL_RECOVERY_INTERVAL_MS").toLongLong(&ok);
    return ok && ms > 0 ? std::min(ms, CRecoveryPolicy::kDefaultIntervalMs) : CRecoveryPolicy::kDefaultIntervalMs;
}

void CRecoveryKeeper::Watch(CMiravelDoc* doc)
{
    WatchDocument<CMiravelDoc>(this, m_doc, doc);
}

void CRecoveryKeeper::OnUpdate(CDocView*, long)
{
    NoteEdit();
}

void CRecoveryKeeper::OnCubeChanged(const CUBEPOS&)
{
    NoteEdit();
}

void CRecoveryKeeper::OnModelReset()
{
    NoteEdit();
}

void CRecoveryKeeper::NoteEdit()
{
    // A paste tells of many cells at once; only the first edit's time counts.
    if (m_policy.HasPendingEdits())
        return;
    m_policy.NoteEdit(m_clock());
    Schedule();
}

void CRecoveryKeeper::Schedule()
{
    const qint64 wait = m_policy.MsUntilDue(m_clock());
    if (wait < 0)
        m_timer.stop();
    else
        m_timer.start(int(std::min<qint64>(wait, CRecoveryPolicy::kDefaultIntervalMs)));
}

void CRecoveryKeeper::WriteIfDue()
{
    const qint64 now = m_clock();
    if (!m_policy.IsDue(now)) {
        Schedule();
        return;
    }
    if (!m_doc || !m_doc->IsModified()) {
        m_policy.NoteUpToDate();
        Schedule();
        return;
    }
    // A copy that cannot be made (a full disk) is not worth a message every
    // half minute; it is tried again after another interval, and a save
    // will report the problem itself.
    const auto retry = [this] {
        m_policy.NoteEdit(m_clock());
        Schedule();
    };
    std::optional<CRecoveryStore::Snapshot> snapshot = m_store.Prepare(*m_doc);
    if (!snapshot) {
        retry();
        return;
    }
    m_policy.NoteUpToDate();
    m_disk.start([this, retry, snapshot = std::move(*snapshot)] {
        if (m_store.Commit(snapshot))
            ++m_copiesWritten;
        else
            QMetaObject::invokeMethod(this, retry, Qt::QueuedConnection);
    });
    Schedule();
}

void CRecoveryKeeper::Discard()
{
    m_policy.NoteUpToDate();
    m_timer.stop();
    // The folder is looked up here, on this thread, before the disk's thread
    // reads it.
    if (!m_store.Folder().isEmpty())
        m_disk.start([this] { m_store.RemoveOwn(); });
}

void CRecoveryKeeper::WaitForDisk()
{
    m_disk.waitForDone();
}

bool CRecoveryKeeper::Offer(CMiravelDoc& doc, const Ask& ask, const Report& report)
{
    // Nothing may be under way on the disk while a copy is adopted.
    WaitForDisk();
    std::vector<CRecoveryCopy> copies = m_store.TakeLeftCopies();
    bool restored = false;
    for (const CRecoveryCopy& copy : copies) {
        if (restored) {
            m_store.Release(copy);
            continue;
        }
        // Loaded into a scratch model first: a damaged copy must not touch
        // the document, and the question is only asked about one that loads.
        CMiravelDoc check;
        const DocResult loaded = copy.problem.isEmpty() ? m_store.Load(copy, check) : DocResult::Fail(copy.problem);
        if (!loaded.ok) {
            const QString keptAs = m_store.MoveAside(copy);
            report(RecoveryTexts::DamagedCopy(loaded.message, keptAs));
            continue;
        }
        switch (ask(copy)) {
        case RecoverAnswer::Yes:
            // The checked model replaces the document's whole store: the
            // reader would keep cubes outside the loaded box, and those of
            // the current model do not belong to the copy.
            doc.OnNewDocument();
            doc.m_cubes = std::move(check.m_cubes);
            doc.SetGridSize(check.m_sizeX, check.m_sizeY, check.m_sizeZ);
            doc.UpdateAllViews();
            doc.SetPathName(copy.originalPath);
            doc.SetTitle(copy.title.isEmpty() ? doc.GetTitle() : copy.title);
            doc.SetModifiedFlag();
            m_store.Adopt(copy);
            // The copy on disk is exactly this model.
            m_policy.NoteUpToDate();
            m_timer.stop();
            restored = true;
            break;
        case RecoverAnswer::No:
            m_store.Delete(copy);
            break;
        case RecoverAnswer::Later:
            m_store.Release(copy);
            break;
        }
    }
    return restored;
}

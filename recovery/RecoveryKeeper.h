#pragma once

#include "recovery/RecoverAnswer.h"
#include "recovery/RecoveryPolicy.h"
#include "recovery/RecoveryStore.h"
#include "model/Document.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <functional>

class CMiravelDoc;

// Keeps a recovery copy of the watched document while it has unsaved changes,
// and at start-up offers the copies of instances that are gone.
//
// It watches the document like a view: every changed cell, reset or update is
// an edit. Whether there is anything to keep is decided when the copy is due,
// from the document's modified flag, because some changes set the flag only
// after they have told the views.
//
// The user-interface thread only takes a snapshot of the model, which shares
// the store's chunks and costs its chunk table whatever the model's size; the
// model is serialised into its file on a thread of its own, which also waits
// for the disk to confirm the file (bench lines autosave_full40_ms for all of
// it, autosave_ui_full40_ms for the part the editor waits for). Writes and
// removals reach the disk one at a time, in the order they were asked for.
class CRecoveryKeeper : public QObject, private CDocView {
    Q_OBJECT

public:
    using Clock = std::function<qint64()>;
    // Asked for each left copy that loads: Yes restores it, No deletes it,
    // Later keeps it for another start.
    using Ask = std::function<RecoverAnswer(const CRecoveryCopy& copy)>;
    using Report = std::function<void(const QString& message)>;

    // folder empty: the per-user data folder (see CRecoveryStore).
    explicit CRecoveryKeeper(QString folder = {}, qint64 intervalMs = IntervalFromEnvironment());
    ~CRecoveryKeeper() override;

    // The interval between an edit and its copy: 30 s. The environment
    // variable MIRAVEL_RECOVERY_INTERVAL_MS may only shorten it; it is a test
    // hook, so that a test of the real program waits seconds, not half a
    // minute.
    static qint64 IntervalFromEnvironment();

    void Watch(CMiravelDoc* doc);
    // Replaces the monotonic clock (milliseconds) the timing rule reads.
    void SetClockForTesting(Clock clock) { m_clock = std::move(clock); }

    // Writes the copy if it is due and the document still has unsaved
    // changes. The keeper's timer calls it; tests call it with their clock.
    void WriteIfDue();
    // Nothing is left to keep: the document was saved, replaced, or its
    // changes were given up at exit. Removes the copy.
    void Discard();
    // Waits until every write and removal asked for so far is on disk.
    void WaitForDisk();

    // The start-up offer: goes through the copies of instances that are gone,
    // newest first. A copy that does not load is reported and moved aside.
    // The first one answered Yes becomes the document (modified, with its
    // original path and title) and this instance's copy; the rest stay for a
    // later start. True when a copy was restored.
    bool Offer(CMiravelDoc& doc, const Ask& ask, const Report& report);

    CRecoveryStore& Store() { return m_store; }
    const CRecoveryPolicy& Policy() const { return m_policy; }
    // How many copies this keeper has written (tests and diagnostics).
    int CopiesWritten() const { return m_copiesWritten.load(); }

private:
    void OnUpdate(CDocView* sender, long hint) override;
    void OnCubeChanged(const CUBEPOS& pos) override;
    void OnModelReset() override;
    void NoteEdit();
    void Schedule();

    CRecoveryPolicy m_policy;
    CRecoveryStore m_store;
    Clock m_clock;
    QTimer m_timer;
    CMiravelDoc* m_doc = nullptr;
    std::atomic<int> m_copiesWritten = 0;
    // One thread, so that jobs run in the order they were started.
    QThreadPool m_disk;
};

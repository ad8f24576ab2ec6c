#pragma once

#include <QtGlobal>

// When the recovery copy of a modified model is due. Times are milliseconds
// of a monotonic clock that the caller reads, so that tests can run the rule
// on a clock of their own.
//
// The copy may lag the model by at most one interval: it is due one interval
// after the first edit that no copy holds yet. Later edits do not push that
// moment back (a user who never pauses would otherwise never get a copy), and
// a model without pending edits is never due, so an unchanged model writes
// nothing.
class CRecoveryPolicy {
public:
    static constexpr qint64 kDefaultIntervalMs = 30000;

    explicit CRecoveryPolicy(qint64 intervalMs = kDefaultIntervalMs);

    qint64 IntervalMs() const { return m_intervalMs; }

    // The model changed at now.
    void NoteEdit(qint64 now);
    // Every edit so far is in a copy, or there is nothing left to keep (the
    // model was saved, replaced, or given up).
    void NoteUpToDate();
    // Writing the copy failed at now: try again one interval later rather than
    // on every tick.
    void NoteWriteFailed(qint64 now);

    bool HasPendingEdits() const { return m_firstPending >= 0; }
    bool IsDue(qint64 now) const;
    // Milliseconds until the copy is due (0 when it is), or -1 when nothing is
    // pending.
    qint64 MsUntilDue(qint64 now) const;

private:
    qint64 m_intervalMs;
    qint64 m_firstPending = -1;
};

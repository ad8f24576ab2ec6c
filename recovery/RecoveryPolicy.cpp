#include "recovery/RecoveryPolicy.h"

#include <algorithm>

CRecoveryPolicy::CRecoveryPolicy(qint64 intervalMs) : m_intervalMs(std::max<qint64>(intervalMs, 0)) {}

void CRecoveryPolicy::NoteEdit(qint64 now)
{
    if (m_firstPending < 0)
        m_firstPending = now;
}

void CRecoveryPolicy::NoteUpToDate()
{
    m_firstPending = -1;
}

void CRecoveryPolicy::NoteWriteFailed(qint64 now)
{
    m_firstPending = now;
}

bool CRecoveryPolicy::IsDue(qint64 now) const
{
    return HasPendingEdits() && now - m_firstPending >= m_intervalMs;
}

qint64 CRecoveryPolicy::MsUntilDue(qint64 now) const
{
    if (!HasPendingEdits())
        return -1;
    return std::max<qint64>(m_firstPending + m_intervalMs - now, 0);
}

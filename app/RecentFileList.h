#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The files most recently opened or saved, newest first, without repeats and
// with at most a fixed number of entries. The list lives in the per-user store
// so that it survives restarts.
// How many files the recent-file list of the file menu keeps.
inline constexpr int kRecentFileCount = 20;

class CRecentFileList {
public:
    explicit CRecentFileList(int maxEntries);

    // Puts the file at the front (moving it there if it is listed already) and
    // drops the oldest entry when the list is full.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Files() const { return m_files; }
    int MaxEntries() const { return m_maxEntries; }

    // Read and written under the group "Recent File List", values File1..FileN.
    void ReadList(QSettings& store);
    void WriteList(QSettings& store) const;

    // The menu text of entry index (0-based): "&1 path" .. "&9 path",
    // "1&0 path", then "11 path" and on without an access key. An '&' in the
    // path is doubled so that it is shown rather than taken as an access key.
    static QString MenuText(int index, const QString& path);

private:
    static QString Normalized(const QString& path);

    int m_maxEntries;
    QStringList m_files;
};

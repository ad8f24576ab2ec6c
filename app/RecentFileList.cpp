#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString EntryKey(int i) { return QStringLiteral("File%1").arg(i + 1); }
} // namespace

CRecentFileList::CRecentFileList(int maxEntries) : m_maxEntries(maxEntries) {}

QString CRecentFileList::Normalized(const QString& path)
{
    // The same file reached by different spellings is one entry.
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void CRecentFileList::Add(const QString& path)
{
    if (path.isEmpty())
        return;
    const QString p = Normalized(path);
    m_files.removeAll(p);
    m_files.prepend(p);
    while (m_files.size() > m_maxEntries)
        m_files.removeLast();
}

void CRecentFileList::Remove(const QString& path)
{
    m_files.removeAll(Normalized(path));
}

void CRecentFileList::ReadList(QSettings& store)
{
    m_files.clear();
    store.beginGroup(kGroup);
    for (int i = 0; i < m_maxEntries; ++i) {
        const QString p = store.value(EntryKey(i)).toString();
        // A hand-edited store may hold gaps or repeats; keep the order of the rest.
        if (!p.isEmpty() && !m_files.contains(Normalized(p)))
            m_files.append(Normalized(p));
    }
    store.endGroup();
}

void CRecentFileList::WriteList(QSettings& store) const
{
    store.beginGroup(kGroup);
    store.remove(QString()); // entries beyond the current count must not come back
    for (int i = 0; i < m_files.size(); ++i)
        store.setValue(EntryKey(i), m_files[i]);
    store.endGroup();
}

QString CRecentFileList::MenuText(int index, const QString& path)
{
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    const int n = index + 1;
    QString number;
    if (n < 10)
        number = QStringLiteral("&%1").arg(n);
    else if (n == 10)
        number = QStringLiteral("1&0");
    else
        number = QString::number(n);
    return number + QLatin1Char(' ') + shown;
}

#include "app/framework/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString EntryKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

} // namespace

RecentFileList::RecentFileList(QString section, int size) : m_section(std::move(section)), m_size(size)
{
}

void RecentFileList::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_entries.removeAll(absolute);
    m_entries.prepend(absolute);
    while (m_entries.size() > m_size)
        m_entries.removeLast();
}

void RecentFileList::ReadList(QSettings& settings)
{
    m_entries.clear();
    settings.beginGroup(m_section);
    for (int i = 0; i < m_size; ++i) {
        const QString entry = settings.value(EntryKey(i)).toString();
        if (!entry.isEmpty() && !m_entries.contains(entry))
            m_entries.append(entry);
    }
    settings.endGroup();
}

void RecentFileList::WriteList(QSettings& settings) const
{
    settings.beginGroup(m_section);
    for (int i = 0; i < m_size; ++i) {
        if (i < m_entries.size())
            settings.setValue(EntryKey(i), m_entries[i]);
        else
            settings.remove(EntryKey(i));
    }
    settings.endGroup();
}

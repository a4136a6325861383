#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// The most recently opened documents, newest first, at most Size() entries,
// kept in the settings as "<section>/File1" to "File<size>".
class RecentFileList
{
public:
    RecentFileList(QString section, int size);

    int Size() const { return m_size; }
    const QStringList& Entries() const { return m_entries; }

    // Puts the absolute path first; an entry already on the list moves up,
    // and the oldest falls off when the list is full.
    void Add(const QString& path);

    void ReadList(QSettings& settings);
    // Writes every slot, clearing those without an entry.
    void WriteList(QSettings& settings) const;

private:
    QString m_section;
    int m_size;
    QStringList m_entries;
};

#pragma once

#include <QDateTime>
#include <QString>

// One row of the downloads list.
struct DownloadEntry
{
    enum class State
    {
        Waiting,
        Downloading,
        Finished,
        Failed,
        Cancelled,
    };

    int id = 0;           // unique in this run of the program
    QString address;      // as a page's link gives it
    QString label;        // the item's label, references decoded
    QString typeTitle;    // "Wallpapers"
    QString path;         // the file saved, once finished
    QString reason;       // why it failed, in plain words
    State state = State::Waiting;
    qint64 received = 0;
    qint64 total = -1;    // as the server announced it; -1 unknown
    qint64 started = 0;   // ms since the epoch, when the transfer began
    double speed = 0;     // bytes per second, while it runs

    bool IsActive() const { return state == State::Waiting || state == State::Downloading; }
    // The name shown: the saved file's, or the label until there is one.
    QString Name() const;
    // "waiting", "12.3 MB of 20 MB, 1.2 MB/s", "finished", "failed: too large".
    QString StateText() const;
};

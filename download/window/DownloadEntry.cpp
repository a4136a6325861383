#include "download/window/DownloadEntry.h"

#include <QFileInfo>

#include "download/FileDownload.h"

namespace {

QString Bytes(qint64 bytes)
{
    return QString::fromStdString(FormatBytes(static_cast<uint64_t>(std::max<qint64>(0, bytes))));
}

} // namespace

QString DownloadEntry::Name() const
{
    return path.isEmpty() ? label : QFileInfo(path).fileName();
}

QString DownloadEntry::StateText() const
{
    switch (state) {
    case State::Waiting:
        return QStringLiteral("Waiting");
    case State::Downloading: {
        QString text = Bytes(received);
        if (total > 0)
            text += QStringLiteral(" of ") + Bytes(total);
        if (speed > 0)
            text += QStringLiteral(", ") + Bytes(static_cast<qint64>(speed)) + QStringLiteral("/s");
        return text;
    }
    case State::Finished:
        return QStringLiteral("Finished, ") + Bytes(received);
    case State::Failed:
        return QStringLiteral("Failed: ") + reason;
    case State::Cancelled:
        return QStringLiteral("Cancelled");
    }
    return {};
}

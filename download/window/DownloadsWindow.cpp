#include "download/window/DownloadsWindow.h"

#include <QDBusInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "download/window/DownloadQueue.h"
#include "download/window/DownloadRow.h"

DownloadsWindow::DownloadsWindow(DownloadQueue& queue, QWidget* parent)
    : QWidget(parent, Qt::Window), m_queue(queue), m_list(new QListWidget(this)),
      m_empty(new QLabel(QStringLiteral("Nothing downloaded yet. The Download button of an item saves it here."), this)),
      m_clear(new QPushButton(QStringLiteral("C&lear Finished"), this))
{
    setObjectName(QStringLiteral("downloadsWindow"));
    setWindowTitle(QStringLiteral("Downloads"));
    resize(520, 320);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    m_empty->setForegroundRole(QPalette::PlaceholderText);
    m_clear->setToolTip(QStringLiteral("Remove the finished, failed and cancelled downloads from the list; the files stay"));
    auto* folder = new QPushButton(QStringLiteral("Open &Download Folder"), this);
    folder->setToolTip(QString::fromStdString(m_queue.Folder().string()));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(m_clear, &QPushButton::clicked, &m_queue, &DownloadQueue::ClearFinished);
    connect(folder, &QPushButton::clicked, this, [this] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_queue.Folder().string())));
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_clear);
    buttons->addWidget(folder);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_empty, 1);
    layout->addLayout(buttons);

    connect(&m_queue, &DownloadQueue::EntriesChanged, this, &DownloadsWindow::Rebuild);
    connect(&m_queue, &DownloadQueue::EntryChanged, this, &DownloadsWindow::Refresh);
    Rebuild();
}

void DownloadsWindow::Present(bool activate)
{
    // The first time beside the main window where the screen has room,
    // else in its lower right corner, where it hides the least of a page;
    // later where the user left it.
    if (!m_placed && parentWidget()) {
        const QRect frame = parentWidget()->frameGeometry();
        const QScreen* screen = parentWidget()->screen();
        const QRect room = screen ? screen->availableGeometry() : frame;
        if (room.right() - frame.right() >= width())
            move(frame.right() + 1, frame.top());
        else
            move(std::max(frame.left(), frame.right() - width() - 24),
                 std::max(frame.top(), frame.bottom() - height() - 48));
        m_placed = true;
    }
    if (!activate)
        setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    raise();
    if (activate)
        activateWindow();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

DownloadRow* DownloadsWindow::Row(int id) const
{
    for (int i = 0; i < m_list->count(); ++i)
        if (auto* row = qobject_cast<DownloadRow*>(m_list->itemWidget(m_list->item(i))); row && row->Id() == id)
            return row;
    return nullptr;
}

void DownloadsWindow::Rebuild()
{
    m_list->clear();
    for (const DownloadEntry& entry : m_queue.Entries()) {
        auto* row = new DownloadRow(entry.id);
        row->Show(entry);
        connect(row, &DownloadRow::CancelClicked, &m_queue, &DownloadQueue::Cancel);
        connect(row, &DownloadRow::RetryClicked, &m_queue, &DownloadQueue::Retry);
        connect(row, &DownloadRow::OpenClicked, this, &DownloadsWindow::OpenFile);
        connect(row, &DownloadRow::ShowInFolderClicked, this, &DownloadsWindow::ShowInFolder);
        auto* item = new QListWidgetItem(m_list);
        item->setSizeHint(row->sizeHint());
        m_list->setItemWidget(item, row);
    }
    if (m_list->count() > 0)
        m_list->scrollToBottom();
    m_list->setVisible(m_list->count() > 0);
    m_empty->setVisible(m_list->count() == 0);
    UpdateClearButton();
}

void DownloadsWindow::Refresh(int id)
{
    if (const DownloadEntry* entry = m_queue.Entry(id))
        if (DownloadRow* row = Row(id))
            row->Show(*entry);
    UpdateClearButton();
}

void DownloadsWindow::UpdateClearButton()
{
    m_clear->setEnabled(m_queue.ActiveCount() < static_cast<int>(m_queue.Entries().size()));
}

void DownloadsWindow::OpenFile(int id)
{
    if (const DownloadEntry* entry = m_queue.Entry(id))
        QDesktopServices::openUrl(QUrl::fromLocalFile(entry->path));
}

void DownloadsWindow::ShowInFolder(int id)
{
    const DownloadEntry* entry = m_queue.Entry(id);
    if (!entry)
        return;
    // The desktop's file manager selects the file where it offers to;
    // otherwise the folder opens.
    QDBusInterface manager(QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
                           QStringLiteral("org.freedesktop.FileManager1"));
    if (manager.isValid()) {
        const QDBusMessage reply = manager.call(QStringLiteral("ShowItems"),
                                                QStringList{QUrl::fromLocalFile(entry->path).toString()}, QString());
        if (reply.type() != QDBusMessage::ErrorMessage)
            return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(entry->path).absolutePath()));
}

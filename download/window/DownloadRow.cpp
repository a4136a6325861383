#include "download/window/DownloadRow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

DownloadRow::DownloadRow(int id, QWidget* parent)
    : QWidget(parent), m_id(id), m_name(new QLabel(this)), m_item(new QLabel(this)), m_bar(new QProgressBar(this)),
      m_state(new QLabel(this))
{
    QFont bold = m_name->font();
    bold.setBold(true);
    m_name->setFont(bold);
    m_name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_item->setForegroundRole(QPalette::PlaceholderText);
    m_bar->setTextVisible(false);
    m_bar->setMaximumHeight(8);
    m_state->setObjectName(QStringLiteral("state"));

    m_cancel = AddButton(QStringLiteral("&Cancel"), QStringLiteral("Stop this download; nothing of it is kept"));
    m_retry = AddButton(QStringLiteral("&Retry"), QStringLiteral("Download it again from the start"));
    m_open = AddButton(QStringLiteral("&Open"), QStringLiteral("Open the file with its program"));
    m_showInFolder = AddButton(QStringLiteral("Show in &Folder"), QStringLiteral("Open the folder that holds the file"));
    connect(m_cancel, &QPushButton::clicked, this, [this] { emit CancelClicked(m_id); });
    connect(m_retry, &QPushButton::clicked, this, [this] { emit RetryClicked(m_id); });
    connect(m_open, &QPushButton::clicked, this, [this] { emit OpenClicked(m_id); });
    connect(m_showInFolder, &QPushButton::clicked, this, [this] { emit ShowInFolderClicked(m_id); });

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QPushButton* button : {m_cancel, m_retry, m_open, m_showInFolder})
        buttons->addWidget(button);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(2);
    grid->addWidget(m_name, 0, 0);
    grid->addLayout(buttons, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_item, 1, 0);
    grid->addWidget(m_bar, 2, 0, 1, 2);
    grid->addWidget(m_state, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}

QPushButton* DownloadRow::AddButton(const QString& text, const QString& tip)
{
    auto* button = new QPushButton(text, this);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

void DownloadRow::Show(const DownloadEntry& entry)
{
    using State = DownloadEntry::State;
    m_name->setText(entry.Name());
    m_item->setText(entry.typeTitle.isEmpty() ? entry.label : entry.label + QStringLiteral(" \u00b7 ") + entry.typeTitle);
    m_state->setText(entry.StateText());
    m_bar->setVisible(entry.IsActive());
    if (entry.state == State::Downloading && entry.total > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(static_cast<int>(std::min<qint64>(1000, entry.received * 1000 / entry.total)));
    } else {
        // Busy while the size is unknown, empty while waiting.
        m_bar->setRange(0, entry.state == State::Downloading ? 0 : 1);
        m_bar->setValue(0);
    }
    m_cancel->setVisible(entry.IsActive());
    m_retry->setVisible(entry.state == State::Failed || entry.state == State::Cancelled);
    m_open->setVisible(entry.state == State::Finished);
    m_showInFolder->setVisible(entry.state == State::Finished);
}

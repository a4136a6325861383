#pragma once

#include <QWidget>

#include "download/window/DownloadEntry.h"

class QLabel;
class QProgressBar;
class QPushButton;

// One download in the list: its file name, the item's label and type, a
// progress bar, its state in words, and the buttons that fit the state.
class DownloadRow : public QWidget
{
    Q_OBJECT

public:
    explicit DownloadRow(int id, QWidget* parent = nullptr);

    int Id() const { return m_id; }
    void Show(const DownloadEntry& entry);

signals:
    void CancelClicked(int id);
    void RetryClicked(int id);
    void OpenClicked(int id);
    void ShowInFolderClicked(int id);

private:
    QPushButton* AddButton(const QString& text, const QString& tip);

    int m_id;
    QLabel* m_name;
    QLabel* m_item;
    QProgressBar* m_bar;
    QLabel* m_state;
    QPushButton* m_cancel;
    QPushButton* m_retry;
    QPushButton* m_open;
    QPushButton* m_showInFolder;
};

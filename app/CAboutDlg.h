#pragma once

#include <QDialog>
#include <QPixmap>

class CTransparentStatic;
class QPushButton;

// The About box: the About picture over the whole dialog, the name and
// version written over it, OK and Homepage.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    // Owned by `owner` (the main window) while it runs.
    explicit CAboutDlg(QWidget* owner = nullptr);

    // Loads the picture and fills the caption and text from their templates.
    bool OnInitDialog();
    // Opens the homepage; the box stays open.
    void OnHomepage();

    int exec() override;

    QPixmap m_bmpAbout;
    CTransparentStatic* m_ctlText;
    QPushButton* m_okButton;
    QPushButton* m_homepageButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool m_bInitialized = false;
};

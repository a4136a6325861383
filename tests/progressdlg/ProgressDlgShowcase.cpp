// Shows the progress dialog in its full or compact form over a plain owner
// window, as the program would, for a look at it (and a screenshot under
// xvfb-run): progressdlg_showcase [--compact] [--shot FILE] [--seconds N]
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "updater/dialog/CProgressDlg.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    bool compact = false;
    QString shot;
    int seconds = 2;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--compact") == 0)
            compact = true;
        else if (std::strcmp(argv[i], "--shot") == 0 && i + 1 < argc)
            shot = argv[++i];
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
    }

    QMainWindow owner;
    owner.setWindowTitle("Vantory");
    auto* page = new QLabel("Vantory catalog");
    page->setAlignment(Qt::AlignCenter);
    page->setStyleSheet("background: #f4f1ea; color: #8a8270; font-size: 28px;");
    owner.setCentralWidget(page);
    owner.setGeometry(60, 40, 900, 640);
    owner.show();

    CProgressDlg dialog;
    dialog.Create(&owner);
    if (compact) {
        dialog.ShowCompact();
        dialog.setWindowTitle("Loading database");
        dialog.m_upperText = "Loading wallpapers...";
    } else {
        dialog.m_upperText = "Updating java games...";
        dialog.m_lowerText = "Receiving group 'Arcade & Action' (page 2/3)...";
    }
    dialog.CenterOnOwner();
    dialog.UpdateData();
    dialog.show();
    dialog.UpdateWindow();
    dialog.SetRange(ProgressTarget::UpperBar, 8);
    dialog.SetPos(ProgressTarget::UpperBar, 3);
    dialog.SetRange(ProgressTarget::LowerBar, 12);
    dialog.SetPos(ProgressTarget::LowerBar, 7);
    dialog.UpdateWindow();

    QTimer::singleShot(seconds * 1000, &app, [&] {
        if (!shot.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
        app.quit();
    });
    return app.exec();
}

// The skin in a chosen state, to look at under xvfb-run:
//
//   vantory_skin_showcase menu|toolbar|title|menubar [style id]
//
// "menu" opens the File menu of a skinned frame with its first item
// selected; "toolbar" shows a skinned toolbar with a hot, a pressed, a
// disabled and a checked button; "title" opens a menu with a vertical
// title; "menubar" puts the pointer over a menu bar item. It runs until it
// is closed or killed.

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

#include "res/MainFrameResources.h"
#include "res/Resource.h"
#include "skin/CSkinFrameWnd.h"
#include "skin/CSkinMenu.h"
#include "skin/CSkinMenuBitmaps.h"
#include "skin/CSkinToolBar.h"
#include "skin/SkinState.h"

namespace {

// The toolbar's high-colour images cut down to menu icons.
std::shared_ptr<CSkinMenuBitmaps> MenuIcons()
{
    const QImage strip = LoadBitmapResource(IDB_TOOLBAR_HICOLOR).scaled(80, 15, Qt::IgnoreAspectRatio,
                                                                           Qt::FastTransformation);
    return std::make_shared<CSkinMenuBitmaps>(strip, QSize(16, 15), std::vector<int>{1, 2, 3, 4, 5});
}

QAction* AddItem(QMenu& menu, const QString& text, int command, bool enabled = true)
{
    QAction* action = menu.addAction(text);
    action->setData(command);
    action->setEnabled(enabled);
    return action;
}

CSkinMenu* FillFileMenu(CSkinFrameWnd& frame)
{
    auto* file = static_cast<CSkinMenu*>(frame.AddMenu(QStringLiteral("&File")));
    QAction* open = AddItem(*file, QStringLiteral("&Open...\tCtrl+O"), 1);
    AddItem(*file, QStringLiteral("&Save\tCtrl+S"), 2, false);
    file->addSeparator();
    QAction* toolbar = AddItem(*file, QStringLiteral("&Toolbar"), 0);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* home = AddItem(*file, QStringLiteral("&Homepage"), 4);
    home->setCheckable(true);
    home->setChecked(true);
    CSkinMenu* recent = file->AddSubMenu(QStringLiteral("Recent &Files"));
    AddItem(*recent, QStringLiteral("&1 catalog.xml"), 0);
    file->addSeparator();
    AddItem(*file, QStringLiteral("E&xit\tAlt+F4"), 0);
    file->LoadIcons(MenuIcons());
    Q_UNUSED(open);
    frame.AddMenu(QStringLiteral("&View"));
    frame.AddMenu(QStringLiteral("&Help"));
    return file;
}

void OpenMenu(CSkinFrameWnd& frame, CSkinMenu& menu, int selected)
{
    frame.menuBar()->setActiveAction(menu.menuAction());
    QTimer::singleShot(300, &menu, [&menu, selected] { menu.setActiveAction(menu.actions().value(selected)); });
}

CSkinToolBar* AddToolBar(CSkinFrameWnd& frame)
{
    auto* bar = new CSkinToolBar(&frame);
    bar->setMovable(false);
    frame.addToolBar(Qt::TopToolBarArea, bar);
    LoadMainToolBar(frame, *bar);
    bar->LoadBitmap(IDB_TOOLBAR_HICOLOR);
    return bar;
}

void ShowToolBarStates(CSkinToolBar& bar)
{
    const QList<QToolButton*> buttons = bar.findChildren<QToolButton*>();
    QList<QToolButton*> shown;
    for (QToolButton* button : buttons)
        if (button->isVisible() && !button->objectName().startsWith(QLatin1String("qt_")))
            shown.append(button);
    if (shown.size() < 4)
        return;
    QCursor::setPos(shown[0]->mapToGlobal(shown[0]->rect().center()));
    shown[1]->setDown(true);
    shown[3]->setCheckable(true);
    shown[3]->setChecked(true);
    shown[2]->setEnabled(false);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString scene = args.value(1, QStringLiteral("menu"));

    CSkinFrameWnd frame;
    SetMenuStyle(args.value(2, QStringLiteral("8")).toInt());
    CSkinMenu* file = FillFileMenu(frame);
    CSkinToolBar* bar = AddToolBar(frame);
    auto* page = new QLabel(QStringLiteral("<h1 style='color:#c03030'>Vantory</h1><p>Wallpapers, logos and "
                                           "ringtones in one catalog.</p>"));
    page->setAutoFillBackground(true);
    page->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    page->setMargin(40);
    frame.setCentralWidget(page);
    frame.setGeometry(40, 40, 560, 360);
    frame.show();

    if (scene == QStringLiteral("menubar")) {
        QTimer::singleShot(300, &frame, [&frame] {
            QMenuBar* menuBar = frame.menuBar();
            QCursor::setPos(menuBar->mapToGlobal(menuBar->actionGeometry(menuBar->actions().at(1)).center()));
        });
    } else if (scene == QStringLiteral("toolbar")) {
        QTimer::singleShot(300, bar, [bar] { ShowToolBarStates(*bar); });
    } else if (scene == QStringLiteral("title")) {
        file->SetMenuTitle(QStringLiteral("Vantory"), MenuTitleVertical | MenuTitleGradient);
        QTimer::singleShot(300, &frame, [&frame, file] { OpenMenu(frame, *file, 2); });
    } else {
        QTimer::singleShot(300, &frame, [&frame, file] { OpenMenu(frame, *file, 0); });
    }
    return application.exec();
}

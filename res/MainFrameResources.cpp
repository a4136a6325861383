#include "res/MainFrameResources.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QToolBar>

#include "app/framework/FrameWindow.h"
#include "res/Resource.h"

namespace {

constexpr char kToolBarBitmap[] = ":/res/images/toolbar128.png";
constexpr char kToolBarHiColorBitmap[] = ":/res/images/toolbar131.png";
constexpr char kAboutBitmap[] = ":/res/images/about133.png";
constexpr char kAppIcon[] = ":/res/images/vantory128.png";

// Bitmap 128 is drawn on the light grey that toolbars show as their face;
// strip 131 on the colour of its top-left pixel.
constexpr QRgb kToolBarFace = qRgb(192, 192, 192);

QImage WithTransparent(QImage image, QRgb background)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (background & 0xFFFFFF))
                line[x] = 0;
    }
    return image;
}

} // namespace

void LoadMainMenu(FrameWindow& frame)
{
    QMenu* file = frame.AddMenu(QStringLiteral("&File"));
    frame.AddMenuCommand(file, ID_UPDATE_DATABASE, QStringLiteral("&Update Database"));
    file->addSeparator();
    frame.AddMenuCommand(file, ID_FILE_PRINT, QStringLiteral("&Print...\tCtrl+P"));
    file->addSeparator();
    frame.AddMenuCommand(file, ID_APP_EXIT, QStringLiteral("E&xit"));

    QMenu* view = frame.AddMenu(QStringLiteral("&View"));
    frame.AddMenuCommand(view, ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar"));
    frame.AddMenuCommand(view, ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar"));
    view->addSeparator();
    frame.AddMenuCommand(view, ID_FIND_CATALOG, QStringLiteral("&Find...\tCtrl+F"));
    frame.AddMenuCommand(view, ID_VIEW_DOWNLOADS, QStringLiteral("&Downloads\tCtrl+Shift+Y"));

    QMenu* help = frame.AddMenu(QStringLiteral("&Help"));
    frame.AddMenuCommand(help, ID_APP_ABOUT, QStringLiteral("&About Vantory..."));
}

void LoadMainAccelerators(FrameWindow& frame)
{
    const struct
    {
        int id;
        QKeySequence keys;
    } table[] = {
        {ID_FILE_NEW, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ID_FILE_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ID_FILE_SAVE, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {ID_FILE_PRINT, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ID_EDIT_UNDO, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {ID_EDIT_UNDO, QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {ID_EDIT_CUT, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {ID_EDIT_CUT, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {ID_EDIT_PASTE, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {ID_EDIT_PASTE, QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {ID_NEXT_PANE, QKeySequence(Qt::Key_F6)},
        {ID_PREV_PANE, QKeySequence(Qt::SHIFT | Qt::Key_F6)},
        {ID_UPDATE_DATABASE, QKeySequence(Qt::Key_F5)},
        {ID_FIND_CATALOG, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {ID_VIEW_DOWNLOADS, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y)},
    };
    for (const auto& entry : table)
        frame.AddAccelerator(entry.id, entry.keys);
}

QImage LoadBitmapResource(int bitmapId)
{
    switch (bitmapId) {
    case IDR_MAINFRAME: return QImage(QString::fromLatin1(kToolBarBitmap));
    case IDB_TOOLBAR_HICOLOR: return QImage(QString::fromLatin1(kToolBarHiColorBitmap));
    default: return {};
    }
}

QList<QPixmap> LoadToolBarImages(int bitmapId)
{
    QImage strip = LoadBitmapResource(bitmapId == IDB_TOOLBAR_HICOLOR ? IDB_TOOLBAR_HICOLOR : IDR_MAINFRAME);
    if (strip.isNull())
        return {};
    strip = WithTransparent(strip, bitmapId == IDB_TOOLBAR_HICOLOR ? strip.pixel(0, 0) : kToolBarFace);
    QList<QPixmap> images;
    for (int x = 0; x + TOOLBAR_IMAGE_WIDTH <= strip.width(); x += TOOLBAR_IMAGE_WIDTH)
        images.append(QPixmap::fromImage(strip.copy(x, 0, TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT)));
    return images;
}

bool LoadMainToolBar(FrameWindow& frame, QToolBar& toolBar)
{
    const QList<QPixmap> images = LoadToolBarImages(IDR_MAINFRAME);
    if (images.size() < 4)
        return false;
    toolBar.setIconSize(QSize(TOOLBAR_IMAGE_WIDTH, TOOLBAR_IMAGE_HEIGHT));
    const int buttons[] = {ID_GO_UP, ID_PREV_ITEM, ID_NEXT_ITEM, 0, ID_VISIT_HOMEPAGE};
    int image = 0;
    for (int id : buttons) {
        if (id == 0) {
            toolBar.addSeparator();
            continue;
        }
        QAction* action = frame.CommandAction(id);
        action->setIcon(QIcon(images[image++]));
        toolBar.addAction(action);
    }
    return true;
}

QIcon LoadAppIcon()
{
    return QIcon(QString::fromLatin1(kAppIcon));
}

QPixmap LoadAboutBitmap()
{
    return QPixmap(QString::fromLatin1(kAboutBitmap));
}

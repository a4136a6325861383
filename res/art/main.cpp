// Draws the images of res/images: the toolbar bitmaps 128 and 131, the
// About picture 133 (256 colours) and the application icon.
//
//   vantory-res-art <directory>

#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include "res/art/AboutArt.h"
#include "res/art/IconArt.h"
#include "res/art/MedianCut.h"

namespace {

bool Save(const QImage& image, const QDir& dir, const char* name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "vantory-res-art: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %d x %d\n", qPrintable(path), image.width(), image.height());
    return true;
}

QImage Sixteen(const QImage& image)
{
    // The palette of the 16-colour bitmap: the colours it was drawn with.
    const QList<QRgb> vga = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
        qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return image.convertToFormat(QImage::Format_Indexed8, vga, Qt::ThresholdDither);
}

// The sizes that desktops and software centres look for in hicolor.
bool SaveThemeIcons(const QDir& theme)
{
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sizeDir = QStringLiteral("%1x%1/apps").arg(size);
        if (!theme.mkpath(sizeDir)) {
            std::fprintf(stderr, "vantory-res-art: cannot make %s\n", qPrintable(theme.filePath(sizeDir)));
            return false;
        }
        if (!Save(DrawAppIcon(size), QDir(theme.filePath(sizeDir)), "vantory.png"))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vantory-res-art <directory> [<icon theme directory>]\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QImage about = DrawAboutPicture();
    const bool ok = Save(Sixteen(DrawToolBar16()), dir, "toolbar128.png") &&
                    Save(DrawToolBarHiColor(), dir, "toolbar131.png") &&
                    Save(ToIndexed(about, MedianCutPalette(about, 256)), dir, "about133.png") &&
                    Save(DrawAppIcon(48), dir, "vantory128.png") &&
                    (argc != 3 || SaveThemeIcons(QDir(QString::fromLocal8Bit(argv[2]))));
    return ok ? 0 : 1;
}

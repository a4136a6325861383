#include "skin/CSkinMenuIcons.h"

#include <QGuiApplication>
#include <QPalette>

#include "skin/SkinColors.h"
#include "skin/SkinState.h"
#include "skin/ToolBarImages.h"

namespace {

// The wash of an icon that is not selected: a little of the menu
// background over every pixel.
QImage Washed(const QImage& image, QRgb background)
{
    QImage washed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < washed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(washed.scanLine(y));
        for (int x = 0; x < washed.width(); ++x)
            line[x] = (Mix86(line[x], background) & 0xFFFFFF) | (line[x] & 0xFF000000u);
    }
    return washed;
}

} // namespace

CSkinMenuIcons::CSkinMenuIcons(QSize iconSize) : m_iconSize(iconSize)
{
    SkinState::Get().AddIconSet(this);
}

CSkinMenuIcons::~CSkinMenuIcons()
{
    SkinState::Get().RemoveIconSet(this);
}

int CSkinMenuIcons::AddIcon(const QPixmap& icon, int commandId)
{
    Entry entry{commandId, {}};
    entry.images.image = icon;
    Derive(entry, SkinState::Get().ColorsFor(QGuiApplication::palette()));
    m_icons.push_back(entry);
    return Count() - 1;
}

int CSkinMenuIcons::FindCommand(int commandId) const
{
    for (int index = 0; index < Count(); ++index)
        if (m_icons[static_cast<size_t>(index)].commandId == commandId)
            return index;
    return -1;
}

MenuItemIcon CSkinMenuIcons::Icon(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_icons[static_cast<size_t>(index)].images;
}

void CSkinMenuIcons::Refresh(const MenuColors& colors)
{
    for (Entry& entry : m_icons)
        Derive(entry, colors);
}

void CSkinMenuIcons::Derive(Entry& entry, const MenuColors& colors) const
{
    const QImage image = entry.images.image.toImage();
    entry.images.normal = QPixmap::fromImage(Washed(image, colors.MenuBackground()));
    const QRgb tint = FadeTint(SkinState::Get().GetMenuStyle(), colors);
    entry.images.disabled = QPixmap::fromImage(FadedImage(image, tint));
}

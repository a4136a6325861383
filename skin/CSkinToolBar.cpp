#include "skin/CSkinToolBar.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>

#include "res/MainFrameResources.h"
#include "res/Resource.h"
#include "skin/SkinState.h"
#include "skin/ToolBarImages.h"

namespace {

const QMargins kDockedBorders(3, 1, 3, 1);

bool IsGradientStyle(int styleId)
{
    return styleId >= 6 && styleId <= 9;
}

} // namespace

CSkinToolBar::CSkinToolBar(QWidget* parent) : QToolBar(parent)
{
    const int style = GetMenuStyle();
    if (style == 8 || style == 9)
        SetBorders(kDockedBorders);
    connect(this, &QToolBar::topLevelChanged, this, &CSkinToolBar::OnBarStyleChange);
    // The faded images take their tint from the style.
    connect(&SkinState::Get(), &SkinState::StyleChanged, this, [this] {
        BuildImageLists();
        ApplyImages();
    });
}

CSkinToolBar::~CSkinToolBar() = default;

bool CSkinToolBar::LoadToolBar(FrameWindow& frame, int resourceId)
{
    if (resourceId != IDR_MAINFRAME || !LoadMainToolBar(frame, *this))
        return false;
    return LoadBitmap(resourceId);
}

bool CSkinToolBar::LoadBitmap(int bitmapId, std::optional<QRgb> transparent)
{
    return LoadBitmap(LoadBitmapResource(bitmapId), transparent);
}

bool CSkinToolBar::LoadBitmap(const QImage& bitmap, std::optional<QRgb> transparent)
{
    if (bitmap.isNull())
        return false;
    m_bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    m_transparent = transparent.value_or(m_bitmap.pixel(0, 0));
    BuildImageLists();
    ApplyImages();
    return true;
}

void CSkinToolBar::BuildImageLists()
{
    m_normalImages.clear();
    m_fadedImages.clear();
    if (m_bitmap.isNull())
        return;
    const QImage normal = MaskedImage(m_bitmap, m_transparent);
    const MenuColors colors = SkinState::Get().ColorsFor(palette());
    const QImage faded = FadedBitmap(m_bitmap, m_transparent, FadeTint(GetMenuStyle(), colors));
    const QSize size = iconSize();
    for (int x = 0; x + size.width() <= m_bitmap.width(); x += size.width()) {
        m_normalImages.append(QPixmap::fromImage(normal.copy(x, 0, size.width(), size.height())));
        m_fadedImages.append(QPixmap::fromImage(faded.copy(x, 0, size.width(), size.height())));
    }
}

void CSkinToolBar::ApplyImages()
{
    // The buttons take the images in order; separators have none.
    int image = 0;
    for (QAction* action : actions()) {
        if (action->isSeparator())
            continue;
        if (image >= m_normalImages.size())
            break;
        QIcon icon;
        icon.addPixmap(m_normalImages[image], QIcon::Normal);
        icon.addPixmap(m_fadedImages[image], QIcon::Disabled);
        action->setIcon(icon);
        ++image;
    }
}

void CSkinToolBar::OnBarStyleChange(bool floating)
{
    if (IsGradientStyle(GetMenuStyle()))
        SetBorders(floating ? QMargins() : kDockedBorders);
}

void CSkinToolBar::SetBorders(const QMargins& borders)
{
    m_borders = borders;
    setContentsMargins(borders);
    PlaceItems();
}

void CSkinToolBar::PlaceItems()
{
    // The toolkit's toolbar layout sizes the items for the room inside the
    // borders but knows one margin for all four sides and places them from
    // the corner: they are put in line inside the borders here.
    const bool horizontal = orientation() == Qt::Horizontal;
    int position = horizontal ? m_borders.left() : m_borders.top();
    for (int index = 0; index < layout()->count(); ++index) {
        QWidget* item = layout()->itemAt(index)->widget();
        if (!item || item->isHidden())
            continue;
        if (horizontal) {
            item->move(position, m_borders.top());
            position += item->width();
        } else {
            item->move(m_borders.left(), position);
            position += item->height();
        }
    }
}

bool CSkinToolBar::event(QEvent* event)
{
    const bool handled = QToolBar::event(event);
    switch (event->type()) {
    case QEvent::LayoutRequest:
    case QEvent::Resize:
    case QEvent::Show:
        PlaceItems();
        break;
    default:
        break;
    }
    return handled;
}

void CSkinToolBar::changeEvent(QEvent* event)
{
    QToolBar::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        BuildImageLists();
        ApplyImages();
    }
}

#include "skin/MenuInfo.h"

#include <QColor>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kBackgroundProperty[] = "skinMenuBackground";

} // namespace

std::optional<QRgb> GetMenuInfo(const QWidget* menu)
{
    const QVariant value = menu ? menu->property(kBackgroundProperty) : QVariant();
    if (!value.isValid())
        return std::nullopt;
    return value.value<QColor>().rgb();
}

void SetMenuInfo(QWidget* menu, QRgb background)
{
    if (!menu)
        return;
    menu->setProperty(kBackgroundProperty, QColor(background));
    menu->update();
}

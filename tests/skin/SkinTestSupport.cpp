#include "SkinTestSupport.h"

#include <QApplication>
#include <QPalette>
#include <QPainter>

#include "skin/MenuLooks.h"
#include "skin/MenuStyle.h"
#include "skin/SkinState.h"

SkinGuard::SkinGuard(int style) : m_style(GetMenuStyle()), m_saved(SkinState::Get().Environment())
{
    SkinState::Get().InstallHook();
    if (style >= 0)
        SetMenuStyle(style);
}

SkinGuard::~SkinGuard()
{
    SkinState::Get().SetEnvironment(m_saved);
    SkinState::Get().SetClock({});
    SetMenuStyle(m_style);
}

void SkinGuard::Change(const std::function<void(SkinEnvironment&)>& change)
{
    SkinEnvironment environment = SkinState::Get().Environment();
    change(environment);
    SkinState::Get().SetEnvironment(environment);
}

MenuColors TestColors(const SkinEnvironment& environment)
{
    return MenuColors(SystemColors::FromPalette(QApplication::palette()), environment);
}

MenuMetrics TestMetrics()
{
    MenuMetrics metrics = MenuMetrics::ForFont(QApplication::font("QMenu"));
    metrics.menuBarHeight = 19;
    metrics.checkMarkWidth = 13;
    return metrics;
}

QImage RenderItem(const MenuStyle& style, const MenuItem& item, QSize size, const MenuColors& colors)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    const MenuMetrics metrics = TestMetrics();
    style.DrawItem({painter, image.rect(), item, metrics, colors});
    painter.end();
    return image;
}

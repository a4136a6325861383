#pragma once

#include <QProxyStyle>

class MenuStyle;
class MenuWindowHook;

// The skin as the application's style: menus, menu bars and toolbars are
// measured and drawn by the active drawing style; everything else is the
// toolkit's own.
class CSkinStyle : public QProxyStyle
{
    Q_OBJECT

public:
    CSkinStyle();
    ~CSkinStyle() override;

    MenuWindowHook& Hook() const { return *m_pHook; }

    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;

private:
    void OnStyleChanged();
    QSize MenuItemSize(const QStyleOption* option, const QWidget* widget) const;
    bool DrawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void DrawMenuPanel(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    bool DrawToolButton(const QStyleOptionComplex* option, QPainter* painter, const QWidget* widget) const;

    MenuWindowHook* m_pHook;
};

#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include <QImage>
#include <QRgb>

#include "skin/MenuColors.h"
#include "skin/MenuItem.h"
#include "skin/MenuMetrics.h"
#include "skin/SkinEnvironment.h"

class MenuStyle;

// The name of a table-driven case: its `name` field.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& param)
{
    return param.param.name;
}

// Keeps the skin's active style and environment for one test and puts
// them back afterwards; the skin is installed as the application's style.
class SkinGuard
{
public:
    explicit SkinGuard(int style = -1);
    ~SkinGuard();
    SkinGuard(const SkinGuard&) = delete;
    SkinGuard& operator=(const SkinGuard&) = delete;

    // Changes the environment for the rest of the test.
    void Change(const std::function<void(SkinEnvironment&)>& change);

private:
    int m_style;
    SkinEnvironment m_saved;
};

// The colour made opaque, as qRgb makes colours: only the channels count.
inline QRgb Rgb(QRgb colour)
{
    return colour | 0xFF000000u;
}
inline QRgb Rgb(const QImage& image, int x, int y)
{
    return Rgb(image.pixel(x, y));
}

// The skin's colours for the application palette and the environment.
MenuColors TestColors(const SkinEnvironment& environment = {});
// Metrics with round numbers: menu bar 19, check mark 13, icons 16 x 15.
MenuMetrics TestMetrics();

// The item drawn by the style into an image of `size`, over magenta.
QImage RenderItem(const MenuStyle& style, const MenuItem& item, QSize size, const MenuColors& colors);

#include "skin/SkinColors.h"

#include "app/framework/DialogUnits.h"

namespace {

template <typename ChannelRule>
QRgb PerChannel(QRgb colour, ChannelRule rule)
{
    return qRgb(rule(qRed(colour)), rule(qGreen(colour)), rule(qBlue(colour)));
}

QRgb Mix(QRgb a, QRgb b, int percentOfA)
{
    const auto channel = [percentOfA](int x, int y) {
        return MulDiv(x, percentOfA, 100) + MulDiv(y, 100 - percentOfA, 100);
    };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

} // namespace

QRgb Darken(int amount, QRgb colour)
{
    return PerChannel(colour, [amount](int c) { return MulDiv(c, 255 - amount, 255); });
}

QRgb Lighten(int amount, QRgb colour)
{
    return PerChannel(colour, [amount](int c) { return c + MulDiv(255 - c, amount, 255); });
}

QRgb Mix86(QRgb a, QRgb b)
{
    return Mix(a, b, 86);
}

QRgb Mix70(QRgb a, QRgb b)
{
    return Mix(a, b, 70);
}

QRgb Bluish(QRgb colour)
{
    return qRgb(MulDiv(qRed(colour), 7, 10) & 0xFF, MulDiv(qGreen(colour), 7, 10) & 0xFF,
                MulDiv(qBlue(colour) + 55, 7, 10) & 0xFF);
}

#include "res/art/MedianCut.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Pixel = std::array<int, 3>;

struct Box
{
    std::vector<Pixel> pixels;

    int WidestChannel(int& range) const
    {
        int best = 0;
        range = -1;
        for (int c = 0; c < 3; ++c) {
            const auto [lo, hi] = std::minmax_element(pixels.begin(), pixels.end(),
                                                      [c](const Pixel& a, const Pixel& b) { return a[c] < b[c]; });
            const int r = (*hi)[c] - (*lo)[c];
            if (r > range) {
                range = r;
                best = c;
            }
        }
        return best;
    }

    QRgb Mean() const
    {
        long long sum[3] = {0, 0, 0};
        for (const Pixel& p : pixels)
            for (int c = 0; c < 3; ++c)
                sum[c] += p[c];
        const auto n = static_cast<long long>(pixels.size());
        return qRgb(static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n), static_cast<int>(sum[2] / n));
    }
};

int Distance(const Pixel& p, QRgb c)
{
    const int dr = p[0] - qRed(c);
    const int dg = p[1] - qGreen(c);
    const int db = p[2] - qBlue(c);
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

} // namespace

QList<QRgb> MedianCutPalette(const QImage& image, int colours)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<Box> boxes(1);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            boxes[0].pixels.push_back({qRed(p), qGreen(p), qBlue(p)});
        }
    while (static_cast<int>(boxes.size()) < colours) {
        int widest = -1;
        int channel = 0;
        size_t split = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            int range = 0;
            const int c = boxes[i].WidestChannel(range);
            if (boxes[i].pixels.size() > 1 && range > widest) {
                widest = range;
                channel = c;
                split = i;
            }
        }
        if (widest <= 0)
            break;
        std::vector<Pixel>& pixels = boxes[split].pixels;
        const auto middle = pixels.begin() + static_cast<long>(pixels.size() / 2);
        std::nth_element(pixels.begin(), middle, pixels.end(),
                         [channel](const Pixel& a, const Pixel& b) { return a[channel] < b[channel]; });
        Box upper;
        upper.pixels.assign(middle, pixels.end());
        pixels.erase(middle, pixels.end());
        boxes.push_back(std::move(upper));
    }
    QList<QRgb> palette;
    for (const Box& box : boxes)
        palette.append(box.Mean());
    return palette;
}

QImage ToIndexed(const QImage& image, const QList<QRgb>& palette)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    const int h = rgb.height();
    std::vector<Pixel> work(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = rgb.pixel(x, y);
            work[static_cast<size_t>(y * w + x)] = {qRed(p) * 16, qGreen(p) * 16, qBlue(p) * 16};
        }
    QImage out(w, h, QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Pixel& p = work[static_cast<size_t>(y * w + x)];
            const Pixel actual = {std::clamp(p[0] / 16, 0, 255), std::clamp(p[1] / 16, 0, 255),
                                  std::clamp(p[2] / 16, 0, 255)};
            int best = 0;
            for (int i = 1; i < palette.size(); ++i)
                if (Distance(actual, palette[i]) < Distance(actual, palette[best]))
                    best = i;
            out.setPixel(x, y, static_cast<uint>(best));
            const QRgb chosen = palette[best];
            const int error[3] = {p[0] - qRed(chosen) * 16, p[1] - qGreen(chosen) * 16, p[2] - qBlue(chosen) * 16};
            const auto spread = [&](int dx, int dy, int weight) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx < 0 || nx >= w || ny >= h)
                    return;
                Pixel& q = work[static_cast<size_t>(ny * w + nx)];
                for (int c = 0; c < 3; ++c)
                    q[c] += error[c] * weight / 16;
            };
            spread(1, 0, 7);
            spread(-1, 1, 3);
            spread(0, 1, 5);
            spread(1, 1, 1);
        }
    return out;
}

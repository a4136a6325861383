#pragma once

#include <optional>

#include <QImage>
#include <QList>
#include <QMargins>
#include <QPixmap>
#include <QRgb>
#include <QToolBar>

class FrameWindow;

// A toolbar that draws its buttons and background to match the skin's
// active drawing style. It keeps two image lists of its buttons: the
// normal images, and the faded images that disabled buttons show.
class CSkinToolBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CSkinToolBar(QWidget* parent = nullptr);
    ~CSkinToolBar() override;

    // The frame's toolbar resource (its buttons and their commands), then
    // both image lists from the bitmap of the same id. False when either
    // is missing.
    bool LoadToolBar(FrameWindow& frame, int resourceId);
    // A bitmap of button images, left to right, into both image lists;
    // without a transparent colour its top-left pixel is taken.
    bool LoadBitmap(int bitmapId, std::optional<QRgb> transparent = std::nullopt);
    bool LoadBitmap(const QImage& bitmap, std::optional<QRgb> transparent = std::nullopt);

    const QList<QPixmap>& NormalImages() const { return m_normalImages; }
    const QList<QPixmap>& FadedImages() const { return m_fadedImages; }

    // The bar changed between docked and floating: in styles 6 to 9 the
    // borders are 3, 1, 3, 1 docked and 0 floating.
    void OnBarStyleChange(bool floating);
    // The room around the buttons (left, top, right, bottom).
    QMargins Borders() const { return m_borders; }

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildImageLists();
    void ApplyImages();
    void SetBorders(const QMargins& borders);
    void PlaceItems();

    QImage m_bitmap;
    QRgb m_transparent = 0;
    QMargins m_borders;
    QList<QPixmap> m_normalImages;
    QList<QPixmap> m_fadedImages;
};

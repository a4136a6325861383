#pragma once

#include <QColor>
#include <QWidget>

// A text label that paints only its letters, so that what is behind it
// (the About picture) shows through. Line feeds start new lines; long lines
// are clipped, not wrapped.
class CTransparentStatic : public QWidget
{
    Q_OBJECT

public:
    explicit CTransparentStatic(QWidget* parent = nullptr);

    // Sets the text and repaints the label with the parent under it, so no
    // trace of the old text stays.
    void SetText(const QString& text);
    const QString& Text() const { return m_text; }

    QColor m_textColor;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void RepaintParentUnder();

    QString m_text;
};

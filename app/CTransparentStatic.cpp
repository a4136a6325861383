#include "app/CTransparentStatic.h"

#include <QEvent>
#include <QPainter>

CTransparentStatic::CTransparentStatic(QWidget* parent)
    : QWidget(parent), m_textColor(palette().color(QPalette::ButtonText))
{
    setAutoFillBackground(false);
}

void CTransparentStatic::SetText(const QString& text)
{
    m_text = text;
    RepaintParentUnder();
    update();
}

void CTransparentStatic::RepaintParentUnder()
{
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
}

void CTransparentStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(m_textColor);
    painter.setFont(font());
    painter.setClipRect(rect());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, m_text);
}

void CTransparentStatic::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        RepaintParentUnder();
        update();
    }
    QWidget::changeEvent(event);
}

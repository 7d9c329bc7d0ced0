#include "runtime/qt/graphical_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace rt {

GraphicalButton::GraphicalButton(const QString& caption, QColor back_colour, QColor text_colour,
                                 QWidget* parent)
    : QPushButton(parent), m_caption(caption), m_back_colour(back_colour),
      m_text_colour(text_colour) {
    setAccessibleName(caption);
}

void GraphicalButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown();
    const QBrush fill(m_back_colour);
    qDrawWinButton(&painter, rect(), palette(), sunken, &fill);

    QRect text_rect = rect().adjusted(2, 2, -2, -2);
    if (sunken) text_rect.translate(1, 1);
    painter.setPen(m_text_colour);
    painter.drawText(text_rect, Qt::AlignCenter, m_caption);

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(4, 4, -4, -4);
        option.backgroundColor = m_back_colour;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace rt

#include "board_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace pentora {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("board"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QPixmap& BoardWidget::pictureFor(qreal ratio) {
    if (ratio > 1.0) {
        if (picture2x_.isNull()) {
            picture2x_.load(QStringLiteral(":/pentora/board@2x.jpg"));
            picture2x_.setDevicePixelRatio(2.0);
        }
        if (!picture2x_.isNull()) {
            return picture2x_;
        }
    }
    if (picture_.isNull()) {
        picture_.load(QStringLiteral(":/pentora/board.jpg"));
    }
    return picture_;
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QPixmap& picture = pictureFor(devicePixelRatioF());
    if (picture.isNull()) {
        painter.fillRect(event->rect(), QColor(0xA7, 0xCA, 0xF0)); // the picture's ground
        return;
    }
    painter.drawPixmap(0, 0, picture); // a column and a row wider than the client area
}

} // namespace pentora

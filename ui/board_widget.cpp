#include "board_widget.h"

#include "pictures.h"

#include <QPaintEvent>
#include <QPainter>

namespace pentora {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent), picture_(pictures::board()) {
    setObjectName(QStringLiteral("board"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (devicePixelRatioF() > 1.0) {
        if (picture2x_.isNull()) {
            picture2x_.load(QStringLiteral(":/pentora/board@2x.jpg"));
            picture2x_.setDevicePixelRatio(2.0);
        }
        if (!picture2x_.isNull()) {
            painter.drawPixmap(0, 0, picture2x_);
            return;
        }
    }
    // A column and a row wider than the client area; only the damaged part is drawn.
    painter.drawImage(event->rect(), picture_, event->rect());
}

} // namespace pentora

#include "pot_label.h"

#include "qtext.h"
#include "texts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace pentora {

PotLabel::PotLabel(Side side, Count slot, QWidget* parent)
    : QLabel(parent), side_(side), slot_(slot) {
    setObjectName(QStringLiteral("%1%2")
                      .arg(side == Side::Human ? QStringLiteral("Human") : QStringLiteral("CPU"))
                      .arg(slot));
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent fills the whole box
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(side == Side::Human);
    setBackground(Qt::white);
    setCount(0);
}

void PotLabel::press() {
    if (playable() && isEnabled()) {
        emit clicked(slot_);
    }
}

void PotLabel::setCount(Count value) {
    const QString digits = QString::number(value);
    if (digits == text()) {
        return;
    }
    setText(digits);
    // A reader's review of the window reads names, not descriptions: the count is in the name.
    setAccessibleName(qs(texts::potReading(side_, slot_, value)));
}

void PotLabel::setBackground(const QColor& colour) {
    if (colour == background()) {
        return;
    }
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

QColor PotLabel::background() const {
    return palette().color(QPalette::Window);
}

void PotLabel::paintEvent(QPaintEvent* /*event*/) {
    // The fill is fixed, white or magenta, so the count is drawn in a fixed colour too: black
    // reads on both, whatever the desktop's palette, and also while the label is switched off.
    QPainter painter(this);
    painter.fillRect(rect(), background());
    painter.setPen(Qt::black);
    painter.drawText(rect(), static_cast<int>(alignment()), text());
}

void PotLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PotLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked(slot_);
    }
}

void PotLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(slot_);
}

} // namespace pentora

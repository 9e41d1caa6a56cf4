#include "pot_label.h"

#include "qtext.h"
#include "texts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace pentora {

namespace {

// What a screen reader sees of a pot: the human's six pots are buttons it can press, the other
// pots plain text; the name says which pot, the description its count.
class PotAccessible final : public QAccessibleWidget {
public:
    explicit PotAccessible(PotLabel* pot)
        : QAccessibleWidget(pot, pot->playable() ? QAccessible::Button : QAccessible::StaticText) {}

    QStringList actionNames() const override {
        return pot()->playable() ? QStringList{pressAction()} : QStringList{};
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action != pressAction() || !pot()->playable()) {
            return {};
        }
        return {QString::number(pot()->slot() + 1)};
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            // The move runs for seconds and may open a box: the reader's call returns first.
            QMetaObject::invokeMethod(pot(), &PotLabel::press, Qt::QueuedConnection);
        }
    }

private:
    PotLabel* pot() const { return static_cast<PotLabel*>(widget()); }
};

QAccessibleInterface* potAccessible(const QString& /*className*/, QObject* object) {
    if (auto* pot = qobject_cast<PotLabel*>(object)) {
        return new PotAccessible(pot);
    }
    return nullptr;
}

} // namespace

PotLabel::PotLabel(Side side, Count slot, QWidget* parent)
    : QLabel(parent), side_(side), slot_(slot) {
    QAccessible::installFactory(potAccessible); // once: a second call adds nothing
    setObjectName(QStringLiteral("%1%2")
                      .arg(side == Side::Human ? QStringLiteral("Human") : QStringLiteral("CPU"))
                      .arg(slot));
    setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent fills the whole box
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(side == Side::Human);
    setAccessibleName(qs(texts::potName(side, slot)));
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
    setAccessibleDescription(qs(texts::beanCount(value)));
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

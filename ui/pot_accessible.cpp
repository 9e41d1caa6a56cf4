#include "pot_accessible.h"

#include "pot_label.h"

namespace pentora {

namespace {

QAccessibleInterface* potAccessible(const QString& /*className*/, QObject* object) {
    if (auto* pot = qobject_cast<PotLabel*>(object)) {
        return new PotAccessible(pot);
    }
    return nullptr;
}

} // namespace

PotAccessible::PotAccessible(PotLabel* pot)
    : QAccessibleWidget(pot, pot->playable() ? QAccessible::Button : QAccessible::StaticText) {}

void PotAccessible::install() {
    QAccessible::installFactory(potAccessible);
}

QStringList PotAccessible::actionNames() const {
    return pot()->playable() ? QStringList{pressAction()} : QStringList{};
}

QStringList PotAccessible::keyBindingsForAction(const QString& action) const {
    if (action != pressAction() || !pot()->playable()) {
        return {};
    }
    return {QString::number(pot()->slot() + 1)};
}

void PotAccessible::doAction(const QString& action) {
    if (action == pressAction()) {
        // The move runs for seconds and may open a box: the reader's call returns first.
        QMetaObject::invokeMethod(pot(), &PotLabel::press, Qt::QueuedConnection);
    }
}

PotLabel* PotAccessible::pot() const {
    return static_cast<PotLabel*>(widget());
}

} // namespace pentora

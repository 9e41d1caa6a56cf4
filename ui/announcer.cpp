#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace pentora {

namespace {

// A hidden, empty widget whose accessible name is the message.
class Notice final : public QWidget {
    Q_OBJECT
public:
    explicit Notice(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Notice"));
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
};

QAccessibleInterface* noticeAccessible(const QString& /*className*/, QObject* object) {
    if (auto* notice = qobject_cast<Notice*>(object)) {
        return new QAccessibleWidget(notice, QAccessible::Notification);
    }
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* window) : QObject(window), window_(window) {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    for (QWidget*& notice : notices_) {
        notice = new Notice(window);
    }
#endif
}

void Announcer::install() {
    QAccessible::installFactory(noticeAccessible);
}

void Announcer::say(const QString& message) {
    emit said(message);
    if (!QAccessible::isActive()) {
        return;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window_, message);
    QAccessible::updateAccessibility(&event);
#else
    QWidget* notice = notices_.at(next_);
    next_ = (next_ + 1) % notices_.size();
    notice->setAccessibleName(message);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace pentora

#include "announcer.moc"

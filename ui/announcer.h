// Says the game's messages through a screen reader, if one is listening. Nothing is shown.
//
// With Qt 6.8 and later the message is an announcement event, which readers speak as it comes.
// Qt 6.4's bridge to AT-SPI passes no such event, and the name and description changes it sends
// carry no text a reader can speak. What readers do speak there is an object of the role
// "notification" that appears: so each message goes on one of three hidden notification objects
// in turn, which is then reported shown. A reader drops an older pending appearance of the same
// object, so one object alone would lose a message that follows another closely.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstddef>

class QWidget;

namespace pentora {

class Announcer final : public QObject {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    void say(const QString& message);

    // Makes Qt's accessibility give the notification objects their role. Once, at start-up.
    static void install();

signals:
    // Each message, whether or not a screen reader listens.
    void said(const QString& message);

private:
    QWidget* window_;
    std::array<QWidget*, 3> notices_{};
    std::size_t next_ = 0;
};

} // namespace pentora

// Helpers for driving the real window as a player would: find its controls by name, read the
// pots, answer the message boxes it opens.
#pragma once

#include "board.h"
#include "form1.h"
#include "qtext.h"
#include "random_source.h"
#include "texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace pentora::testing {

// The difficulty box's six items in order; item i starts level i + 1.
inline const QStringList kDifficultyItems = [] {
    QStringList items;
    for (const std::string_view item : texts::kDifficulties) {
        items << qs(item);
    }
    return items;
}();

// A random source with a fixed sequence, so that a test's games can be replayed.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) : seed_(seed), engine_(seed) {}
    void reseed() override { engine_.seed(seed_ + reseeds_++); }
    float next() override { return std::uniform_real_distribution<float>(0.0F, 1.0F)(engine_); }

private:
    unsigned seed_;
    unsigned reseeds_ = 0;
    std::mt19937 engine_;
};

// A mouse event as the platform delivers it, at the middle of a widget: a move with no button
// held, or a press or release of a button. The caller posts it, or sends and deletes it.
inline QMouseEvent* mouseEventAt(QWidget* target, QEvent::Type type,
                                 Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at = QRectF(target->rect()).center();
    if (type == QEvent::MouseMove) {
        button = Qt::NoButton;
    }
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    return new QMouseEvent(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
}

// Asks for a window to be the active one, as a click on it would, and waits until the platform
// says it is. A window under an open modal box stays inactive.
[[nodiscard]] inline bool makeActive(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// A property of a window on X as a window manager or a dock reads it, as xprop prints it.
inline QString xprop(const QWidget& window, const QString& property) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), property});
    xprop.waitForFinished();
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

// The value of a one-line property: the text after "=".
inline QString windowProperty(const QWidget& window, const QString& property) {
    return xprop(window, property).section(QLatin1Char('='), 1);
}

struct Box {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QList<QAbstractButton*>::size_type buttons;
};

// A window's frame as the window manager has drawn it. QWidget::frameGeometry() keeps frame
// margins it read while the window manager was still framing the window, and so may report a
// frame a pixel wide for good; the platform's window reads them anew.
inline QRect frameOf(const QWidget& window) {
    return window.windowHandle()->frameGeometry();
}

// A box stands centred over the window (as Qt centres a dialog, within a few pixels) unless that
// would cross the screen's edge, wholly on the screen, and wide enough for its title and a title
// bar's buttons. Read from its frame once the window manager has placed it: the frame is read
// until it stands where it should and has stayed there for a while, or until a deadline that
// only a machine busy with other work comes near.
inline void expectOverTheWindowAndOnTheScreen(const QMessageBox& box) {
    SCOPED_TRACE(box.windowTitle().toStdString());
    // A frame's title bar makes it taller above than below, which a window manager may place
    // a few pixels either way.
    constexpr int kFewPixels = 12;
    constexpr int kSettledMs = 100;
    constexpr int kDeadlineMs = 20000;
    const QWidget* window = box.parentWidget()->window();
    const QRect screen = box.screen()->availableGeometry();
    const auto centred = [&] {
        QRect over(QPoint(), frameOf(box).size());
        over.moveCenter(frameOf(*window).center());
        return screen.contains(over) ? over : frameOf(box);
    };
    const auto offCentre = [&] {
        return (frameOf(box).center() - centred().center()).manhattanLength();
    };
    QRect last;
    QElapsedTimer still;
    still.start();
    (void)QTest::qWaitFor(
        [&] {
            if (frameOf(box) != last) {
                last = frameOf(box);
                still.restart();
            }
            return !last.isEmpty() && offCentre() <= kFewPixels && still.elapsed() >= kSettledMs;
        },
        kDeadlineMs);
    const QRect frame = frameOf(box);
    EXPECT_TRUE(screen.contains(frame)) << "box at " << frame.x() << "," << frame.y() << ", "
                                        << frame.width() << "x" << frame.height();
    EXPECT_LE(offCentre(), kFewPixels);
    EXPECT_GE(frame.width(), box.fontMetrics().horizontalAdvance(box.windowTitle()) + 100);
}

// Watches for modal message boxes and answers them with OK. `onBox`, when set, decides instead
// when the box is closed (it must close it eventually).
class MessageCatcher final : public QObject {
public:
    MessageCatcher() {
        poll_.setInterval(2);
        QObject::connect(&poll_, &QTimer::timeout, [this] { check(); });
        poll_.start();
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~MessageCatcher() override { QCoreApplication::instance()->removeEventFilter(this); }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    std::vector<Box> boxes;
    std::function<void(QMessageBox&)> onBox;

    static void pressOk(QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }

    // A box hidden is a box that may be shown again with another message.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && qobject_cast<QMessageBox*>(watched) != nullptr) {
            watched->setProperty(kSeen, false);
        }
        return false;
    }

private:
    void check() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        // The same box may show one message after another: mark it seen until it is hidden. It
        // is taken once it is on the screen, framed where there is a window manager.
        if (box == nullptr || box->property(kSeen).toBool() || box->windowHandle() == nullptr ||
            !box->windowHandle()->isExposed()) {
            return;
        }
        box->setProperty(kSeen, true);
        boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->buttons().size()});
        if (onBox) {
            onBox(*box);
        } else {
            pressOk(*box);
        }
    }

    static constexpr const char* kSeen = "pentoraTestSeen";
    QTimer poll_;
};

// The window under test, shown on the test platform, with handles to its controls.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        window = std::make_unique<Form1>(random);
        window->show();
        const Form1::Controls controls = window->controls();
        StatBTN = controls.StatBTN;
        Combo1 = controls.Combo1;
        ExitBTN = controls.ExitBTN;
        Timer1 = controls.Timer1;
    }

    QLabel* pot(Side side, Count slot) const { return window->pot(side, slot); }
    // The board as the fourteen labels show it.
    Board shown() const {
        Board board{};
        for (const Side side : {Side::Human, Side::Cpu}) {
            for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
                board.at(side, slot) = static_cast<Count>(pot(side, slot)->text().toShort());
            }
        }
        return board;
    }
    // Read from what the label paints, not from its settings: magenta, or else white.
    bool lit(Side side, Count slot) const {
        const QColor fill = pot(side, slot)->grab().toImage().pixelColor(1, 1);
        EXPECT_TRUE(fill == QColor(0xFF, 0x00, 0xFF) || fill == QColor(Qt::white))
            << "pot " << slot << (side == Side::Human ? " of yours" : " of the computer's")
            << " is " << fill.name().toStdString();
        return fill == QColor(0xFF, 0x00, 0xFF);
    }
    // The lit pot of a side, kNoSlot when the side is all white.
    Count litSlot(Side side) const {
        for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
            if (lit(side, slot)) {
                return slot;
            }
        }
        return kNoSlot;
    }
    void startGame(const QString& difficulty) {
        Combo1->setEditText(difficulty);
        StatBTN->click();
    }

    SeededRandom random{7};
    MessageCatcher catcher;
    std::unique_ptr<Form1> window;
    QPushButton* StatBTN = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* ExitBTN = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace pentora::testing

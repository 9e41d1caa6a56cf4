// The game's only window. It builds the controls at their fixed places, forwards their events to
// the game and shows what the game tells it. Closing it ends the program.
#pragma once

#include "board.h"
#include "game.h"
#include "game_view.h"
#include "pot_label.h"
#include "random_source.h"

#include <QMainWindow>
#include <array>

class QAction;
class QComboBox;
class QPushButton;
class QTimer;

namespace pentora {

class Announcer;
class MessageBox;

class Form1 final : public QMainWindow, public GameView, public StepClock {
    Q_OBJECT
public:
    explicit Form1(RandomSource& random, QWidget* parent = nullptr);

    // The controls, for the tests and tools that drive the window as a player would.
    struct Controls {
        QPushButton* StatBTN;
        QComboBox* Combo1;
        QPushButton* ExitBTN;
        QTimer* Timer1;
        QAction* Istruzioni;
        QAction* BugReport;
    };

    Game& game() { return game_; }
    Controls controls() const;
    PotLabel* pot(Side side, Count slot) const;

    // GameView
    void showCount(Side side, Count slot, Count value) override;
    void showHighlight(Side side, Count lit) override;
    void setHumanPotsEnabled(bool enabled) override;
    void setTitle(std::string_view title) override;
    void setStartCaption(std::string_view caption) override;
    std::string difficultyText() const override;
    void setDifficultyText(std::string_view text) override;
    void addDifficultyItem(int index, std::string_view text) override;
    void showMessage(std::string_view text, std::string_view title) override;
    void announce(std::string_view message) override;
    void unloadWindow() override;

    // StepClock
    void setTimerRunning(bool running) override;
    bool timerRunning() const override;
    void waitForEvents() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls(QWidget* board);
    void buildMenu();
    void placeOnScreen();

    Game game_;
    QPushButton* StatBTN = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* ExitBTN = nullptr;
    QTimer* Timer1 = nullptr;
    QAction* Istruzioni = nullptr;
    QAction* BugReport = nullptr;
    Announcer* announcer_ = nullptr;
    // The one box for every message, made at the first. A screen reader keeps what it learnt of
    // a box; a box destroyed after each message leaves it asking the bridge for objects that
    // are gone, hundreds of times, each asking logged.
    MessageBox* box_ = nullptr;
    std::array<PotLabel*, kSlotsPerSide> Human{};
    std::array<PotLabel*, kSlotsPerSide> CPU{};
};

} // namespace pentora

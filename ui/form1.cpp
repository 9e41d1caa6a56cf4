#include "form1.h"

#include "announcer.h"
#include "board_widget.h"
#include "difficulty_box.h"
#include "layout.h"
#include "message_box.h"
#include "program_icon_engine.h"
#include "qtext.h"
#include "texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTimer>

namespace pentora {

namespace {

QRect qRect(layout::Rect r) {
    return {r.left, r.top, r.width, r.height};
}

} // namespace

Form1::Form1(RandomSource& random, QWidget* parent)
    : QMainWindow(parent), game_(*this, *this, random) {
    setObjectName(QStringLiteral("Form1"));
    // A fixed window: a title, the system menu, minimize and close; nothing to maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(qs(texts::kAppTitle));
    setWindowIcon(QIcon(new ProgramIconEngine));

    auto* board = new BoardWidget(this);
    setCentralWidget(board);
    announcer_ = new Announcer(board);
    buildControls(board);
    buildMenu();

    // The client area has a fixed size; the window is as large as it and the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    game_.Form_Load();
    placeOnScreen();
    StatBTN->setFocus();
}

void Form1::buildControls(QWidget* board) {
    StatBTN = new QPushButton(qs(texts::kDesignCaption), board);
    StatBTN->setObjectName(QStringLiteral("StatBTN"));
    StatBTN->setGeometry(qRect(layout::kStartButton));
    StatBTN->setAutoDefault(true); // Enter presses the focused button, as Space does

    Combo1 = new DifficultyBox(board);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(qRect(layout::kDifficultyBox)); // first: it spares a size hint
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setAccessibleName(qs(texts::kDifficultyName));
    Combo1->lineEdit()->setAccessibleName(qs(texts::kDifficultyName));
    // What the player types stays exactly as typed: no completion, no case folding.
    Combo1->setCompleter(nullptr);
    // A chosen item is shown from its beginning, though the box is narrower than the longest.
    connect(Combo1, &QComboBox::currentIndexChanged, this,
            [this] { Combo1->lineEdit()->setCursorPosition(0); });

    ExitBTN = new QPushButton(qs(texts::kExit), board);
    ExitBTN->setObjectName(QStringLiteral("ExitBTN"));
    ExitBTN->setGeometry(qRect(layout::kExitButton));
    ExitBTN->setAutoDefault(true);

    for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
        CPU.at(slot) = new PotLabel(Side::Cpu, slot, board);
        CPU.at(slot)->setGeometry(qRect(layout::potRect(Side::Cpu, slot)));
    }
    for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
        PotLabel* label = new PotLabel(Side::Human, slot, board);
        label->setGeometry(qRect(layout::potRect(Side::Human, slot)));
        connect(label, &PotLabel::clicked, this, [this](Count index) { game_.Human_Click(index); });
        connect(label, &PotLabel::mouseMoved, this,
                [this](Count index) { game_.Human_MouseMove(index); });
        Human.at(slot) = label;
    }

    // Keys 1 to 6, on the main keyboard and the keypad, press the human's pots 1 to 6 wherever
    // the focus is; in the difficulty box's text a digit is typed instead (a line edit takes the
    // keys it types before any shortcut). The pots themselves never take the focus. A held key
    // plays once. Key 0 reads the board aloud to a screen reader.
    for (Count slot = 0; slot < kPotsPerSide; ++slot) {
        auto* key = new QShortcut(QKeySequence(Qt::Key_1 + slot), this);
        key->setAutoRepeat(false);
        connect(key, &QShortcut::activated, Human.at(slot), &PotLabel::press);
    }
    auto* boardKey = new QShortcut(QKeySequence(Qt::Key_0), this);
    boardKey->setAutoRepeat(false);
    connect(boardKey, &QShortcut::activated, this, [this] { game_.BoardKey_Press(); });

    setTabOrder(StatBTN, Combo1);
    setTabOrder(Combo1, ExitBTN);

    connect(StatBTN, &QPushButton::clicked, this, [this] { game_.StatBTN_Click(); });
    connect(ExitBTN, &QPushButton::clicked, this, [this] { game_.ExitBTN_Click(); });

    // The step timer runs from the moment it exists; loading the window stops it. Its interval
    // is never touched again.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(kStepMs);
    connect(Timer1, &QTimer::timeout, this, [this] { game_.Timer1_Timer(); });
    Timer1->start();
}

void Form1::buildMenu() {
    // Two commands straight on the menu bar, without drop-down lists; the bar gives them their
    // Alt+letter keys from the '&' in their texts.
    Istruzioni = menuBar()->addAction(qs(texts::kInstructionsMenu));
    Istruzioni->setObjectName(QStringLiteral("Istruzioni"));
    connect(Istruzioni, &QAction::triggered, this, [this] { game_.Istruzioni_Click(); });

    BugReport = menuBar()->addAction(qs(texts::kBugReportMenu));
    BugReport->setObjectName(QStringLiteral("BugReport"));
    connect(BugReport, &QAction::triggered, this, [this] { game_.BugReport_Click(); });
}

void Form1::placeOnScreen() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
}

Form1::Controls Form1::controls() const {
    return {StatBTN, Combo1, ExitBTN, Timer1, Istruzioni, BugReport};
}

PotLabel* Form1::pot(Side side, Count slot) const {
    return side == Side::Human ? Human.at(slot) : CPU.at(slot);
}

void Form1::showCount(Side side, Count slot, Count value) {
    pot(side, slot)->setCount(value);
}

void Form1::showHighlight(Side side, Count lit) {
    // Painted in rising order, at most one pot lit.
    for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
        pot(side, slot)->setBackground(slot == lit ? QColor(0xFF, 0x00, 0xFF) : QColor(Qt::white));
    }
}

void Form1::setHumanPotsEnabled(bool enabled) {
    for (Count slot = 0; slot < kPotsPerSide; ++slot) {
        Human.at(slot)->setEnabled(enabled);
    }
}

void Form1::setTitle(std::string_view title) {
    setWindowTitle(qs(title));
}

void Form1::setStartCaption(std::string_view caption) {
    StatBTN->setText(qs(caption));
    // Said as one line.
    StatBTN->setAccessibleName(StatBTN->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

std::string Form1::difficultyText() const {
    return Combo1->currentText().toStdString();
}

void Form1::setDifficultyText(std::string_view text) {
    Combo1->setEditText(qs(text));
}

void Form1::addDifficultyItem(int index, std::string_view text) {
    // The first item would become the current one and replace the text in the box.
    const bool first = Combo1->count() == 0;
    const QString shown = Combo1->currentText();
    Combo1->insertItem(index, qs(text));
    if (first) {
        Combo1->setCurrentIndex(-1);
        Combo1->setEditText(shown);
    }
}

void Form1::showMessage(std::string_view text, std::string_view title) {
    if (box_ == nullptr) {
        box_ = new MessageBox(qs(title), qs(text), this);
    } else {
        box_->setMessage(qs(title), qs(text));
    }
    box_->exec();
}

void Form1::announce(std::string_view message) {
    announcer_->say(qs(message));
}

void Form1::setTimerRunning(bool running) {
    if (running) {
        Timer1->start();
    } else {
        Timer1->stop();
    }
}

bool Form1::timerRunning() const {
    return Timer1->isActive();
}

void Form1::waitForEvents() {
    // Sleeps until something happens (at the latest the tick) and handles it.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void Form1::unloadWindow() {
    close();
}

void Form1::closeEvent(QCloseEvent* event) {
    game_.Form_Unload();
    event->accept();
}

} // namespace pentora

#include "form1.h"

#include "board_widget.h"
#include "pictures.h"
#include "qtext.h"
#include "texts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <algorithm>
#include <span>

namespace pentora {

namespace {

// The layout is drawn in twips at 96 dots per inch: 15 twips to the pixel.
constexpr int px(int twips) {
    return twips / 15;
}

QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

constexpr int kPotWidth = 495;
constexpr int kPotHeight = 375;
constexpr int kPotStep = 1560;
constexpr int kFirstColumn = 720;

QRect humanPotRect(Count slot) {
    if (slot == kBigPot) {
        return twipsRect(8520, 2640, kPotWidth, kPotHeight);
    }
    return twipsRect(kFirstColumn + kPotStep * slot, 4560, kPotWidth, kPotHeight);
}

QRect cpuPotRect(Count slot) {
    if (slot == kBigPot) {
        return twipsRect(840, 2640, kPotWidth, kPotHeight);
    }
    return twipsRect(kFirstColumn + kPotStep * (kPotsPerSide - 1 - slot), 840, kPotWidth,
                     kPotHeight);
}

// A message box that shows every line of its text whole and stands over the window, wholly on
// the screen. Qt's box breaks lines wider than about half the screen whenever it sizes itself
// (when shown and at each layout request); this one then unbreaks them and grows instead, as far
// as the screen allows, once, before it is shown. It is never narrower than its title needs in a
// title bar, and its frame offers only a close button.
class MessageBox final : public QMessageBox {
public:
    MessageBox(const QString& title, const QString& text, QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent,
                      Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
        setTextFormat(Qt::PlainText);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest && fitted_) {
            // Qt's box would size itself anew, breaking the lines: the layout only.
            return QDialog::event(event); // NOLINT(bugprone-parent-virtual-call): on purpose
        }
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::Show) {
            fit(); // after Qt has sized the box, before it is on the screen
            fitted_ = true;
        }
        return handled;
    }

private:
    // Room for a title bar's buttons beside the title.
    static constexpr int kTitleBarButtons = 120;
    bool fitted_ = false;

    void fit() {
        const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
        QSize size = this->size(); // as Qt sized it
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label != nullptr && label->wordWrap()) {
            label->setWordWrap(false);
            layout()->activate();
            const QSize whole = layout()->totalMinimumSize();
            if (area.isValid() && whole.width() > area.width()) {
                label->setWordWrap(true); // a screen too small even for one line: broken it is
            } else {
                size = whole;
            }
        }
        size.setWidth(std::max(size.width(),
                               fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarButtons));
        setFixedSize(size);
        layout()->activate();
        place(area);
    }

    // Centres the box's frame over the window's frame, moved inside the screen where that would
    // cross an edge. Until the window manager has framed the box, its frame is taken to be as
    // wide as the window's.
    void place(const QRect& area) {
        const QWidget* window = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
        if (window == nullptr || !area.isValid()) {
            return;
        }
        const auto margins = [](const QWidget* w) {
            const QRect frame = w->frameGeometry();
            const QRect client = w->geometry();
            return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                            frame.right() - client.right(), frame.bottom() - client.bottom());
        };
        const bool framed = frameGeometry() != geometry();
        const QMargins frame = framed ? margins(this) : margins(window);
        QRect outer(QPoint(), size().grownBy(frame));
        outer.moveCenter(window->frameGeometry().center());
        outer.moveLeft(
            std::max(area.left(), std::min(outer.left(), area.right() - outer.width() + 1)));
        outer.moveTop(
            std::max(area.top(), std::min(outer.top(), area.bottom() - outer.height() + 1)));
        setGeometry(outer.marginsRemoved(frame));
    }
};

// The difficulty box. Its drop-down list is as wide as the longest item, which is wider than the
// box; the box itself keeps its place and size.
class DifficultyBox final : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        QAbstractItemView* list = view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth());
        QComboBox::showPopup();
    }
};

// The program icon in the sizes it was drawn in, made into a pixmap only when a size is asked for
// (the X window system takes them all; other platforms show none).
class ProgramIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("pentora"); }

    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        QList<QSize> sizes;
        for (const int side : pictures::iconSides()) {
            sizes.append(QSize(side, side));
        }
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/) override {
        // The smallest drawing that covers the size asked for, else the largest.
        const std::span<const int> sides = pictures::iconSides();
        const int wanted = std::max(size.width(), size.height());
        const auto fits =
            std::find_if(sides.begin(), sides.end(), [wanted](int side) { return side >= wanted; });
        const int side = fits != sides.end() ? *fits : sides.back();
        QPixmap drawn = QPixmap::fromImage(pictures::icon(side));
        if (drawn.size() != size && !size.isEmpty()) {
            drawn = drawn.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        if (mode != QIcon::Disabled) {
            return drawn;
        }
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }
};

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
    StatBTN->setGeometry(twipsRect(3240, 2400, 1335, 735));
    StatBTN->setAutoDefault(true); // Enter presses the focused button, as Space does

    Combo1 = new DifficultyBox(board);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(4920, 2760, 2295, 315)); // first: it spares a size hint
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
    ExitBTN->setGeometry(twipsRect(4080, 3360, 1935, 375));
    ExitBTN->setAutoDefault(true);

    for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
        CPU.at(slot) = new PotLabel(Side::Cpu, slot, board);
        CPU.at(slot)->setGeometry(cpuPotRect(slot));
    }
    for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
        PotLabel* label = new PotLabel(Side::Human, slot, board);
        label->setGeometry(humanPotRect(slot));
        connect(label, &PotLabel::clicked, this, [this](Count index) { game_.Human_Click(index); });
        connect(label, &PotLabel::mouseMoved, this,
                [this](Count index) { game_.Human_MouseMove(index); });
        Human.at(slot) = label;
    }

    // Keys 1 to 6, on the main keyboard and the keypad, press the human's pots 1 to 6 wherever
    // the focus is; in the difficulty box's text a digit is typed instead (a line edit takes the
    // keys it types before any shortcut). The pots themselves never take the focus.
    for (Count slot = 0; slot < kPotsPerSide; ++slot) {
        auto* key = new QShortcut(QKeySequence(Qt::Key_1 + slot), this);
        connect(key, &QShortcut::activated, Human.at(slot), &PotLabel::press);
    }

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
    MessageBox box(qs(title), qs(text), this);
    box.exec();
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

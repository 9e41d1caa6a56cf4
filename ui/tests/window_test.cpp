// The window as it opens and as the player finds it: places, texts, keys, messages, exit.
#include "announcer.h"
#include "qtext.h"
#include "sowing.h"
#include "texts.h"
#include "window_harness.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace pentora::testing {
namespace {

const QString kPrompt = QStringLiteral("Scegli la difficolta'");
using WindowStartUp = WindowTest;

TEST_F(WindowStartUp, ShowsAnIdleBoardAndTheLoadedTexts) {
    EXPECT_EQ(window->objectName(), "Form1");
    EXPECT_EQ(window->windowTitle(), "Pentora");
    EXPECT_EQ(StatBTN->text(), "Inizia");
    EXPECT_EQ(ExitBTN->text(), "-- E S C I --");
    EXPECT_EQ(Combo1->currentText(), kPrompt);
    EXPECT_TRUE(Combo1->isEditable());
    EXPECT_EQ(Combo1->insertPolicy(), QComboBox::NoInsert);
    QStringList items;
    for (int i = 0; i < Combo1->count(); ++i) {
        items << Combo1->itemText(i);
    }
    EXPECT_EQ(items, kDifficultyItems);

    // Each control's own name and role, as a screen reader asks Qt for them, with the difficulty
    // box's text there and emptied. Qt names a combo box by its text on Linux, by its own name
    // when the text is empty, and by its own name always elsewhere (Windows).
    const auto reads = [](QObject* control) {
        const QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
        return std::pair(reader->text(QAccessible::Name), reader->role());
    };
    const QString boxName = QStringLiteral("Difficolta'");
    EXPECT_EQ(reads(StatBTN), std::pair(QStringLiteral("Inizia"), QAccessible::Button));
    EXPECT_EQ(reads(ExitBTN), std::pair(QStringLiteral("-- E S C I --"), QAccessible::Button));
    for (const QString& text : {kPrompt, QString()}) {
        Combo1->setEditText(text);
        EXPECT_EQ(reads(Combo1->lineEdit()), std::pair(boxName, QAccessible::EditableText));
        EXPECT_EQ(reads(Combo1).second, QAccessible::ComboBox);
#ifdef Q_OS_UNIX
        EXPECT_EQ(reads(Combo1).first, text.isEmpty() ? boxName : text);
#else
        EXPECT_EQ(reads(Combo1).first, boxName);
#endif
    }
    Combo1->setEditText(kPrompt);

    for (const Side side : {Side::Human, Side::Cpu}) {
        for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
            QLabel* label = pot(side, slot);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), "0");
            EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white));
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
            // A screen reader can press the human's six pots, and only those, by their digits.
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(label);
            const bool playable = side == Side::Human && slot < kPotsPerSide;
            const QString press = QAccessibleActionInterface::pressAction();
            EXPECT_EQ(reader->role(), playable ? QAccessible::Button : QAccessible::StaticText);
            EXPECT_EQ(reader->actionInterface()->actionNames(),
                      playable ? QStringList{press} : QStringList{});
            EXPECT_EQ(reader->actionInterface()->keyBindingsForAction(press),
                      playable ? QStringList{QString::number(slot + 1)} : QStringList{});
        }
    }
    // The pots of both sides are numbered 1 to 6 from their first, and say their counts.
    for (Count slot = 0; slot < kPotsPerSide; ++slot) {
        EXPECT_EQ(pot(Side::Human, slot)->accessibleName(),
                  QStringLiteral("La tua pentola %1, 0 fagioli").arg(slot + 1));
        EXPECT_EQ(pot(Side::Cpu, slot)->accessibleName(),
                  QStringLiteral("Pentola %1 del computer, 0 fagioli").arg(slot + 1));
    }
    EXPECT_EQ(pot(Side::Human, 6)->accessibleName(), "La tua pentola grande, 0 fagioli");
    EXPECT_EQ(pot(Side::Cpu, 6)->accessibleName(), "Pentola grande del computer, 0 fagioli");

    EXPECT_EQ(QImage(QStringLiteral(":/pentora/board@2x.jpg")).size(), QSize(1302, 802));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(32, 32)));

    ASSERT_NE(Timer1, nullptr);
    EXPECT_EQ(Timer1->parent(), window.get());
    EXPECT_FALSE(Timer1->isActive());
    EXPECT_EQ(Timer1->interval(), 500);
    EXPECT_EQ(window->focusWidget(), StatBTN);
}

TEST_F(WindowStartUp, ShowsThePicturesAsTheirFilesHoldThem) {
    const QString resources = QStringLiteral(PENTORA_SOURCE_DIR "/ui/resources/");
    if (window->devicePixelRatio() != std::round(window->devicePixelRatio())) {
        GTEST_SKIP() << "the pictures are compared pixel for pixel at whole scales";
    }
    const int ratio = window->devicePixelRatio() > 1.0 ? 2 : 1;
    const QImage jpeg = QImage(resources + (ratio == 1 ? "board.jpg" : "board@2x.jpg"))
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(jpeg.size(), QSize(651, 401) * ratio);
    EXPECT_EQ(jpeg.pixelColor(640 * ratio, 390 * ratio), QColor(0xA7, 0xCA, 0xF0)); // the ground
    // Every pixel of the client area that no control covers is the file's: as first painted,
    // and again after a start and a move have repainted parts of the window. Read from what the
    // window system shows, where a repaint of a small area lands.
    QWidget* client = window->centralWidget();
    QRegion bare(QRect(QPoint(0, 0), client->size() * ratio));
    for (const QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible()) {
            bare -= QRect(control->geometry().topLeft() * ratio, control->size() * ratio);
        }
    }
    const auto offPicture = [&] {
        QCoreApplication::processEvents();
        const QPoint origin = client->mapTo(window.get(), QPoint(0, 0)) * ratio;
        const QImage shown = window->screen()
                                 ->grabWindow(window->winId())
                                 .toImage()
                                 .convertToFormat(jpeg.format())
                                 .copy(QRect(origin, client->size() * ratio));
        int count = 0;
        for (const QRect& part : bare) {
            for (int y = part.top(); y <= part.bottom(); ++y) {
                for (int x = part.left(); x <= part.right(); ++x) {
                    count += shown.pixel(x, y) != jpeg.pixel(x, y) ? 1 : 0;
                }
            }
        }
        return count;
    };
    // A window system shows what was painted a moment later: read until it has arrived.
    const auto settled = [&] {
        int count = offPicture();
        for (int tries = 0; count != 0 && tries < 40; ++tries) {
            QTest::qWait(50);
            count = offPicture();
        }
        return count;
    };
    EXPECT_EQ(settled(), 0) << "pixels off the picture at the first paint";
    Timer1->setInterval(1);
    Combo1->setCurrentIndex(0);
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    QTest::keyClick(StatBTN, Qt::Key_1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->game().humanToMove(); }, 5000));
    EXPECT_EQ(settled(), 0) << "pixels off the picture after a move";
    // The icon is compared in the form the program holds it and the window system takes it,
    // premultiplied: the file is brought to that form, not the pixmap back to the file's. Taking
    // a pixel to premultiplied alpha rounds alike on every processor; the way back rounds its
    // ties by whichever code path the processor runs, a unit off at some translucent pixels.
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(side);
        const QImage png = QImage(resources + QStringLiteral("icon-%1.png").arg(side))
                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage drawn = window->windowIcon()
                                 .pixmap(QSize(side, side), 1.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(drawn.size(), png.size());
        int differing = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if (drawn.pixel(x, y) != png.pixel(x, y) && differing++ == 0) {
                    ADD_FAILURE() << "first at " << x << "," << y << ": 0x" << std::hex
                                  << drawn.pixel(x, y) << " drawn, 0x" << png.pixel(x, y)
                                  << " in the file";
                }
            }
        }
        EXPECT_EQ(differing, 0) << "pixels that differ from the file";
    }
}

TEST_F(WindowStartUp, EveryControlStandsAtItsPlaceOnAFixedClientArea) {
    QWidget* client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(649, 400));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(client->geometry().top(), window->menuBar()->geometry().bottom() + 1);

    EXPECT_EQ(StatBTN->geometry(), QRect(216, 160, 89, 49));
    EXPECT_EQ(Combo1->geometry(), QRect(328, 184, 153, 21));
    EXPECT_EQ(ExitBTN->geometry(), QRect(272, 224, 129, 25));
    for (Count slot = 0; slot < kPotsPerSide; ++slot) {
        EXPECT_EQ(pot(Side::Human, slot)->geometry(), QRect(48 + 104 * slot, 304, 33, 25));
        EXPECT_EQ(pot(Side::Cpu, slot)->geometry(), QRect(568 - 104 * slot, 56, 33, 25));
    }
    EXPECT_EQ(pot(Side::Human, 6)->geometry(), QRect(568, 176, 33, 25));
    EXPECT_EQ(pot(Side::Cpu, 6)->geometry(), QRect(56, 176, 33, 25));
    for (QWidget* control : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_EQ(control->parentWidget(), client);
    }

    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE(std::abs(window->geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window->geometry().center().y() - screen.center().y()), 1);
}

TEST_F(WindowStartUp, TabMovesAmongTheThreeMiddleControlsOnly) {
    ASSERT_TRUE(makeActive(window.get()));
    StatBTN->setFocus();
    std::vector<QWidget*> visited;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    const std::vector<QWidget*> expected = {Combo1, ExitBTN, StatBTN};
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowStartUp, TheMenuBarHoldsTwoCommandsThatActAtOnce) {
    const QList<QAction*> actions = window->menuBar()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions.at(0)->objectName(), "Istruzioni");
    EXPECT_EQ(actions.at(0)->text(), "&Istruzioni");
    EXPECT_EQ(actions.at(1)->objectName(), "BugReport");
    EXPECT_EQ(actions.at(1)->text(), "&Bug Report");
    for (QAction* action : actions) {
        EXPECT_EQ(action->menu(), nullptr);
        EXPECT_TRUE(action->shortcut().isEmpty());
        EXPECT_FALSE(action->isCheckable());
    }

    for (const Qt::Key key : {Qt::Key_I, Qt::Key_B}) {
        ASSERT_TRUE(makeActive(window.get()));
        QTest::keyClick(window.get(), key, Qt::AltModifier);
    }
    ASSERT_EQ(catcher.boxes.size(), 2U);
    // The texts themselves are the game's; here, that each command shows its own.
    const Box& help = catcher.boxes.at(0);
    EXPECT_EQ(help.title, "ISTRUZIONI");
    EXPECT_EQ(help.text, qs(texts::kInstructions));
    const Box& bug = catcher.boxes.at(1);
    EXPECT_EQ(bug.title, "BUG REPORT");
    EXPECT_EQ(bug.text, qs(texts::kBugReport));
    for (const Box& box : catcher.boxes) {
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons, 1);
    }
    EXPECT_EQ(shown(), Board{});
    EXPECT_EQ(StatBTN->text(), "Inizia");
}

using WindowStart = WindowTest;

TEST_F(WindowStart, AChosenDifficultyStartsAGameAndARestartBeginsAgain) {
    QTest::keyClicks(Combo1->lineEdit(), QStringLiteral("x")); // the prompt plus a letter
    Combo1->lineEdit()->clear();
    QTest::keyClicks(Combo1->lineEdit(), kDifficultyItems.at(3));
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    EXPECT_TRUE(catcher.boxes.empty());
    EXPECT_EQ(shown(), Board::opening());
    EXPECT_EQ(StatBTN->text(), "Nuova\nPartita");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(StatBTN)->text(QAccessible::Name),
              "Nuova Partita");
    EXPECT_EQ(window->game().level(), 4);
    EXPECT_FALSE(Timer1->isActive());
    EXPECT_EQ(pot(Side::Cpu, 3)->accessibleName(), "Pentola 4 del computer, 4 fagioli");

    Combo1->setCurrentIndex(0); // picked from the list
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    EXPECT_EQ(window->game().level(), 1);
    EXPECT_EQ(shown(), Board::opening());
    EXPECT_EQ(Combo1->count(), 6);

    Board single = Board::opening();
    single.at(Side::Human, 1) = 1;
    window->game().loadPosition(single);
    EXPECT_EQ(pot(Side::Human, 1)->accessibleName(), "La tua pentola 2, 1 fagiolo");
}

TEST_F(WindowStart, ClicksOnTheBoardBeforeAGameOnlyAskForAStart) {
    QTest::mouseClick(pot(Side::Human, 0), Qt::LeftButton);
    QTest::mouseClick(pot(Side::Human, 6), Qt::LeftButton); // the big pot: nothing
    QTest::mouseClick(pot(Side::Cpu, 2), Qt::LeftButton);   // the computer's pots: nothing
    ASSERT_EQ(catcher.boxes.size(), 1U);
    EXPECT_EQ(catcher.boxes.at(0).title, "Pentora");
    EXPECT_EQ(catcher.boxes.at(0).text, "Clicca su 'Inizia' per giocare!");
}

TEST_F(WindowStart, APressReleasedOutsideThePotIsNoClick) {
    QLabel* label = pot(Side::Human, 0);
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-8, -8));
    EXPECT_TRUE(catcher.boxes.empty());
    QTest::mouseClick(label, Qt::LeftButton); // the same pot clicked: the hint
    EXPECT_EQ(catcher.boxes.size(), 1U);
}

TEST_F(WindowStart, TheExitButtonClosesTheWindow) {
    QTest::mouseClick(ExitBTN, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->game().closing());
}

// The window used with the keyboard and the mouse, and read back from what it renders.
class ByHand : public WindowTest {
protected:
    ByHand() { activate(); }
    // The window is the active one again, as after a message box has been closed.
    void activate() { EXPECT_TRUE(makeActive(window.get())); }
    // Clicks into the difficulty box and types over its text.
    void typeIntoBox(const QString& text) {
        activate();
        QTest::mouseClick(Combo1->lineEdit(), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), Combo1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
};

TEST_F(ByHand, TypedTextIsKeptExactlyAndOnlyAnItemToTheLetterStarts) {
    for (const QString& typed : {QStringLiteral("facile!"), QStringLiteral("Troppo"),
                                 QStringLiteral("mediocre!"), QStringLiteral("Facile! ")}) {
        catcher.boxes.clear();
        typeIntoBox(typed);
        QTest::mouseClick(StatBTN, Qt::LeftButton); // the focus leaves the box
        EXPECT_EQ(window->focusWidget(), StatBTN);
        ASSERT_EQ(catcher.boxes.size(), 1U) << typed.toStdString();
        EXPECT_EQ(catcher.boxes.at(0).title, "ATTENZIONE!");
        EXPECT_EQ(Combo1->currentText(), typed);
        EXPECT_FALSE(window->game().gameOn());
        EXPECT_EQ(Combo1->count(), 6); // a typed text never joins the list
    }

    catcher.boxes.clear();
    typeIntoBox(QStringLiteral("mediocre!"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter in the box starts nothing
    EXPECT_EQ(Combo1->currentText(), "mediocre!");
    EXPECT_TRUE(catcher.boxes.empty());
    EXPECT_FALSE(window->game().gameOn());

    typeIntoBox(kDifficultyItems.at(3));
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    EXPECT_TRUE(catcher.boxes.empty());
    EXPECT_EQ(window->game().level(), 4);
}

TEST_F(ByHand, EnterPressesTheFocusedButton) {
    EXPECT_EQ(QApplication::focusWidget(), StatBTN);
    catcher.onBox = [](QMessageBox& box) {
        expectOverTheWindowAndOnTheScreen(box); // a short box, as wide as its title needs
        MessageCatcher::pressOk(box);
    };
    QTest::keyClick(StatBTN, Qt::Key_Return); // no difficulty yet: the warning
    ASSERT_EQ(catcher.boxes.size(), 1U);
    EXPECT_EQ(catcher.boxes.at(0).title, "ATTENZIONE!");

    activate();
    QTest::keyClick(StatBTN, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // the first item
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), StatBTN);
    QTest::keyClick(StatBTN, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window->game().level(), 1);
    EXPECT_EQ(StatBTN->text(), "Nuova\nPartita");

    QTest::keyClick(StatBTN, Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), ExitBTN);
    QTest::keyClick(ExitBTN, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ByHand, TheListShowsTheLongestItemWholeAndAChoiceShowsItsBeginning) {
    const QRect place = Combo1->geometry();
    QTest::mouseClick(Combo1->lineEdit(), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
    QAbstractItemView* list = Combo1->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }));
    EXPECT_GE(list->viewport()->width(), list->sizeHintForColumn(0)); // no item is elided
    EXPECT_GT(list->width(), Combo1->width());
    EXPECT_EQ(Combo1->geometry(), place);

    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([list] { return !list->isVisible(); }));
    EXPECT_EQ(Combo1->currentText(), kDifficultyItems.at(5));
    EXPECT_EQ(Combo1->lineEdit()->cursorPosition(), 0); // the text is shown from its beginning
    EXPECT_EQ(Combo1->geometry(), place);
}

TEST_F(ByHand, HelpAndBugReportShowEveryLineWholeOverTheWindow) {
    int lines = 0;
    catcher.onBox = [&lines](QMessageBox& box) {
        expectOverTheWindowAndOnTheScreen(box);
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text() != box.text()) {
                continue;
            }
            int widest = 0;
            for (const QString& line : box.text().split(QLatin1Char('\n'))) {
                ++lines;
                widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
            }
            const QMargins margins = box.layout()->contentsMargins();
            if (widest + margins.left() + margins.right() >
                box.screen()->availableGeometry().width()) {
                continue; // not even one line fits on the screen: Qt breaks them
            }
            EXPECT_GE(label->width(), widest);
        }
        MessageCatcher::pressOk(box);
    };
    // With the desktop's font, and with a large one.
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSize(16);
    for (const QFont& font : {desktop, large}) {
        QApplication::setFont(font);
        activate();
        QTest::keyClick(window.get(), Qt::Key_I, Qt::AltModifier);
        activate();
        QTest::keyClick(window.get(), Qt::Key_B, Qt::AltModifier);
    }
    QApplication::setFont(desktop);
    EXPECT_EQ(lines, 14);
}

// A screen reader's Press on one of the human's pots, as AT-SPI calls it.
void pressForAScreenReader(QLabel* pot) {
    QAccessible::queryAccessibleInterface(pot)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
}

TEST_F(ByHand, DigitKeysPlayThePotsWhereverTheFocusIsButInTheBoxsText) {
    Timer1->setInterval(1);
    QStringList heard; // what a screen reader is given to say
    QObject::connect(window->findChild<Announcer*>(), &Announcer::said,
                     [&](const QString& message) { heard << message; });
    ASSERT_EQ(QApplication::focusWidget(), StatBTN);
    QTest::keyClick(StatBTN, Qt::Key_0); // the board, read aloud
    ASSERT_EQ(heard.size(), 1);
    EXPECT_TRUE(heard.at(0).endsWith(qs(texts::kNoGame)));
    QTest::keyClick(StatBTN, Qt::Key_1); // no game yet: the hint, as a click gives
    ASSERT_EQ(catcher.boxes.size(), 1U);
    EXPECT_EQ(catcher.boxes.at(0).text, qs(texts::kPressStart));

    typeIntoBox(kDifficultyItems.at(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3); // typed, not played
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::KeypadModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_0); // typed, not read
    EXPECT_EQ(Combo1->currentText(), kDifficultyItems.at(0) + "330");
    EXPECT_EQ(heard.size(), 1);
    for (int typed = 0; typed < 3; ++typed) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    }
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    ASSERT_TRUE(window->game().gameOn());

    // The human's pot lit at each tick, and a key pressed during the move. During the
    // computer's move the pots are switched off: a key or a screen reader presses nothing.
    std::vector<Count> lit;
    bool keyDuringMove = true;
    bool keyDuringComputer = true;
    QObject::connect(Timer1, &QTimer::timeout, [&] {
        lit.push_back(litSlot(Side::Human));
        if (std::exchange(keyDuringMove, false)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_1); // not your turn
        }
        if (window->windowTitle() == qs(texts::kMoving) &&
            std::exchange(keyDuringComputer, false)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
            pressForAScreenReader(pot(Side::Human, 1));
        }
    });
    activate();
    QTest::keyClick(StatBTN, Qt::Key_3); // pot 3: four beans, the last in the big pot
    Board expected = Board::opening();
    playMove(expected, Side::Human, 2);
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(lit, (std::vector<Count>{3, 4, 5, 6}));
    ASSERT_EQ(catcher.boxes.size(), 2U);
    EXPECT_EQ(catcher.boxes.at(1).text, qs(texts::kNotYourTurn));
    EXPECT_TRUE(window->game().humanToMove());

    activate();
    QTest::keyClick(StatBTN, Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), ExitBTN);
    lit.clear();
    QTest::keyClick(ExitBTN, Qt::Key_3, Qt::KeypadModifier); // the emptied pot: nothing
    // A held key's repeats play and read nothing: every digit, on the main keyboard and the
    // keypad (the board read again would be a fifth message below).
    for (const Qt::KeyboardModifier pad : {Qt::NoModifier, Qt::KeypadModifier}) {
        for (int digit = 0; digit <= kPotsPerSide; ++digit) {
            qt_handleKeyEvent(window->windowHandle(), QEvent::KeyPress, Qt::Key_0 + digit, pad,
                              QString::number(digit), true);
        }
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(lit.empty());
    EXPECT_EQ(shown(), expected);
    QTest::keyClick(ExitBTN, Qt::Key_0, Qt::KeypadModifier);
    ASSERT_EQ(heard.size(), 4); // the start, the extra move, then the board
    EXPECT_TRUE(heard.at(2).endsWith(qs(texts::kYourTurnAgain)));
    EXPECT_TRUE(heard.at(3).endsWith(qs(texts::kYourTurn)));
    QTest::keyClick(ExitBTN, Qt::Key_6, Qt::KeypadModifier); // pot 6, then the computer
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.front(), kBigPot);
    EXPECT_FALSE(keyDuringComputer);
    EXPECT_EQ(catcher.boxes.size(), 2U);
    EXPECT_TRUE(window->game().humanToMove());
    EXPECT_EQ(shown().total(), kTotalBeans);
    EXPECT_EQ(QApplication::focusWidget(), ExitBTN); // the pots never took the focus

    // A screen reader's Press returns at once; the move follows in the event loop.
    const Board before = shown();
    Count playable = 0;
    while (before.at(Side::Human, playable) == 0) {
        ++playable;
    }
    lit.clear();
    pressForAScreenReader(pot(Side::Human, playable));
    EXPECT_TRUE(lit.empty());
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !lit.empty(); }, 5000));
}

// What a window asks of its frame in _MOTIF_WM_HINTS, field by field: the functions the window
// manager may offer (close, minimize, maximize, resize: what GNOME's, KDE's and Windows' title
// bars go by) and the buttons it draws. A field not given, or given as "all", offers everything.
struct FrameHints {
    static constexpr unsigned kAll = 0x1;
    // Functions.
    static constexpr unsigned kResize = 0x2;
    static constexpr unsigned kMinimizeFunction = 0x8;
    static constexpr unsigned kMaximizeFunction = 0x10;
    static constexpr unsigned kClose = 0x20;
    // Decorations.
    static constexpr unsigned kMinimizeButton = 0x20;
    static constexpr unsigned kMaximizeButton = 0x40;

    unsigned functions = kAll;
    unsigned decorations = kAll;
    bool offers(unsigned function) const { return (functions & (kAll | function)) != 0; }
    bool draws(unsigned button) const { return (decorations & (kAll | button)) != 0; }
};

FrameHints frameHints(const QWidget& window) {
    const QStringList fields =
        windowProperty(window, QStringLiteral("_MOTIF_WM_HINTS")).split(QLatin1Char(','));
    FrameHints hints;
    if (fields.size() < 3) {
        return hints;
    }
    const unsigned given = fields.at(0).trimmed().toUInt(nullptr, 16);
    if ((given & 0x1U) != 0) {
        hints.functions = fields.at(1).trimmed().toUInt(nullptr, 16);
    }
    if ((given & 0x2U) != 0) {
        hints.decorations = fields.at(2).trimmed().toUInt(nullptr, 16);
    }
    return hints;
}

// What the window manager then offers for a window, as it tells pagers and docks
// (_NET_WM_ALLOWED_ACTIONS), once it has framed it: read until it is there, or until a deadline
// that only a machine busy with other work comes near.
QStringList allowedActions(const QWidget& window) {
    constexpr int kDeadlineMs = 20000;
    QStringList actions;
    (void)QTest::qWaitFor(
        [&] {
            actions = windowProperty(window, QStringLiteral("_NET_WM_ALLOWED_ACTIONS"))
                          .split(QLatin1Char(','), Qt::SkipEmptyParts);
            return !actions.isEmpty();
        },
        kDeadlineMs);
    for (QString& action : actions) {
        action = action.trimmed().remove(QStringLiteral("_NET_WM_ACTION_"));
    }
    return actions;
}

TEST_F(ByHand, TheFramesOfferOnlyWhatTheWindowsCanDo) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "frames are asked for on X";
    }
    const bool managed =
        !QProcess::execute(QStringLiteral("sh"),
                           {QStringLiteral("-c"),
                            QStringLiteral("xprop -root _NET_SUPPORTING_WM_CHECK | grep -q id")});
    // The main window: close and minimize; no maximize, and a fixed size, so no resizing.
    const FrameHints main = frameHints(*window);
    EXPECT_TRUE(main.offers(FrameHints::kClose)) << "functions 0x" << std::hex << main.functions;
    EXPECT_TRUE(main.offers(FrameHints::kMinimizeFunction))
        << "functions 0x" << std::hex << main.functions;
    EXPECT_FALSE(main.offers(FrameHints::kMaximizeFunction))
        << "functions 0x" << std::hex << main.functions;
    EXPECT_TRUE(main.draws(FrameHints::kMinimizeButton))
        << "decorations 0x" << std::hex << main.decorations;
    EXPECT_FALSE(main.draws(FrameHints::kMaximizeButton))
        << "decorations 0x" << std::hex << main.decorations;
    const QString sizes = xprop(*window, QStringLiteral("WM_NORMAL_HINTS"));
    const auto sizeAfter = [&sizes](const QString& what) {
        const qsizetype at = sizes.indexOf(what);
        return at < 0 ? QString() : sizes.mid(at + what.size()).section(QLatin1Char('\n'), 0, 0);
    };
    const QString least = sizeAfter(QStringLiteral("minimum size: "));
    EXPECT_TRUE(!least.isEmpty() && least == sizeAfter(QStringLiteral("maximum size: ")))
        << sizes.toStdString();
    if (managed) {
        const QStringList actions = allowedActions(*window);
        const std::string said = actions.join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(actions.contains(QStringLiteral("CLOSE"))) << said;
        EXPECT_TRUE(actions.contains(QStringLiteral("MINIMIZE"))) << said;
        for (const QString& never : {QStringLiteral("MAXIMIZE_HORZ"),
                                     QStringLiteral("MAXIMIZE_VERT"), QStringLiteral("RESIZE")}) {
            EXPECT_FALSE(actions.contains(never)) << said;
        }
    } else {
        std::printf("no window manager on this display: its offers go unread\n");
    }

    // A dock matches the window to its desktop entry by the class of WM_CLASS.
    QFile entry(QStringLiteral(PENTORA_SOURCE_DIR "/packaging/%1.desktop")
                    .arg(QGuiApplication::desktopFileName()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString wmClass = windowProperty(*window, QStringLiteral("WM_CLASS"))
                                .section(QLatin1Char(','), 1)
                                .trimmed()
                                .remove(QLatin1Char('"'));
    EXPECT_TRUE(QString::fromUtf8(entry.readAll())
                    .split(QLatin1Char('\n'))
                    .contains(QStringLiteral("StartupWMClass=") + wmClass))
        << wmClass.toStdString();

    // Each box: only its close button, nothing to minimize or maximize.
    for (const Qt::Key key : {Qt::Key_I, Qt::Key_B}) {
        SCOPED_TRACE(key == Qt::Key_I ? "help" : "bug report");
        FrameHints box;
        QStringList actions;
        bool seen = false;
        catcher.onBox = [&](QMessageBox& shown) {
            box = frameHints(shown);
            if (managed) {
                actions = allowedActions(shown);
            }
            seen = true;
            MessageCatcher::pressOk(shown);
        };
        ASSERT_TRUE(makeActive(window.get())); // the box just closed gives the focus back
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        ASSERT_TRUE(seen);
        EXPECT_TRUE(box.offers(FrameHints::kClose)) << "functions 0x" << std::hex << box.functions;
        EXPECT_FALSE(box.offers(FrameHints::kMinimizeFunction))
            << "functions 0x" << std::hex << box.functions;
        EXPECT_FALSE(box.offers(FrameHints::kMaximizeFunction))
            << "functions 0x" << std::hex << box.functions;
        EXPECT_FALSE(box.draws(FrameHints::kMinimizeButton | FrameHints::kMaximizeButton))
            << "decorations 0x" << std::hex << box.decorations;
        if (managed) {
            const std::string said = actions.join(QStringLiteral(", ")).toStdString();
            EXPECT_TRUE(actions.contains(QStringLiteral("CLOSE"))) << said;
            EXPECT_FALSE(actions.contains(QStringLiteral("MAXIMIZE_HORZ"))) << said;
        }
    }
}

TEST_F(ByHand, TheTextBoxsOwnMenuSpeaksItalian) {
    QLineEdit* text = Combo1->lineEdit();
    const QPoint at = text->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, text->mapToGlobal(at));
    QApplication::sendEvent(text, &rightClick);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList words;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            words << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        }
    }
    menu->close();
    EXPECT_TRUE(words.contains(QStringLiteral("Incolla"))) << words.join(", ").toStdString();
    EXPECT_FALSE(words.contains(QStringLiteral("Paste")));
}

// WCAG's contrast ratio of two colours, from their relative luminance.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The count's contrast against the label's fill, as rendered: the fill read at a corner, the
// text's colour as the pixel that stands out most from it.
double renderedContrast(QWidget* label) {
    const QImage image = label->grab().toImage();
    const QColor fill = image.pixelColor(1, 1);
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            best = std::max(best, contrast(fill, image.pixelColor(x, y)));
        }
    }
    return best;
}

TEST_F(ByHand, CountsStandOutFromTheirFillUnderALightAndADarkPalette) {
    QPalette dark;
    for (const auto& [role, colour] : {std::pair{QPalette::Window, QColor(0x2A, 0x2E, 0x32)},
                                       std::pair{QPalette::WindowText, QColor(0xDE, 0xDE, 0xDE)},
                                       std::pair{QPalette::Base, QColor(0x1B, 0x1E, 0x20)},
                                       std::pair{QPalette::Text, QColor(0xDE, 0xDE, 0xDE)},
                                       std::pair{QPalette::Button, QColor(0x31, 0x36, 0x3B)},
                                       std::pair{QPalette::ButtonText, QColor(0xDE, 0xDE, 0xDE)}}) {
        dark.setColor(role, colour);
    }
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x6E, 0x6E, 0x6E));
    const QPalette light = QApplication::palette();

    for (const QPalette& palette : {light, dark}) {
        // The desktop's palette is there before the window, as when the game starts on it.
        QApplication::setPalette(palette);
        const bool isDark = palette.color(QPalette::Window).lightness() < 128;
        SCOPED_TRACE(isDark ? "dark palette" : "light palette");
        Form1 board(random);
        board.show();
        board.showCount(Side::Human, 0, 4);
        board.showCount(Side::Human, 2, 4);
        board.showHighlight(Side::Human, 2);
        for (const bool switchedOff : {false, true}) {
            board.setHumanPotsEnabled(!switchedOff); // as during the computer's move
            SCOPED_TRACE(switchedOff ? "switched off" : "switched on");
            const double onWhite = renderedContrast(board.pot(Side::Human, 0));
            const double onMagenta = renderedContrast(board.pot(Side::Human, 2));
            std::printf("%s palette, %s: white %.2f:1, lit %.2f:1\n", isDark ? "dark" : "light",
                        switchedOff ? "switched off" : "switched on", onWhite, onMagenta);
            EXPECT_GE(onWhite, 4.5);
            EXPECT_GE(onMagenta, 3.0);
        }
    }
    QApplication::setPalette(light);
}

} // namespace
} // namespace pentora::testing

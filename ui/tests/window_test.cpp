// The window as it opens and as the player finds it: places, texts, keys, messages, exit.
#include "window_harness.h"

#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

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

    for (const Side side : {Side::Human, Side::Cpu}) {
        for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
            QLabel* label = pot(side, slot);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), "0");
            EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white));
            EXPECT_TRUE(label->autoFillBackground());
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
            EXPECT_FALSE(label->accessibleName().isEmpty());
        }
    }
    EXPECT_EQ(pot(Side::Human, 6)->accessibleName(), "La tua pentola grande");
    EXPECT_EQ(pot(Side::Cpu, 0)->accessibleName(), "Pentola 1 del computer");
    EXPECT_EQ(pot(Side::Human, 2)->accessibleDescription(), "0 fagioli");

    const QImage picture(QStringLiteral(":/pentora/board.jpg"));
    EXPECT_EQ(picture.size(), QSize(651, 401));
    EXPECT_EQ(picture.pixelColor(640, 390), QColor(0xA7, 0xCA, 0xF0)); // the ground
    EXPECT_EQ(QImage(QStringLiteral(":/pentora/board@2x.jpg")).size(), QSize(1302, 802));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(32, 32)));

    ASSERT_NE(Timer1, nullptr);
    EXPECT_EQ(Timer1->parent(), window.get());
    EXPECT_FALSE(Timer1->isActive());
    EXPECT_EQ(Timer1->interval(), 500);
    EXPECT_EQ(window->focusWidget(), StatBTN);
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
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
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
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), key, Qt::AltModifier);
    }
    ASSERT_EQ(catcher.boxes.size(), 2U);
    const Box& help = catcher.boxes.at(0);
    EXPECT_EQ(help.title, "ISTRUZIONI");
    EXPECT_EQ(help.text,
              "Gioca contro il computer e lancia i 'fagioli' nelle pentole\n"
              "clicca con il mouse sul 'numero di fagioli' nella pentola e questi verranno\n"
              "messi nelle pentole successive; Se l'ultimo fagiolo va nella tua pentola grande "
              "potrai\n"
              "fare un altro tiro, se va in una tua pentola vuota vinci anche i 'fagioli' nella "
              "pentola\n"
              "corrispondente del computer...");
    const Box& bug = catcher.boxes.at(1);
    EXPECT_EQ(bug.title, "BUG REPORT");
    EXPECT_EQ(bug.text, "Se volete segnalare dei 'bug' nel programma inviatemi una e-mail \n"
                        "all'indirizzo bugs@pentora.example.org con una descrizione "
                        "dettagliata del problema");
    for (const Box& box : catcher.boxes) {
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons, 1);
    }
    EXPECT_EQ(shown(), Board{});
    EXPECT_EQ(StatBTN->text(), "Inizia");
}

using WindowStart = WindowTest;

TEST_F(WindowStart, ATypedNearMissIsRefusedAndChangesNothing) {
    for (const QString& typed : {QStringLiteral("facile!"), QStringLiteral("Facile! "),
                                 QStringLiteral(""), kPrompt, QStringLiteral("3")}) {
        Combo1->lineEdit()->clear();
        QTest::keyClicks(Combo1->lineEdit(), typed);
        QTest::mouseClick(StatBTN, Qt::LeftButton);
        ASSERT_FALSE(catcher.boxes.empty());
        EXPECT_EQ(catcher.boxes.back().title, "ATTENZIONE!");
        EXPECT_EQ(catcher.boxes.back().text, kPrompt);
        EXPECT_EQ(StatBTN->text(), "Inizia");
        EXPECT_EQ(shown(), Board{});
        EXPECT_EQ(Combo1->count(), 6); // a typed text never joins the list
    }
    EXPECT_EQ(catcher.boxes.size(), 5U);
}

TEST_F(WindowStart, AChosenDifficultyStartsAGameAndARestartBeginsAgain) {
    QTest::keyClicks(Combo1->lineEdit(), QStringLiteral("x")); // the prompt plus a letter
    Combo1->lineEdit()->clear();
    QTest::keyClicks(Combo1->lineEdit(), kDifficultyItems.at(3));
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    EXPECT_TRUE(catcher.boxes.empty());
    EXPECT_EQ(shown(), Board::opening());
    EXPECT_EQ(StatBTN->text(), "Nuova\nPartita");
    EXPECT_EQ(window->game().level(), 4);
    EXPECT_FALSE(Timer1->isActive());
    EXPECT_EQ(pot(Side::Cpu, 3)->accessibleDescription(), "4 fagioli");

    Combo1->setCurrentIndex(0); // picked from the list
    QTest::mouseClick(StatBTN, Qt::LeftButton);
    EXPECT_EQ(window->game().level(), 1);
    EXPECT_EQ(shown(), Board::opening());
    EXPECT_EQ(Combo1->count(), 6);

    Board single = Board::opening();
    single.at(Side::Human, 1) = 1;
    window->game().loadPosition(single);
    EXPECT_EQ(pot(Side::Human, 1)->accessibleDescription(), "1 fagiolo");
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

} // namespace
} // namespace pentora::testing

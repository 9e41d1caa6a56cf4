// Takes the README's screenshot: a game in play, caught while the computer sows its beans.
//
//     pentora_screenshot OUTPUT.png
#include "application.h"
#include "form1.h"
#include "random_source.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

// Fixed draws, so that the picture is the same at every run.
class FixedRandom final : public pentora::RandomSource {
public:
    void reseed() override { value_ = 0.0F; }
    float next() override {
        value_ += 0.13F;
        if (value_ >= 1.0F) {
            value_ -= 1.0F;
        }
        return value_;
    }

private:
    float value_ = 0.0F;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pentora::setUpApplication(app);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    FixedRandom random;
    pentora::Form1 window(random);
    window.show();
    const pentora::Form1::Controls controls = window.controls();
    QTimer* timer = controls.Timer1;
    timer->setInterval(60);

    bool saved = false;
    int computerSteps = 0;
    QObject::connect(timer, &QTimer::timeout, &window, [&] {
        if (saved || window.windowTitle() != QStringLiteral("Il computer sta muovendo...")) {
            return;
        }
        if (++computerSteps == 3) { // the chosen pot and two beans shown
            saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
        }
    });
    QTimer::singleShot(300, &window, [&] {
        controls.Combo1->setCurrentIndex(3);
        QTest::mouseClick(controls.StatBTN, Qt::LeftButton);
        for (const pentora::Count slot :
             {pentora::Count{2}, pentora::Count{5}, pentora::Count{1}, pentora::Count{4}}) {
            if (saved) {
                break;
            }
            QTest::mouseClick(window.pot(pentora::Side::Human, slot), Qt::LeftButton);
        }
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}

// The game started as the player starts it, ended at its first paint (see first_paint.h).
#include "application.h"
#include "first_paint.h"
#include "form1.h"
#include "random_source.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pentora::setUpApplication(app);
    pentora::bench::FirstPaint probe;
    pentora::ClockSeededRandom random;
    pentora::Form1 window(random);
    window.show();
    return QApplication::exec();
}

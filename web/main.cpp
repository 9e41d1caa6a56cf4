// Pentora on a web page: the game's window is the page.
#include "page_view.h"
#include "random_source.h"

int main() {
    pentora::ClockSeededRandom random;
    pentora::PageView view(random);
    view.run();
    return 0;
}

#include "page_view.h"

#include "layout.h"
#include "texts.h"

#include <cstdlib>
#include <emscripten.h>

namespace pentora {

namespace {

// The page's actuator (the only code that touches the document) and its event queue, reached
// through the module. Texts go as UTF-8 strings, counts and slots as numbers.

EM_JS(void, pagePlace, (const char* id, int left, int top, int width, int height),
      { Module.actuator.place(UTF8ToString(id), left, top, width, height); });

EM_JS(void, pageSetText, (const char* id, const char* text),
      { Module.actuator.setText(UTF8ToString(id), UTF8ToString(text)); });

EM_JS(void, pageReady, (int width, int height), { Module.actuator.ready(width, height); });

EM_JS(void, pageShowCount, (int side, int slot, int value, const char* reading),
      { Module.actuator.showCount(side, slot, value, UTF8ToString(reading)); });

EM_JS(void, pageShowHighlight, (int side, int lit), { Module.actuator.showHighlight(side, lit); });

EM_JS(void, pageSetPotsEnabled, (int enabled), { Module.actuator.setPotsEnabled(!!enabled); });

EM_JS(void, pageSetTitle, (const char* title), { Module.actuator.setTitle(UTF8ToString(title)); });

EM_JS(char*, pageDifficultyText, (), { return stringToNewUTF8(Module.actuator.difficultyText()); });

EM_JS(void, pageSetDifficultyText, (const char* text),
      { Module.actuator.setDifficultyText(UTF8ToString(text)); });

EM_JS(void, pageAddDifficultyItem, (int index, const char* text),
      { Module.actuator.addDifficultyItem(index, UTF8ToString(text)); });

EM_JS(void, pageAnnounce, (const char* message),
      { Module.actuator.announce(UTF8ToString(message)); });

EM_JS(void, pageOpenBox, (const char* title, const char* text),
      { Module.actuator.openBox(UTF8ToString(title), UTF8ToString(text)); });

EM_JS(void, pageUnload, (), { Module.actuator.unload(); });

EM_JS(void, pageStartTimer, (int start, int interval),
      { Module.queue.startTimer(start, interval); });

EM_JS(void, pageStopTimer, (), { Module.queue.stopTimer(); });

// Suspends the game until the page has an event, and returns it.
EM_ASYNC_JS(int, pageNextEvent, (), { return await Module.queue.next(); });

void place(const char* id, layout::Rect r) {
    pagePlace(id, r.left, r.top, r.width, r.height);
}

std::string owned(std::string_view view) {
    return std::string(view);
}

} // namespace

PageView::PageView(RandomSource& random) : game_(*this, *this, random) {
    place("start", layout::kStartButton);
    place("difficulty", layout::kDifficultyBox);
    place("exit", layout::kExitButton);
    for (const Side side : {Side::Human, Side::Cpu}) {
        for (Count slot = 0; slot < kSlotsPerSide; ++slot) {
            const std::string id = (side == Side::Human ? "human-" : "cpu-") + std::to_string(slot);
            place(id.c_str(), layout::potRect(side, slot));
            // Before the first game every pot shows 0.
            showCount(side, slot, 0);
        }
    }
    pageSetText("start", owned(texts::kDesignCaption).c_str());
    pageSetText("exit", owned(texts::kExit).c_str());
    pageSetText("difficulty", owned(texts::kDifficultyName).c_str());
    pageSetText("instructions", owned(texts::kInstructionsMenu).c_str());
    pageSetText("bug-report", owned(texts::kBugReportMenu).c_str());
    setTitle(texts::kAppTitle);
}

void PageView::run() {
    game_.Form_Load();
    pageReady(layout::kClientWidth, layout::kClientHeight);
    while (!unloaded_) {
        waitForEvents();
    }
}

void PageView::handle(std::int32_t event) {
    const auto kind = static_cast<PageEvent>(event & 0xFF);
    const std::int32_t argument = event >> 8;
    switch (kind) {
    case PageEvent::BoxClosed:
        boxOpen_ = false;
        return;
    case PageEvent::Tick:
        if (timerRunning_ && argument == timerStart_) {
            game_.Timer1_Timer();
        }
        return;
    default:
        break;
    }
    // A message box is modal: the window takes no input until it is closed.
    if (boxOpen_ || unloaded_) {
        return;
    }
    const auto slot = static_cast<Count>(argument);
    // A switched-off pot reports nothing; the big pot is never switched off.
    const bool potLive = slot == kBigPot || humanPotsEnabled_;
    switch (kind) {
    case PageEvent::Start:
        game_.StatBTN_Click();
        break;
    case PageEvent::Exit:
        game_.ExitBTN_Click();
        break;
    case PageEvent::PotClick:
        if (potLive) {
            game_.Human_Click(slot);
        }
        break;
    case PageEvent::PotHover:
        if (potLive) {
            game_.Human_MouseMove(slot);
        }
        break;
    case PageEvent::Instructions:
        game_.Istruzioni_Click();
        break;
    case PageEvent::BugReport:
        game_.BugReport_Click();
        break;
    case PageEvent::BoardKey:
        game_.BoardKey_Press();
        break;
    default:
        break; // nothing else is queued
    }
}

void PageView::showCount(Side side, Count slot, Count value) {
    pageShowCount(static_cast<int>(side), slot, value,
                  texts::potReading(side, slot, value).c_str());
}

void PageView::showHighlight(Side side, Count lit) {
    pageShowHighlight(static_cast<int>(side), lit);
}

void PageView::setHumanPotsEnabled(bool enabled) {
    humanPotsEnabled_ = enabled;
    pageSetPotsEnabled(enabled ? 1 : 0);
}

void PageView::setTitle(std::string_view title) {
    pageSetTitle(owned(title).c_str());
}

void PageView::setStartCaption(std::string_view caption) {
    pageSetText("start", owned(caption).c_str());
}

std::string PageView::difficultyText() const {
    char* typed = pageDifficultyText();
    std::string result(typed);
    std::free(typed);
    return result;
}

void PageView::setDifficultyText(std::string_view text) {
    pageSetDifficultyText(std::string(text).c_str());
}

void PageView::addDifficultyItem(int index, std::string_view text) {
    pageAddDifficultyItem(index, std::string(text).c_str());
}

void PageView::announce(std::string_view message) {
    pageAnnounce(owned(message).c_str());
}

void PageView::showMessage(std::string_view text, std::string_view title) {
    boxOpen_ = true;
    pageOpenBox(std::string(title).c_str(), std::string(text).c_str());
    // The box holds whatever called it, a move too, until the player closes it; the step timer
    // still ticks meanwhile.
    while (boxOpen_) {
        waitForEvents();
    }
}

void PageView::unloadWindow() {
    game_.Form_Unload();
    unloaded_ = true;
    pageUnload();
}

void PageView::setTimerRunning(bool running) {
    timerRunning_ = running;
    if (running) {
        ++timerStart_;
        pageStartTimer(timerStart_, kStepMs);
    } else {
        pageStopTimer();
    }
}

bool PageView::timerRunning() const {
    return timerRunning_;
}

void PageView::waitForEvents() {
    handle(pageNextEvent());
}

} // namespace pentora

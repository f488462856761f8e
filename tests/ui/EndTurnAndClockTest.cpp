// The battle HUD's end-turn button and clock, in the shipped battle: the pointer's look and the
// board's trace flags while the pointer rests on the button, a click reaching the control
// source, and the clock following the sky's time of day once a second of the host clock.
#include "support/RootFixture.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/EndTurnButton.h"
#include "ui/KELFactory.h"
#include "ui/Time.h"

#include "host/environment/Environment.h"
#include "host/logic/Game.h"
#include "host/logic/RecordingControlSource.h"

#include <algorithm>
#include <tuple>

namespace {

using kel::ui::BoardTraceSwitch;

class EndTurnAndClock : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        beginBattle(game);
        button = kel::ui::theAccessor.getEndTurnButton();
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(kel::ui::theFactory->getComponent("time", &clock, nullptr, true));
        ASSERT_TRUE(button->isShowed() && clock->isShowed() && pointer()->getVisible());
    }
    void TearDown() override {
        if (root) {
            root->command(kel::ui::Command::END_GAME);
            root->resetGameBoard();
        }
        RootFixture::TearDown();
    }
    void onButton() {
        moveTo(button->getAbsoluteX() + button->getWidth() / 2,
               button->getAbsoluteY() + button->getHeight() / 2);
    }
    void offButton() { moveTo(320, 240); }
    long endTurns() {
        const auto calls = game.getControlSource().getCalls();
        return std::count(calls.begin(), calls.end(), "endTurn()");
    }

    kel::logic::Game game; // outlives the root
    kel::ui::EndTurnButton* button = nullptr;
    kel::ui::Time* clock = nullptr;
};

// Rows: a step, then the pointer's look (0 interface, 1 board), the two flags the button keeps
// in the trace switch, and whether the board traces under the pointer.
TEST_F(EndTurnAndClock, ThePointerTakesTheInterfaceLookOnlyOverTheShownButton) {
    const std::tuple<std::string, int, bool, bool, bool> kRows[] = {
        {"onto the button", 0, true, true, false},
        {"off the button", 1, true, false, true},
        {"onto the button", 0, true, true, false},
        {"asked to hide, on the button", 0, true, true, false},
        {"the HUD goes, on the button", 1, false, false, true},
        {"the HUD comes back, on the button", 0, true, true, false},
        {"the pointer hides", 0, true, true, false},
    };
    ASSERT_EQ(pointer()->getMode(), 1);
    for (const auto& [step, mode, shown, flyby, tracing] : kRows) {
        if (step == "onto the button")
            onButton();
        else if (step == "off the button")
            offButton();
        else if (step == "asked to hide, on the button")
            button->setVisible(false);
        else if (step == "the HUD goes, on the button")
            root->getDescendant("subgameui")->setVisible(false);
        else if (step == "the HUD comes back, on the button")
            root->getDescendant("subgameui")->setVisible(true);
        else if (step == "the pointer hides")
            pointer()->setVisible(false);
        EXPECT_EQ(std::make_tuple(pointer()->getMode(), BoardTraceSwitch::getEndTurnShown(),
                                  BoardTraceSwitch::getEndTurnFlyby(),
                                  BoardTraceSwitch::isTracing()),
                  std::make_tuple(mode, shown, flyby, tracing))
            << step;
    }
    EXPECT_TRUE(button->getVisible() && button->isShowed()) << "setVisible(false) keeps it";
}

// Rows: whether the button was asked to hide first, and how many endTurn() calls one click on
// it makes (none on the press alone).
TEST_F(EndTurnAndClock, AClickEndsTheTurnOnceUnlessTheButtonWasAskedToHide) {
    for (const auto& [visible, calls] : {std::pair{true, 1L}, {false, 0L}, {true, 1L}}) {
        button->setVisible(visible);
        onButton();
        const long before = endTurns();
        press("LeftClick");
        EXPECT_EQ(endTurns(), before) << visible;
        release("LeftClick");
        EXPECT_EQ(endTurns() - before, calls) << visible;
    }
    kel::ui::Time* asClock = nullptr;
    EXPECT_FALSE(kel::ui::theFactory->getComponent("endturnbutton", &asClock, nullptr, true));
}

// Rows: the sky's day time, what happens to the game UI, the seconds of host clock that pass,
// and the clock's text then: hours wrap at 24, a reading comes once a second while shown, none
// while hidden, and the first comes one second after showing again.
TEST_F(EndTurnAndClock, TheClockShowsTheSkysTimeOnceASecondWhileShown) {
    const std::tuple<int, std::string, double, const char*> kRows[] = {
        {0, "", 0.99, ""},
        {0, "", 0.01, "00:00"},
        {1439, "", 0.99, "00:00"},
        {1439, "", 0.01, "23:59"},
        {1500, "", 1.0, "01:00"},
        {1260, "hide", 3.0, "01:00"},
        {1260, "show", 0.99, "01:00"},
        {1260, "", 0.01, "21:00"},
        {600, "term", 2.0, "21:00"}, // terminated, the clock stands still
    };
    for (const auto& [minutes, what, seconds, text] : kRows) {
        kel::ui::theAccessor.getSky()->getEnvironment()->setDayTime(DayTime(minutes));
        if (what == "term")
            clock->term();
        else if (!what.empty())
            root->getComponent("gameui")->setVisible(what == "show");
        frame(seconds);
        EXPECT_EQ(clock->getText(), text) << minutes << " " << what;
    }
}

} // namespace

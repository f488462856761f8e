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

namespace {

using kel::ui::BoardTraceSwitch;

class EndTurnAndClock : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
        root->command(kel::ui::Command::BEGIN_LOADING);
        root->setGameBoard(&game.getBoard());
        root->command(kel::ui::Command::BEGIN_GAME);
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
    const struct {
        const char* step;
        int mode;
        bool shown, flyby, tracing;
    } kRows[] = {
        {"onto the button", 0, true, true, false},
        {"off the button", 1, true, false, true},
        {"onto the button", 0, true, true, false},
        {"asked to hide, on the button", 0, true, true, false},
        {"the HUD goes, on the button", 1, false, false, true},
        {"the HUD comes back, on the button", 0, true, true, false},
        {"the pointer hides", 0, true, true, false},
    };
    ASSERT_EQ(pointer()->getMode(), 1);
    for (const auto& row : kRows) {
        const std::string step = row.step;
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
        EXPECT_EQ(pointer()->getMode(), row.mode) << step;
        EXPECT_EQ(BoardTraceSwitch::getEndTurnShown(), row.shown) << step;
        EXPECT_EQ(BoardTraceSwitch::getEndTurnFlyby(), row.flyby) << step;
        EXPECT_EQ(BoardTraceSwitch::isTracing(), row.tracing) << step;
    }
    EXPECT_TRUE(button->getVisible() && button->isShowed()) << "setVisible(false) keeps it";
}

// Rows: whether the button was asked to hide first, and how many endTurn() calls one click on
// it makes (none on the press alone).
TEST_F(EndTurnAndClock, AClickEndsTheTurnOnceUnlessTheButtonWasAskedToHide) {
    const struct {
        bool visible;
        long endTurns;
    } kRows[] = {{true, 1}, {false, 0}, {true, 1}};
    for (const auto& row : kRows) {
        button->setVisible(row.visible);
        onButton();
        const long before = endTurns();
        press("LeftClick");
        EXPECT_EQ(endTurns(), before) << row.visible;
        release("LeftClick");
        EXPECT_EQ(endTurns() - before, row.endTurns) << row.visible;
    }
    kel::ui::Time* asClock = nullptr;
    EXPECT_FALSE(kel::ui::theFactory->getComponent("endturnbutton", &asClock, nullptr, true));
}

// Rows: the sky's day time, what happens to the game UI, the seconds of host clock that pass,
// and the clock's text then: hours wrap at 24, a reading comes once a second while shown, none
// while hidden, and the first comes one second after showing again.
TEST_F(EndTurnAndClock, TheClockShowsTheSkysTimeOnceASecondWhileShown) {
    const struct {
        int minutes;
        const char* gameui;
        double seconds;
        const char* text;
    } kRows[] = {
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
    for (const auto& row : kRows) {
        kel::ui::theAccessor.getSky()->getEnvironment()->setDayTime(DayTime(row.minutes));
        const std::string what = row.gameui;
        if (what == "term")
            clock->term();
        else if (!what.empty())
            root->getComponent("gameui")->setVisible(what == "show");
        frame(row.seconds);
        EXPECT_EQ(clock->getText(), row.text) << row.minutes << " " << row.gameui;
    }
}

} // namespace

#include "support/RootFixture.h"
#include "ui/CenterUnitListener.h"

#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/NotifyEvent.h"

namespace {

using kel::ui::Command;
using kel::ui::State;

class RootUI : public kel::test::RootFixture {};

TEST_F(RootUI, BootsIntoTheMainMenuWithMusicSkyAndTheScreensShown) {
    EXPECT_EQ(root->getState(), State::MAIN_MENU);
    EXPECT_TRUE(shown("mainui"));
    EXPECT_TRUE(shown("commonui"));
    EXPECT_FALSE(shown("gameui"));
    EXPECT_FALSE(shown("pleasewait"));
    EXPECT_TRUE(theSoundManager->isMusicPlaying());
    EXPECT_TRUE(sound::MANAGER->isFading("bgm"));
    EXPECT_EQ(pointer()->getMode(), 0);
    EXPECT_TRUE(theKelInput->getRootBroadcaster()->isAttached(root.get()));
    kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
    ASSERT_NE(sky, nullptr);
    EXPECT_TRUE(sky->getScene().isActive());
    EXPECT_EQ(root->getNetwork(), nullptr);
    EXPECT_EQ(root->getProgressBar(), nullptr);
    EXPECT_EQ(root->getGameBoardProcesser(), nullptr);
}

TEST_F(RootUI, CommandsInTheWrongStateDoNothingButTheSoundModes) {
    const int mainChildren = root->getComponentsCount();
    root->command(Command::LOAD_INTERFACE); // a second time: nothing
    EXPECT_EQ(root->getComponentsCount(), mainChildren);

    theInsonificatorManager->enable(0);
    root->command(Command::RESUME_GAME); // not in the game menu: only the battle sound mode
    EXPECT_EQ(root->getState(), State::MAIN_MENU);
    EXPECT_TRUE(shown("mainui"));
    EXPECT_TRUE(theSoundManager->isLoud());
    root->command(Command::SHOW_GAME_MENU);
    EXPECT_EQ(root->getState(), State::MAIN_MENU);
    EXPECT_FALSE(theSoundManager->isLoud()) << "the in-game menu's quiet mode still runs";
    EXPECT_FALSE(theInsonificatorManager->getIsEnabled(0));
    root->command(Command::BEGIN_GAME);
    root->command(Command::END_GAME);
    EXPECT_EQ(root->getState(), State::MAIN_MENU);
}

TEST_F(RootUI, SetStateFollowsWithThePointerModeOnlyOnChange) {
    const int before = pointer()->getAppearanceCount();
    root->setState(State::MAIN_MENU);
    EXPECT_EQ(pointer()->getAppearanceCount(), before);
    root->setState(State::LOADING);
    EXPECT_EQ(pointer()->getMode(), 1);
    root->setState(State::GAME_MENU);
    EXPECT_EQ(pointer()->getMode(), 0);
}

TEST_F(RootUI, ReassigningTheBoardIsReportedOnceAndKeepsTheSecond) {
    kel::logic::Game game;
    kel::logic::GameBoard second;
    root->setGameBoard(&game.getBoard());
    root->setGameBoard(&second);
    EXPECT_EQ(root->getGameBoard(), &second);
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter, "kel-ui");
    EXPECT_EQ(records[0].file, "ui/KELUI");
    EXPECT_EQ(records[0].line, 471);
    EXPECT_EQ(records[0].text, "reassign GameBoard");
    root->resetGameBoard();
    root->setGameBoard(&second);
    EXPECT_TRUE(log.take().empty());
    root->resetGameBoard();
}

TEST_F(RootUI, ABattleRoundTripShowsTheHudPausesAndResumesTheTimersInOrder) {
    kel::logic::Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    root->command(Command::BEGIN_LOADING);
    EXPECT_EQ(root->getState(), State::LOADING);
    EXPECT_FALSE(shown("sky"));
    root->setGameBoard(&game.getBoard());
    root->command(Command::BEGIN_GAME);
    EXPECT_EQ(root->getState(), State::GAME);
    EXPECT_TRUE(shown("gameui"));
    kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
    EXPECT_EQ(sky->getCustomView(), GAME_BOARD_VIEW);
    EXPECT_TRUE(pointer()->getVisible());
    EXPECT_EQ(pointer()->getMode(), 1);

    // Not paused: resuming leaves the timers running.
    root->command(Command::SHOW_GAME_MENU);
    EXPECT_TRUE(shown("screenshot"));
    EXPECT_FALSE(pointer()->getVisible());
    root->command(Command::RESUME_GAME);
    EXPECT_FALSE(thePausedRenderTimer->isPaused());

    // The screenshot's notification pauses both; resuming resumes the paused one first.
    root->command(Command::SHOW_GAME_MENU);
    frame();
    EXPECT_EQ(events.take(), "gameroundmenu; ");
    EXPECT_TRUE(thePausedRenderTimer->isPaused());
    EXPECT_TRUE(theDelayedRenderTimer->isPaused());
    EXPECT_FALSE(shown("gameui"));
    root->command(Command::RESUME_GAME);
    EXPECT_FALSE(thePausedRenderTimer->isPaused());
    EXPECT_FALSE(theDelayedRenderTimer->isPaused());
    EXPECT_EQ(root->getState(), State::GAME);

    root->command(Command::SHOW_GAME_MENU);
    frame(); // the battle picture is taken: the sky leaves the board for its own scene
    EXPECT_EQ(sky->getCustomView(), nullptr);
    root->command(Command::END_GAME);
    EXPECT_EQ(root->getState(), State::ENDING_GAME);
    EXPECT_TRUE(shown("pleasewait"));
    root->resetGameBoard();
    root->command(Command::SHOW_MAIN_MENU);
    EXPECT_EQ(root->getState(), State::MAIN_MENU);
    EXPECT_FALSE(shown("pleasewait"));
}

TEST_F(RootUI, CentringListenersJoinAndLeaveSafelyDuringAPass) {
    struct Centre : kel::ui::CenterUnitListener {
        explicit Centre(std::string* trace, std::string tag) : trace(trace), tag(std::move(tag)) {}
        void centerUnit(kel::logic::Unit*) override {
            *trace += tag;
            if (onCall)
                onCall();
        }
        std::string* trace;
        std::string tag;
        std::function<void()> onCall;
    };
    std::string trace;
    Centre a(&trace, "a"), b(&trace, "b"), late(&trace, "L");
    root->addCenterUnitListener(&a);
    root->addCenterUnitListener(&b);
    a.onCall = [&] {
        root->removeCenterUnitListener(&b);
        root->addCenterUnitListener(&late);
    };
    root->centerUnit(nullptr);
    EXPECT_EQ(trace, "a");
    a.onCall = nullptr;
    root->centerUnit(nullptr);
    EXPECT_EQ(trace, "aaL");
    root->removeAllCenterUnitListeners();
    root->centerUnit(nullptr);
    EXPECT_EQ(trace, "aaL");

    // Many, with duplicates: removing them all leaves none behind.
    for (int i = 0; i < 13; ++i)
        root->addCenterUnitListener(i % 2 ? &a : &b);
    root->removeAllCenterUnitListeners();
    trace.clear();
    root->centerUnit(nullptr);
    EXPECT_EQ(trace, "");
}

TEST_F(RootUI, DebugKeysWrapTheDayTimeAndToggleTheRenderTimers) {
    Environment* environment = kel::ui::theAccessor.getSky()->getEnvironment();
    environment->setDayTime(DayTime(1400));
    tap("F4"); // +60 minutes
    EXPECT_EQ(environment->getDayTime().minutes, 20);
    environment->setDayTime(DayTime(30));
    tap("F5"); // -60 minutes
    EXPECT_EQ(environment->getDayTime().minutes, 1410);
    tap("F2");
    EXPECT_EQ(environment->getDayTime().minutes, 540);

    tap("F9");
    EXPECT_TRUE(thePausedRenderTimer->isPaused());
    tap("F9");
    EXPECT_FALSE(thePausedRenderTimer->isPaused());
    EXPECT_FALSE(theDelayedRenderTimer->isPaused());

    tap("F7"); // double
    tap("F8"); // halve
    EXPECT_FLOAT_EQ(theDelayedRenderTimer->getTimeScale(), 1.0f);
    tap("F7");
    tap("F7");
    tap("F6"); // back to 1
    EXPECT_FLOAT_EQ(theDelayedRenderTimer->getTimeScale(), 1.0f);
}

} // namespace

namespace {

// A host listener that leaves (and takes another with it) while it hears an event.
TEST_F(RootUI, AListenerMayLeaveWhileItHearsAnEvent) {
    struct Leaving : kel::ui::Listener {
        void uiEvent(const kel::ui::Event&) override {
            ++heard;
            root->removeUIListener(this);
            root->removeUIListener(other);
        }
        kel::ui::KELUI* root = nullptr;
        kel::ui::Listener* other = nullptr;
        int heard = 0;
    };
    kel::test::EventLog after;
    Leaving leaving;
    leaving.root = root.get();
    leaving.other = &after;
    root->addUIListener(&leaving);
    root->addUIListener(&after);
    ::ui::NotifyEvent goal(root.get());
    goal.setSValue("name", "gamegoal");
    goal.setSValue("action", "close");
    root->notify(goal);
    root->notify(goal);
    EXPECT_EQ(leaving.heard, 1);
    EXPECT_EQ(after.take(), "") << "removed before its turn: not called";
    EXPECT_EQ(events.take(), "goal; goal; ");
}

} // namespace

#include "support/RootFixture.h"
#include "ui/CenterUnitListener.h"

#include "host/logic/Game.h"
#include "host/ui/NotifyEvent.h"

#include <functional>

namespace {

class RootUI : public kel::test::RootFixture {};

TEST_F(RootUI, ReassigningTheBoardIsReportedOnceAndKeepsTheSecond) {
    kel::logic::Game game;
    kel::logic::GameBoard second;
    root->setGameBoard(&game.getBoard());
    root->setGameBoard(&second);
    EXPECT_EQ(root->getGameBoard(), &second);
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].filter + " " + records[0].file + ":" + std::to_string(records[0].line) +
                  " " + records[0].text,
              "kel-ui ui/KELUI:471 reassign GameBoard");
    root->resetGameBoard();
    root->setGameBoard(&second);
    EXPECT_TRUE(log.take().empty());
    root->resetGameBoard();
    EXPECT_EQ(root->getGameBoard(), nullptr);
    // What the host may ask for but nothing in the module provides.
    EXPECT_TRUE(!root->getNetwork() && !root->getProgressBar() && !root->getGameBoardProcesser());
}

TEST_F(RootUI, CentringListenersJoinAndLeaveSafelyDuringAPassAndAllLeaveAtOnce) {
    std::string trace;
    struct Centre : kel::ui::CenterUnitListener {
        Centre(std::string* trace, char tag) : trace(trace), tag(tag) {}
        void centerUnit(kel::logic::Unit*) override {
            *trace += tag;
            if (onCall)
                onCall();
        }
        std::string* trace;
        char tag;
        std::function<void()> onCall;
    } a(&trace, 'a'), b(&trace, 'b'), late(&trace, 'L');
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
    // Many, with duplicates: removing them all leaves none behind.
    for (int i = 0; i < 13; ++i)
        root->addCenterUnitListener(i % 2 ? &a : &b);
    root->removeAllCenterUnitListeners();
    root->centerUnit(nullptr);
    EXPECT_EQ(trace, "aaL");
}

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
    } leaving;
    kel::test::EventLog after;
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

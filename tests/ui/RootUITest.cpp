#include "support/RootFixture.h"
#include "ui/CenterUnitListener.h"

#include "host/logic/Game.h"

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
    EXPECT_EQ(records[0].filter, "kel-ui");
    EXPECT_EQ(records[0].file, "ui/KELUI");
    EXPECT_EQ(records[0].line, 471);
    EXPECT_EQ(records[0].text, "reassign GameBoard");
    root->resetGameBoard();
    root->setGameBoard(&second);
    EXPECT_TRUE(log.take().empty());
    root->resetGameBoard();
    EXPECT_EQ(root->getGameBoard(), nullptr);
    // What the host may ask for but nothing in the module provides.
    EXPECT_EQ(root->getNetwork(), nullptr);
    EXPECT_EQ(root->getProgressBar(), nullptr);
    EXPECT_EQ(root->getGameBoardProcesser(), nullptr);
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
}

} // namespace

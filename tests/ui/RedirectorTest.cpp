#include "support/RootFixture.h"

#include "host/logic/Game.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Landscape.h"
#include "host/logic/Unit.h"

namespace {

using kel::ui::CSMessageRedirector;

class Redirector : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx")); }
    std::string calls() {
        std::string all;
        for (const auto& call : game.getControlSource().getCalls())
            all += call + " ";
        game.getControlSource().clearCalls();
        return all;
    }
    kel::test::LogCapture log;
    kel::logic::Game game;
    CSMessageRedirector redirector;
};

TEST_F(Redirector, TargetCommandsTakeWhatIsUnderThePointerByPrecedence) {
    kel::logic::Unit* unit = game.getBoard().getUnits().front();
    kel::logic::Landscape* cell = game.getBoard().getLandscape(unit->getCellX(), unit->getCellY());
    RenderMeshListener* onUnit = redirector.addListener(unit);
    RenderMeshListener* onCell = redirector.addListener(cell);
    EXPECT_EQ(onUnit->getTracePriority(), 1);
    EXPECT_EQ(onCell->getTracePriority(), 0);

    // Nothing under the pointer.
    redirector.redirect(14);
    redirector.redirect(22);
    redirector.redirect(23);
    redirector.redirect(33);
    EXPECT_EQ(calls(), "targetCommand3(none) targetCommand1(none) ");

    onCell->traceIn(nullptr);
    onUnit->traceIn(nullptr);
    const std::string u = "unit:" + unit->getInternalName();
    const std::string c =
        "landscape:" + std::to_string(cell->getX()) + "," + std::to_string(cell->getY());
    EXPECT_EQ(calls(), "setFocusTarget(" + c + ") setFocusTarget(" + u + ") ");
    redirector.redirect(23);
    redirector.redirect(33);
    EXPECT_EQ(calls(),
              "targetCommand2(" + u + ") targetCommand4(" + u + ") targetCommand4(" + c + ") ");
    EXPECT_EQ(redirector.getFocusedObject().describe(), u);

    onUnit->traceOut(onCell); // moved straight onto another mesh: no clearing
    EXPECT_EQ(calls(), "");
    onCell->traceOut(nullptr);
    EXPECT_EQ(calls(), "clearFocusTarget() ");
    redirector.redirect(26);
    redirector.redirect(37);
    redirector.redirect(28);
    EXPECT_EQ(calls(), "endTurn() ");
}

TEST_F(Redirector, RemovingTheOnlyListenerOfAnObjectTakesItOutOfTheList) {
    kel::logic::Unit* unit = game.getBoard().getUnits().front();
    RenderMeshListener* listener = redirector.addListener(unit);
    listener->traceIn(nullptr);
    calls();
    redirector.removeListener(game.getBoard().getUnits().back()); // has none: nothing changes
    EXPECT_TRUE(redirector.getFocusedObject().isValid());
    redirector.removeListener(unit);
    EXPECT_FALSE(redirector.getFocusedObject().isValid());
    delete listener; // the remover destroys it
}

} // namespace

#include "support/RootWorld.h"
#include "ui/CSMessageRedirector.h"

#include "host/engine/Model.h"
#include "host/input/Device.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"

namespace {

// Every order in which a host may take the module and a battle down. After the last step input
// and frames go on, as they would in a host that keeps running: nothing may reach what is gone
// (AddressSanitizer runs this suite too).
class ShutdownOrder : public kel::test::RootWorldFixture {
protected:
    // The main menu, or a battle in which the engine holds a picking listener on a unit's mesh,
    // as a host attaches them.
    void start(bool battle) {
        reach(battle ? "GAME" : "MAIN_MENU");
        if (!battle || HasFatalFailure())
            return;
        kel::logic::Unit* unit = game->getBoard().getUnits().front();
        unitModel = unit->getProtoUnit()->getModel();
        unitModel->setMeshListener(root->getCSMessageRedirector()->addListener(unit));
        frame();
    }

    void run(const std::string& steps) {
        for (char step : steps) {
            if (step == 't') {
                root->term();
            } else if (step == 'x') { // the host takes the root off the input broadcaster
                theKelInput->getRootBroadcaster()->detach(root.get());
            } else if (step == 'd') {
                rootAddress = root.get();
                root->removeUIListener(&events);
                root.reset();
                kel::ui::theKELUI = nullptr;
            } else { // the battle ends
                root ? root->resetGameBoard() : void();
                unitModel = nullptr;
                game.reset();
            }
        }
        tap("Escape");
        theKelInput->feed(counting_ptr<::input::Event>(
            new ::input::events::Motion(::input::devices::PCMouse::instance(), 40, 30)));
        frame();
        frame();
        EXPECT_FALSE(theKelInput->getRootBroadcaster()->isAttached(rootAddress)) << steps;
        if (unitModel) {
            EXPECT_EQ(unitModel->getMeshListener(), nullptr) << "the redirector's went with it";
        }
    }

    Model* unitModel = nullptr;
    const input::Listener* rootAddress = nullptr;
};

// Steps: t term, x detach from the input broadcaster, d delete, b end the battle.
TEST_F(ShutdownOrder, EveryOrderLeavesNothingBehind) {
    for (const auto& [battle, steps] : {std::pair{false, "txd"},
                                        {false, "td"},
                                        {false, "d"},
                                        {false, "ttd"},
                                        {false, "tdx"},
                                        {true, "btxd"},
                                        {true, "bd"},
                                        {true, "tdb"},
                                        {true, "db"},
                                        {true, "tbd"}}) {
        SCOPED_TRACE(steps);
        if (!root) {
            root = std::make_unique<kel::ui::KELUI>();
            kel::ui::theKELUI = root.get();
            root->init();
            root->addUIListener(&events);
        }
        start(battle);
        run(steps);
        if (root) // an order that ends with the root alive: take it down the usual way
            run("d");
        game.reset();
        EXPECT_EQ(GAME_BOARD_VIEW, nullptr);
    }
}

TEST_F(ShutdownOrder, TheSkyLeavesABoardViewThatGoesBeforeIt) {
    start(true);
    kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
    ASSERT_EQ(sky->getCustomView(), GAME_BOARD_VIEW);
    sky->startFading(2); // a fade lies over the board
    root->resetGameBoard();
    unitModel = nullptr;
    game.reset();
    EXPECT_EQ(sky->getCustomView(), nullptr);
    EXPECT_TRUE(sky->getScene().isActive()) << "back in its own scene";
    root->command(kel::ui::Command::END_GAME);
    sky->doFading(0.5f);
    frame();
}

} // namespace

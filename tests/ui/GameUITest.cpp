// The battle's containers: the order in which GameUI hands input on, the translators' resets,
// unit free-look, the board view switch, and the shipped road into a battle, to the in-game
// menu and its goal screen and back.
#include "ui/GameUI.h"
#include "support/ScreenUnderTest.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/GameBoard.h"
#include "ui/Goal.h"
#include "ui/RoundMenu.h"

#include "host/engine/View.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"
#include <tuple>

namespace {

using kel::ui::GameUI;

// Stands above a GameUI and notes, when a notification arrives, what the camera translator
// (its "rotateleft" bound to Escape), the control-source translator and a child had seen.
class Witness : public ::ui::Container {
public:
    explicit Witness(::ui::UI* ui) : Container(ui) { setFullscreen(true); }
    void notify(::ui::NotifyEvent& event) override {
        std::string action;
        event.getProperty("action", &action);
        seen += action +
                " cam=" + std::to_string(theKelInput->getDeviceToCamera()->isActive("rotateleft")) +
                " cs=" + std::to_string(theKelInput->getDeviceToCS()->isHeld("Escape")) +
                " child=" + std::to_string(childSaw) + "; ";
    }
    std::string seen;
    int childSaw = 0;
};

class Probe : public ::ui::Component {
public:
    Probe(::ui::UI* ui, Witness* witness) : Component(ui), witness(witness) {
        setHearsEveryEvent(true);
    }
    void processInputEvent(const counting_ptr<::input::Event>& event) override {
        if (auto* button = event.as<::input::events::Button>())
            witness->childSaw += button->isPressed() && button->getCode() == 102;
    }
    Witness* witness;
};

class GameUITest : public kel::test::ScreenUnderTest {
protected:
    void SetUp() override {
        ScreenUnderTest::SetUp();
        witness = new Witness(root.get());
        root->addComponent(witness);
        witness->setVisible(true);
        gameui = new GameUI();
        witness->addComponent(gameui);
        gameui->addComponent(new Probe(root.get(), witness));
        auto* hud = new ::ui::Container(root.get());
        hud->setName("subgameui");
        gameui->addComponent(hud);
        gameui->setAllVisible(true);
    }
    kel::logic::Game game; // outlives the root
    Witness* witness = nullptr;
    GameUI* gameui = nullptr;
};

// Rows: input, what the witness notes. Escape's press goes to both translators and the
// children before the game UI asks for the in-game menu; nothing else asks.
TEST_F(GameUITest, EscapeAsksForTheMenuAfterTheTranslatorsAndChildren) {
    ASSERT_TRUE(theKelInput->getDeviceToCamera()->getRedefineControls()->setEventData(
        "rotateleft", {{"Escape"}}));
    const std::tuple<const char*, bool, const char*> kRows[] = {
        {"Escape", true, "gameroundmenu cam=1 cs=1 child=1; "},
        {"Escape", false, ""},
        {"Return", true, ""},
        {"LeftClick", true, ""},
    };
    for (const auto& [key, pressed, seen] : kRows) {
        witness->childSaw = 0;
        send(key, pressed);
        EXPECT_EQ(witness->seen, seen) << key << " " << pressed;
        witness->seen.clear();
    }
}

// Showing the game UI makes the control-source translator forget held keys, hiding it makes both
// translators forget them; the trace switch learns either.
TEST_F(GameUITest, ShowAndHideResetTheTranslators) {
    auto* camera = theKelInput->getDeviceToCamera();
    auto* cs = theKelInput->getDeviceToCS();
    press("Q"); // turns the camera left, and is held for the control source
    ASSERT_TRUE(camera->isActive("rotateleft") && cs->isHeld("Q"));
    pointer()->setVisible(false);
    gameui->setVisible(false);
    EXPECT_FALSE(camera->isActive("rotateleft") || cs->isHeld("Q")) << "hidden: both forget";
    EXPECT_TRUE(kel::ui::BoardTraceSwitch::isTracing()) << "hidden: the board traces";
    camera->processEvent(input::makeButton("Q", true));
    cs->processEvent(input::makeButton("Q", true));
    gameui->setVisible(true);
    EXPECT_TRUE(camera->isActive("rotateleft")) << "shown: the camera keeps its keys";
    EXPECT_FALSE(cs->isHeld("Q")) << "shown: the control source forgets";
    EXPECT_FALSE(kel::ui::BoardTraceSwitch::isTracing()) << "shown, without a pointer";
    release("Q");
}

// Rows: the board's game state, and whether free-look then also focuses the game UI, switches
// the pointer and tells the control source. The camera and the HUD follow in every state.
TEST_F(GameUITest, FreeLookReachesPointerAndControlSourceOnlyInStatesOneAndTwo) {
    auto& board = game.getBoard();
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    const std::tuple<std::string, int, bool> kRows[] = {{"no board", 0, false},
                                                        {"first team", 1, true},
                                                        {"other team", 2, true},
                                                        {"battle over", 3, false}};
    for (const auto& [step, state, whole] : kRows) {
        SCOPED_TRACE(step);
        root->resetGameBoard();
        if (step != "no board")
            root->setGameBoard(&board);
        if (step == "other team")
            board.endTurn();
        if (step == "battle over")
            board.concede();
        ASSERT_EQ(state, step == "no board" ? 0 : board.getGameState());
        game.getControlSource().clearCalls();
        root->setFocusedComponent(nullptr);
        // camera free-look, HUD shown, pointer free-look: on, then off
        const auto now = [&] {
            return std::make_tuple(theKelInput->getDeviceToCamera()->getUnitFreelook(),
                                   gameui->getComponent("subgameui")->getVisible(),
                                   pointer()->getFreelookMode());
        };
        gameui->setUnitFreelook(true);
        EXPECT_EQ(now(), std::make_tuple(true, false, whole));
        EXPECT_EQ(root->getFocusedComponent() == gameui, whole);
        gameui->setUnitFreelook(false);
        EXPECT_EQ(now(), std::make_tuple(false, true, false));
        const std::vector<std::string> both = {"beginUnitFreelook()", "endUnitFreelook()"};
        EXPECT_EQ(game.getControlSource().getCalls(), whole ? both : decltype(both){});
    }
    root->resetGameBoard();
}

// The shipped road: the battle's HUD is a GameUI whose board switch hands the board view to
// the render driver; Escape opens the in-game ring; its "goal" entry brings up the goals (the
// scenario shows "maingoal", as a host does) and closing them brings the ring back.
TEST_F(GameUITest, TheShippedBattleOpensTheRingAndItsGoalsAndComesBack) {
    root->deleteComponent(witness);
    root->getComponent("mainui")->setVisible(true);
    game.getScenario().setObserver([this] { root->getDescendant("maingoal")->setVisible(true); });
    beginBattle(game);
    ASSERT_NE(dynamic_cast<GameUI*>(root->getComponent("gameui")), nullptr);
    ASSERT_NE(kel::ui::theAccessor.getGameBoard(), nullptr);
    EXPECT_TRUE(GAME_BOARD_VIEW->isActive() && theRenderDriver->isRendering(GAME_BOARD_VIEW));
    tap("Escape");
    EXPECT_EQ(root->getState(), kel::ui::State::GAME_MENU);
    frame(); // the battle picture is taken: the HUD and its board view go
    EXPECT_FALSE(GAME_BOARD_VIEW->isActive() || theRenderDriver->isRendering(GAME_BOARD_VIEW));
    wait(0.6);
    auto* menu = dynamic_cast<::ui::Container*>(root->getDescendant("gameroundmenu"));
    ASSERT_NE(menu, nullptr);
    auto* ring = dynamic_cast<kel::ui::RoundMenu*>(menu->getDescendant("main"));
    ASSERT_NE(ring, nullptr);
    for (int i = 0; i < 8 && ring->getItemName(ring->getFocusedItem()) != "goal"; ++i) {
        tap("Right");
        wait(0.5);
    }
    ASSERT_EQ(ring->getItemName(ring->getFocusedItem()), "goal");
    tap("Return");
    wait(1.0);
    EXPECT_TRUE(shown("maingoal"));
    EXPECT_FALSE(ring->isShowed());
    tap("Return");
    wait(1.0);
    EXPECT_FALSE(shown("maingoal"));
    EXPECT_TRUE(ring->isShowed()) << "the ring is back";
    EXPECT_EQ(root->getState(), kel::ui::State::GAME_MENU);
    root->command(kel::ui::Command::END_GAME);
    root->resetGameBoard();
}

} // namespace

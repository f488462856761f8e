#include "host/engine/Model.h"
#include "host/engine/View.h"
#include "host/logic/Act.h"
#include "host/logic/Chest.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"

#include <gtest/gtest.h>

#include <memory>

using namespace kel::logic;

namespace {

std::string joined(const std::vector<std::string>& calls) {
    std::string text;
    for (const std::string& call : calls)
        text += call + " ";
    return text;
}

// A battle on the shipped skirmish map.
class Battle : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.loadMap("/Maps/Skirmish.lvx"));
        source.clearCalls();
    }

    Game game;
    GameBoard& board = game.getBoard();
    RecordingControlSource& source = game.getControlSource();
};

TEST_F(Battle, EveryCallIsRecordedInOrderWithItsArgument) {
    std::vector<std::string> observed;
    source.setObserver([&](const std::string& call) { observed.push_back(call); });
    ControlSourceInterface* cs = BATTLE_CONTROL_SOURCE;
    ASSERT_EQ(cs, &source);
    Unit* orc = board.getUnitAt(1, 0);
    cs->controlCommand1();
    cs->targetCommand2(Target(orc));
    cs->indexedCommand1(3);
    cs->setFocusTarget(Target(board.getLandscape(2, 3)));
    cs->targetCommand1(Target());
    cs->targetCommand3(Target(board.getChestAt(5, 2)));
    cs->targetCommand4(Target(board.getObjectAt(3, 3)));
    cs->indexedCommand2(6);
    cs->clearFocusTarget();
    cs->controlCommand16();
    cs->beginUnitFreelook();
    EXPECT_TRUE(source.isInUnitFreelook());
    cs->endUnitFreelook();
    EXPECT_EQ(cs->getSelectedUnit(), nullptr);
    const std::string expected =
        "controlCommand1() targetCommand2(unit:orc) indexedCommand1(3) "
        "setFocusTarget(landscape:2,3) targetCommand1(none) targetCommand3(chest:5,2) "
        "targetCommand4(object:tree) indexedCommand2(6) clearFocusTarget() controlCommand16() "
        "beginUnitFreelook() endUnitFreelook() getSelectedUnit() ";
    EXPECT_EQ(joined(source.getCalls()), expected);
    EXPECT_EQ(joined(observed), expected);
    EXPECT_FALSE(source.getFocusTarget().isValid()) << "cleared";
    source.setFocusTarget(Target(board.getLandscape(2, 3)));
    EXPECT_EQ(source.getFocusTarget(), Target(board.getLandscape(2, 3)));
    EXPECT_FALSE(source.isInUnitFreelook());
    source.setObserver(nullptr);
}

TEST_F(Battle, EndingATurnHandsTheBoardToTheNextTeamWithFreshActPoints) {
    Unit* knight = board.getUnitAt(1, 5);
    Unit* orc = board.getUnitAt(1, 0);
    orc->setActPool(0);
    knight->setActPool(1);
    const int first = board.getTurn();
    // "active team, game state, turns since the start, player's turn, knight's
    // and orc's points"
    const auto state = [&] {
        return board.getActiveTeam()->getInternalName() + " " +
               std::to_string(board.getGameState()) + " " +
               std::to_string(board.getTurn() - first) + " " +
               std::to_string(source.isPlayerTurn()) + " " + std::to_string(knight->getActPool()) +
               " " + std::to_string(orc->getActPool());
    };
    EXPECT_EQ(state(), "player 1 0 1 1 0");
    // The new team's act points are refilled; the team that ended keeps what it
    // left. (The board's own step: no opponent plays here.)
    board.endTurn();
    EXPECT_EQ(state(), "enemy 2 1 0 1 3");
    board.endTurn();
    EXPECT_EQ(state(), "player 1 2 1 4 3");
}

TEST_F(Battle, TheEnemyPlaysItsTurnAndThePlayersTurnComesBack) {
    // What each turn's start finds: the team, and where the orc stands with how many points;
    // and each unit that walks, where it stands when the board says so.
    struct Turns : GameBoardListener {
        Unit* orc = nullptr;
        std::string seen;
        void turnStarted(Team* team) override {
            seen += team->getInternalName() + "@" + std::to_string(orc->getCellX()) + "," +
                    std::to_string(orc->getCellY()) + ":" + std::to_string(orc->getActPool()) + " ";
        }
        void unitMoved(Unit* unit) override {
            seen += "moved " + unit->getInternalName() + "@" + std::to_string(unit->getCellX()) +
                    "," + std::to_string(unit->getCellY()) + " ";
        }
    } turns;
    turns.orc = board.getUnitAt(1, 0);
    Unit* knight = board.getUnitAt(1, 5);
    board.registerListener(&turns, ListenerPriority());
    BATTLE_CONTROL_SOURCE->endTurn();
    // The orc walks its three points straight south towards the knight, the nearest foe, one
    // cell at a time; the others walk too, each step heard where it ends.
    EXPECT_EQ(turns.seen, "enemy@1,0:3 moved orc@1,1 moved orc@1,2 moved orc@1,3 "
                          "moved goblin@2,1 moved goblin@3,1 moved goblin@3,2 moved shaman@4,1 "
                          "moved shaman@4,2 moved shaman@4,3 moved shaman@4,4 player@1,3:0 ");
    turns.seen.clear();
    EXPECT_FALSE(board.moveUnit(knight, 1, 3)) << "the orc stands there";
    EXPECT_EQ(turns.seen, "") << "a refused walk is not heard";
    board.unregisterListener(&turns);
    EXPECT_EQ(board.getGameState(), GameBoard::FIRST_TEAM_TURN);
    EXPECT_TRUE(source.isPlayerTurn());
    EXPECT_EQ(knight->getActPool(), 4);
    // A unit already beside a foe stays there.
    ASSERT_TRUE(board.moveUnit(knight, 1, 4));
    BATTLE_CONTROL_SOURCE->endTurn();
    EXPECT_EQ(board.getUnitAt(1, 3), turns.orc) << "beside the knight already";
    EXPECT_EQ(turns.orc->getActPool(), 3) << "its points unspent";
}

TEST_F(Battle, TheBattleIsOverWhenOneTeamIsLeftOrThePlayerConcedes) {
    for (Unit* unit : board.findTeam("enemy")->getUnits())
        unit->setHealth(0);
    source.endTurn();
    EXPECT_EQ(board.getGameState(), GameBoard::BATTLE_OVER);
    const int turn = board.getTurn();
    source.endTurn();
    EXPECT_EQ(board.getTurn(), turn) << "turns stop there";
    EXPECT_EQ(board.getGameState(), GameBoard::BATTLE_OVER);

    ASSERT_TRUE(game.loadMap("/Maps/Skirmish.lvx"));
    source.clearCalls();
    source.concede();
    EXPECT_EQ(board.getGameState(), GameBoard::BATTLE_OVER);
    EXPECT_EQ(source.getCalls(), std::vector<std::string>{"concede()"});
}

TEST_F(Battle, TheSelectedUnitMovesAndActsOnItsActPoints) {
    Unit* knight = board.getUnitAt(1, 5);
    source.selectUnit(knight);
    EXPECT_EQ(source.getSelectedUnit(), knight);

    // Two cells north costs two points and moves the model.
    const Vector before = knight->getProtoUnit()->getAnimator()->getGlobalPosition();
    EXPECT_TRUE(source.moveSelectedUnit(Target(board.getLandscape(1, 3))));
    EXPECT_EQ(board.getUnitAt(1, 3), knight);
    EXPECT_EQ(board.getUnitAt(1, 5), nullptr);
    EXPECT_EQ(knight->getActPool(), 2);
    EXPECT_EQ(knight->getProtoUnit()->getAnimator()->getGlobalPosition(),
              before + Vector(0, -4, 0));
    // Too far for what is left, a taken cell, or no cell at all: nothing happens.
    EXPECT_FALSE(source.moveSelectedUnit(Target(board.getLandscape(4, 3))));
    EXPECT_FALSE(source.moveSelectedUnit(Target(board.getLandscape(2, 2))))
        << "a rock stands there";
    EXPECT_FALSE(source.moveSelectedUnit(Target(knight)));
    EXPECT_EQ(knight->getActPool(), 2);

    Act* slash = knight->findAct("Slash");
    source.selectAct(slash);
    EXPECT_EQ(source.getSelectedAct(), slash);
    EXPECT_FALSE(source.useSelectedAct(Target())) << "an act needs a target";
    EXPECT_TRUE(source.useSelectedAct(Target(board.getUnitAt(1, 0))));
    EXPECT_EQ(knight->getActPool(), 0);
    EXPECT_FALSE(source.useSelectedAct(Target(board.getUnitAt(1, 0))));

    // Another unit's act cannot be chosen for the knight.
    source.selectAct(board.getUnitAt(1, 0)->findAct("Smash"));
    EXPECT_EQ(source.getSelectedAct(), slash);
}

TEST_F(Battle, OnlyTheActiveTeamsUnitsMoveAndSelectionCyclesThroughThem) {
    Unit* orc = board.getUnitAt(1, 0);
    source.selectUnit(orc);
    EXPECT_FALSE(source.moveSelectedUnit(Target(board.getLandscape(1, 1))))
        << "not the enemy's turn";

    source.deselectUnit();
    const std::vector<Unit*>& players = board.findTeam("player")->getUnits();
    source.selectNextUnit();
    EXPECT_EQ(source.getSelectedUnit(), players[0]);
    source.selectNextUnit();
    EXPECT_EQ(source.getSelectedUnit(), players[1]);
    players[2]->setHealth(0);
    source.selectNextUnit();
    EXPECT_EQ(source.getSelectedUnit(), players[3]) << "the fallen are skipped";
    source.selectNextUnit();
    EXPECT_EQ(source.getSelectedUnit(), players[0]);
    source.selectPreviousUnit();
    EXPECT_EQ(source.getSelectedUnit(), players[3]);
    source.holdSelectedUnit();
    EXPECT_EQ(players[3]->getActPool(), 0);

    source.endTurn();
    EXPECT_EQ(source.getSelectedUnit(), nullptr) << "a turn's end clears the selection";
    EXPECT_EQ(source.getActiveTeam(), board.findTeam("player")) << "after the enemy's turn";
}

TEST(Targets, EachKindIsValidAndTellsWhatItHolds) {
    Game game;
    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    GameBoard& board = game.getBoard();
    const Target none, unit(board.getUnitAt(2, 5)), landscape(board.getLandscape(0, 0)),
        object(board.getObjectAt(2, 0)), box(board.getChestAt(1, 1)),
        null(static_cast<Unit*>(nullptr));
    // What each target holds, as "kind valid unit landscape object chest
    // describe()".
    const auto held = [](const Target& t) {
        return std::to_string(t.getKind()) + " " + std::to_string(t.isValid()) + " " +
               std::to_string(t.getUnit() != nullptr) +
               std::to_string(t.getLandscape() != nullptr) +
               std::to_string(t.getObject() != nullptr) + std::to_string(t.getChest() != nullptr) +
               " " + t.describe();
    };
    EXPECT_EQ(held(none), std::to_string(Target::NOTHING) + " 0 0000 none");
    EXPECT_EQ(held(null), held(none)) << "a null pointer makes an empty target";
    EXPECT_EQ(held(unit), std::to_string(Target::UNIT) + " 1 1000 unit:knight");
    EXPECT_EQ(held(landscape), std::to_string(Target::LANDSCAPE) + " 1 0100 landscape:0,0");
    EXPECT_EQ(held(object), std::to_string(Target::OBJECT) + " 1 0010 object:lighthouse");
    EXPECT_EQ(held(box), std::to_string(Target::CHEST) + " 1 0001 chest:1,1");
    EXPECT_EQ(unit.getUnit(), board.getUnitAt(2, 5));
    EXPECT_EQ(box.getChest(), board.getChestAt(1, 1));

    Target copy = unit;
    EXPECT_EQ(copy, unit);
    copy = box;
    EXPECT_NE(copy, unit);
    EXPECT_EQ(copy, box);
}

TEST(GameGlobals, AGameInstallsItselfAndTakesItselfOutAgain) {
    EXPECT_EQ(GAME_BOARD_VIEW, nullptr);
    {
        Game game;
        EXPECT_EQ(GAME_BOARD_VIEW, game.getBoard().getView());
        EXPECT_EQ(GAME_BOARD_VIEW->getName(), "gameboard");
        EXPECT_EQ(BATTLE_CONTROL_SOURCE, &game.getControlSource());
        EXPECT_EQ(SCENARIO, &game.getScenario());
        int shown = 0;
        game.getScenario().setObserver([&] { ++shown; });
        SCENARIO->showGoals();
        SCENARIO->showGoals();
        EXPECT_EQ(game.getScenario().getShowGoalsCount(), 2);
        EXPECT_EQ(shown, 2);
        EXPECT_EQ(game.getBoard().getGameState(), GameBoard::NO_BATTLE);
        EXPECT_EQ(game.getBoard().getActiveTeam(), nullptr);
    }
    EXPECT_EQ(GAME_BOARD_VIEW, nullptr);
    EXPECT_EQ(BATTLE_CONTROL_SOURCE, nullptr);
    EXPECT_EQ(SCENARIO, nullptr);
}

TEST(GameGlobals, StateTransitionsNestAndUnmatchedEndsAreIgnored) {
    StateController controller;
    controller.endTransition();
    EXPECT_TRUE(controller.isStateStable());
    {
        StateTransition outer(controller);
        controller.beginTransition();
        EXPECT_FALSE(controller.isStateStable());
        controller.endTransition();
        EXPECT_FALSE(controller.isStateStable());
    }
    EXPECT_TRUE(controller.isStateStable());
}

} // namespace

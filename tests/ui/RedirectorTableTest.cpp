#include "ui/CSMessageRedirector.h"

#include "host/input/Keys.h"
#include "host/kelinput/CS.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/Chest.h"
#include "host/logic/Game.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Globals.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/logic/Unit.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

namespace {

using kel::logic::Target;
using kel::ui::CSMessageRedirector;

// The battle on the first mission, the redirector, and one picking listener for a unit, the
// landscape cell it stands on, a chest and a map object, as the host asks for them.
class Redirector : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
        kel::logic::GameBoard& board = game.getBoard();
        unit = board.getUnits().front();
        cell = board.getLandscape(unit->getCellX(), unit->getCellY());
        ASSERT_FALSE(board.getChests().empty() || board.getObjects().empty());
        chest = board.getChests().front();
        object = board.getObjects().front();
        picked = {redirector.addListener(unit), redirector.addListener(cell),
                  redirector.addListener(chest), redirector.addListener(object)};
        described = {Target(unit).describe(), Target(cell).describe(), Target(chest).describe(),
                     Target(object).describe()};
    }

    // A control fired: the event kel-input's control-source translator sends.
    void fire(int state) {
        redirector.processEvent(counting_ptr<::input::Event>(
            new kel::input::events::CS(state, "control" + std::to_string(state))));
    }
    // The calls the control source heard since the last look, in order.
    std::string calls() {
        std::string all;
        for (const auto& call : game.getControlSource().getCalls())
            all += all.empty() ? call : " " + call;
        game.getControlSource().clearCalls();
        return all;
    }
    // Kinds are named by letters: U unit, L landscape cell, C chest, O map object.
    static int index(char kind) { return static_cast<int>(std::string("ULCO").find(kind)); }
    RenderMeshListener* listener(char kind) { return picked[index(kind)]; }
    const std::string& describe(char kind) { return described[index(kind)]; }
    // Focuses the kinds named, in the reverse of the precedence order, so that the order of
    // focusing cannot stand in for it.
    void focus(const std::string& kinds) {
        for (char kind : std::string("OCLU"))
            if (kinds.find(kind) != std::string::npos)
                listener(kind)->traceIn(nullptr);
        calls();
    }
    // "op(target) op(target)" for each letter of `kinds`; "" for none.
    std::string each(const std::string& operation, const std::string& kinds) {
        std::string all;
        for (char kind : kinds)
            all += (all.empty() ? "" : " ") + operation + "(" + describe(kind) + ")";
        return all;
    }

    kel::test::LogCapture log;
    kel::logic::Game game;
    CSMessageRedirector redirector;
    kel::logic::Unit* unit = nullptr;
    kel::logic::Landscape* cell = nullptr;
    kel::logic::Chest* chest = nullptr;
    kel::logic::Object* object = nullptr;
    std::array<RenderMeshListener*, 4> picked = {}; // owned by the redirector
    std::array<std::string, 4> described;
};

// Every state number with nothing under the pointer: exactly one call, or none.
TEST_F(Redirector, EachStateNumberMakesItsOneCall) {
    // The call of each state from 0 on; "-" for none.
    std::istringstream byState(
        "controlCommand1() controlCommand2() controlCommand6() controlCommand4() "
        "controlCommand7() controlCommand5() indexedCommand1(0) indexedCommand1(1) "
        "indexedCommand1(2) indexedCommand1(3) indexedCommand1(4) indexedCommand1(5) "
        "controlCommand12() controlCommand13() targetCommand3(none) indexedCommand2(0) "
        "indexedCommand2(1) indexedCommand2(2) indexedCommand2(3) indexedCommand2(4) "
        "indexedCommand2(5) indexedCommand2(6) targetCommand1(none) - controlCommand3() "
        "controlCommand14() - - endTurn() controlCommand15() controlCommand16() "
        "controlCommand8() controlCommand9() - - controlCommand10() controlCommand11() - -");
    int state = 0;
    for (std::string call; byState >> call; ++state) {
        fire(state);
        EXPECT_EQ(calls(), call == "-" ? "" : call) << "state " << state;
    }
    EXPECT_EQ(state, 39);
    for (int beyond : {50, 1000}) {
        fire(beyond);
        EXPECT_EQ(calls(), "") << "state " << beyond;
    }
}

// The calls that aim at the board, for every set of focused kinds: "first of" takes the first
// focused kind of its list (or an empty target), "each of" calls once per focused kind of its
// list, in list order; state 23 calls only with a valid target.
TEST_F(Redirector, TargetsFollowTheFocusPrecedenceOfEachState) {
    // Focused; first of ULC (states 14, 23); first of ULCO (22); first of ULO
    // (getFocusedObject); each of ULC (33, 34); each of ULCO (updateFocusOnGameBoardObjects).
    // "-" for none.
    const char* const rows[] = {
        "- - - - - -",      "U U U U U U",      "L L L L L L",      "C C C - C C",
        "O - O O - O",      "UL U U U UL UL",   "UC U U U UC UC",   "UO U U U U UO",
        "LC L L L LC LC",   "LO L L L L LO",    "CO C C O C CO",    "ULC U U U ULC ULC",
        "ULO U U U UL ULO", "UCO U U U UC UCO", "LCO L L L LC LCO", "ULCO U U U ULC ULCO"};
    const auto one = [this](const char* operation, const std::string& kind) {
        return std::string(operation) + "(" + (kind.empty() ? "none" : describe(kind[0])) + ")";
    };
    for (const char* row : rows) {
        SCOPED_TRACE(std::string("focused, first of ULC, ULCO, ULO, each of ULC, ULCO: ") + row);
        std::string focused, firstULC, firstULCO, firstULO, eachULC, eachULCO;
        std::istringstream(row) >> focused >> firstULC >> firstULCO >> firstULO >> eachULC >>
            eachULCO;
        for (std::string* kinds : {&focused, &firstULC, &firstULCO, &firstULO, &eachULC, &eachULCO})
            if (*kinds == "-")
                kinds->clear();
        focus(focused);
        fire(14);
        EXPECT_EQ(calls(), one("targetCommand3", firstULC));
        fire(22);
        EXPECT_EQ(calls(), one("targetCommand1", firstULCO));
        fire(23);
        EXPECT_EQ(calls(), !firstULC.empty() ? one("targetCommand2", firstULC) : "");
        fire(33);
        EXPECT_EQ(calls(), each("targetCommand4", eachULC));
        fire(34);
        EXPECT_EQ(calls(), each("targetCommand5", eachULC));
        EXPECT_EQ(redirector.getFocusedObject().describe(),
                  !firstULO.empty() ? describe(firstULO[0]) : "none");
        EXPECT_EQ(calls(), "") << "asking for the focus tells the control source nothing";
        redirector.updateFocusOnGameBoardObjects();
        EXPECT_EQ(calls(), each("setFocusTarget", eachULCO));
        for (char kind : std::string("ULCO"))
            listener(kind)->traceOut(nullptr);
        calls();
    }
}

TEST_F(Redirector, TheFirstFocusedListenerOfAKindInCreationOrderCounts) {
    kel::logic::Unit* other = game.getBoard().getUnits().back();
    ASSERT_NE(other, unit);
    RenderMeshListener* onOther = redirector.addListener(other); // after listener('U')
    onOther->traceIn(nullptr);
    fire(22);
    EXPECT_EQ(calls(), "setFocusTarget(" + Target(other).describe() + ") targetCommand1(" +
                           Target(other).describe() + ")");
    listener('U')->traceIn(nullptr); // both set: the earlier one wins, the other is not checked
    fire(22);
    EXPECT_EQ(calls(),
              "setFocusTarget(" + describe('U') + ") targetCommand1(" + describe('U') + ")");
}

// What a picking listener tells the control source as the engine traces its mesh.
TEST_F(Redirector, PickingListenersReportTheFocusThemselves) {
    int marker = 0;
    for (char kind : std::string("ULCO"))
        for (bool nullArgument : {true, false}) {
            SCOPED_TRACE(std::string(1, kind) + (nullArgument ? " null" : " non-null"));
            RenderMeshListener* picked = listener(kind);
            picked->traceIn(&marker); // the argument is not looked at
            EXPECT_EQ(calls(), "setFocusTarget(" + describe(kind) + ")");
            picked->traceOut(nullArgument ? nullptr : &marker);
            EXPECT_EQ(calls(), nullArgument ? "clearFocusTarget()" : "");
            fire(22); // the flag is cleared either way
            EXPECT_EQ(calls(), "targetCommand1(none)");
        }
}

TEST_F(Redirector, UnitsAndObjectsAreTracedBeforeTheRest) {
    struct DefaultPriority : RenderMeshListener {
        void traceIn(void*) override {}
        void traceOut(void*) override {}
    } engineDefault;
    EXPECT_EQ(listener('U')->getTracePriority(), 1);
    EXPECT_EQ(listener('O')->getTracePriority(), 1);
    EXPECT_EQ(listener('L')->getTracePriority(), engineDefault.getTracePriority());
    EXPECT_EQ(listener('C')->getTracePriority(), engineDefault.getTracePriority());
}

// removeListener takes out the first listener of that object (and only it); the listener is
// handed over, not destroyed. An object without a listener changes nothing.
TEST_F(Redirector, RemovingAListenerTakesTheFirstOneOfThatObjectOut) {
    const auto check = [this](auto* object, auto* another, char kind) {
        SCOPED_TRACE(std::string(1, kind));
        CSMessageRedirector own;
        const auto aimed = [&] {
            calls();
            own.processEvent(counting_ptr<::input::Event>(new kel::input::events::CS(22, "")));
            return calls();
        };
        const std::string hit = "targetCommand1(" + describe(kind) + ")";
        RenderMeshListener* first = own.addListener(object);
        RenderMeshListener* second = own.addListener(object);
        ASSERT_NE(first, second);
        own.removeListener(another); // has none: unchanged
        first->traceIn(nullptr);
        EXPECT_EQ(aimed(), hit) << "a removal for another object took the listener";
        first->traceOut(nullptr);
        second->traceIn(nullptr);
        own.removeListener(object); // takes `first` only
        EXPECT_EQ(aimed(), hit) << "the second listener of the object stays";
        own.removeListener(object); // now `second`
        EXPECT_EQ(aimed(), "targetCommand1(none)");
        own.removeListener(object); // none left: nothing happens
        EXPECT_EQ(aimed(), "targetCommand1(none)");
        // Both are the remover's now: still alive until it destroys them, and no longer asked.
        first->traceIn(nullptr);
        EXPECT_EQ(aimed(), "targetCommand1(none)");
        delete first;
        delete second;
    };
    kel::logic::GameBoard& board = game.getBoard();
    check(unit, board.getUnits().back(), 'U');
    check(cell, board.getLandscape(0, 0), 'L');
    check(chest, static_cast<kel::logic::Chest*>(nullptr), 'C');
    check(object, board.getObjects().back(), 'O');
}

TEST_F(Redirector, OnlyControlSourceEventsCountAndTheControlSourceIsReadAtEachEvent) {
    // A raw key with the number of a state is not a control-source event.
    redirector.processEvent(::input::makeButton("Tab", true));
    redirector.processEvent(counting_ptr<::input::Event>(new ::input::events::Button(
        ::input::devices::PCKeyboard::instance(), 28, "endturn", true)));
    EXPECT_EQ(calls(), "");

    // Another control source installed after the redirector was made gets the calls.
    kel::logic::RecordingControlSource other(&game.getBoard());
    kel::logic::ControlSourceInterface* installed = BATTLE_CONTROL_SOURCE;
    BATTLE_CONTROL_SOURCE = &other;
    fire(28);
    BATTLE_CONTROL_SOURCE = installed;
    EXPECT_EQ(calls(), "");
    ASSERT_EQ(other.getCalls().size(), 1u);
    EXPECT_EQ(other.getCalls()[0], "endTurn()");
    fire(28);
    EXPECT_EQ(calls(), "endTurn()");
}

// The way the host wires it: the control-source translator's output, a bound key.
TEST_F(Redirector, ABoundKeyReachesTheControlSourceThroughTheTranslator) {
    ::input::Broadcaster* output = theKelInput->getDeviceToCS()->getOutput();
    output->attach(&redirector);
    theKelInput->getDeviceToCS()->processEvent(::input::makeButton("Tab", true)); // state 0
    theKelInput->getDeviceToCS()->processEvent(::input::makeButton("Tab", false));
    theKelInput->getDeviceToCS()->processEvent(::input::makeButton("I", true)); // state 14
    theKelInput->getDeviceToCS()->processEvent(::input::makeButton("I", false));
    output->detach(&redirector);
    EXPECT_EQ(calls(), "controlCommand1() targetCommand3(none)");
}

} // namespace

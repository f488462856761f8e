#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/SphericalPlacement.h"
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
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

using kel::logic::Game;
using kel::logic::GameBoard;
using kel::logic::GameBoardListener;

namespace {

// Writes what the board tells it into a shared trace.
class Tracer : public GameBoardListener {
public:
    Tracer(std::string tag, std::string* trace) : tag(std::move(tag)), trace(trace) {}
    void startLoadPhase() override { *trace += tag + "start "; }
    void finishLoadPhase() override { *trace += tag + "finish "; }
    void setLoadProgress(float p) override {
        std::ostringstream text;
        text << p;
        // The board is unstable while it loads.
        const bool stable = board && board->getStateController()->isStateStable();
        *trace += tag + text.str() + (stable ? " stable " : " ");
    }
    void loadAborted() override { *trace += tag + "aborted "; }
    void turnStarted(kel::logic::Team* team) override {
        *trace += tag + "turn:" + (team ? team->getInternalName() : "none") + " ";
    }
    GameBoard* board = nullptr;

private:
    std::string tag;
    std::string* trace;
};

TEST(MapLoading, AShippedMapLoadsInThreePhasesReportingProgressInOrder) {
    kel::test::LogCapture log;
    Game game;
    GameBoard& board = game.getBoard();
    std::string trace;
    Tracer tracer("", &trace);
    tracer.board = &board;
    board.registerListener(&tracer, 0);

    ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
    // Landscape: a step per row; objects and chests: a step each (3 objects, 1 chest);
    // units: a step each (6).
    EXPECT_EQ(trace, "start 0.166667 0.333333 0.5 0.666667 0.833333 1 finish "
                     "start 0.25 0.5 0.75 1 finish "
                     "start 0.166667 0.333333 0.5 0.666667 0.833333 1 finish turn:player ");
    EXPECT_EQ(log.take().size(), 0u) << "every model of the map is in the catalogue";
    EXPECT_EQ(board.getMapName() + " " + std::to_string(board.getWidth()) + " " +
                  std::to_string(board.getGameState()) + " " +
                  board.getActiveTeam()->getInternalName() + " " +
                  std::to_string(board.getTeams()[0]->getUnits().size()),
              "Lighthouse 6 1 player 3");
    EXPECT_TRUE(board.getStateController()->isStateStable());

    const kel::logic::Landscape* bridge = board.getLandscape(3, 4);
    ASSERT_NE(bridge, nullptr);
    EXPECT_EQ(bridge->getLandscapeType(), kel::logic::Landscape::BRIDGE);
    EXPECT_EQ(kel::logic::Landscape::getNameOfLandscapeSubtype(bridge->getLandscapeSubtype()),
              "planks");
    EXPECT_EQ(board.getLandscape(6, 0), nullptr);

    kel::logic::Unit* archer = board.getUnitAt(3, 5);
    ASSERT_NE(archer, nullptr);
    kel::logic::Act* arrow = archer->findAct("FireArrow");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(archer->getInternalName() + " " + archer->getTeam()->getInternalName() + " " +
                  std::to_string(archer->getHealth()) + " " + std::to_string(archer->getActPool()) +
                  " " + std::to_string(archer->getActType()) + " " +
                  std::to_string(arrow->getCost()) + " " + arrow->getModifier(),
              "archer player 28 4 1 3 fire");
    EXPECT_EQ(arrow->getActiveUnit(), archer);

    // Every model stands in the board's view, the units at their cells' centres bent onto the
    // map's sphere of radius 40: the archer's cell (1, 5) lies sqrt(26) from the top, so it
    // stands at angle sqrt(26)/40 round the sphere, 0.3246 below the flat board.
    View* view = GAME_BOARD_VIEW;
    ASSERT_EQ(view, board.getView());
    EXPECT_EQ(view->getObjects().size(), 36u + 3u + 1u + 6u);
    EXPECT_FLOAT_EQ(getSphereRadius(), 40.0f);
    kel::logic::Unit3d* proto = archer->getProtoUnit();
    EXPECT_TRUE(view->hasObject(proto->getModel()));
    EXPECT_EQ(proto->getModel()->getName(), "archer");
    const Vector placed = proto->getAnimator()->getGlobalPosition();
    EXPECT_LT((placed - Vector(0.99729f, 4.98647f, -0.32456f)).length(), 1e-4f);
    EXPECT_FLOAT_EQ(proto->getAnimator()->getBaseAnimation()->getBaseKeyMesh(0)->getHeight(),
                    1.75f);
    // The board's camera sees every unit.
    for (kel::logic::Unit* unit : board.getUnits()) {
        float x = -1, y = -1;
        ASSERT_TRUE(theRenderDriver->projectToScreen(
            view, unit->getProtoUnit()->getAnimator()->getGlobalPosition(), &x, &y));
        EXPECT_TRUE(x > 0 && x < 1 && y > 0 && y < 1) << unit->getInternalName();
    }
    EXPECT_EQ(board.getChestAt(1, 1)->getContents(), (std::vector<std::string>{"potion", "gold"}));
    EXPECT_EQ(kel::logic::Object::getNameOfObjectType(board.getObjectAt(2, 0)->getObjectType()),
              "lighthouse");
    board.unregisterListener(&tracer);
}

TEST(MapLoading, ARoundWorldGoesWithItsBoard) {
    for (const bool destroy : {false, true}) {
        auto game = std::make_unique<Game>();
        ASSERT_TRUE(game->loadMap("/Maps/Lighthouse.lvx"));
        EXPECT_FLOAT_EQ(getSphereRadius(), 40.0f);
        if (destroy)
            game.reset();
        else
            game->getBoard().clear();
        EXPECT_EQ(getSphereRadius(), 0.0f) << (destroy ? "destroyed" : "cleared");
    }
}

TEST(MapLoading, EveryShippedMapLoadsCleanly) {
    kel::test::LogCapture log;
    Game game;
    for (const char* map : {"/Maps/Lighthouse.lvx", "/Maps/Watermill.lvx", "/Maps/Garden.lvx",
                            "/Maps/Skirmish.lvx"}) {
        EXPECT_TRUE(game.loadMap(map)) << map;
        EXPECT_EQ(game.getBoard().getTeams().size(), 2u) << map;
        for (kel::logic::Team* team : game.getBoard().getTeams())
            EXPECT_TRUE(team->getUnits().size() >= 2 && team->getUnits().size() <= 4) << map;
        EXPECT_FALSE(game.getBoard().getChests().empty()) << map;
        // Lighthouse is a round world; the others are flat.
        EXPECT_EQ(getSphereRadius() > 0, std::string(map) == "/Maps/Lighthouse.lvx") << map;
    }
    EXPECT_EQ(log.take().size(), 0u);
}

TEST(MapLoading, ListenersRunByPriorityAndMayLeaveWhileCalled) {
    Game game;
    std::string trace;
    Tracer late("b:", &trace), early("a:", &trace), same("c:", &trace);
    // Leaves at the end of the first phase.
    struct Leaver : Tracer {
        using Tracer::Tracer;
        GameBoard* board = nullptr;
        void finishLoadPhase() override {
            Tracer::finishLoadPhase();
            board->unregisterListener(this);
        }
    } leaver("x:", &trace);
    leaver.board = &game.getBoard();
    game.getBoard().registerListener(&late, 5);
    game.getBoard().registerListener(&early, -1);
    game.getBoard().registerListener(&same, 5);
    game.getBoard().registerListener(&leaver, 0);
    game.getBoard().registerListener(&early, 9); // once only
    ASSERT_TRUE(game.loadMap("/Maps/Garden.lvx"));
    EXPECT_EQ(trace.substr(0, 28), "a:start x:start b:start c:st");
    EXPECT_EQ(trace.find("x:", trace.find("x:finish") + 1), std::string::npos)
        << "a listener that left is not called again";
    game.getBoard().unregisterListener(&late);
    game.getBoard().unregisterListener(&early);
    game.getBoard().unregisterListener(&same);
}

TEST(MapLoading, TheUiMayDrawFramesAndPlayWhileMapsLoadOnAnotherThread) {
    kel::test::LogCapture log;
    Game game;
    GameBoard& board = game.getBoard();
    View* view = board.getView();
    view->activate();
    theRenderDriver->addView(view);
    // The loading screen: draws a frame at once for every progress step, on the loading thread.
    struct Screen : GameBoardListener {
        int frames = 0;
        void setLoadProgress(float) override {
            theRenderDriver->drawFrameAtOnce();
            ++frames;
        }
    } screen;
    board.registerListener(&screen, 0);

    std::atomic<bool> done{false};
    std::thread host([&] {
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(game.loadMap(i % 2 ? "/Maps/Lighthouse.lvx" : "/Maps/Skirmish.lvx"));
        done = true;
    });
    // The UI thread: frames trace the board's view; the player ends turns.
    int frames = 0;
    while (!done || frames < 10) {
        theRenderDriver->drawFrame();
        if (board.getStateController()->isStateStable() &&
            board.getGameState() != GameBoard::NO_BATTLE)
            BATTLE_CONTROL_SOURCE->endTurn();
        ++frames;
    }
    host.join();
    EXPECT_GT(screen.frames, 0);
    EXPECT_EQ(view->getObjects().size(), 36u + 3u + 1u + 6u)
        << "the last map (Lighthouse) replaced the others whole";
    board.unregisterListener(&screen);
    theRenderDriver->removeView(view);
    EXPECT_EQ(log.take().size(), 0u);
}

// Bad map files, each in a data root of its own (with the shipped model catalogue).
class BadMaps : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream models(std::string(KEL_DATA_DIR) + "/Configs/Engine/models.cfg");
        data.write("Configs/Engine/models.cfg",
                   std::string(std::istreambuf_iterator<char>(models), {}));
        ModelCatalogue::instance().reload();
        game.getBoard().registerListener(&tracer, 0);
    }
    void TearDown() override {
        game.getBoard().unregisterListener(&tracer);
        ModelCatalogue::instance().forget();
    }

    // A good 2 x 2 map; `extra` goes at its end.
    static std::string map(const std::string& extra) {
        return "size = 2 2\n"                         // 1
               "teams = player enemy\n"               // 2
               "landscape {\n"                        // 3
               "    row = ground:grass ground:sand\n" // 4
               "    row = water:deep ground:grass\n"  // 5
               "}\n"                                  // 6
               "unit { name = knight; team = player; model = knight; position = 0 0; health = 9 }\n" // 7
               "unit { name = orc; team = enemy; model = orc; position = 1 1; health = 9 }\n" // 8
               + extra;
    }

    kel::test::TempRoots roots;
    const kel::test::TempDir& data = roots.data;
    kel::test::LogCapture log;
    Game game;
    std::string trace;
    Tracer tracer{"", &trace};
};

TEST_F(BadMaps, EachMistakeIsReportedAtItsPlaceAndNothingIsLoaded) {
    const std::string unit = "unit {\n name = elf\n team = player\n model = x\n position = 1 0\n";
    const struct {
        std::string text;
        const char* place; // line:column
        const char* words;
        const char* trace; // the phases the listener saw, when it matters
    } rows[] = {
        {map("unit { name = wolf\n"), "10:1", "map not loaded", ""},
        {map("\nunit {\n  name = wolf\n  model = wolf\n  position = 1 0\n  health = 5\n}\n"),
         "10:1", "unit 'wolf' has no team",
         // the units phase starts, goes as far as it can and is aborted
         "start 0.5 1 finish start finish start 0.333333 0.666667 aborted "},
        {"size = 2 2\nteams = player\nlandscape {\n    row = ground:grass ground:grass\n"
         "    row = ground:grass lava:hot\n}\n",
         "5:5", "unknown cell type 'lava' at column 1 of row 1", "start 0.5 aborted "},
        {"teams = a\nlandscape {\n}\n", "1:0", "size = width height", nullptr},
        {"size = 2 2\nlandscape {\n row = ground ground\n row = ground ground\n}\n", "1:0", "teams",
         nullptr},
        {map("unit { name = elf; team = elves; model = x; position = 1 0; health = 3 }\n"), "9:20",
         "no team 'elves'", nullptr},
        {map("unit { name = elf; team = player; model = x; position = 0 1; health = 3 }\n"), "9:46",
         "cannot stand on water", nullptr},
        {map("unit { name = elf; team = player; model = x; position = 0 0; health = 3 }\n"), "9:46",
         "the cell is taken", nullptr},
        {map("unit { name = elf; team = player; model = x; position = 5 0; health = 3 }\n"), "9:46",
         "outside the board", nullptr},
        {map(unit + " health = lots\n}\n"), "14:2", "health must be one whole number", nullptr},
        {map(unit + " health = 4\n heatlh = 4\n}\n"), "15:2", "unknown entry 'heatlh'", nullptr},
        {map(unit + " health = 4\n act { name = Zap; cost = 1; modifier = lightning }\n}\n"),
         "15:30", "modifier 'lightning'", nullptr},
        {map("object { type = spaceship; model = x; position = 1 0 }\n"), "9:10",
         "unknown object type 'spaceship'", nullptr},
        {"size = 2 2\nteams = a\nlandscape {\n row = ground ground\n}\n", "3:1",
         "1 rows, the map is 2 high", nullptr},
        {"size = 2 2\nteams = a\nlandscape {\n row = ground ground ground\n}\n", "4:2",
         "has 3 cells", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.words);
        data.write("Maps/bad.lvx", row.text);
        trace.clear();
        EXPECT_FALSE(game.loadMap("/Maps/bad.lvx"));
        std::string messages;
        for (const auto& record : log.take())
            if (record.filter == "logic")
                messages += record.file + ":" + std::to_string(record.line) + ":" +
                            std::to_string(record.column) + ": " + record.text + "\n";
        EXPECT_EQ(messages.rfind("/Maps/bad.lvx:" + std::string(row.place) + ": ", 0), 0u)
            << messages;
        EXPECT_EQ(std::count(messages.begin(), messages.end(), '\n'), 1) << "one message only";
        EXPECT_NE(messages.find(row.words), std::string::npos) << messages;
        EXPECT_EQ(trace, row.trace ? row.trace : trace);
        EXPECT_FALSE(game.getBoard().isLoaded());
        EXPECT_EQ(game.getBoard().getGameState(), GameBoard::NO_BATTLE);
    }
    EXPECT_FALSE(game.loadMap("/Maps/none.lvx"));
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file, "/Maps/none.lvx");
    EXPECT_NE(records[0].text.find("missing"), std::string::npos);
}

TEST_F(BadMaps, AFailedLoadLeavesTheBoardAsItWas) {
    data.write("Maps/good.lvx", map(""));
    ASSERT_TRUE(game.loadMap("/Maps/good.lvx"));
    EXPECT_EQ(game.getBoard().getMapName(), "good") << "named after its file when unnamed";
    EXPECT_EQ(log.take().size(), 0u);
    const size_t models = GAME_BOARD_VIEW->getObjects().size();
    kel::logic::Unit* knight = game.getBoard().getUnitAt(0, 0);
    ASSERT_NE(knight, nullptr);

    data.write("Maps/bad.lvx", map("unit { name = elf; model = x; position = 1 0; health = 3 }\n"));
    EXPECT_FALSE(game.loadMap("/Maps/bad.lvx"));
    EXPECT_EQ(log.take().size(), 1u);
    EXPECT_EQ(game.getBoard().getUnitAt(0, 0), knight);
    EXPECT_EQ(game.getBoard().getMapPath(), "/Maps/good.lvx");
    EXPECT_EQ(game.getBoard().getUnits().size(), 2u);
    EXPECT_EQ(GAME_BOARD_VIEW->getObjects().size(), models);
    EXPECT_EQ(game.getBoard().getGameState(), GameBoard::FIRST_TEAM_TURN);
    EXPECT_TRUE(game.getBoard().getStateController()->isStateStable());
}

} // namespace

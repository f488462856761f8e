// A battle frame as the player sees it: 200 units on the board, each with its health digits, a
// tenth of them wounded every frame and twenty of them walking, under the sky, with the HUD's
// end-turn button and clock and the game pointer moving over the board. Goals: a median frame
// of at most 25 us, and no heap allocation in a frame where no health changes.

#include "AllocationCount.h"
#include "BattleContent.h"
#include "BootedModule.h"

#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"
#include "ui/UnitHandle.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/logic/BoardGeometry.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"
#include "host/resource/ResourceManager.h"

#include "host/render/FrameRenderer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// A 20 x 10 board of meadow with a unit on every cell, the two teams in alternate columns.
std::string boardOf200Units() {
    std::string map = "name = Bench\nsize = 20 10\nteams = player enemy\nlandscape {\n";
    for (int row = 0; row < 10; ++row) {
        map += "    row =";
        for (int column = 0; column < 20; ++column)
            map += " ground:grass";
        map += "\n";
    }
    map += "}\n";
    for (int i = 0; i < bench::kUnits; ++i) {
        const bool player = i % 2 == 0;
        map += std::string("unit { name = ") + (player ? "knight" : "goblin") +
               "; team = " + (player ? "player" : "enemy") +
               "; model = " + (player ? "knight" : "goblin") +
               "; position = " + std::to_string(i % 20) + " " + std::to_string(i / 20) +
               "; health = " + std::to_string(100 + i) +
               "; actPool = 4; actType = melee; defence = 3; kind = 1 }\n";
    }
    return map;
}

// The board loaded and the battle begun as the host's game flow does it, every unit given its
// health digits.
struct Battle : bench::BootedModule {
    Battle() {
        using C = kel::ui::Command;
        std::ofstream(resource::theResourceManager->getProfileRoot() / "bench.lvx")
            << boardOf200Units();
        root->command(C::BEGIN_LOADING);
        loaded = game.loadMap("/Profile/bench.lvx");
        root->setGameBoard(&game.getBoard());
        GAME_BOARD_VIEW->activate();
        theRenderDriver->addView(GAME_BOARD_VIEW);
        root->command(C::BEGIN_GAME);
        for (kel::logic::Unit* unit : game.getBoard().getUnits()) {
            kel::ui::UnitHandle* handle = root->createUnitHandle(unit);
            handle->update();
            handle->move();
            handles.emplace_back(unit, handle);
        }
        // Two seconds: the main ring has gone and the HUD has settled.
        for (int i = 0; i < 120; ++i)
            frame(false);
    }
    ~Battle() {
        for (const auto& entry : handles)
            root->deleteUnitHandle(entry.second);
        root->resetGameBoard();
        theRenderDriver->removeView(GAME_BOARD_VIEW);
        GAME_BOARD_VIEW->deactivate();
    }
    // One frame: the pointer moves, twenty units walk on their circles and, when `wounding`,
    // a tenth of the units lose a point of health.
    void frame(bool wounding) {
        ++count;
        theTimer->advance(1.0 / 60);
        root->getKELMousePointer()->setPosition(static_cast<float>(100 + count % 800), 300);
        for (int i = 0; i < bench::kBalloons; ++i) {
            const auto& [unit, handle] = handles[static_cast<size_t>(i * 10)];
            const float angle = static_cast<float>((i * 7 + count) % 360) * 0.0174533f;
            const Vector cell = kel::logic::cellCentre(unit->getCellX(), unit->getCellY(), 20, 10);
            unit->getProtoUnit()->place(
                Vector(cell.x + 0.4f * std::cos(angle), cell.y + 0.4f * std::sin(angle), 0), 0);
            handle->move();
        }
        if (wounding)
            for (size_t i = static_cast<size_t>(count % 10); i < handles.size(); i += 10) {
                kel::logic::Unit* unit = handles[i].first;
                unit->setHealth(unit->getHealth() > 1 ? unit->getHealth() - 1 : 999);
                handles[i].second->update();
            }
        theRenderDriver->drawFrame();
    }
    bool ready() const {
        return loaded && root->getState() == kel::ui::State::GAME &&
               handles.size() == static_cast<size_t>(bench::kUnits);
    }

    kel::logic::Game game;
    std::vector<std::pair<kel::logic::Unit*, kel::ui::UnitHandle*>> handles;
    int count = 0;
    bool loaded = false;
};

// Digits a player sees over the units: two or three per unit.
size_t digitsInTheBoardView() {
    return GAME_BOARD_VIEW->getDecals().size();
}

void BM_BattleFrame(benchmark::State& state) {
    const bool wounding = state.range(0) != 0;
    Battle battle;
    if (!battle.ready()) {
        state.SkipWithError("the battle of 200 units did not begin");
        return;
    }
    const unsigned long framesBefore = theRenderDriver->getFrameCount();
    const std::size_t allocationsBefore = bench::allocationCount();
    for (auto _ : state)
        battle.frame(wounding);
    const double frames = static_cast<double>(state.iterations());
    const double allocations =
        static_cast<double>(bench::allocationCount() - allocationsBefore) / frames;
    state.counters["allocs/frame"] = allocations;
    state.counters["digits"] = static_cast<double>(digitsInTheBoardView());
    if (theRenderDriver->getFrameCount() - framesBefore !=
        static_cast<unsigned long>(state.iterations()))
        state.SkipWithError("frames were not drawn");
    else if (digitsInTheBoardView() < 2 * static_cast<size_t>(bench::kUnits))
        state.SkipWithError("the units' digits are not in the board view");
    else if (!wounding && allocations > 0)
        state.SkipWithError("a frame where no health changes allocated");
}
BENCHMARK(BM_BattleFrame)->ArgName("wounding")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same battle rendered offscreen at 1024 x 768 on the software rasteriser (the board, its
// 200 units and their digits, the HUD), with the read-back; beside BM_BattleFrame's module cost.
void BM_RenderBattle1024x768(benchmark::State& state) {
    Battle battle;
    std::string why;
    auto renderer = render::FrameRenderer::create(1024, 768, &why);
    if (!battle.ready() || !renderer) {
        state.SkipWithError(renderer ? "the battle of 200 units did not begin"
                                     : ("no renderer: " + why).c_str());
        return;
    }
    render::Picture frame;
    renderer->render(battle.root.get(), &frame); // models, pictures and glyphs read once
    for (auto _ : state)
        renderer->render(battle.root.get(), &frame);
    // The board in the middle differs from the sky in the corner.
    if (frame.at(512, 384) == frame.at(2, 2))
        state.SkipWithError("the frame shows no board");
}
BENCHMARK(BM_RenderBattle1024x768)->Unit(benchmark::kMillisecond);

} // namespace

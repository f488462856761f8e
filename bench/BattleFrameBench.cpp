// A battle frame as the player sees it: the board view under the sky, the HUD with its end-turn
// button and clock, the game pointer moving over the board. Goal: a frame well under the 16 ms
// of a game frame (25 us here) and no heap allocation in a frame where nothing changed.

#include "AllocationCount.h"
#include "BootedModule.h"

#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"

#include <benchmark/benchmark.h>

namespace {

// The shipped map loaded and the battle begun, as the host's game flow does it.
struct Battle : bench::BootedModule {
    Battle() {
        using C = kel::ui::Command;
        root->command(C::BEGIN_LOADING);
        game.loadMap("/Maps/Lighthouse.lvx");
        root->setGameBoard(&game.getBoard());
        GAME_BOARD_VIEW->activate();
        theRenderDriver->addView(GAME_BOARD_VIEW);
        root->command(C::BEGIN_GAME);
        // Two seconds: the main ring has gone and the HUD has settled.
        for (int i = 0; i < 120; ++i)
            frame();
    }
    ~Battle() {
        root->resetGameBoard();
        theRenderDriver->removeView(GAME_BOARD_VIEW);
        GAME_BOARD_VIEW->deactivate();
    }
    void frame() {
        theTimer->advance(1.0 / 60);
        x = x > 900 ? 100 : x + 3;
        root->getKELMousePointer()->setPosition(x, 300);
        theRenderDriver->drawFrame();
    }

    kel::logic::Game game;
    float x = 100;
};

void BM_BattleFrame(benchmark::State& state) {
    Battle battle;
    if (!(battle.root->getState() == kel::ui::State::GAME)) {
        state.SkipWithError("the battle did not begin");
        return;
    }
    const unsigned long framesBefore = theRenderDriver->getFrameCount();
    const std::size_t allocationsBefore = bench::allocationCount();
    for (auto _ : state)
        battle.frame();
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocs/frame"] =
        static_cast<double>(bench::allocationCount() - allocationsBefore) / frames;
    if (theRenderDriver->getFrameCount() - framesBefore !=
        static_cast<unsigned long>(state.iterations()))
        state.SkipWithError("frames were not drawn");
}
BENCHMARK(BM_BattleFrame)->Unit(benchmark::kMicrosecond);

} // namespace

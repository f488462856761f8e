// The module's hot paths: typed lookups, the data tables, the flow commands, the battle-input
// redirector and the game pointer's per-move update; and loading a large player list.

#include "BootedModule.h"

#include "ui/KELFactory.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"
#include "ui/KelDataStorage.h"
#include "ui/Saves.h"
#include "ui/Sky.h"

#include "host/ReferenceHost.h"
#include "host/engine/RenderDriver.h"
#include "host/kelinput/CS.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/Game.h"
#include "host/logic/RecordingControlSource.h"
#include "host/resource/ResourceManager.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

using bench::BootedModule;

void BM_TypedLookupIn1000Components(benchmark::State& state) {
    BootedModule module;
    // 1000 more components, four levels deep, the sky being found behind all of them.
    auto* bulk = new ::ui::Container(module.root.get());
    module.root->addComponent(bulk, true);
    for (int a = 0; a < 10; ++a) {
        auto* level1 = new ::ui::Container(module.root.get());
        level1->setName("group" + std::to_string(a));
        bulk->addComponent(level1);
        for (int b = 0; b < 10; ++b) {
            auto* level2 = new ::ui::Container(module.root.get());
            level1->addComponent(level2);
            for (int c = 0; c < 9; ++c) {
                auto* leaf = new ::ui::Component(module.root.get());
                leaf->setName("leaf" + std::to_string(c));
                level2->addComponent(leaf);
            }
        }
    }
    kel::ui::Sky* sky = nullptr;
    for (auto _ : state) {
        kel::ui::theFactory->getComponent("sky", &sky, nullptr, true);
        benchmark::DoNotOptimize(sky);
    }
    if (!sky)
        state.SkipWithError("no sky found");
}
BENCHMARK(BM_TypedLookupIn1000Components);

void BM_LoadShippedDataTables(benchmark::State& state) {
    kel::ui::KelDataStorage storage;
    for (auto _ : state) {
        storage.load();
        benchmark::DoNotOptimize(storage.getMissionCount());
    }
}
BENCHMARK(BM_LoadShippedDataTables)->Unit(benchmark::kMicrosecond);

void BM_FlowCommandCycle(benchmark::State& state) {
    BootedModule module;
    kel::logic::Game game;
    game.loadMap("/Maps/Lighthouse.lvx");
    kel::ui::KELUI& root = *module.root;
    using C = kel::ui::Command;
    for (auto _ : state) {
        root.command(C::BEGIN_LOADING);
        root.setGameBoard(&game.getBoard());
        root.command(C::BEGIN_GAME);
        root.command(C::SHOW_GAME_MENU);
        root.command(C::RESUME_GAME);
        root.command(C::END_GAME);
        root.resetGameBoard();
        root.command(C::SHOW_MAIN_MENU);
    }
}
BENCHMARK(BM_FlowCommandCycle)->Unit(benchmark::kMicrosecond);

void BM_ControlSourceEventThroughTheRedirector(benchmark::State& state) {
    kel::logic::Game game;
    game.loadMap("/Maps/Lighthouse.lvx");
    kel::ui::CSMessageRedirector redirector;
    counting_ptr<::input::Event> event(new kel::input::events::CS(28, "endturn"));
    for (auto _ : state) {
        redirector.processEvent(event);
        game.getControlSource().clearCalls();
    }
}
BENCHMARK(BM_ControlSourceEventThroughTheRedirector);

void BM_PointerUpdatePerMouseMove(benchmark::State& state) {
    BootedModule module;
    kel::ui::KELMousePointer* pointer = module.root->getKELMousePointer();
    float x = 100;
    for (auto _ : state) {
        x = x > 900 ? 100 : x + 1;
        pointer->setPosition(x, 300);
    }
}
BENCHMARK(BM_PointerUpdatePerMouseMove);

} // namespace

// Loading a large player list (about 10 MB): players are taken in one walk of the file, so the
// cost grows with its size, not with its square.
void BM_LoadSaves(benchmark::State& state) {
    const auto profile = std::filesystem::temp_directory_path() / "kel-bench-saves";
    std::filesystem::create_directories(profile);
    resource::theResourceManager->setProfileRoot(profile);
    kel::ui::Saves saves;
    saves.load();
    saves.removeUser("default");
    const int players = static_cast<int>(state.range(0));
    for (int i = 0; i < players; ++i)
        saves.addUser("player number " + std::to_string(i), kel::ui::Saves::EASY);
    saves.save();
    for (auto _ : state) {
        saves.load();
        if (saves.getUserCount() != players)
            state.SkipWithError("players lost");
    }
    state.SetItemsProcessed(state.iterations() * players);
    std::error_code ec;
    std::filesystem::remove_all(profile, ec);
}
BENCHMARK(BM_LoadSaves)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

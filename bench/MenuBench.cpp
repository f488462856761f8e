// Costs of the round menus on the shipped main menu: one frame of the 8-entry main ring while a
// key turns it, and one notification from an entry up to the root UI through the ring, its
// container and the screen. Goals: the frame under 20 us, the notification under 2 us.

#include "BootedModule.h"

#include "ui/Accessor.h"
#include "ui/EntireMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/KELFactory.h"
#include "ui/KELUI.h"
#include "ui/RoundMenu.h"
#include "ui/RoundMenuContainer.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/ui/NotifyEvent.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// The module booted as the host boots it, on the shipped data with a fresh profile, its main
// ring appeared and working.
struct Module : bench::BootedModule {
    Module() {
        kel::ui::EntireMenu* screen = kel::ui::theAccessor.getMainRoundMenu();
        kel::ui::RoundMenuContainer* rings = nullptr;
        if (screen &&
            kel::ui::theFactory->getComponent("roundmenucontainer", &rings, screen, false))
            kel::ui::theFactory->getComponent("main", &ring, rings, false);
        for (int i = 0; i < 40 && ring && ring->getPhase() != kel::ui::RoundMenu::WORK; ++i) {
            theTimer->advance(1.0 / 60);
            theRenderDriver->drawFrame();
        }
    }
    bool ready() const { return ring && ring->getPhase() == kel::ui::RoundMenu::WORK; }

    kel::ui::RoundMenu* ring = nullptr; // the tree owns it
};

void BM_RoundMenuFrameTurning8Entries(benchmark::State& state) {
    Module module;
    if (!module.ready() || module.ring->getItemCount() != 8) {
        state.SkipWithError("the shipped main ring did not come up with 8 entries");
        return;
    }
    module.ring->leftKey(true);
    for (auto _ : state) {
        theTimer->advance(1.0 / 60);
        module.ring->initFrame(1.0f / 60);
    }
    module.ring->leftKey(false);
    state.counters["entries"] = module.ring->getItemCount();
}
BENCHMARK(BM_RoundMenuFrameTurning8Entries)->Unit(benchmark::kMicrosecond);

void BM_EntryNotificationToTheRoot(benchmark::State& state) {
    Module module;
    kel::ui::EntireMenuItem* entry = module.ready() ? module.ring->getItem(0) : nullptr;
    if (!entry) {
        state.SkipWithError("the shipped main ring has no entry");
        return;
    }
    for (auto _ : state) {
        // An action no level acts on: the cost is the climb and each level's reading of it.
        ::ui::NotifyEvent event(entry);
        event.setSValue("action", "mouseclick");
        event.setIValue("value", 4);
        entry->notify(event);
    }
}
BENCHMARK(BM_EntryNotificationToTheRoot)->Unit(benchmark::kNanosecond);

} // namespace

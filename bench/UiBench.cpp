// Costs of the UI toolkit that grow with a game's screens: building a big layout from its
// configuration (with and without reading its text), a frame with many frame listeners, a
// notification climbing a deep tree, a click on a deep widget delivered as the host's mouse
// delivers it, and a name lookup in a big tree. Goals: a 1,000-component layout well under
// 50 ms, a frame of 500 listeners and a notification, click or lookup in microseconds.

#include "AllocationCount.h"
#include "BigLayout.h"

#include "host/config/Config.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/RenderDriverListener.h"
#include "host/input/Device.h"
#include "host/input/Event.h"
#include "host/input/Keys.h"
#include "host/kelinput/KelInput.h"
#include "host/ui/Button.h"
#include "host/ui/Container.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A root UI on the reference host, shown, for the length of one benchmark.
struct Root {
    Root() {
        ui.setResolution(640, 480);
        ui.init();
        ui.setVisible(true);
    }
    ~Root() { ui.term(); }
    ui::UI ui;
};

void BM_BuildLayoutOf1000Components(benchmark::State& state) {
    Root root;
    config::Config layout;
    if (!layout.readString(bench::bigLayout(), "bench-layout.cfg")) {
        state.SkipWithError("the generated layout does not parse");
        return;
    }
    const std::size_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        auto* top = new ui::Container(&root.ui, 0, 0, 640, 480);
        root.ui.addComponent(top);
        top->readConfig(&layout);
        if (bench::countBelow(top) != 1000) {
            state.SkipWithError("the layout did not build 1,000 components");
            break;
        }
        root.ui.deleteComponent(top);
    }
    const std::size_t allocations = bench::allocationCount() - allocationsBefore;
    state.counters["components"] = 1000;
    state.counters["allocs/component"] =
        static_cast<double>(allocations) / (1000.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_BuildLayoutOf1000Components)->Unit(benchmark::kMillisecond);

// The same with the text read first, as a screen's first load does.
void BM_ParseAndBuildLayoutOf1000Components(benchmark::State& state) {
    Root root;
    const std::string text = bench::bigLayout();
    const std::size_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        config::Config layout;
        if (!layout.readString(text, "bench-layout.cfg")) {
            state.SkipWithError("the generated layout does not parse");
            break;
        }
        auto* top = new ui::Container(&root.ui, 0, 0, 640, 480);
        root.ui.addComponent(top);
        top->readConfig(&layout);
        if (bench::countBelow(top) != 1000) {
            state.SkipWithError("the layout did not build 1,000 components");
            break;
        }
        root.ui.deleteComponent(top);
    }
    const std::size_t allocations = bench::allocationCount() - allocationsBefore;
    state.counters["components"] = 1000;
    // The parse's allocations included.
    state.counters["allocs/component"] =
        static_cast<double>(allocations) / (1000.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ParseAndBuildLayoutOf1000Components)->Unit(benchmark::kMillisecond);

struct Ticker : RenderDriverListener {
    void initFrame(float elapsed) override { total += elapsed + 1; }
    float total = 0;
};

void BM_FrameWith500Listeners(benchmark::State& state) {
    Root root;
    std::vector<Ticker> tickers(500);
    for (Ticker& ticker : tickers)
        theRenderDriver->registerListener(&ticker, 0);
    for (auto _ : state)
        theRenderDriver->drawFrame();
    for (Ticker& ticker : tickers)
        theRenderDriver->unregisterListener(&ticker);
    benchmark::DoNotOptimize(tickers.front().total);
}
BENCHMARK(BM_FrameWith500Listeners)->Unit(benchmark::kMicrosecond);

// A button that can be made to notify from outside.
struct Sender : ui::Button {
    using Button::Button;
    void job() { send("job"); }
};

void BM_NotificationClimbing8Levels(benchmark::State& state) {
    Root root;
    ui::Container* level = &root.ui;
    for (int depth = 0; depth < 8; ++depth) {
        auto* next = new ui::Container(&root.ui);
        next->setName("level" + std::to_string(depth));
        level->addComponent(next);
        level = next;
    }
    auto* sender = new Sender(&root.ui);
    sender->setName("button_ok");
    level->addComponent(sender);
    for (auto _ : state)
        sender->job();
}
BENCHMARK(BM_NotificationClimbing8Levels)->Unit(benchmark::kNanosecond);

// A button that counts its clicks, and a container that counts the notifications reaching it.
struct CountingButton : ui::Button {
    using Button::Button;
    void onClick() override {
        ++clicks;
        Button::onClick();
    }
    int clicks = 0;
};

struct Handler : ui::Container {
    using Container::Container;
    void notify(ui::NotifyEvent& event) override {
        std::string action;
        heard += event.getProperty("action", &action) && action == "job";
    }
    int heard = 0;
};

// A click on a button 8 containers deep, as the host's mouse makes it: a movement, a press and
// a release of the left button fed to kel-input, which broadcasts them to the pointer and the
// root. The button's click notifies, and the notification climbs to a handler at level 1.
void BM_ClickThroughKelInput8Deep(benchmark::State& state) {
    Root root;
    input::Broadcaster* broadcaster = theKelInput->getRootBroadcaster();
    ui::MousePointer* pointer = root.ui.getMousePointer();
    broadcaster->attach(pointer);
    broadcaster->attach(&root.ui);
    auto* handler = new Handler(&root.ui, 0, 0, 640, 480);
    root.ui.addComponent(handler);
    ui::Container* level = handler;
    for (int depth = 1; depth < 8; ++depth) {
        auto* next = new ui::Container(&root.ui, 0, 0, 640, 480);
        next->setName("level" + std::to_string(depth));
        level->addComponent(next);
        level = next;
    }
    auto* button = new CountingButton(&root.ui, 300, 200, 80, 40);
    button->setName("button_ok");
    level->addComponent(button);
    for (ui::Component* shown = button; shown != &root.ui; shown = shown->getMaster())
        shown->setVisible(true);
    pointer->setPosition(330, 220);
    using input::devices::PCMouse;
    // The events are made once: what is counted is what delivering them costs. The pointer
    // moves a unit right, then back, so it stays over the button.
    const float unit = 1 / theKelInput->getMouseMultiplier();
    const counting_ptr<input::Event> moves[2] = {
        new input::events::Motion(PCMouse::instance(), unit, 0),
        new input::events::Motion(PCMouse::instance(), -unit, 0)};
    const auto press = input::makeButton("LeftClick", true);
    const auto release = input::makeButton("LeftClick", false);
    int side = 0;
    // One click first, so that what the delivery keeps from event to event exists.
    theKelInput->feed(moves[1]);
    theKelInput->feed(press);
    theKelInput->feed(release);
    const std::size_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        theKelInput->feed(moves[side]);
        side ^= 1;
        theKelInput->feed(press);
        theKelInput->feed(release);
    }
    const std::size_t allocations = bench::allocationCount() - allocationsBefore;
    const double clicks = static_cast<double>(state.iterations());
    state.counters["allocs/click"] = static_cast<double>(allocations) / clicks;
    if (button->clicks != state.iterations() + 1 || handler->heard != state.iterations() + 1)
        state.SkipWithError("a click was lost on its way");
    else if (allocations != 0)
        state.SkipWithError("a click allocated on the heap");
    broadcaster->detach(&root.ui);
    broadcaster->detach(pointer);
}
BENCHMARK(BM_ClickThroughKelInput8Deep)->Unit(benchmark::kNanosecond);

void BM_GetDescendantIn1000Components(benchmark::State& state) {
    Root root;
    // 10 branches of 10 containers of 9 leaves: 1,000 components with distinct names.
    int made = 0;
    for (int b = 0; b < 10; ++b) {
        auto* branch = new ui::Container(&root.ui);
        branch->setName("branch" + std::to_string(b));
        root.ui.addComponent(branch);
        ++made;
        for (int c = 0; c < 10 && made < 1000; ++c) {
            auto* box = new ui::Container(&root.ui);
            box->setName("box" + std::to_string(b) + "_" + std::to_string(c));
            branch->addComponent(box);
            ++made;
            for (int l = 0; l < 9 && made < 1000; ++l, ++made) {
                auto* leaf = new ui::Component(&root.ui);
                leaf->setName("leaf" + std::to_string(made));
                box->addComponent(leaf);
            }
        }
    }
    const std::string wanted = "leaf" + std::to_string(made - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(root.ui.getDescendant(wanted));
    state.counters["components"] = made;
}
BENCHMARK(BM_GetDescendantIn1000Components)->Unit(benchmark::kNanosecond);

} // namespace

#pragma once

#include "support/RootFixture.h"
#include "ui/EntireMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/KELFactory.h"
#include "ui/RoundMenu.h"
#include "ui/RoundMenuContainer.h"

#include "host/config/Config.h"
#include "host/ui/NotifyEvent.h"

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kel::test {

using kel::ui::EntireMenu;
using kel::ui::EntireMenuItem;
using kel::ui::RoundMenu;
using kel::ui::RoundMenuContainer;

constexpr float kTwoPi = 6.28318530718f;

// Sits between the root and a round-menu screen and records what leaves the screen, in order.
class Recorder : public ::ui::Container {
public:
    Recorder() : Container(::ui::theUI, 0, 0, 0, 0) {}
    void notify(::ui::NotifyEvent& event) override {
        events.push_back(event);
        if (onEvent)
            onEvent(event);
        Container::notify(event);
    }
    // One token per notification: action(itemName), action(menu[,escape]), action(phase);
    // the frame-by-frame ones left out, or with `frames` the start and end phase steps kept as
    // action(progress), with two decimals.
    std::string take(bool frames = false) {
        static const std::set<std::string> noisy = {"startphase", "endphase", "updatecontour",
                                                    "tracein", "traceout"};
        std::string trace;
        for (const config::Block& event : events) {
            std::string action, value;
            int phase = 0;
            float progress = 0;
            bool escape = false;
            event.getProperty("action", &action);
            if (noisy.count(action) && !(frames && event.getProperty("progress", &progress)))
                continue;
            trace += trace.empty() ? action : " " + action;
            if (event.getProperty("progress", &progress)) {
                char text[32];
                std::snprintf(text, sizeof text, "(%.2f)", progress);
                trace += text;
            }
            if (event.getProperty("itemName", &value))
                trace += "(" + value + ")";
            if (event.getProperty("menu", &value))
                trace += "(" + value +
                         (event.getProperty("escape", &escape) && escape ? ",escape" : "") + ")";
            if (event.getProperty("phase", &phase))
                trace += "(" + std::to_string(phase) + ")";
        }
        events.clear();
        return trace;
    }
    std::vector<config::Block> events;
    std::function<void(::ui::NotifyEvent&)> onEvent;
};

// Entries named after pictures the image catalogue knows, since the description shows them.
inline const char* const kNames[] = {"play",  "options_play", "selectmap", "controls",
                                     "video", "sound",        "exit",      "back"};

inline std::string entries(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(kNames[i % 8]) + " { class = entiremenuitem; model = menu_" +
                (i % 8 == 1 ? std::string("options") : kNames[i % 8]) + " }\n";
    return text;
}

// The module booted on the shipped data, its own screens hidden, and a round-menu screen
// "testmenu" of our own below a recorder.
class RoundMenuScreen : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        root->getComponent("mainui")->setVisible(false);
        recorder = new Recorder();
        root->addComponent(recorder);
        recorder->setVisible(true);
    }

    // `rings` are the blocks inside the container; the first is "ring". A screen built before
    // goes first.
    void build(const std::string& rings) {
        if (screen) {
            screen->setVisible(false);
            screen->term();
            recorder->deleteComponent(screen);
            screen = nullptr;
            rings_ = nullptr;
            ring = nullptr;
        }
        const std::string text = "testmenu {\n class = entiremenu\n visible = false\n"
                                 " description { class = itemdescription; size = 256 64 }\n"
                                 " rings {\n class = roundmenucontainer\n firstMenu = ring\n"
                                 " visible = true\n" +
                                 rings + "}\n}\n";
        config::Config block;
        ASSERT_TRUE(block.readString(text, "test.cfg")) << block.getLastError().describe();
        recorder->readConfig(&block);
        kel::ui::theFactory->getComponent("testmenu", &screen, recorder, false);
        kel::ui::theFactory->getComponent("rings", &rings_, screen, false);
        kel::ui::theFactory->getComponent("ring", &ring, rings_, false);
        ASSERT_TRUE(ring);
        recorder->take();
    }
    void buildRing(int count, const std::string& options = "") {
        build("ring { class = roundmenu; visible = false\n" + options + "\n" + entries(count) +
              "}\n");
    }
    // Shows the screen and lets the ring appear; the trace starts empty.
    void open() {
        screen->setVisible(true);
        wait(0.6);
        ASSERT_EQ(ring->getPhase(), RoundMenu::WORK);
        recorder->take();
    }
    std::string trace() { return recorder->take(); }
    EntireMenuItem* item(int i) { return ring->getItem(i); }
    // Puts the pointer on an entry and lets frames trace what is under it: a frame places the
    // entries before the engine traces, so the model under the pointer counts from the next.
    void pointAt(int i) {
        moveTo(item(i)->getProjectedX(), item(i)->getProjectedY());
        frame();
        frame();
    }

    Recorder* recorder = nullptr; // the root owns it
    EntireMenu* screen = nullptr;
    RoundMenuContainer* rings_ = nullptr;
    RoundMenu* ring = nullptr;
};

} // namespace kel::test

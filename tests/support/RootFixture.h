#pragma once

#include "ui/Accessor.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"
#include "ui/Sky.h"

#include "host/ReferenceHost.h"
#include "host/debug/Context.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/input/Keys.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/Game.h"
#include "host/resource/ResourceManager.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kel::test {

// Records the root-UI events the host hears.
class EventLog : public kel::ui::Listener {
public:
    // "name", or "name mapName=X" when the event carries a map.
    static std::string describe(const kel::ui::Event& event) {
        std::string name, map;
        event.getProperty("name", &name);
        return event.getProperty("mapName", &map) ? name + " mapName=" + map : name;
    }
    void uiEvent(const kel::ui::Event& event) override { lines.push_back(describe(event)); }
    std::string take() {
        std::string all;
        for (const auto& line : lines)
            all += line + "; ";
        lines.clear();
        return all;
    }
    std::vector<std::string> lines;
};

// The module booted as the host boots it, on the shipped game data and a fresh profile, on the
// manual clock: constructed, init, LOAD_INTERFACE, SHOW_MAIN_MENU. Unexpected messages on the
// host log fail the test; a test that expects some takes them with log.take().
class RootFixture : public ::testing::Test {
protected:
    void SetUp() override {
        savedProfile = resource::theResourceManager->getProfileRoot();
        resource::theResourceManager->setProfileRoot(profile.get());
        resetReferenceHost();
        root = std::make_unique<kel::ui::KELUI>();
        kel::ui::theKELUI = root.get();
        root->init();
        root->addUIListener(&events);
        if (bootToMainMenu()) {
            root->command(kel::ui::Command::LOAD_INTERFACE);
            root->command(kel::ui::Command::SHOW_MAIN_MENU);
        }
    }

    void TearDown() override {
        if (root) {
            // The root never leaves the input broadcaster by itself: the host that destroys it
            // must, or the next test's input reaches a dead root.
            theKelInput->getRootBroadcaster()->detach(root.get());
            root->removeUIListener(&events);
            root->term();
            root.reset();
        }
        kel::ui::theKELUI = nullptr;
        resource::theResourceManager->setProfileRoot(savedProfile);
        for (const auto& record : log.take())
            ADD_FAILURE() << "unexpected log message [" << record.filter << "] "
                          << debug::Context(record.file, record.line, record.column).describe()
                          << ": " << record.text;
    }

    // Overridden by fixtures that drive the start-up themselves.
    virtual bool bootToMainMenu() { return true; }

    void send(const std::string& key, bool pressed) {
        auto event = input::makeButton(key, pressed);
        ASSERT_TRUE(event) << "no key " << key;
        theKelInput->feed(event);
    }
    void press(const std::string& key) { send(key, true); }
    void release(const std::string& key) { send(key, false); }
    void tap(const std::string& key) {
        press(key);
        release(key);
    }
    void moveTo(float x, float y) { root->getMousePointer()->setPosition(x, y); }
    void clickAt(float x, float y, const std::string& button = "LeftClick") {
        moveTo(x, y);
        tap(button);
    }
    void frame(double seconds = 1.0 / 60) {
        theTimer->advance(seconds);
        theRenderDriver->drawFrame();
    }
    // Lets time pass at 60 frames a second.
    void wait(double seconds) {
        for (double t = 0; t < seconds - 1e-9; t += 1.0 / 60)
            frame(1.0 / 60);
    }
    bool shown(const std::string& name) {
        ::ui::Component* component = root->getDescendant(name);
        return component && component->isShowed();
    }
    kel::ui::KELMousePointer* pointer() { return root->getKELMousePointer(); }
    // Into a battle on `map` as the host goes: the map loaded, BEGIN_LOADING, the board,
    // BEGIN_GAME.
    void beginBattle(kel::logic::Game& game, const std::string& map = "/Maps/Lighthouse.lvx") {
        ASSERT_TRUE(game.loadMap(map));
        root->command(kel::ui::Command::BEGIN_LOADING);
        root->setGameBoard(&game.getBoard());
        root->command(kel::ui::Command::BEGIN_GAME);
    }

    LogCapture log;
    TempDir profile;
    EventLog events;
    std::unique_ptr<kel::ui::KELUI> root;

private:
    std::filesystem::path savedProfile;
};

} // namespace kel::test

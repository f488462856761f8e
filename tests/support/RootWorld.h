#pragma once

#include "support/RootFixture.h"
#include "ui/CreateMenu.h"
#include "ui/InterfaceImplementation.h"
#include "ui/KelDataStorage.h"
#include "ui/Saves.h"

#include "host/config/Config.h"
#include "host/engine/SEFading.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/logic/CountingScenario.h"
#include "host/logic/Game.h"
#include "host/logic/Globals.h"
#include "host/logic/RecordingControlSource.h"
#include "host/logic/StateController.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/ListBox.h"
#include "host/ui/NotifyEvent.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <sstream>
#include <utility>

namespace kel::test {

// What the player sees and hears around the root UI and what the host's devices recorded, as
// named observations: the screens' visible flags, the focus, the game pointer, the sky and its
// fade, the "bgm" group and the music, the render timers, the calls on the battle control source.
// A test takes one before a step and one after (or inside a listener, at the moment an event
// arrives) and compares what changed with what the step must change.
class RootWorld {
public:
    using Snapshot = std::vector<std::pair<std::string, std::string>>;

    // The screens whose visible flags are watched; a focus is named after the nearest of them.
    static inline const std::vector<std::string> kScreens = {
        "mainui",    "commonui",   "gameui",        "mainroundmenu", "gameroundmenu", "createmenu",
        "gamemenu",  "playmenu",   "newgamedialog", "inputmenu",     "redefinemenu",  "soundmenu",
        "videomenu", "screenshot", "sky",           "pleasewait",    "endturnbutton"};

    static Snapshot take(kel::ui::KELUI* root) {
        static const char* const states[] = {"INITIAL", "MAIN_MENU", "LOADING",
                                             "GAME",    "GAME_MENU", "ENDING_GAME"};
        Snapshot s;
        auto put = [&s](const std::string& key, const auto&... parts) {
            std::ostringstream out;
            out.precision(4);
            (out << ... << parts);
            s.emplace_back(key, out.str());
        };
        put("state", states[static_cast<int>(root->getState())]);
        for (const std::string& name : kScreens) {
            ::ui::Component* c = root->getDescendant(name);
            put(name, !c ? "absent" : c->getVisible() ? "+" : "-");
        }
        // The end-turn button is never hidden by a request to hide it: it is disabled.
        ::ui::Component* endTurn = root->getDescendant("endturnbutton");
        put("endturn", endTurn && endTurn->getEnabled() ? "enabled" : "disabled");
        put("focus", focusName(root));
        put("pointer", root->getKELMousePointer()->getVisible() ? "shown" : "hidden");
        put("mode", root->getKELMousePointer()->getMode());
        put("at", root->getMousePointer()->getX(), ",", root->getMousePointer()->getY());
        kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
        if (sky->isFadingRegistered())
            put("fade", sky->getFadingType(), "@", sky->getFading()->getValue(), ":", where(sky));
        else
            put("fade", sky->getFadingType());
        const View* view = sky->getCustomView();
        put("view", !view ? "own" : view == GAME_BOARD_VIEW ? "board" : "other");
        put("env", sky->getEnvironmentVisible() ? "on" : "off");
        put("skyname", sky->getEnvironment()->getSkyName());
        // The time of day as the host reads it, through the module's interface.
        put("day", kel::ui::InterfaceImplementation().getDayTime().minutes);
        put("bgm", sound::MANAGER->isFading("bgm") ? "fading@" : "still@",
            sound::MANAGER->getFadeLevel("bgm"));
        put("rewound", sound::MANAGER->getRewound("bgm").size());
        put("music", theSoundManager->isMusicPlaying() ? theSoundManager->getMusicName() : "off");
        put("level", theSoundManager->isLoud() ? "loud" : "quiet");
        put("classes", theInsonificatorManager->getIsEnabled(0),
            theInsonificatorManager->getIsEnabled(1));
        put("timers", thePausedRenderTimer->isPaused() ? "P" : "-",
            theDelayedRenderTimer->isPaused() ? "D" : "-");
        put("scale", theDelayedRenderTimer->getTimeScale());
        put("forced", theRenderDriver->getForcedFrameCount());
        put("listening", theKelInput->getRootBroadcaster()->isAttached(root) ? "yes" : "no");
        put("rich", static_cast<::ui::Container*>(root->getComponent("mainui"))->isRich());
        put("createmode",
            kel::ui::theAccessor.getCreateMenu()->getMode() == kel::ui::CreateMenu::Play
                ? "Play"
                : "Create");
        auto* cs = dynamic_cast<kel::logic::RecordingControlSource*>(BATTLE_CONTROL_SOURCE);
        const std::vector<std::string> calls = cs ? cs->getCalls() : std::vector<std::string>();
        put("endturns", std::count(calls.begin(), calls.end(), "endTurn()"));
        if (auto* scenario = dynamic_cast<kel::logic::CountingScenario*>(SCENARIO))
            put("goals", scenario->getShowGoalsCount());
        put("insonify", theLandInsonificator->getForceUpdateCount());
        return s;
    }

    // What differs from `before`, as sorted tokens: "+name"/"-name" for a screen's visible flag,
    // "key=+N" for a count that grew by N, "key=value" for the rest.
    static std::string diff(const Snapshot& before, const Snapshot& after) {
        static const std::vector<std::string> counts = {"forced", "rewound", "endturns", "goals",
                                                        "insonify"};
        std::map<std::string, std::string> old(before.begin(), before.end());
        std::vector<std::string> tokens;
        for (const auto& [key, value] : after) {
            const auto found = old.find(key);
            if (found != old.end() && found->second == value)
                continue;
            if (found != old.end() && std::count(counts.begin(), counts.end(), key))
                tokens.push_back(key + "=+" +
                                 std::to_string(std::stol(value) - std::stol(found->second)));
            else
                tokens.push_back(value == "+" || value == "-" ? value + key : key + "=" + value);
        }
        return join(tokens);
    }

    // The same tokens in the order diff gives them.
    static std::string sorted(const std::string& tokens) { return join(words(tokens)); }

    // The words of a table cell.
    static std::vector<std::string> words(const std::string& text) {
        std::istringstream in(text);
        return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
    }

private:
    static std::string join(std::vector<std::string> tokens) {
        std::sort(tokens.begin(), tokens.end());
        std::string all;
        for (const std::string& token : tokens)
            all += (all.empty() ? "" : " ") + token;
        return all;
    }
    // The view the sky's fade object lies in.
    static std::string where(kel::ui::Sky* sky) {
        const View* own = sky->getScene().getView();
        if (own && own->hasObject(sky->getFading()))
            return "own";
        return GAME_BOARD_VIEW && GAME_BOARD_VIEW->hasObject(sky->getFading()) ? "board"
                                                                               : "nowhere";
    }
    // The focused component, named after the nearest watched screen around it:
    // "createmenu:editname", "mainroundmenu:main"; a watched screen by its own name.
    static std::string focusName(kel::ui::KELUI* root) {
        ::ui::Component* focused = root->getFocusedComponent();
        for (::ui::Component* c = focused; c; c = c->getMaster())
            if (std::count(kScreens.begin(), kScreens.end(), c->getName()))
                return c == focused ? c->getName() : c->getName() + ":" + focused->getName();
        return focused ? focused->getName() : "none";
    }
};

// What RESUME_GAME changes over the in-game ring (with the render timers left as they are, and
// with them paused before), and END_GAME over it after a map's sky.
// The HUD's part that goes in free-look takes the focus whenever it shows (its own rule).
inline const std::string kResumedTimersAsTheyWere =
    "-screenshot -gameroundmenu +gameui env=on view=board fade=0 pointer=shown state=GAME mode=1 "
    "level=loud classes=11 focus=gameui:subgameui";
inline const std::string kResumed = kResumedTimersAsTheyWere + " timers=--";
inline const std::string kEnded = "-screenshot -gameroundmenu skyname=Default fade=4@1:own "
                                  "+pleasewait pointer=hidden forced=+1 state=ENDING_GAME mode=1";

// The root taken along the host's road to a given point, with the world around it set from the
// tokens of a table cell.
class RootWorldFixture : public RootFixture {
protected:
    bool bootToMainMenu() override { return false; }
    void TearDown() override {
        if (scenarioTaken)
            SCENARIO = savedScenario;
        if (game && !game->getBoard().getStateController()->isStateStable())
            game->getBoard().getStateController()->endTransition();
        RootFixture::TearDown();
    }

    // The places on the host's road: "loaded" (layout read, still INITIAL), then the states it
    // reaches in turn; ENDING_GAME is left from the game menu.
    static const std::vector<std::string>& road() {
        static const std::vector<std::string> places = {"loaded", "MAIN_MENU", "LOADING",
                                                        "GAME",   "GAME_MENU", "ENDING_GAME"};
        return places;
    }
    void reach(const std::string& where) {
        const auto to = std::find(road().begin(), road().end(), where) - road().begin();
        root->command(kel::ui::Command::LOAD_INTERFACE);
        // The settings pages the shipped layout does not build yet, and the goal screen the
        // scenario shows, stand in as hidden plain pages so what the root does to them shows.
        for (auto [screen, page] : {std::pair{"commonui", "inputmenu"},
                                    {"commonui", "redefinemenu"},
                                    {"commonui", "videomenu"},
                                    {"mainui", "maingoal"}}) {
            if (root->getDescendant(page))
                continue;
            auto* standIn = new ::ui::Container(root.get());
            standIn->setName(page);
            dynamic_cast<::ui::Container*>(root->getComponent(screen))->addComponent(standIn);
        }
        if (to >= 1)
            root->command(kel::ui::Command::SHOW_MAIN_MENU);
        if (to >= 2) {
            game = std::make_unique<kel::logic::Game>();
            ASSERT_TRUE(game->loadMap("/Maps/Lighthouse.lvx"));
            root->command(kel::ui::Command::BEGIN_LOADING);
            root->setGameBoard(&game->getBoard());
        }
        if (to >= 3)
            root->command(kel::ui::Command::BEGIN_GAME);
        if (to >= 4) {
            root->command(kel::ui::Command::SHOW_GAME_MENU);
            frame(); // the battle picture is taken: the in-game ring opens
            wait(0.6);
        }
        if (to >= 5)
            root->command(kel::ui::Command::END_GAME);
    }

    // The cell's first word may say where on the road the root stands (MAIN_MENU when it does
    // not); the others set the world: "+screen"/"-screen", "pointer=shown|hidden", "at=X,Y",
    // "fade=N", "env=on|off", "mapsky" (a map's sky loaded), "day=N", "music=off",
    // "quiet"/"loud", "classes=01", "timers=PD|P-|-D|--", "scale=S", "rich=no",
    // "players=none|beyond", "mode=Play|Create" (the creation menu's), "map=Stem" (chosen in the
    // map dialog), "unstable" (the board is busy), "noscenario". Then a "bgm" fade is in
    // progress and nothing has the focus, so a new fade or focus shows.
    void given(const std::string& cell) {
        const std::string first = cell.substr(0, cell.find(' '));
        const bool placed = std::count(road().begin(), road().end(), first);
        reach(placed ? first : "MAIN_MENU");
        if (HasFatalFailure())
            return;
        set(placed ? cell.substr(first.size()) : cell);
        sound::MANAGER->startFading("bgm", 0.25f, 0.75f);
        root->setFocusedComponent(nullptr);
        events.take();
    }

    // Sets the world as a cell's words after the place say.
    void set(const std::string& cell) {
        for (const std::string& token : RootWorld::words(cell))
            setOne(token);
    }

    std::unique_ptr<kel::logic::Game> game; // outlives the root's teardown

private:
    void setOne(const std::string& token) {
        const auto eq = token.find('=');
        const std::string key = token.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : token.substr(eq + 1);
        kel::ui::Sky* sky = kel::ui::theAccessor.getSky();
        using kel::ui::theSaves;
        if (token[0] == '+' || token[0] == '-') {
            ::ui::Component* screen = root->getDescendant(token.substr(1));
            ASSERT_NE(screen, nullptr) << token;
            screen->setVisible(token[0] == '+');
        } else if (key == "pointer") {
            pointer()->setVisible(value == "shown");
        } else if (key == "at") {
            moveTo(std::stof(value), std::stof(value.substr(value.find(',') + 1)));
        } else if (key == "fade") {
            sky->startFading(std::stoi(value));
        } else if (key == "env") {
            sky->setEnvironmentVisible(value == "on");
        } else if (key == "mapsky") {
            config::Config map;
            ASSERT_TRUE(map.readString("sky = Eden\n", "map.cfg"));
            sky->loadConfiguration(&map);
        } else if (key == "day") {
            sky->getEnvironment()->setDayTime(DayTime(std::stoi(value)));
        } else if (key == "music") {
            theSoundManager->stopMusic();
        } else if (key == "quiet" || key == "loud") {
            key == "quiet" ? theSoundManager->quiet() : theSoundManager->loud();
        } else if (key == "classes") {
            for (int c = 0; c < 2; ++c)
                value[c] == '1' ? theInsonificatorManager->enable(c)
                                : theInsonificatorManager->disable(c);
        } else if (key == "timers") {
            for (auto [timer, paused] : {std::pair{thePausedRenderTimer, value[0] == 'P'},
                                         std::pair{theDelayedRenderTimer, value[1] == 'D'}})
                paused ? timer->pause() : timer->resume();
        } else if (key == "scale") {
            theDelayedRenderTimer->setTimeScale(std::stof(value));
        } else if (key == "rich") {
            dynamic_cast<::ui::Container*>(root->getComponent("mainui"))->setRich(false);
        } else if (key == "players" && value == "none") {
            theSaves.removeUser(theSaves.getCurrentUser());
        } else if (key == "players") { // the current player reached the second mission
            theSaves.setMaximumMission(kel::ui::theKelDataStorage->getMission(1));
            theSaves.setCurrentMission(kel::ui::theKelDataStorage->getMission(1));
        } else if (key == "mode") {
            kel::ui::theAccessor.getCreateMenu()->setMode(
                value == "Play" ? kel::ui::CreateMenu::Play : kel::ui::CreateMenu::Create);
        } else if (key == "map") {
            auto* dialog = dynamic_cast<::ui::Container*>(root->getDescendant("newgamedialog"));
            auto* list = dynamic_cast<::ui::ListBox*>(dialog->getComponent("list"));
            ASSERT_TRUE(list && list->selectString(value)) << token;
            ::ui::NotifyEvent changed(list); // the player's click on the row
            changed.setSValue("action", "selchanged");
            list->notify(changed);
        } else if (key == "unstable") {
            game->getBoard().getStateController()->beginTransition();
        } else if (key == "noscenario") {
            savedScenario = std::exchange(SCENARIO, nullptr);
            scenarioTaken = true;
        } else {
            FAIL() << "unknown given " << token;
        }
    }

    kel::logic::ScenarioInterface* savedScenario = nullptr;
    bool scenarioTaken = false;
};

} // namespace kel::test

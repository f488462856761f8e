#pragma once

#include "ui/Accessor.h"
#include "ui/CreateMenu.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"
#include "ui/Sky.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/SEFading.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/CountingScenario.h"
#include "host/logic/Globals.h"
#include "host/logic/RecordingControlSource.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/ui/MousePointer.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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
    static const std::vector<std::string>& screens() {
        static const std::vector<std::string> names = {
            "mainui",       "commonui",     "gameui",    "mainroundmenu", "gameroundmenu",
            "createmenu",   "gamemenu",     "playmenu",  "newgamedialog", "inputmenu",
            "redefinemenu", "soundmenu",    "videomenu", "screenshot",    "sky",
            "pleasewait",   "endturnbutton"};
        return names;
    }

    static Snapshot take(kel::ui::KELUI* root) {
        Snapshot s;
        static const char* const states[] = {"INITIAL", "MAIN_MENU", "LOADING",
                                             "GAME",    "GAME_MENU", "ENDING_GAME"};
        s.emplace_back("state", states[static_cast<int>(root->getState())]);
        for (const std::string& name : screens()) {
            ::ui::Component* c = root->getDescendant(name);
            s.emplace_back(name, c ? (c->getVisible() ? "+" : "-") : "absent");
        }
        s.emplace_back("focus", focusName(root));
        if (kel::ui::KELMousePointer* p = root->getKELMousePointer()) {
            s.emplace_back("pointer", p->getVisible() ? "shown" : "hidden");
            s.emplace_back("mode", number(p->getMode()));
        }
        if (::ui::MousePointer* p = root->getMousePointer())
            s.emplace_back("at", number(p->getX()) + "," + number(p->getY()));
        if (kel::ui::Sky* sky = kel::ui::theAccessor.getSky()) {
            std::string fade = number(sky->getFadingType());
            if (sky->isFadingRegistered())
                fade += "@" + number(sky->getFading()->getValue()) + ":" +
                        where(sky->getFading(), sky->getScene().getView());
            s.emplace_back("fade", fade);
            s.emplace_back("env", sky->getEnvironmentVisible() ? "on" : "off");
            s.emplace_back("view", !sky->getCustomView()                     ? "own"
                                   : sky->getCustomView() == GAME_BOARD_VIEW ? "board"
                                                                             : "other");
            s.emplace_back("skyname", sky->getEnvironment()->getSkyName());
        }
        s.emplace_back("bgm", std::string(sound::MANAGER->isFading("bgm") ? "fading@" : "still@") +
                                  number(sound::MANAGER->getFadeLevel("bgm")));
        s.emplace_back("rewound", number(sound::MANAGER->getRewound("bgm").size()));
        s.emplace_back("music",
                       theSoundManager->isMusicPlaying() ? theSoundManager->getMusicName() : "off");
        s.emplace_back("level", theSoundManager->isLoud() ? "loud" : "quiet");
        s.emplace_back("classes",
                       std::string(theInsonificatorManager->getIsEnabled(0) ? "1" : "0") +
                           (theInsonificatorManager->getIsEnabled(1) ? "1" : "0"));
        s.emplace_back("timers", std::string(thePausedRenderTimer->isPaused() ? "P" : "-") +
                                     (theDelayedRenderTimer->isPaused() ? "D" : "-"));
        s.emplace_back("forced", number(theRenderDriver->getForcedFrameCount()));
        s.emplace_back("listening",
                       theKelInput->getRootBroadcaster()->isAttached(root) ? "yes" : "no");
        if (auto* mainui = dynamic_cast<::ui::Container*>(root->getComponent("mainui")))
            s.emplace_back("rich", mainui->isRich() ? "yes" : "no");
        if (kel::ui::CreateMenu* create = kel::ui::theAccessor.getCreateMenu())
            s.emplace_back("createmode",
                           create->getMode() == kel::ui::CreateMenu::Play ? "Play" : "Create");
        int endTurns = 0;
        if (auto* cs = dynamic_cast<kel::logic::RecordingControlSource*>(BATTLE_CONTROL_SOURCE))
            for (const std::string& call : cs->getCalls())
                endTurns += call == "endTurn()";
        s.emplace_back("endturns", number(endTurns));
        if (auto* scenario = dynamic_cast<kel::logic::CountingScenario*>(SCENARIO))
            s.emplace_back("goals", number(scenario->getShowGoalsCount()));
        s.emplace_back("insonify", number(theLandInsonificator->getForceUpdateCount()));
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
                tokens.push_back(key + "=+" + number(std::stol(value) - std::stol(found->second)));
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
        std::vector<std::string> list;
        for (std::string word; in >> word;)
            list.push_back(word);
        return list;
    }

private:
    static std::string join(std::vector<std::string> tokens) {
        std::sort(tokens.begin(), tokens.end());
        std::string all;
        for (const std::string& token : tokens)
            all += (all.empty() ? "" : " ") + token;
        return all;
    }
    template <class T> static std::string number(T value) {
        std::ostringstream out;
        out.precision(4);
        out << value;
        return out.str();
    }
    static std::string where(const RenderObject* object, const View* own) {
        if (own && own->hasObject(object))
            return "own";
        if (GAME_BOARD_VIEW && GAME_BOARD_VIEW->hasObject(object))
            return "board";
        return "nowhere";
    }
    // The focused component, named after the nearest watched screen around it:
    // "createmenu:editname", "mainroundmenu:main"; a watched screen by its own name.
    static std::string focusName(kel::ui::KELUI* root) {
        ::ui::Component* focused = root->getFocusedComponent();
        if (!focused)
            return "none";
        const auto& watched = screens();
        for (::ui::Component* c = focused; c; c = c->getMaster())
            if (std::find(watched.begin(), watched.end(), c->getName()) != watched.end())
                return c == focused ? c->getName() : c->getName() + ":" + focused->getName();
        return focused->getName();
    }
};

} // namespace kel::test

#include "Session.h"

#include "ui/Accessor.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"
#include "ui/KelDataStorage.h"
#include "ui/MessageBoxA.h"
#include "ui/Saves.h"
#include "ui/Sky.h"

#include "host/ReferenceHost.h"
#include "host/debug/Error.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/input/Device.h"
#include "host/input/Keys.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/Game.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Globals.h"
#include "host/logic/RecordingControlSource.h"
#include "host/profile/Profile.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/EditBox.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Snapshot.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"

#include <chrono>
#include <cstdio>
#include <map>

namespace kelplay {

namespace {

const std::map<std::string, kel::ui::Command::Name>& commandNames() {
    static const std::map<std::string, kel::ui::Command::Name> names = {
        {"LOAD_INTERFACE", kel::ui::Command::LOAD_INTERFACE},
        {"SHOW_MAIN_MENU", kel::ui::Command::SHOW_MAIN_MENU},
        {"BEGIN_LOADING", kel::ui::Command::BEGIN_LOADING},
        {"BEGIN_GAME", kel::ui::Command::BEGIN_GAME},
        {"SHOW_GAME_MENU", kel::ui::Command::SHOW_GAME_MENU},
        {"RESUME_GAME", kel::ui::Command::RESUME_GAME},
        {"END_GAME", kel::ui::Command::END_GAME},
    };
    return names;
}

const char* stateName(kel::ui::State::Name state) {
    static const char* const names[] = {"INITIAL", "MAIN_MENU", "LOADING",
                                        "GAME",    "GAME_MENU", "ENDING_GAME"};
    return state >= 0 && state <= 5 ? names[state] : "?";
}

int buttonOf(const std::string& name) {
    static const std::map<std::string, int> buttons = {
        {"OK", kel::ui::MessageBoxA::OK},         {"YES", kel::ui::MessageBoxA::YES},
        {"NO", kel::ui::MessageBoxA::NO},         {"ABORT", kel::ui::MessageBoxA::ABORT},
        {"RETRY", kel::ui::MessageBoxA::RETRY},   {"IGNORE", kel::ui::MessageBoxA::IGNORE},
        {"CANCEL", kel::ui::MessageBoxA::CANCEL},
    };
    const auto found = buttons.find(name);
    return found == buttons.end() ? -1 : found->second;
}

std::string buttonName(int button) {
    for (const char* name : {"OK", "YES", "NO", "ABORT", "RETRY", "IGNORE", "CANCEL"})
        if (buttonOf(name) == button)
            return name;
    return "none";
}

bool parseFloat(const std::string& text, float* out) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end)
        return false;
    *out = value;
    return true;
}

// The text a component shows, for the kinds of text component there are.
bool textOf(::ui::Component* component, std::string* out) {
    if (auto* text = dynamic_cast<::ui::Text*>(component))
        *out = text->getText();
    else if (auto* button = dynamic_cast<::ui::TextButton*>(component))
        *out = button->getText();
    else if (auto* both = dynamic_cast<::ui::BothTextSprite*>(component))
        *out = both->getText();
    else if (auto* sprite = dynamic_cast<::ui::SpriteText*>(component))
        *out = sprite->getText();
    else if (auto* edit = dynamic_cast<::ui::EditBox*>(component))
        *out = edit->getText();
    else
        return false;
    return true;
}

} // namespace

Session::Session(Options options, std::function<void(const std::string&)> print)
    : options(std::move(options)), print(std::move(print)), report(this->options.outputDirectory) {}

Session::~Session() {
    std::string ignored;
    if (!finished)
        finish(&ignored);
}

bool Session::start(std::string* error) {
    if (options.writeReport && !report.open(error))
        return false;
    errorObserver = debug::addErrorObserver([this](const debug::Error& logged) {
        if (!logged.isLogged())
            return;
        const debug::Context& where = logged.getContext();
        std::lock_guard<std::mutex> guard(errorsMutex);
        loggedErrors.push_back(
            {where.getFile(), where.getLine(), where.getColumn(), logged.getText()});
    });
    resetReferenceHost();
    if (options.realClock)
        theTimer->setManual(false);
    theProfile->load();
    theKelInput->load();
    boot();
    return true;
}

void Session::boot() {
    game = std::make_unique<kel::logic::Game>();
    game->getControlSource().setObserver(
        [this](const std::string& call) { say("control source: " + call); });
    root = std::make_unique<kel::ui::KELUI>();
    kel::ui::theKELUI = root.get();
    root->init();
    root->addUIListener(this);
    theKelInput->getDeviceToCS()->getOutput()->attach(root->getCSMessageRedirector());
    say("module started: " + std::to_string(int(root->getScreenWidth())) + "x" +
        std::to_string(int(root->getScreenHeight())));
    root->command(kel::ui::Command::LOAD_INTERFACE);
    root->command(kel::ui::Command::SHOW_MAIN_MENU);
    say(std::string("state ") + stateName(root->getState()));
}

void Session::shutDown() {
    joinQuestion();
    if (!root)
        return;
    theKelInput->getDeviceToCS()->getOutput()->detach(root->getCSMessageRedirector());
    // The root attaches itself to the root broadcaster for good; the host takes it off before
    // the root goes.
    theKelInput->getRootBroadcaster()->detach(root.get());
    root->removeUIListener(this);
    leaveBattle();
    root->term();
    root.reset();
    kel::ui::theKELUI = nullptr;
    game.reset();
    say("module stopped");
}

bool Session::finish(std::string* error) {
    if (finished)
        return true;
    finished = true;
    shutDown();
    if (errorObserver) {
        debug::removeErrorObserver(errorObserver);
        errorObserver = 0;
    }
    return !options.writeReport || report.close("kel-play", error);
}

bool Session::loadMap(const std::string& gamePath) {
    return game && game->loadMap(gamePath);
}

std::vector<DataProblem> Session::getLoggedErrors() const {
    std::lock_guard<std::mutex> guard(errorsMutex);
    return loggedErrors;
}

std::string Session::clockText() const {
    char text[32];
    std::snprintf(text, sizeof text, "[%7.2fs] ", theTimer->getTime());
    return text;
}

void Session::say(const std::string& line) {
    const std::string stamped = clockText() + line;
    report.addTranscriptLine(stamped);
    if (print)
        print(stamped);
}

void Session::uiEvent(const kel::ui::Event& event) {
    std::string name, map;
    event.getProperty("name", &name);
    std::string line = name;
    if (event.getProperty("mapName", &map))
        line += " mapName=" + map;
    heard.push_back(line);
    lastEvent = line;
    say("event " + line);
}

// What a host does with the events it heard, once the module is out of the call that sent them.
void Session::frames(double seconds) {
    const double step = 1.0 / 60;
    double passed = 0;
    do {
        const double now = std::min(step, seconds - passed);
        if (options.realClock && now > 0)
            std::this_thread::sleep_for(std::chrono::duration<double>(now));
        else
            theTimer->advance(now);
        theRenderDriver->drawFrame();
        passed += step;
    } while (passed < seconds - 1e-9);
}

void Session::leaveBattle() {
    root->resetGameBoard();
    if (GAME_BOARD_VIEW) {
        theRenderDriver->removeView(GAME_BOARD_VIEW);
        GAME_BOARD_VIEW->deactivate();
    }
}

void Session::startBattle(const std::string& mapName) {
    std::string file = kel::ui::theKelDataStorage->mapFile(mapName);
    if (file.empty())
        file = mapName;
    root->command(kel::ui::Command::BEGIN_LOADING);
    say(std::string("state ") + stateName(root->getState()) + ": loading /Maps/" + file);
    if (!game->loadMap("/Maps/" + file)) {
        say("the map /Maps/" + file + " could not be loaded; back to the main menu");
        root->command(kel::ui::Command::END_GAME);
        root->command(kel::ui::Command::SHOW_MAIN_MENU);
        return;
    }
    root->setGameBoard(&game->getBoard());
    // The game logic draws its board through its own view.
    GAME_BOARD_VIEW->activate();
    theRenderDriver->addView(GAME_BOARD_VIEW);
    root->command(kel::ui::Command::BEGIN_GAME);
    say(std::string("state ") + stateName(root->getState()) + ": " +
        std::to_string(game->getBoard().getUnits().size()) + " units on the board");
}

bool Session::key(const std::string& name, bool pressed, std::string* problem) {
    auto event = ::input::makeButton(name, pressed);
    if (!event) {
        *problem = "no key or mouse button named '" + name + "'";
        return false;
    }
    theKelInput->feed(event);
    return true;
}

bool Session::joinQuestion() {
    if (!question.joinable())
        return true;
    // The host thread returns once the player answered; give it a moment to tear the box down.
    for (int i = 0; i < 2000 && !answered; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const bool wasAnswered = answered;
    if (!wasAnswered) {
        // Nobody answers: close the box so the host thread (and the session) can end.
        thread::Lock hold(*root);
        for (::ui::Component* top : root->getTopLevel())
            if (auto* box = dynamic_cast<kel::ui::MessageBoxA*>(top)) {
                ::ui::NotifyEvent close(box);
                box->notify(close);
            }
    }
    question.join();
    return wasAnswered;
}

bool Session::run(const ScriptCommand& command, const std::string& file, ScriptError* error) {
    std::string problem;
    const auto& verb = command.verb;
    const auto& args = command.args;
    auto fail = [&](const std::string& message) {
        *error = ScriptError{file, command.line, message};
        say("FAILED " + error->describe());
        return false;
    };
    auto number = [&](size_t i, float* out) {
        if (!parseFloat(args[i], out)) {
            problem = "'" + args[i] + "' is no number";
            return false;
        }
        return true;
    };
    float x = 0, y = 0, seconds = 0;

    if (verb == "key") {
        if (!key(args[0], true, &problem) || !key(args[0], false, &problem))
            return fail(problem);
        frames(0);
    } else if (verb == "press" || verb == "release") {
        if (!key(args[0], verb == "press", &problem))
            return fail(problem);
        frames(0);
    } else if (verb == "type") {
        for (char c : args[0])
            theKelInput->feed(counting_ptr<::input::Event>(new ::input::events::Character(
                ::input::devices::PCKeyboard::instance(), std::string(1, c))));
    } else if (verb == "move" || verb == "click") {
        if (!number(0, &x) || !number(1, &y))
            return fail(problem);
        root->getMousePointer()->setPosition(x, y);
        if (verb == "click") {
            const std::string button = args.size() > 2 ? args[2] : "LeftClick";
            if (!key(button, true, &problem) || !key(button, false, &problem))
                return fail(problem);
        }
        frames(0);
    } else if (verb == "wait") {
        if (!number(0, &seconds) || seconds < 0)
            return fail(problem.empty() ? "a wait needs a positive number of seconds" : problem);
        frames(seconds);
    } else if (verb == "frame") {
        float count = 1;
        if (!args.empty() && !number(0, &count))
            return fail(problem);
        for (int i = 0; i < static_cast<int>(count); ++i)
            frames(0);
    } else if (verb == "snapshot") {
        ::ui::Snapshot::Options snapshotOptions;
        snapshotOptions.overlay = options.overlay;
        snapshotOptions.title = args.size() > 1 ? args[1] : args[0];
        const std::string svg = ::ui::Snapshot(root.get()).render(snapshotOptions);
        if (!report.addSnapshot(args[0], snapshotOptions.title, svg, &problem))
            return fail(problem);
        say("snapshot " + args[0] + (args.size() > 1 ? ": " + args[1] : ""));
    } else if (verb == "command") {
        const auto found = commandNames().find(args[0]);
        if (found == commandNames().end())
            return fail("no flow command '" + args[0] + "'");
        root->command(found->second);
        // A host that leaves the battle itself forgets the board it gave.
        if (found->second == kel::ui::Command::END_GAME)
            leaveBattle();
        say("command " + args[0] + " -> " + stateName(root->getState()));
    } else if (verb == "ask") {
        int style = 0;
        size_t start = 0;
        const std::string& styles = args[1];
        while (start <= styles.size()) {
            const size_t bar = std::min(styles.find('|', start), styles.size());
            const int bit = buttonOf(styles.substr(start, bar - start));
            if (bit < 0)
                return fail("no message-box button '" + styles.substr(start, bar - start) + "'");
            style |= bit;
            start = bar + 1;
        }
        joinQuestion();
        answer = -1;
        answered = false;
        const std::string text = args[0];
        question = std::thread([this, text, style] {
            answer = root->messageBox(text, style);
            answered = true;
        });
        // The box is up once the host thread holds it out: wait for it as a player would look.
        for (int i = 0; i < 5000; ++i) {
            bool up = false;
            {
                thread::Lock hold(*root);
                for (::ui::Component* top : root->getTopLevel())
                    up = up || dynamic_cast<kel::ui::MessageBoxA*>(top) != nullptr;
            }
            if (up)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        say("the host asks \"" + text + "\" (" + styles + ") and waits");
    } else if (verb == "expect") {
        if (!expect(args, &problem))
            return fail(problem);
    } else if (verb == "echo") {
        say(args[0]);
    } else if (verb == "reach") {
        kel::ui::theSaves.userReached(args[0]);
        say("the host reports that " + kel::ui::theSaves.getCurrentUser() + " reached " + args[0]);
    } else if (verb == "restart") {
        shutDown();
        resetReferenceHost();
        theProfile->load();
        theKelInput->load();
        boot();
    } else if (verb == "quit") {
        over = true;
    }

    // The host answers what it heard once the module is out of the call that sent it.
    while (!heard.empty() && !over) {
        const std::string event = heard.front();
        heard.erase(heard.begin());
        if (event.compare(0, 8, "newgame ") == 0) {
            startBattle(event.substr(event.find('=') + 1));
        } else if (event == "endgame") {
            leaveBattle();
            root->command(kel::ui::Command::SHOW_MAIN_MENU);
            say(std::string("state ") + stateName(root->getState()));
        } else if (event == "exit") {
            say("the player quits");
            over = true;
        }
    }
    return true;
}

bool Session::expect(const std::vector<std::string>& args, std::string* problem) {
    const std::string& what = args[0];
    auto need = [&](size_t count) {
        if (args.size() < count + 1) {
            *problem = "expect " + what + " needs " + std::to_string(count) + " argument(s)";
            return false;
        }
        return true;
    };
    if (what == "state") {
        if (!need(1))
            return false;
        const std::string now = stateName(root->getState());
        if (now != args[1])
            *problem = "the state is " + now + ", not " + args[1];
    } else if (what == "shown" || what == "hidden") {
        if (!need(1))
            return false;
        ::ui::Component* component = root->getDescendant(args[1]);
        if (!component)
            *problem = "there is no component '" + args[1] + "'";
        else if (component->isShowed() != (what == "shown"))
            *problem = "'" + args[1] + "' is " + (component->isShowed() ? "shown" : "hidden");
    } else if (what == "event") {
        if (!need(1))
            return false;
        if (lastEvent != args[1])
            *problem = "the last event was '" + lastEvent + "', not '" + args[1] + "'";
    } else if (what == "answer") {
        if (!need(1))
            return false;
        if (!joinQuestion())
            *problem = "nobody answered the host's question";
        else if (buttonName(answer) != args[1])
            *problem = "the answer was " + buttonName(answer) + ", not " + args[1];
    } else if (what == "daytime") {
        if (!need(1))
            return false;
        const DayTime time = kel::ui::theAccessor.getSky()->getEnvironment()->getDayTime();
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", time.getHours(), time.getMinutesOfHour());
        if (args[1] != text)
            *problem = std::string("the day time is ") + text + ", not " + args[1];
    } else if (what == "focus") {
        if (!need(1))
            return false;
        ::ui::Component* focused = root->getFocusedComponent();
        const std::string name = focused ? focused->getName() : "(none)";
        if (name != args[1])
            *problem = "the focus is on " + name + ", not " + args[1];
    } else if (what == "text") {
        if (!need(2))
            return false;
        std::string text;
        ::ui::Component* component = root->getDescendant(args[1]);
        if (!component || !textOf(component, &text))
            *problem = "there is no text component '" + args[1] + "'";
        else if (text != args[2])
            *problem = "'" + args[1] + "' shows \"" + text + "\", not \"" + args[2] + "\"";
    } else if (what == "pointer") {
        if (!need(1))
            return false;
        const int mode = root->getKELMousePointer()->getMode();
        const std::string look = root->getKELMousePointer()->getVisible()
                                     ? (mode == 0 ? "interface" : "board")
                                     : "hidden";
        if (look != args[1])
            *problem = "the pointer is " + look + ", not " + args[1];
    } else {
        *problem = "cannot expect '" + what +
                   "' (state, shown, hidden, event, answer, daytime, "
                   "focus, text, pointer)";
    }
    if (problem->empty())
        say("ok: expect " + what + (args.size() > 1 ? " " + args[1] : ""));
    return problem->empty();
}

bool Session::runScript(const Script& script, const std::string& file, ScriptError* error) {
    for (const auto& command : script.getCommands()) {
        if (over)
            break;
        if (!run(command, file, error))
            return false;
    }
    return true;
}

} // namespace kelplay

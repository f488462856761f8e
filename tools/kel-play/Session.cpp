#include "Session.h"
#include "HostInput.h"
#include "Overlay.h"
#include "Terminal.h"

#include "ui/Accessor.h"
#include "ui/Balloon.h"
#include "ui/BalloonContainer.h"
#include "ui/CSMessageRedirector.h"
#include "ui/GameUI.h"
#include "ui/Goal.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"
#include "ui/KelDataStorage.h"
#include "ui/Loading.h"
#include "ui/MessageBoxA.h"
#include "ui/Results.h"
#include "ui/RoundMenu.h"
#include "ui/Saves.h"
#include "ui/Sky.h"
#include "ui/StatusPanel.h"
#include "ui/UnitHandle.h"

#include "host/ReferenceHost.h"
#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/ScreenPictures.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"
#include "host/input/Device.h"
#include "host/input/Keys.h"
#include "host/kelinput/BoardCamera.h"
#include "host/kelinput/CS.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/Act.h"
#include "host/logic/BoardGeometry.h"
#include "host/logic/Chest.h"
#include "host/logic/Game.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Globals.h"
#include "host/logic/Landscape.h"
#include "host/logic/Object.h"
#include "host/logic/RecordingControlSource.h"
#include "host/logic/Target.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"
#include "host/logic/Unit3d.h"
#include "host/profile/Profile.h"
#include "host/render/FrameRenderer.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/Container.h"
#include "host/ui/EditBox.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Plane.h"
#include "host/ui/PlaneComponent.h"
#include "host/ui/Snapshot.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>

namespace kelplay {

namespace {

const char* stateName(int state) {
    return state >= 0 && state < 6 ? kStateNames[state] : "?";
}

std::string buttonName(int button) {
    for (const char* name : {"OK", "YES", "NO", "ABORT", "RETRY", "IGNORE", "CANCEL"})
        if (messageBoxButton(name) == button)
            return name;
    return "none";
}

// A number the script checker has let through.
float numberOf(const std::string& text) {
    double value = 0;
    readNumber(text, &value);
    return static_cast<float>(value);
}

// The round menu the player sees now: the shown one deepest in the tree.
kel::ui::RoundMenu* shownRing(::ui::Component* component) {
    if (!component->isShowed())
        return nullptr;
    if (auto* container = dynamic_cast<::ui::Container*>(component))
        for (::ui::Component* child : container->getChildren())
            if (auto* ring = shownRing(child))
                return ring;
    return dynamic_cast<kel::ui::RoundMenu*>(component);
}

// A component by its name, or by a path of names below one another ("status.unit.name"), each
// the first of that name below the one before.
::ui::Component* findByPath(::ui::Container* root, const std::string& path) {
    ::ui::Component* found = root;
    size_t start = 0;
    while (found && start <= path.size()) {
        const size_t dot = std::min(path.find('.', start), path.size());
        auto* container = dynamic_cast<::ui::Container*>(found);
        found = container ? container->getDescendant(path.substr(start, dot - start)) : nullptr;
        start = dot + 1;
    }
    return found;
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

// The shares of the loading bar the host gives the board's load phases (landscape, objects,
// units), in percent.
const std::vector<float> kLoadWeights = {30, 20, 50};

// The part of the loading bar that shows, in percent of the bar; -1 without a bar.
int loadingBarPercent(kel::ui::KELUI* root) {
    thread::Lock hold(*root);
    const auto* gadget = dynamic_cast<::ui::PlaneComponent*>(root->getDescendant("gadget"));
    if (!gadget || gadget->getWidth() <= 0)
        return -1;
    const ::ui::Plane* plane = gadget->getPlane();
    const float shown = plane->hasRegion() ? plane->getRegion()[2] : gadget->getWidth();
    return static_cast<int>(std::lround(100.0f * shown / gadget->getWidth()));
}

// The goal screen the in-game menu's "goal" entry leads to.
kel::ui::Goal* goalScreen(kel::ui::KELUI* root) {
    thread::Lock hold(*root);
    return dynamic_cast<kel::ui::Goal*>(root->getDescendant("maingoal"));
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
    // A screenshot behind the in-game ring keeps the frame it was taken in, drawn by the renderer.
    if (options.renderFrames)
        ScreenPictures::setTaker([this](ScreenPictures::Picture* picture) {
            render::Picture frame;
            if (!root || !renderFrame(&frame))
                return false;
            picture->width = frame.width;
            picture->height = frame.height;
            picture->rgba = std::move(frame.pixels);
            return true;
        });
    boot();
    return true;
}

void Session::HostStates::event(const counting_ptr<::input::Event>& e) {
    auto* cs = e.as<kel::input::events::CS>();
    if (!cs || !session.root)
        return;
    const int state = cs->getState()->getNumber();
    if (state == 26) {
        auto* gameUI = dynamic_cast<kel::ui::GameUI*>(session.root->getDescendant("gameui"));
        if (!gameUI)
            return;
        freelook = !freelook;
        session.say(std::string("the host switches unit free-look ") + (freelook ? "on" : "off"));
        gameUI->setUnitFreelook(freelook);
    } else if (state == 27 && session.game && session.root->getState() == kel::ui::State::GAME) {
        // As the in-game ring's "goal" entry does: the battle pauses under the ring, the goals
        // come over it, and closing them brings the ring back.
        session.say("the host pauses the battle for the goals");
        session.root->command(kel::ui::Command::SHOW_GAME_MENU);
        session.game->getScenario().showGoals();
    }
}

void Session::boot() {
    game = std::make_unique<kel::logic::Game>();
    game->getControlSource().setObserver(
        [this](const std::string& call) { say("control source: " + call); });
    // The scenario asks on the UI thread, in the middle of the in-game menu's command: the host
    // shows the goals between frames, from a thread of its own.
    game->getScenario().setObserver([this] {
        say("the scenario asks for the goals");
        goalsAsked = true;
    });
    root = std::make_unique<kel::ui::KELUI>();
    kel::ui::theKELUI = root.get();
    root->init();
    root->addUIListener(this);
    theKelInput->getDeviceToCS()->getOutput()->attach(root->getCSMessageRedirector());
    theKelInput->getDeviceToCS()->getOutput()->attach(&hostStates);
    say("module started: " + std::to_string(int(root->getScreenWidth())) + "x" +
        std::to_string(int(root->getScreenHeight())));
    root->command(kel::ui::Command::LOAD_INTERFACE);
    // The interface's configuration the host keeps with its game flow (the status panel's
    // reduced-info unit kinds).
    config::Config gameFlow;
    config::Block* uiConfiguration = nullptr;
    if (gameFlow.readFile("/Configs/GameFlow/gameflow.cfg") &&
        gameFlow.getPropertyAccess("ui", &uiConfiguration))
        kel::ui::theAccessor.loadConfiguration(uiConfiguration);
    if (kel::ui::Results* results = kel::ui::theAccessor.getResults())
        results->subscribe(this);
    root->command(kel::ui::Command::SHOW_MAIN_MENU);
    observe();
}

void Session::shutDown() {
    joinQuestion();
    if (!root)
        return;
    if (modal.joinable() && !modalReturned) {
        // Nobody closed the modal screen: the player does, so the host thread can end (it waits
        // on the screen, which goes with the module). A screen that something hid meanwhile is
        // brought up again first.
        if (::ui::Component* screen = modalComponent()) {
            {
                thread::Lock hold(*root);
                for (::ui::Component* up = screen; up && up != root.get(); up = up->getMaster())
                    up->setVisible(true);
            }
            screen->processInputEvent(::input::makeButton("Escape", true));
        }
    }
    if (!settleModal()) {
        say("the host thread never came back from the " + modalScreen + " screen");
        modal.join();
    }
    goalsAsked = false;
    leaveAfterResults = false;
    if (kel::ui::Results* results = kel::ui::theAccessor.getResults())
        results->unsubscribe(this);
    theKelInput->getDeviceToCS()->getOutput()->detach(root->getCSMessageRedirector());
    theKelInput->getDeviceToCS()->getOutput()->detach(&hostStates);
    hostStates.freelook = false;
    // The root attaches itself to the root broadcaster for good; the host takes it off before
    // the root goes.
    theKelInput->getRootBroadcaster()->detach(root.get());
    root->removeUIListener(this);
    leaveBattle();
    root->term();
    root.reset();
    kel::ui::theKELUI = nullptr;
    // The host takes the interface's configuration back; the module stays loaded across a
    // restart, so it is left with none, as a freshly loaded module would be.
    config::Block none;
    kel::ui::theAccessor.loadConfiguration(&none);
    game.reset();
    lastState = -1;
    shownScreens.clear();
    say("module stopped");
}

bool Session::finish(const std::string& summary, std::string* error) {
    if (finished)
        return true;
    finished = true;
    ScreenPictures::setTaker(nullptr);
    shutDown();
    observe();
    if (errorObserver) {
        debug::removeErrorObserver(errorObserver);
        errorObserver = 0;
    }
    return !options.writeReport || report.close("kel-play", summary, error);
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

void Session::frames(double seconds) {
    const double step = 1.0 / 60;
    double passed = 0;
    // On the machine's clock a frame starts every step: the time a frame takes (drawing it,
    // showing it in a window) comes out of the wait before the next one.
    using Clock = std::chrono::steady_clock;
    auto due = Clock::now();
    do {
        serveHost();
        const double now = std::min(step, seconds - passed);
        if (options.realClock) {
            due += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(now));
            std::this_thread::sleep_until(due);
        } else {
            theTimer->advance(now);
        }
        theRenderDriver->drawFrame();
        describeUnderPointer();
        observe();
        if (options.afterFrame)
            options.afterFrame();
        passed += step;
    } while (passed < seconds - 1e-9 && !interruptRequested());
    serveHost();
}

void Session::observe() {
    {
        std::vector<DataProblem> fresh;
        {
            std::lock_guard<std::mutex> guard(errorsMutex);
            fresh.assign(loggedErrors.begin() + static_cast<long>(errorsSaid), loggedErrors.end());
            errorsSaid = loggedErrors.size();
        }
        for (const DataProblem& problem : fresh)
            say("error logged: " + describe(problem));
    }
    if (!root)
        return;
    const int state = static_cast<int>(root->getState());
    if (state != lastState) {
        lastState = state;
        say(std::string("state ") + stateName(state));
    }
    std::vector<std::string> shown;
    {
        thread::Lock hold(*root);
        // The layouts (the root's children) and the screens in them.
        for (const ::ui::Component* layout : root->getChildren()) {
            if (!layout->isShowed() || layout->getName().empty())
                continue;
            shown.push_back(layout->getName());
            if (const auto* screens = dynamic_cast<const ::ui::Container*>(layout))
                for (const ::ui::Component* screen : screens->getChildren())
                    if (screen->isShowed() && !screen->getName().empty())
                        shown.push_back(layout->getName() + "." + screen->getName());
        }
        for (const ::ui::Component* top : root->getTopLevel())
            if (top->isShowed() && !top->getName().empty() &&
                top != root->getMousePointer()->getComponent())
                shown.push_back(top->getName());
    }
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    for (const std::string& name : shown)
        if (!std::binary_search(shownScreens.begin(), shownScreens.end(), name))
            say("shown " + name);
    for (const std::string& name : shownScreens)
        if (!std::binary_search(shown.begin(), shown.end(), name))
            say("hidden " + name);
    shownScreens = std::move(shown);
}

void Session::createUnitHandles() {
    kel::logic::GameBoard& board = game->getBoard();
    for (kel::logic::Unit* unit : board.getUnits()) {
        kel::ui::UnitHandle* handle = root->createUnitHandle(unit);
        // As the game logic does for a new handle: the health, then the place over the model.
        handle->update();
        handle->move();
        unitHandles.emplace_back(unit, handle);
    }
    // From now on the board says when a unit walks, and the units animate every frame.
    board.registerListener(this, 2);
    theRenderDriver->registerListener(&unitAnimation, 0);
}

void Session::UnitAnimation::initFrame(float) {
    for (const auto& entry : session.unitHandles)
        entry.second->move();
}

void Session::deleteUnitHandles() {
    theRenderDriver->unregisterListener(&unitAnimation);
    if (game)
        game->getBoard().unregisterListener(this);
    for (const auto& entry : unitHandles)
        root->deleteUnitHandle(entry.second);
    unitHandles.clear();
}

void Session::unitMoved(kel::logic::Unit* unit) {
    if (kel::ui::UnitHandle* handle = handleOf(unit))
        handle->move();
}

kel::ui::UnitHandle* Session::handleOf(const kel::logic::Unit* unit) const {
    for (const auto& entry : unitHandles)
        if (entry.first == unit)
            return entry.second;
    return nullptr;
}

kel::logic::Unit* Session::findUnit(const std::string& reference, std::string* problem) const {
    if (unitHandles.empty()) {
        *problem = "there is no battle with units on the board";
        return nullptr;
    }
    const size_t colon = reference.find(':');
    const std::string kind = reference.substr(0, colon);
    const int wanted = colon == std::string::npos ? 1 : std::atoi(reference.c_str() + colon + 1);
    int seen = 0;
    std::string kinds;
    for (const auto& entry : unitHandles) {
        const std::string& name = entry.first->getInternalName();
        if (name == kind && ++seen == wanted)
            return entry.first;
        if ((" " + kinds + ",").find(" " + name + ",") == std::string::npos)
            kinds += (kinds.empty() ? "" : ", ") + name;
    }
    *problem = seen ? "the board has " + std::to_string(seen) + " " + kind + " unit(s), not " +
                          std::to_string(wanted)
                    : "no " + kind + " on the board (" + kinds + ")";
    return nullptr;
}

bool Session::digitsShown(const kel::logic::Unit* unit, std::string* text) const {
    const kel::ui::UnitHandle* handle = handleOf(unit);
    text->clear();
    if (!handle)
        return false;
    const kel::ui::DigitContainer& digits = handle->getDigits();
    bool inView = true;
    for (int i = 0; i < digits.getCount(); ++i) {
        const kel::ui::Digit* digit = digits.getDigit(i);
        // Least significant first: a player reads them the other way round.
        text->insert(text->begin(), static_cast<char>('0' + digit->getValue()));
        inView = inView && GAME_BOARD_VIEW && GAME_BOARD_VIEW->hasDecal(digit);
    }
    return inView;
}

kel::ui::Balloon* Session::balloonOf(const kel::logic::Unit* unit) const {
    for (const auto& entry : speaking)
        if (entry.first == unit)
            return entry.second;
    return nullptr;
}

bool Session::showBalloon(const std::vector<std::string>& args, std::string* problem) {
    kel::logic::Unit* unit = findUnit(args[0], problem);
    if (!unit)
        return false;
    kel::ui::BalloonContainer* balloons = kel::ui::theAccessor.getBalloonContainer();
    if (!balloons) {
        *problem = "the layout has no balloon container";
        return false;
    }
    const kel::ui::Balloon::Style style = args[1] == "author"     ? kel::ui::Balloon::Author
                                          : args[1] == "thoughts" ? kel::ui::Balloon::Thoughts
                                                                  : kel::ui::Balloon::Speech;
    {
        thread::Lock hold(*root);
        if (kel::ui::Balloon* before = balloonOf(unit))
            balloons->hideBalloon(before);
        speaking.erase(std::remove_if(speaking.begin(), speaking.end(),
                                      [unit](const auto& entry) { return entry.first == unit; }),
                       speaking.end());
        kel::ui::Balloon* balloon = balloons->showBalloon(unit, style, args[2]);
        // Units walk: the balloon follows the model, not the place it stood.
        balloon->setUpdateAlways(true);
        speaking.emplace_back(unit, balloon);
    }
    say("the host shows " + args[0] + "'s " + args[1] + " balloon: \"" + args[2] + "\"");
    return true;
}

bool Session::hideBalloon(const std::string& unitName, std::string* problem) {
    const kel::logic::Unit* unit = findUnit(unitName, problem);
    if (!unit)
        return false;
    kel::ui::Balloon* balloon = balloonOf(unit);
    if (!balloon) {
        *problem = "'" + unitName + "' shows no balloon";
        return false;
    }
    {
        thread::Lock hold(*root);
        if (kel::ui::BalloonContainer* balloons = kel::ui::theAccessor.getBalloonContainer())
            balloons->hideBalloon(balloon);
        speaking.erase(std::remove_if(speaking.begin(), speaking.end(),
                                      [unit](const auto& entry) { return entry.first == unit; }),
                       speaking.end());
    }
    say("the host hides " + unitName + "'s balloon");
    return true;
}

void Session::silenceAll() {
    if (speaking.empty() || !root)
        return;
    thread::Lock hold(*root);
    kel::ui::BalloonContainer* balloons = kel::ui::theAccessor.getBalloonContainer();
    for (const auto& entry : speaking)
        if (balloons)
            balloons->hideBalloon(entry.second);
    speaking.clear();
}

void Session::leaveBattle() {
    // Balloons hold their units' animators: they go before the units' digits and the units.
    silenceAll();
    if (root)
        if (kel::ui::BalloonContainer* balloons = kel::ui::theAccessor.getBalloonContainer())
            if (balloons->isGroupLoaded())
                balloons->releaseGroup();
    takePickingListeners();
    deleteUnitHandles();
    if (boardCamera) {
        theRenderDriver->unregisterListener(boardCamera.get());
        boardCamera.reset();
    }
    root->resetGameBoard();
    if (GAME_BOARD_VIEW) {
        theRenderDriver->removeView(GAME_BOARD_VIEW);
        GAME_BOARD_VIEW->deactivate();
    }
}

template <class T> void Session::pick(T* thing, Model* model) {
    if (!model)
        return;
    kel::ui::CSMessageRedirector* redirector = root->getCSMessageRedirector();
    RenderMeshListener* listener = redirector->addListener(thing);
    model->setMeshListener(listener);
    // The redirector hands the listener out of its lists; whoever takes it destroys it, which
    // unlinks it from the mesh.
    pickingListeners.push_back([redirector, thing, listener] {
        redirector->removeListener(thing);
        delete listener;
    });
}

void Session::hangPickingListeners() {
    kel::logic::GameBoard& board = game->getBoard();
    for (int y = 0; y < board.getHeight(); ++y)
        for (int x = 0; x < board.getWidth(); ++x)
            if (kel::logic::Landscape* cell = board.getLandscape(x, y))
                pick(cell, cell->getModel());
    for (kel::logic::Object* object : board.getObjects())
        pick(object, object->getModel());
    for (kel::logic::Chest* chest : board.getChests())
        pick(chest, chest->getModel());
    for (kel::logic::Unit* unit : board.getUnits())
        pick(unit, unit->getProtoUnit() ? unit->getProtoUnit()->getModel() : nullptr);
}

void Session::takePickingListeners() {
    for (const auto& take : pickingListeners)
        take();
    pickingListeners.clear();
    described.clear();
}

void Session::describeUnderPointer() {
    if (!root || pickingListeners.empty())
        return;
    thread::Lock hold(*root);
    kel::ui::StatusPanel* panel = kel::ui::theAccessor.getStatusPanel();
    if (!panel)
        return;
    const kel::logic::Target target = root->getCSMessageRedirector()->getFocusedObject();
    kel::ui::UnitPanelInfo info;
    if (kel::logic::Unit* unit = target.getUnit()) {
        info.name = unit->getInternalName();
        info.status = unit->getStatus();
        info.health = unit->getHealth();
        info.act = static_cast<float>(unit->getActPool());
        info.defence = unit->getDefence();
        info.kind = unit->getKind();
        // The indicators count the uses of the unit's first act: what a full pool allows, and
        // what is left of it this turn.
        if (!unit->getActs().empty()) {
            const kel::logic::Act& act = *unit->getActs().front();
            info.actModifier = act.getModifier();
            if (act.getCost() > 0) {
                info.indicatorCount = std::min(4, unit->getMaxActPool() / act.getCost());
                info.filledIndicators = unit->getActPool() / act.getCost();
            }
        }
    }
    // The panel is told again only when what it would show changes.
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, " %s %d %g %g %s %d %d %d", info.status.c_str(),
                  info.health, static_cast<double>(info.act), static_cast<double>(info.defence),
                  info.actModifier.c_str(), info.filledIndicators, info.indicatorCount, info.kind);
    const std::string now = target.describe() + numbers;
    if (now == described)
        return;
    const bool moved = described.compare(0, described.find(' '), target.describe()) != 0;
    described = now;
    if (target.getUnit())
        panel->setUnitInfo(info);
    else if (kel::logic::Landscape* cell = target.getLandscape())
        panel->setLandscapeInfo(cell);
    else if (kel::logic::Object* object = target.getObject())
        panel->setObjectInfo(object);
    else
        panel->resetInfo();
    if (moved)
        say("the status panel describes " + target.describe());
}

void Session::startBattle(const std::string& mapName) {
    // The units of a battle still on the board go with the new map: their digits first.
    deleteUnitHandles();
    std::string file = kel::ui::theKelDataStorage->mapFile(mapName);
    if (file.empty())
        file = mapName;
    root->command(kel::ui::Command::BEGIN_LOADING);
    observe();
    // The loading screen shows the mission's pictures and grows its bar as the board loads.
    kel::ui::Loading* loading = kel::ui::theAccessor.getLoading();
    if (loading)
        loading->preStartLoading(mapName);
    else
        say("the layout has no loading screen");
    observe();
    say("the host loads /Maps/" + file);
    kel::logic::GameBoard& board = game->getBoard();
    takePickingListeners(); // a new map replaces the meshes they hang on
    loadPhase = -1;
    loadBar.clear();
    if (loading)
        loading->startLoading(&board, kLoadWeights);
    board.registerListener(this, 1); // after the loading screen: the bar is drawn then
    const bool loaded = game->loadMap("/Maps/" + file);
    board.unregisterListener(this);
    if (loading)
        loading->finishLoading(&board);
    observe();
    if (!loaded) {
        say("the map /Maps/" + file + " could not be loaded; back to the main menu");
        root->command(kel::ui::Command::END_GAME);
        root->command(kel::ui::Command::SHOW_MAIN_MENU);
        return;
    }
    root->setGameBoard(&board);
    // The game logic draws its board through its own view; the camera translator moves its
    // camera from now on, a frame at a time.
    GAME_BOARD_VIEW->activate();
    theRenderDriver->addView(GAME_BOARD_VIEW);
    boardCamera = std::make_unique<kelinput::BoardCamera>(theKelInput->getDeviceToCamera(),
                                                          board.getCamera(), kel::logic::kCellSize);
    theRenderDriver->registerListener(boardCamera.get(), 0);
    hangPickingListeners();
    root->command(kel::ui::Command::BEGIN_GAME);
    createUnitHandles();
    // The mission's pre-drawn phrases, which its units can say by their keys.
    if (kel::ui::BalloonContainer* balloons = kel::ui::theAccessor.getBalloonContainer())
        balloons->loadGroup(mapName);
    say("the battle starts with " + std::to_string(board.getUnits().size()) +
        " units on the board, each with its health digits");
    observe();
}

void Session::startLoadPhase() {
    ++loadPhase;
}

void Session::finishLoadPhase() {
    const auto& names = kel::logic::GameBoard::getLoadPhaseNames();
    const bool known = loadPhase >= 0 && loadPhase < static_cast<int>(names.size());
    const std::string phase = known ? names[static_cast<size_t>(loadPhase)] : "?";
    const int percent = loadingBarPercent(root.get());
    loadBar.push_back(percent);
    say("load phase " + phase + " done; the loading bar shows " + std::to_string(percent) + "%");
    if (!pendingLoadShot.empty() && pendingLoadShot[0] == phase) {
        std::string problem;
        if (!takeSnapshot(pendingLoadShot[1], pendingLoadShot[2], &problem))
            deferredProblem = problem;
        pendingLoadShot.clear();
    }
}

void Session::resultsShown() {
    say("the results screen tells the host it is shown");
}

void Session::resultsHidden() {
    say("the results screen tells the host it is hidden");
}

render::FrameRenderer* Session::getRenderer() {
    if (!rendererTried) {
        rendererTried = true;
        // The framebuffer has the screen's size: the profile's resolution.
        std::string why;
        renderer = render::FrameRenderer::create(
            static_cast<int>(std::lround(root->getScreenWidth())),
            static_cast<int>(std::lround(root->getScreenHeight())), &why);
        if (!renderer)
            say("no rendered frames (" + why + "): the pictures are the SVG inspector only");
    }
    return renderer.get();
}

bool Session::renderFrame(render::Picture* frame) {
    if (!getRenderer())
        return false;
    renderer->render(root.get(), frame);
    return true;
}

std::string Session::framePng() {
    render::Picture frame;
    if (!options.renderFrames || !renderFrame(&frame))
        return "";
    std::string png, why;
    if (!render::encodePng(frame, &png, &why)) {
        say("the frame was not encoded: " + why);
        return "";
    }
    return png;
}

bool Session::takeSnapshot(const std::string& name, const std::string& caption,
                           std::string* problem) {
    ::ui::Snapshot::Options snapshotOptions;
    snapshotOptions.title = caption.empty() ? name : caption;
    std::string svg = ::ui::Snapshot(root.get()).render(snapshotOptions);
    if (options.overlay) {
        const size_t end = svg.rfind("</svg>");
        if (end != std::string::npos)
            svg.insert(end, renderOverlay(root.get()));
    }
    say("snapshot " + name + (caption.empty() ? "" : ": " + caption));
    return report.addSnapshot(name, snapshotOptions.title, svg, framePng(), problem);
}

bool Session::endMission(bool won, std::string* problem) {
    if (!root->getGameBoard() || !(root->getState() == kel::ui::State::GAME)) {
        *problem = std::string("a mission ends in battle; the state is ") +
                   stateName(static_cast<int>(root->getState()));
        return false;
    }
    if (modal.joinable()) {
        *problem = "a host thread still waits in the " + modalScreen + " screen";
        return false;
    }
    kel::logic::GameBoard& board = game->getBoard();
    const std::vector<kel::logic::Team*> teams = board.getTeams();
    // The side that loses gives up: the player's team (the first) or, for a win, the other one
    // once its turn has come.
    if (won && !teams.empty() && board.getActiveTeam() == teams.front())
        board.endTurn();
    board.concede();
    const bool over = board.getGameState() == kel::logic::GameBoard::BATTLE_OVER;
    const bool playerGaveUp = !teams.empty() && board.getActiveTeam() == teams.front();
    say(std::string("the game logic ends the mission: ") + (won ? "won" : "lost") + " (" +
        (playerGaveUp ? "the player's team" : "the other side") + " gave up; the battle " +
        (over ? "is over)" : "goes on)"));
    kel::ui::Results* results = kel::ui::theAccessor.getResults();
    if (!results) {
        say("the layout has no results screen");
        leaveAfterResults = true;
        return true;
    }
    results->setText(won ? "Mission accomplished" : "Mission failed");
    leaveAfterResults = true;
    showModal("results");
    return true;
}

void Session::serveHost() {
    if (goalsAsked.exchange(false))
        showModal("goal");
}

void Session::showModal(const std::string& which) {
    if (modal.joinable() && !settleModal()) {
        say("the " + which + " screen waits: a host thread still waits in the " + modalScreen +
            " screen");
        return;
    }
    ::ui::Component* screen = nullptr;
    std::function<void()> wait;
    if (which == "goal") {
        kel::ui::Goal* goal = goalScreen(root.get());
        screen = goal;
        wait = [goal] { goal->doModal(); };
    } else if (kel::ui::Results* results = kel::ui::theAccessor.getResults()) {
        screen = results;
        wait = [results] { results->doModal(); };
    }
    if (!screen) {
        say("the layout has no " + which + " screen to show");
        return;
    }
    modalReturned = false;
    modalScreen = which;
    modal = std::thread([this, wait] {
        wait();
        modalReturned = true;
    });
    // The host thread shows the screen under the UI lock: wait for it as a player would look.
    for (int i = 0; i < 5000 && !modalReturned; ++i) {
        {
            thread::Lock hold(*root);
            if (screen->isShowed())
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    {
        thread::Lock hold(*root);
        if (!screen->isShowed())
            deferredProblem = "the " + which + " screen did not come up";
    }
    say("a host thread shows the " + which + " screen and waits");
    observe();
}

::ui::Component* Session::modalComponent() const {
    if (modalScreen == "goal")
        return goalScreen(root.get());
    if (modalScreen == "results")
        return kel::ui::theAccessor.getResults();
    return nullptr;
}

bool Session::settleModal() {
    if (!modal.joinable())
        return true;
    for (int i = 0; i < 2000 && !modalReturned; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!modalReturned)
        return false;
    modal.join();
    say("the host thread returns from the " + modalScreen + " screen");
    modalScreen.clear();
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
    ++commandCount;
    auto fail = [&](const std::string& message) {
        *error = ScriptError{file, command.line, message};
        say("FAILED " + error->describe());
        return false;
    };

    // The script checker has checked names and numbers; what is left is what can only be known
    // while playing.
    if (verb == "key") {
        HostInput::button(args[0], true);
        HostInput::button(args[0], false);
        frames(0);
    } else if (verb == "press" || verb == "release") {
        HostInput::button(args[0], verb == "press");
        frames(0);
    } else if (verb == "type") {
        HostInput::type(args[0]);
        frames(0);
    } else if (verb == "move" || verb == "click") {
        HostInput::moveTo(root.get(), numberOf(args[0]), numberOf(args[1]));
        if (verb == "click") {
            // A hand moves the mouse before it clicks: a frame passes between, in which the
            // engine traces what the pointer is over now.
            frames(0);
            const std::string button = args.size() > 2 ? args[2] : "LeftClick";
            HostInput::button(button, true);
            HostInput::button(button, false);
        }
        frames(0);
    } else if (verb == "wait") {
        frames(numberOf(args[0]));
    } else if (verb == "frame") {
        const int count = args.empty() ? 1 : static_cast<int>(numberOf(args[0]));
        for (int i = 0; i < count; ++i)
            frames(0);
    } else if (verb == "snapshot") {
        if (!takeSnapshot(args[0], args.size() > 1 ? args[1] : "", &problem))
            return fail(problem);
    } else if (verb == "loadsnapshot") {
        pendingLoadShot = {args[0], args[1], args.size() > 2 ? args[2] : ""};
        say("a snapshot " + args[1] + " waits for the load phase " + args[0]);
    } else if (verb == "endmission") {
        if (!endMission(args[0] == "win", &problem))
            return fail(problem);
    } else if (verb == "health") {
        kel::logic::Unit* unit = findUnit(args[0], &problem);
        if (!unit)
            return fail(problem);
        // The game logic changes the health and tells the unit's handle; the new digits take
        // their places over the model at once.
        unit->setHealth(static_cast<int>(numberOf(args[1])));
        handleOf(unit)->update();
        handleOf(unit)->move();
        say("the health of " + args[0] + " becomes " + args[1]);
    } else if (verb == "command") {
        int name = 0;
        while (name < 7 && args[0] != kFlowCommandNames[name])
            ++name;
        say("command " + args[0]);
        root->command(static_cast<kel::ui::Command::Name>(name));
        // A host that leaves the battle itself forgets the board it gave.
        if (name == kel::ui::Command::END_GAME)
            leaveBattle();
        observe();
    } else if (verb == "ask") {
        int style = 0;
        size_t start = 0;
        const std::string& styles = args[1];
        while (start <= styles.size()) {
            const size_t bar = std::min(styles.find('|', start), styles.size());
            style |= messageBoxButton(styles.substr(start, bar - start));
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
        observe();
    } else if (verb == "expect") {
        if (!expect(args, &problem)) {
            ++failedCount;
            return fail(problem);
        }
    } else if (verb == "echo") {
        say(args[0]);
    } else if (verb == "reach") {
        kel::ui::theSaves.userReached(args[0]);
        say("the host reports that " + kel::ui::theSaves.getCurrentUser() + " reached " + args[0]);
    } else if (verb == "say") {
        if (!showBalloon(args, &problem))
            return fail(problem);
    } else if (verb == "unsay") {
        if (!hideBalloon(args[0], &problem))
            return fail(problem);
    } else if (verb == "restart") {
        say("restart");
        shutDown();
        resetReferenceHost();
        if (options.realClock)
            theTimer->setManual(false);
        theProfile->load();
        theKelInput->load();
        boot();
    } else if (verb == "quit") {
        over = true;
    }

    serveHost();
    answerHeard();
    observe();
    if (!deferredProblem.empty()) {
        const std::string message = deferredProblem;
        deferredProblem.clear();
        return fail(message);
    }
    return true;
}

void Session::idle(double seconds) {
    frames(seconds);
    answerHeard();
}

// The host answers what it heard once the module is out of the call that sent it.
void Session::answerHeard() {
    // A modal screen the player closed lets its host thread go; after the results the host
    // leaves the battle.
    if (modal.joinable()) {
        ::ui::Component* screen = modalComponent();
        bool up = false;
        {
            thread::Lock hold(*root);
            up = screen && screen->isShowed();
        }
        if (!up && !settleModal())
            deferredProblem =
                "the " + modalScreen + " screen closed but its host thread still waits";
    }
    if (leaveAfterResults && !modal.joinable()) {
        leaveAfterResults = false;
        say("the host leaves the finished battle");
        root->command(kel::ui::Command::END_GAME);
        observe();
        leaveBattle();
        root->command(kel::ui::Command::SHOW_MAIN_MENU);
        observe();
    }
    while (!heard.empty() && !over) {
        const std::string event = heard.front();
        heard.erase(heard.begin());
        if (event.compare(0, 8, "newgame ") == 0) {
            startBattle(event.substr(event.find('=') + 1));
        } else if (event == "endgame") {
            leaveBattle();
            root->command(kel::ui::Command::SHOW_MAIN_MENU);
            observe();
        } else if (event == "exit") {
            say("the player quits");
            over = true;
        }
    }
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
        const std::string now = stateName(static_cast<int>(root->getState()));
        if (now != args[1])
            *problem = "the state is " + now + ", not " + args[1];
    } else if (what == "shown" || what == "hidden") {
        if (!need(1))
            return false;
        ::ui::Component* component = findByPath(root.get(), args[1]);
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
        ::ui::Component* component = findByPath(root.get(), args[1]);
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
    } else if (what == "front" || what == "ringfocus") {
        if (!need(1))
            return false;
        kel::ui::RoundMenu* ring = nullptr;
        {
            thread::Lock hold(*root);
            for (::ui::Component* child : root->getChildren())
                if (!ring)
                    ring = shownRing(child);
        }
        std::string entry = "none";
        if (!ring)
            *problem = "no round menu is shown";
        else if (what == "front")
            entry = ring->getItemName(ring->findCurrentItem());
        else if (ring->getFocusedItem() >= 0)
            entry = ring->getItemName(ring->getFocusedItem());
        if (ring && entry != args[1])
            *problem = (what == "front" ? "the entry in front is " : "the ring's focus is on ") +
                       entry + ", not " + args[1];
    } else if (what == "loading") {
        if (!need(1))
            return false;
        std::string bar;
        for (int percent : loadBar)
            bar += (bar.empty() ? "" : " ") + std::to_string(percent);
        if (loadBar.empty())
            *problem = "no map was loaded behind the loading screen";
        else if (bar != args[1])
            *problem =
                "the loading bar showed \"" + bar + "\" after the phases, not \"" + args[1] + "\"";
    } else if (what == "camera") {
        if (!need(1))
            return false;
        const kelinput::DeviceToCamera::Camera at = theKelInput->getDeviceToCamera()->getCamera();
        char text[64];
        std::snprintf(text, sizeof text, "%ld %ld %ld %ld %ld", std::lround(at.yaw),
                      std::lround(at.pitch), std::lround(at.x), std::lround(at.z),
                      std::lround(at.zoom));
        if (!boardCamera)
            *problem = "no battle camera moves";
        else if (args[1] != text)
            *problem = std::string("the camera is at \"") + text + "\", not \"" + args[1] + "\"";
    } else if (what == "waiting") {
        if (!need(1))
            return false;
        if (args[1] == "none") {
            if (modal.joinable() && !settleModal())
                *problem = "a host thread still waits in the " + modalScreen + " screen";
        } else if (!modal.joinable() || modalReturned || modalScreen != args[1]) {
            *problem = "no host thread waits in the " + args[1] + " screen";
            if (modal.joinable())
                *problem += " (one waits in the " + modalScreen + " screen)";
        }
    } else if (what == "profile") {
        if (!need(2))
            return false;
        // The profile as it was last read or saved, values joined by spaces.
        config::Block::List values;
        {
            thread::Lock hold(*theProfile);
            config::Block::List* list = nullptr;
            if (theProfile->getData()->getPropertyAccess(args[1], &list))
                values = *list;
        }
        std::string text;
        for (const std::string& value : values)
            text += (text.empty() ? "" : " ") + value;
        if (values.empty())
            *problem = "the profile has no '" + args[1] + "'";
        else if (text != args[2])
            *problem =
                "the profile's '" + args[1] + "' is \"" + text + "\", not \"" + args[2] + "\"";
    } else if (what == "digits") {
        if (!need(2))
            return false;
        const kel::logic::Unit* unit = findUnit(args[1], problem);
        if (!unit)
            return false;
        std::string shown;
        if (!digitsShown(unit, &shown))
            *problem = "the digits over " + args[1] + " are not in the board view";
        else if (shown != args[2])
            *problem =
                "the digits over " + args[1] + " read \"" + shown + "\", not \"" + args[2] + "\"";
    } else if (what == "balloon" || what == "silent") {
        if (!need(what == "balloon" ? 3 : 1))
            return false;
        const kel::logic::Unit* unit = findUnit(args[1], problem);
        kel::ui::Balloon* balloon = unit ? balloonOf(unit) : nullptr;
        if (!unit) {
            // the problem names the unit
        } else if (what == "silent") {
            if (balloon)
                *problem = "'" + args[1] + "' shows a balloon";
        } else if (!balloon) {
            *problem = "'" + args[1] + "' shows no balloon";
        } else {
            thread::Lock hold(*root);
            const std::string look = balloon->isOutside()    ? "side"
                                     : balloon->isMirrored() ? "mirrored"
                                                             : "upright";
            const std::string now = std::to_string(balloon->getAngle()) + " " + look;
            const float left = balloon->getAbsoluteX(), top = balloon->getAbsoluteY();
            const float right = left + balloon->getSubstrateSize().x;
            const float bottom = top + balloon->getSubstrateSize().y;
            char where[96];
            std::snprintf(where, sizeof where, "%.0f,%.0f to %.0f,%.0f", left, top, right, bottom);
            if (!balloon->isShowed())
                *problem = "the balloon of '" + args[1] + "' is not shown";
            else if (balloon->isGrowing())
                *problem = "the balloon of '" + args[1] + "' is still growing";
            else if (now != args[2] + " " + args[3])
                *problem = "the balloon of '" + args[1] + "' is " + now + " (" + where + "), not " +
                           args[2] + " " + args[3];
            // Balloons stand at whole units: one pinned to an edge may cross it by less than half.
            else if (left < -0.5f || top < -0.5f || right > root->getScreenWidth() + 0.5f ||
                     bottom > root->getScreenHeight() + 0.5f)
                *problem = "the balloon of '" + args[1] + "' leaves the screen (" + where + ")";
        }
    } else {
        *problem = "cannot expect '" + what + "'";
    }
    if (problem->empty()) {
        std::string expected;
        for (const std::string& arg : args)
            expected += " " + (arg.find(' ') == std::string::npos ? arg : "\"" + arg + "\"");
        say("ok: expect" + expected);
    }
    return problem->empty();
}

bool Session::runScript(const Script& script, const std::string& file, ScriptError* error) {
    for (const auto& command : script.getCommands()) {
        if (over)
            break;
        if (interruptRequested()) {
            *error = ScriptError{file, command.line, "interrupted before this line"};
            say("interrupted");
            return false;
        }
        if (!run(command, file, error))
            return false;
    }
    return true;
}

} // namespace kelplay

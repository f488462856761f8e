#include "ui/KELUI.h"
#include "ui/Accessor.h"
#include "ui/CenterUnitListener.h"
#include "ui/CreateMenu.h"
#include "ui/DebugInput.h"
#include "ui/KELFactory.h"
#include "ui/KELMousePointer.h"
#include "ui/KelDataStorage.h"
#include "ui/ModuleLog.h"
#include "ui/NewGameDialog.h"
#include "ui/PlayMenu.h"
#include "ui/Saves.h"
#include "ui/Sky.h"
#include "ui/SoundMenu.h"
#include "ui/StatusPanel.h"
#include "ui/UnitHandle.h"

#include "host/engine/RenderDriver.h"
#include "host/engine/Timer.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/ControlSourceInterface.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Globals.h"
#include "host/logic/ScenarioInterface.h"
#include "host/logic/StateController.h"
#include "host/profile/Profile.h"
#include "host/sound/LandInsonificator.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundManager.h"
#include "host/thread/Event.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/SpriteText.h"

#include <algorithm>

namespace kel::ui {

KELUI* theKELUI = nullptr;

KELUI::KELUI()
    : state(nullptr), mousePointer(nullptr), network(nullptr), progressBar(nullptr),
      gameBoard(nullptr), gameBoardProcesser(nullptr) {
    setName("kelui");
    new KELFactory(); // stores itself in theFactory
    state = new State(State::INITIAL);
    theKelDataStorage = new KelDataStorage();
}

KELUI::~KELUI() {
    // A host that skipped term: what init set up must not outlive the root.
    if (mousePointer)
        term();
    setMousePointer(nullptr);
    delete theFactory;
    delete state;
    delete theKelDataStorage;
    theKelDataStorage = nullptr;
}

void KELUI::init() {
    profile::VideoSettings* video = nullptr;
    theProfile->getSettings(&video);
    setResolution(static_cast<float>(video->width), static_cast<float>(video->height));
    ::ui::UI::init();
    theSaves.load();
    theKelDataStorage->load();
    profile::InputSettings* input = nullptr;
    theProfile->getSettings(&input);

    mousePointer = new KELMousePointer(this, getView());
    setMousePointer(mousePointer);
    mousePointer->setPosition(320, 240);
    mousePointer->setScreenSize(getScreenWidth(), getScreenHeight());
    mousePointer->setMode(0);
    mousePointer->setHardwareSupport(input->hardwareCursor);
    mousePointer->setVisible(false);
    theKelInput->getRootBroadcaster()->attach(mousePointer);
    theRenderDriver->registerListener(mousePointer, 0);

    SoundMenu::updateProfileSettings();

    auto* overlay = static_cast<::ui::SpriteText*>(theFactory->createComponent("spritetext"));
    overlay->setAlign(1);
    overlay->setFont("efirst_blue");
    overlay->setText("PLEASE WAIT");
    overlay->setName("pleasewait");
    overlay->setFit(3);
    addComponent(overlay, false);

    debugInput.registerShortcuts();
}

void KELUI::term() {
    if (!mousePointer)
        return; // never initialised, or terminated already
    debugInput.unregisterShortcuts();
    setVisible(false);
    ::ui::UI::term();
    theRenderDriver->unregisterListener(mousePointer);
    mousePointer->setHardwareSupport(false);
    theKelInput->getRootBroadcaster()->detach(mousePointer);
    setMousePointer(nullptr);
    delete mousePointer;
    mousePointer = nullptr;
}

void KELUI::readConfig(config::Block* block) {
    ::ui::UI::readConfig(block);
}

void KELUI::updateResolution() {
    ::ui::UI::updateResolution();
}

void KELUI::processInputEvent(const counting_ptr<::input::Event>& event) {
    ::ui::UI::processInputEvent(event);
}

void KELUI::setState(const State& newState) {
    if (newState == *state)
        return;
    *state = newState;
    if (mousePointer)
        mousePointer->setMode(state->isMenuMode() ? 0 : 1);
}

::ui::Component* KELUI::screen(::ui::Container* container, const std::string& name,
                               const char* loss) {
    if (!container)
        return nullptr; // the container's absence was reported when the layout was read
    ::ui::Component* found = container->getComponent(name);
    if (!found)
        screens.reportMissing(name, container, loss);
    return found;
}

::ui::Component* KELUI::anywhere(const std::string& name, const char* loss) {
    ::ui::Component* found = getDescendant(name);
    if (!found)
        screens.reportMissing(name, this, loss);
    return found;
}

::ui::Container* KELUI::topScreen(const char* name) {
    // Not reported here: reading the layout checked the three containers, and most routes
    // need only one of them.
    ::ui::Container* found = nullptr;
    theFactory->getComponent(name, &found, this, false);
    return found;
}

void KELUI::setChildVisible(::ui::Container* container, const std::string& child, bool visible) {
    if (::ui::Component* component = screen(container, child, "it is neither shown nor hidden"))
        component->setVisible(visible);
}

void KELUI::focus(::ui::Container* container, const std::string& child) {
    if (::ui::Component* component = screen(container, child, "it cannot take the focus"))
        setFocusedComponent(component);
}

void KELUI::showPointer(bool visible) {
    if (mousePointer)
        mousePointer->setVisible(visible);
}

// The sky drawn in the game-board view during a battle, and back in its own scene.
void KELUI::skyOverTheBoard(Sky* sky) {
    if (!sky)
        return;
    sky->setVisible(true);
    sky->setEnvironmentVisible(true);
    sky->setCustomView(GAME_BOARD_VIEW);
}

void KELUI::skyOffTheBoard(Sky* sky) {
    if (!sky)
        return;
    sky->setEnvironmentVisible(false);
    sky->setCustomView(nullptr);
}

void KELUI::command(const Command& c) {
    const State::Name now = *state;
    Sky* sky = theAccessor.getSky();
    auto descendant = [this](const char* name, bool visible) {
        if (::ui::Component* component = anywhere(name, "it is neither shown nor hidden"))
            component->setVisible(visible);
    };
    switch (static_cast<Command::Name>(c)) {
    case Command::LOAD_INTERFACE:
        if (now == State::INITIAL) {
            showPleaseWait();
            setVisible(true);
            theRenderDriver->drawFrameAtOnce();
            ::ui::UI::readConfig();
            // A modder's layout may lack a screen the game needs: say so now, once.
            screens.reset();
            screens.check(this);
        }
        break;
    case Command::SHOW_MAIN_MENU:
        if (now == State::INITIAL) {
            hidePleaseWait();
            updateResolution();
            theKelInput->getRootBroadcaster()->attach(this);
            setChildVisible(this, "mainui", true);
            setChildVisible(this, "commonui", true);
            setChildVisible(this, "gameui", false);
            sound::MANAGER->startFading("bgm", 0, 1);
            theSoundManager->startMusic("MenuMusic");
            if (sky)
                sky->setEnvironmentVisible(true);
            descendant("mainroundmenu", true);
            setState(State::MAIN_MENU);
        } else if (now == State::ENDING_GAME) {
            hidePleaseWait();
            setChildVisible(this, "mainui", true);
            if (::ui::Container* mainui = topScreen("mainui"))
                mainui->setRich(true);
            sound::MANAGER->startFading("bgm", 0, 1);
            sound::MANAGER->rewind("bgm", "lighthouse");
            theSoundManager->startMusic("MenuMusic");
            if (sky)
                sky->setEnvironmentVisible(true);
            descendant("mainroundmenu", true);
            setState(State::MAIN_MENU);
        }
        SoundMenu::setMainMenuMode();
        break;
    case Command::BEGIN_LOADING:
        if (now == State::MAIN_MENU) {
            descendant("mainroundmenu", false);
            descendant("sky", false);
            setState(State::LOADING);
        } else if (now == State::GAME) {
            setChildVisible(this, "gameui", false);
            skyOffTheBoard(sky);
            showPointer(false);
            setState(State::LOADING);
        }
        break;
    case Command::BEGIN_GAME:
        if (now == State::LOADING) {
            getMousePointer()->center();
            SoundMenu::updateProfileSettings();
            descendant("gameui", true);
            skyOverTheBoard(sky);
            if (mousePointer)
                mousePointer->restoreCountingVisible();
            setState(State::GAME);
        }
        break;
    case Command::SHOW_GAME_MENU:
        if (now == State::GAME) {
            descendant("screenshot", true);
            setState(State::GAME_MENU);
            showPointer(false);
        }
        SoundMenu::setGameMenuMode();
        break;
    case Command::RESUME_GAME:
        if (now == State::GAME_MENU) {
            descendant("screenshot", false);
            descendant("gameroundmenu", false);
            descendant("gameui", true);
            skyOverTheBoard(sky);
            // Whatever the panel described before the pause is no longer under inspection.
            if (StatusPanel* panel = theAccessor.getStatusPanel())
                panel->resetInfo();
            if (mousePointer)
                mousePointer->restoreCountingVisible();
            if (thePausedRenderTimer->isPaused()) {
                thePausedRenderTimer->resume();
                theDelayedRenderTimer->resume();
            }
            setState(State::GAME);
        }
        SoundMenu::setGameMode();
        break;
    case Command::END_GAME:
        if (now == State::GAME_MENU) {
            descendant("screenshot", false);
            descendant("gameroundmenu", false);
            if (sky) {
                sky->setUIConfiguration();
                sky->startFading(4);
            }
            showPleaseWait();
            theRenderDriver->drawFrameAtOnce();
            setState(State::ENDING_GAME);
        } else if (now == State::GAME) {
            setChildVisible(this, "gameui", false);
            skyOffTheBoard(sky);
            if (sky) {
                sky->setUIConfiguration();
                sky->startFading(4);
            }
            setState(State::ENDING_GAME);
        }
        break;
    }
}

void KELUI::showPleaseWait() {
    thread::Lock hold(*this);
    if (::ui::Component* overlay = getDescendant("pleasewait"))
        overlay->setVisible(true);
    getMousePointer()->setVisible(false);
}

void KELUI::hidePleaseWait() {
    thread::Lock hold(*this);
    if (::ui::Component* overlay = getDescendant("pleasewait"))
        overlay->setVisible(false);
}

UnitHandle* KELUI::createUnitHandle(logic::Unit* unit) {
    auto* handle = new UnitHandle(this, GAME_BOARD_VIEW, unit);
    // The tree changes under the frames' feet: the UI lock, as for the removal.
    thread::Lock hold(*this);
    addComponent(handle, false);
    // Toolkit components start invisible; digits are meant to be seen as soon as they exist.
    handle->setVisible(true);
    return handle;
}

void KELUI::deleteUnitHandle(UnitHandle* handle) {
    thread::Lock hold(*this);
    handle->setVisible(false);
    handle->repaint();
    deleteComponent(handle);
}

void KELUI::setGameBoard(logic::GameBoard* board) {
    if (gameBoard)
        reportError("ui/KELUI", 471, "reassign GameBoard");
    gameBoard = board;
}

logic::Unit* KELUI::getSelectedUnit() const {
    return BATTLE_CONTROL_SOURCE ? BATTLE_CONTROL_SOURCE->getSelectedUnit() : nullptr;
}

void KELUI::addCenterUnitListener(CenterUnitListener* listener) {
    thread::Lock hold(centerUnitListenersLock);
    centerUnitListeners.add(listener);
}

void KELUI::removeCenterUnitListener(CenterUnitListener* listener) {
    thread::Lock hold(centerUnitListenersLock);
    centerUnitListeners.remove(listener);
}

void KELUI::removeAllCenterUnitListeners() {
    thread::Lock hold(centerUnitListenersLock);
    centerUnitListeners.clear();
}

void KELUI::centerUnit(logic::Unit* unit) {
    thread::Lock hold(centerUnitListenersLock);
    centerUnitListeners.notify(
        [unit](CenterUnitListener* listener) { listener->centerUnit(unit); });
}

void KELUI::addUIListener(kel::ui::Listener* listener) {
    thread::Lock hold(uiListenersLock);
    uiListeners.push_back(listener);
}

void KELUI::removeUIListener(kel::ui::Listener* listener) {
    thread::Lock hold(uiListenersLock);
    uiListeners.erase(std::remove(uiListeners.begin(), uiListeners.end(), listener),
                      uiListeners.end());
}

void KELUI::notifyUIListeners(const Event& event) {
    thread::Lock hold(uiListenersLock);
    // A copy: the lock is re-entrant, so a listener may still (un)register from uiEvent. One
    // removed before its turn is not called; one added is called from the next event.
    const std::vector<kel::ui::Listener*> listeners = uiListeners;
    for (kel::ui::Listener* listener : listeners)
        if (std::find(uiListeners.begin(), uiListeners.end(), listener) != uiListeners.end())
            listener->uiEvent(event);
}

void KELUI::sendEvent(const std::string& name, const std::string& mapName) {
    Event event;
    event.setSValue("name", name);
    if (!mapName.empty() || name == "newgame")
        event.setSValue("mapName", mapName);
    notifyUIListeners(event);
}

MessageBoxA::Button KELUI::messageBox(const std::string& text, int style) {
    if (isUIThread()) {
        reportError(__FILE__, __LINE__,
                    "messageBox called on the UI thread, which must deliver the answer: refused "
                    "instead of waiting forever");
        return MessageBoxA::Button(0);
    }
    thread::Event answered(true, false);
    MessageBoxA* box = nullptr;
    {
        thread::Lock hold(*this);
        box = new MessageBoxA(this, text, style, &answered);
        box->centerBoth();
        box->setVisible(true);
        box->repaint();
    }
    answered.wait();
    const MessageBoxA::Button result = box->getResult();
    {
        thread::Lock hold(*this);
        box->term();
        delete box;
    }
    return result;
}

// ---------------------------------------------------------------------------------------------
// Notification routing: every user decision ends here as a notification.

std::string KELUI::stateMenu() const {
    return *state == State::MAIN_MENU ? "mainroundmenu" : "gameroundmenu";
}

void KELUI::notify(::ui::NotifyEvent& event) {
    // Most notifications lead nowhere: the screens are looked up only by the routes that use
    // them, and the properties are read without copies.
    TopScreens top(*this);
    if (event.is("class", "roundmenu")) {
        std::string name, action;
        event.read("name", &name);
        event.read("action", &action);
        routeRoundMenu(event, name, action, top);
        return;
    }
    std::string nameScratch, actionScratch;
    routeByName(event.text("name", nameScratch), event.text("action", actionScratch), top);
}

void KELUI::routeRoundMenu(::ui::NotifyEvent& event, const std::string& name,
                           const std::string& action, TopScreens& top) {
    std::string menuName, itemName;
    event.getProperty("menuName", &menuName);
    event.getProperty("itemName", &itemName);
    Sky* sky = theAccessor.getSky();

    if (menuName == "mainroundmenu") {
        const bool playLeadsToAMenu =
            theSaves.showPlayMenuAfterPlay() || theSaves.showCreateMenuAfterPlay();
        if (action == "precommand") {
            if (itemName == "play" && !playLeadsToAMenu && sky)
                sky->startFading(5);
            else if (itemName == "exit")
                sound::MANAGER->startFading("bgm", 1, 0);
        } else if (action == "command") {
            processMainMenuCommand(itemName, top.main(), top.game(), top.common());
            if ((!itemName.empty() && itemName != "exit" && itemName != "play") ||
                (itemName == "play" && playLeadsToAMenu))
                showPointer(true);
            sound::MANAGER->endFading("bgm");
        }
        int phase = 0;
        if (name == "main" && action == "setphase" && event.getProperty("phase", &phase) &&
            phase == 2)
            getMousePointer()->setPosition(getScreenWidth() * 0.5f, getScreenHeight() * 0.6f);
    } else if (menuName == "gameroundmenu") {
        if (action == "command") {
            processGameMenuCommand(itemName, top.main(), top.game(), top.common());
            if (!itemName.empty() && itemName != "endgame" && itemName != "goal")
                showPointer(true);
        } else if (action == "precommand" && itemName == "endgame") {
            if (sky)
                sky->startFading(2);
            showPointer(false);
        } else if (action == "precommand" &&
                   (itemName == "continue" || (itemName.empty() && name == "main"))) {
            if (sky)
                sky->startFading(3);
            showPointer(false);
        } else if (action == "exit") {
            if (sky)
                sky->startFading(3);
            showPointer(false);
        }
    }

    if (action == "setphase") {
        int phase = 0;
        event.getProperty("phase", &phase);
        if (phase == 2) {
            showPointer(true);
            sound::MANAGER->endFading("bgm");
        } else if (phase == 1 || phase == 3) {
            showPointer(false);
        }
    } else if (action == "startphase" || action == "endphase") {
        float progress = 0;
        event.getProperty("progress", &progress);
        if (sky)
            sky->doFading(progress);
        sound::MANAGER->doFading("bgm", progress);
    }
}

void KELUI::routeByName(std::string_view name, std::string_view action, TopScreens& top) {
    const bool closing = action == "ok" || action == "cancel";
    if (name == "inputmenu" && closing) {
        setChildVisible(top.common(), "inputmenu", false);
        setChildVisible(top.main(), stateMenu(), true);
    } else if (name == "inputmenu" && action == "customizecontrols") {
        if (!screen(top.common(), "redefinemenu", "the key bindings cannot be changed"))
            return; // the input menu stays
        setChildVisible(top.common(), "redefinemenu", true);
        setChildVisible(top.common(), "inputmenu", false);
        focus(top.common(), "redefinemenu");
    } else if (name == "redefinemenu" && closing) {
        setChildVisible(top.common(), "inputmenu", true);
        setChildVisible(top.common(), "redefinemenu", false);
        focus(top.common(), "inputmenu");
    } else if ((name == "soundmenu" || name == "videomenu") && closing) {
        setChildVisible(top.common(), std::string(name), false);
        setChildVisible(top.main(), stateMenu(), true);
    } else if (name == "endturnbutton") {
        if (BATTLE_CONTROL_SOURCE)
            BATTLE_CONTROL_SOURCE->endTurn();
    } else if (name == "gameui" && action == "gameroundmenu") {
        if (gameBoard && gameBoard->getStateController()->isStateStable())
            command(Command::SHOW_GAME_MENU);
    } else if (name == "screenshot") {
        sendEvent("gameroundmenu");
        Sky* sky = theAccessor.getSky();
        skyOffTheBoard(sky);
        setChildVisible(this, "gameui", false);
        if (::ui::Component* menu = anywhere("gameroundmenu", "the in-game menu cannot open"))
            menu->setVisible(true);
        if (sky)
            sky->startFading(1);
        if (!thePausedRenderTimer->isPaused()) {
            thePausedRenderTimer->pause();
            theDelayedRenderTimer->pause();
        }
        if (mousePointer)
            mousePointer->setMode(0);
    } else if (name == "newgamedialog" && action == "ok") {
        NewGameDialog* dialog = nullptr;
        if (!top.main() || !theFactory->getComponent("newgamedialog", &dialog, top.main(), false)) {
            screens.reportMissing("newgamedialog", top.main(), "no map can be chosen");
            return;
        }
        dialog->setVisible(false);
        sendEvent("newgame", dialog->getMap());
        theSoundManager->stopMusic();
    } else if (name == "newgamedialog" && action == "cancel") {
        setChildVisible(top.main(), "newgamedialog", false);
        setChildVisible(top.main(), "mainroundmenu", true);
    } else if (name == "maingoal") {
        // The ring flew out when "goal" was chosen: showing its screen anew brings it back
        // (showing a screen that is still visible would change nothing).
        backToRing(top.main(), "gameroundmenu");
    } else if (name == "gamegoal") {
        sendEvent("goal");
    } else if (name == "createmenu" && action == "cancel") {
        setChildVisible(top.main(), "createmenu", false);
        const CreateMenu* create = theAccessor.getCreateMenu();
        if (!create || create->getMode() == CreateMenu::Play) {
            setChildVisible(top.main(), "mainroundmenu", true);
        } else {
            setChildVisible(top.main(), "gamemenu", true);
            focus(top.main(), "gamemenu");
        }
    } else if (name == "createmenu" && action == "play") {
        setChildVisible(top.main(), "createmenu", false);
        // The new player is written before the mission starts, so he is there next time
        // whatever becomes of the game.
        theSaves.save();
        sendEvent("newgame", Saves::FIRST_MISSION);
        theSoundManager->stopMusic();
    } else if (name == "createmenu" && action == "create") {
        setChildVisible(top.main(), "createmenu", false);
        setChildVisible(top.main(), "gamemenu", true);
    } else if (name == "playmenu" && action == "cancel") {
        setChildVisible(top.main(), "playmenu", false);
        setChildVisible(top.main(), "mainroundmenu", true);
    } else if (name == "playmenu" && action == "ok") {
        const PlayMenu* play = theAccessor.getPlayMenu();
        if (!play) {
            screens.reportMissing("playmenu", top.main(), "no mission can be chosen");
            return;
        }
        setChildVisible(top.main(), "playmenu", false);
        sendEvent("newgame", play->getMission());
        theSoundManager->stopMusic();
    } else if (name == "gamemenu" && closing) {
        setChildVisible(top.main(), "gamemenu", false);
        setChildVisible(top.main(), "mainroundmenu", true);
    } else if (name == "gamemenu" && action == "create") {
        CreateMenu* create = createMenu(top.main());
        if (!create)
            return; // the player menu stays
        create->setMode(CreateMenu::Create);
        setChildVisible(top.main(), "gamemenu", false);
        create->setVisible(true);
        focusNameField(create);
    }
}

CreateMenu* KELUI::createMenu(::ui::Container* mainui) {
    CreateMenu* create = nullptr;
    if (mainui && !theFactory->getComponent("createmenu", &create, mainui, false))
        screens.reportMissing("createmenu", mainui, "no player can be created");
    return create;
}

void KELUI::focusNameField(CreateMenu* create) {
    if (::ui::Component* edit = create->getDescendant("editname"))
        setFocusedComponent(edit);
}

void KELUI::backToRing(::ui::Container* mainui, const char* ring) {
    // Showing the screen anew brings its current ring back with its appear animation.
    setChildVisible(mainui, ring, false);
    setChildVisible(mainui, ring, true);
}

void KELUI::processMainMenuCommand(const std::string& command, ::ui::Container* mainui,
                                   ::ui::Container* gameui, ::ui::Container* commonui) {
    (void)gameui;
    if (command == "exit") {
        theSoundManager->stopMusic();
        setChildVisible(mainui, "mainroundmenu", false);
        sendEvent("exit");
        showPointer(false);
        return;
    }
    // Where the entry leads: a screen of mainui or commonui. When the layout has none the player
    // stays on the ring rather than before an empty screen.
    ::ui::Component* target = nullptr;
    bool focusTarget = true;
    if (command == "play") {
        if (theSaves.showCreateMenuAfterPlay()) {
            target = createMenu(mainui);
        } else if (theSaves.showPlayMenuAfterPlay()) {
            target = screen(mainui, "playmenu", "the player stays on the main menu");
        } else {
            setChildVisible(mainui, "mainroundmenu", false);
            sendEvent("newgame", Saves::FIRST_MISSION);
            theSoundManager->stopMusic();
            return;
        }
    } else if (command == "controls" || command == "video" || command == "sound") {
        target = screen(commonui, command == "controls" ? "inputmenu" : command + "menu",
                        "the player stays on the main menu");
    } else if (command == "options_play") {
        target = screen(mainui, "gamemenu", "the player stays on the main menu");
    } else if (command == "selectmap") {
        target = screen(mainui, "newgamedialog", "the player stays on the main menu");
        focusTarget = false;
    } else {
        return; // an entry nothing knows: the ring's screen stays as it is
    }
    if (!target) {
        backToRing(mainui, "mainroundmenu");
        return;
    }
    setChildVisible(mainui, "mainroundmenu", false);
    if (auto* create = dynamic_cast<CreateMenu*>(target)) {
        create->setMode(CreateMenu::Play);
        create->setVisible(true);
        focusNameField(create);
        return;
    }
    target->setVisible(true);
    if (focusTarget)
        setFocusedComponent(target);
}

void KELUI::processGameMenuCommand(const std::string& command, ::ui::Container* mainui,
                                   ::ui::Container* gameui, ::ui::Container* commonui) {
    (void)gameui;
    if (command == "goal") {
        // The goals come back to this ring when their screen closes; without that screen the
        // ring comes back at once.
        if (SCENARIO)
            SCENARIO->showGoals();
        if (!anywhere("maingoal", "the mission goals cannot be shown"))
            backToRing(mainui, "gameroundmenu");
    } else if (command == "continue" || command.empty()) {
        this->command(Command::RESUME_GAME);
    } else if (command == "endgame") {
        this->command(Command::END_GAME);
        sendEvent("endgame");
    } else if (command == "savegame") {
        sendEvent("savegame");
    } else if (command == "controls" || command == "video" || command == "sound") {
        const std::string menu = command == "controls" ? "inputmenu" : command + "menu";
        if (!screen(commonui, menu, "the player stays on the in-game menu")) {
            backToRing(mainui, "gameroundmenu");
            return;
        }
        setChildVisible(mainui, "gameroundmenu", false);
        setChildVisible(commonui, menu, true);
        if (command == "sound")
            theLandInsonificator->forceUpdate();
        focus(commonui, menu);
    }
}

} // namespace kel::ui

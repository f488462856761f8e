#pragma once

#include "host/thread/SynchronizedObject.h"
#include "host/ui/UI.h"
#include "ui/CSMessageRedirector.h"
#include "ui/Event.h"
#include "ui/ListenerArray.h"
#include "ui/MessageBoxA.h"
#include "ui/Screens.h"
#include "ui/State.h"
#include "ui/UiApi.h"

#include <string>
#include <string_view>
#include <vector>

namespace kel::logic {
class GameBoard;
class Unit;
} // namespace kel::logic

namespace kel::ui {

class CenterUnitListener;
class CreateMenu;
class KELMousePointer;
class Sky;
class UnitHandle;

// The host-side objects nothing in the module assigns; their getters answer null.
class Network;
class ProgressBar;
class GameBoardProcesser;

// The root of the module's user interface. The host creates exactly one, stores it in theKELUI,
// initialises it and drives it with flow commands; the root shows and hides the three top-level
// screens ("mainui", "commonui", "gameui"), owns the game pointer and the battle-input
// redirector, routes the screens' notifications (notify) and tells the host what the player
// chose through root-UI events.
//
// Host call order: construct; theKELUI = root; init(); command(LOAD_INTERFACE);
// command(SHOW_MAIN_MENU); ... term(); delete.
//
// Locks: the UI lock (the toolkit root is a synchronized object) is held by the "PLEASE WAIT"
// overlay and by unit-handle removal; uiListenersLock for every use of the root-UI event registry
// (a listener must not (un)register from inside uiEvent); centerUnitListenersLock for the centring
// registry.
class KEL_UI_API KELUI : public ::ui::UI {
public:
    KELUI();
    ~KELUI() override;

    void init() override;
    void term() override;
    void notify(::ui::NotifyEvent& event) override;
    using ::ui::UI::readConfig;
    void readConfig(config::Block* block) override;
    void updateResolution() override;

    // A flow command; one that does not fit the state does nothing (but the sound-mode calls).
    void command(const Command& command);
    // Changes the state and the game pointer's mode (0 in menus, 1 elsewhere); nothing else.
    void setState(const State& state);
    const State& getState() const { return *state; }

    // The board of the loaded map (not owned); setting one while one is set is reported.
    void setGameBoard(logic::GameBoard* board);
    logic::GameBoard* getGameBoard() const { return gameBoard; }
    void resetGameBoard() { gameBoard = nullptr; }

    CSMessageRedirector* getCSMessageRedirector() const {
        return const_cast<CSMessageRedirector*>(&csMessageRedirector);
    }
    Network* getNetwork() const { return network; }
    KELMousePointer* getKELMousePointer() const { return mousePointer; }
    GameBoardProcesser* getGameBoardProcesser() const { return gameBoardProcesser; }
    ProgressBar* getProgressBar() const { return progressBar; }
    // The unit the battle control source has selected.
    logic::Unit* getSelectedUnit() const;

    void addCenterUnitListener(CenterUnitListener* listener);
    void removeCenterUnitListener(CenterUnitListener* listener);
    void removeAllCenterUnitListeners();
    void centerUnit(logic::Unit* unit);

    // A modal question: blocks the calling thread until the player presses a button on the UI
    // thread. Called on the UI thread itself it would wait forever: it reports an error on the
    // "kel-ui" log and answers 0 at once instead.
    MessageBoxA::Button messageBox(const std::string& text, int style);

    void showPleaseWait();
    void hidePleaseWait();

    // A unit's health digits in the board view (GAME_BOARD_VIEW): the handle is added to the
    // root, which owns it from then on, and shown. The host's game flow calls these, perhaps
    // from a thread of its own; removal holds the UI lock, so no frame sees a handle half gone.
    UnitHandle* createUnitHandle(logic::Unit* unit);
    void deleteUnitHandle(UnitHandle* handle);

    // The well-known screens of the layout, and what of them was found missing.
    Screens& getScreens() { return screens; }

    // Receivers of root-UI events (not owned), in registration order.
    void addUIListener(kel::ui::Listener* listener);
    // Removes every occurrence.
    void removeUIListener(kel::ui::Listener* listener);

protected:
    void processInputEvent(const counting_ptr<::input::Event>& event) override;

private:
    // The root's three screen containers, each looked up the first time a route needs it.
    class TopScreens {
    public:
        explicit TopScreens(KELUI& root) : root(root) {}
        ::ui::Container* main() { return get(0, "mainui"); }
        ::ui::Container* game() { return get(1, "gameui"); }
        ::ui::Container* common() { return get(2, "commonui"); }

    private:
        ::ui::Container* get(int which, const char* name) {
            if (!looked[which]) {
                found[which] = root.topScreen(name);
                looked[which] = true;
            }
            return found[which];
        }
        KELUI& root;
        ::ui::Container* found[3] = {};
        bool looked[3] = {};
    };

    void notifyUIListeners(const Event& event);
    void processMainMenuCommand(const std::string& command, ::ui::Container* mainui,
                                ::ui::Container* gameui, ::ui::Container* commonui);
    void processGameMenuCommand(const std::string& command, ::ui::Container* mainui,
                                ::ui::Container* gameui, ::ui::Container* commonui);
    void routeRoundMenu(::ui::NotifyEvent& event, const std::string& name,
                        const std::string& action, TopScreens& top);
    void routeByName(std::string_view name, std::string_view action, TopScreens& top);
    // The round menu the settings menus return to.
    std::string stateMenu() const;
    // Screens looked up by name: a direct child of `container` (nothing when the container is
    // missing), one anywhere below the root, or one of the root's containers. A missing screen
    // is reported once, saying what the game goes without (`loss`); the containers are checked
    // when the layout is read.
    ::ui::Component* screen(::ui::Container* container, const std::string& name, const char* loss);
    ::ui::Component* anywhere(const std::string& name, const char* loss);
    ::ui::Container* topScreen(const char* name);
    void setChildVisible(::ui::Container* container, const std::string& child, bool visible);
    void focus(::ui::Container* container, const std::string& child);
    CreateMenu* createMenu(::ui::Container* mainui);
    void focusNameField(CreateMenu* create);
    // Brings a ring that flew out for an entry leading nowhere back in front of the player.
    void backToRing(::ui::Container* mainui, const char* ring);
    void showPointer(bool visible);
    static void skyOverTheBoard(Sky* sky);
    static void skyOffTheBoard(Sky* sky);
    void sendEvent(const std::string& name, const std::string& mapName = std::string());

    State* state;                                // owned
    KELMousePointer* mousePointer;               // owned; from init to term
    Network* network;                            // always null
    std::vector<kel::ui::Listener*> uiListeners; // not owned
    thread::SynchronizedObject uiListenersLock;
    ProgressBar* progressBar;               // always null
    logic::GameBoard* gameBoard;            // not owned
    GameBoardProcesser* gameBoardProcesser; // always null
    CSMessageRedirector csMessageRedirector;
    ListenerArray<CenterUnitListener> centerUnitListeners; // not owned
    thread::SynchronizedObject centerUnitListenersLock;
    Screens screens; // what the layout lacks, reported once each
};

KEL_UI_API extern KELUI* theKELUI;

} // namespace kel::ui

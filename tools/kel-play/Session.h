#pragma once

#include "DataCheck.h"
#include "Report.h"
#include "Script.h"

#include "host/engine/RenderDriverListener.h"
#include "host/input/Listener.h"
#include "host/logic/GameBoardListener.h"
#include "ui/Event.h"
#include "ui/ResultsListener.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kel::logic {
class Game;
class Unit;
} // namespace kel::logic
namespace kelinput {
class BoardCamera;
}
namespace ui {
class Component;
}
class Model;
namespace kel::ui {
class Balloon;
class KELUI;
class UnitHandle;
} // namespace kel::ui

namespace render {
class FrameRenderer;
struct Picture;
} // namespace render

namespace kelplay {

// Plays the host's part around the module: boots it as the host does (construct, init,
// LOAD_INTERFACE, SHOW_MAIN_MENU), answers its root-UI events ("newgame" loads the map behind
// the loading screen and starts the battle, "endgame" returns to the main menu, "exit" ends the
// session), shows the goal and results screens modally from a host thread, and runs script
// commands as a player and a host would. Everything that happens goes to the transcript.
//
// Host threads: one at a time waits in a modal screen (the message box of `ask`, the goal screen
// the scenario asks for, the results at the end of a mission). The session starts it between
// frames and waits until its screen is up, so every run draws the same frames.
class Session : public kel::ui::Listener,
                private kel::logic::GameBoardListener,
                private kel::ui::ResultsListener {
public:
    struct Options {
        std::filesystem::path outputDirectory = "kel-play-out";
        bool realClock = false;    // interactive sessions follow the machine's clock
        bool overlay = false;      // snapshots name and outline every component
        bool writeReport = true;   // false: no output directory, no pictures (the data check)
        bool renderFrames = false; // a rendered PNG beside each snapshot's SVG
        // Called after every frame the session draws: a window shows it and takes the
        // player's input there.
        std::function<void()> afterFrame;
    };

    Session(Options options, std::function<void(const std::string&)> print);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Boots the module; false when the output directory cannot be made.
    bool start(std::string* error);
    // Runs one command; false (with `error` naming the line) when it failed or an expectation
    // did not hold. The failure is in the transcript as a "FAILED" line.
    bool run(const ScriptCommand& command, const std::string& file, ScriptError* error);
    // Runs a whole script, stopping at the first failure.
    bool runScript(const Script& script, const std::string& file, ScriptError* error);
    // Lets `seconds` of the host clock pass, a frame at a time (at least one frame), and answers
    // what the module asked for meanwhile: what the terminal does while the player types.
    void idle(double seconds);
    // Shuts the module down and writes the report, with `summary` under its title.
    bool finish(const std::string& summary, std::string* error);
    bool finish(std::string* error) { return finish("", error); }
    // Loads a map onto the session's board through the game logic, without starting a battle
    // (the data check loads every map so).
    bool loadMap(const std::string& gamePath);

    // Every error logged on the host log from start to finish, in the order they came.
    std::vector<DataProblem> getLoggedErrors() const;

    bool isOver() const { return over; }
    // How many expectations did not hold and how many commands ran.
    int getFailedCount() const { return failedCount; }
    int getCommandCount() const { return commandCount; }
    kel::ui::KELUI* getRoot() const { return root.get(); }
    // Renders what the player sees now into `frame` (the screen's size in pixels); false when
    // there is no renderer (the reason is in the transcript, once).
    bool renderFrame(render::Picture* frame);
    // The renderer of the session's frames (the screen's size in pixels), made on first use;
    // null when there is none (the reason is in the transcript, once).
    render::FrameRenderer* getRenderer();
    // What runs after every frame from now on (see Options::afterFrame).
    void setAfterFrame(std::function<void()> hook) { options.afterFrame = std::move(hook); }

    void uiEvent(const kel::ui::Event& event) override;

private:
    // The board's load phases, heard after the loading screen has drawn them.
    void startLoadPhase() override;
    void finishLoadPhase() override;
    // A unit walked: its health digits follow it.
    void unitMoved(kel::logic::Unit* unit) override;
    // The results screen tells its listeners when it comes and goes.
    void resultsShown() override;
    void resultsHidden() override;

    void boot();
    void shutDown();
    void say(const std::string& line);
    // Says in the transcript what changed since it last looked: the state of the root and the
    // screens (the root's children and its top-level components) shown or hidden.
    void observe();
    void frames(double seconds);
    void answerHeard();
    bool expect(const std::vector<std::string>& args, std::string* problem);
    void startBattle(const std::string& mapName);
    void leaveBattle();
    // The health digits of every unit on the board, made through the root once the battle has
    // begun, and taken away again before the units go.
    void createUnitHandles();
    void deleteUnitHandles();
    // A unit named in a script: its kind, or KIND:N for the Nth of that kind in the map's order.
    kel::logic::Unit* findUnit(const std::string& reference, std::string* problem) const;
    kel::ui::UnitHandle* handleOf(const kel::logic::Unit* unit) const;
    // The digits over a unit as a player reads them, most significant first; false when the
    // digits are not all in the board view.
    bool digitsShown(const kel::logic::Unit* unit, std::string* text) const;
    // The game logic ends the mission; the host shows the results from a host thread.
    bool endMission(bool won, std::string* problem);
    bool takeSnapshot(const std::string& name, const std::string& caption, std::string* problem);
    // The rendered frame of the screen as PNG bytes; empty without a renderer (said once).
    std::string framePng();
    // What the host does between frames: shows the goals the scenario asked for.
    void serveHost();
    // Starts a host thread waiting in the goal ("goal") or results ("results") screen and
    // returns once the screen is up.
    void showModal(const std::string& which);
    // Waits (a while) for the host thread of the modal screen, which the player has closed, to
    // return; false when it still waits.
    bool settleModal();
    // The screen the host thread waits in, if one does.
    ::ui::Component* modalComponent() const;
    // Waits for the host thread of the last question; false when nobody answered it (the box is
    // then closed so the thread ends).
    bool joinQuestion();
    std::string clockText() const;
    // Hangs the redirector's picking listeners on every mesh of the loaded board, as a host does
    // when a battle starts, so the engine picks what lies under the pointer; takes them back.
    void hangPickingListeners();
    void takePickingListeners();
    template <class T> void pick(T* thing, Model* model);
    // The game logic describes what the pointer rests on in the status panel: a unit, a tile or
    // a map object; nothing else empties it. Run after each frame of a battle.
    void describeUnderPointer();
    // The host shows a unit's balloon (hiding the one it showed before) or hides it.
    bool showBalloon(const std::vector<std::string>& args, std::string* problem);
    bool hideBalloon(const std::string& unitName, std::string* problem);
    // The balloon the host shows for a unit now, or null.
    kel::ui::Balloon* balloonOf(const kel::logic::Unit* unit) const;
    // Hides every balloon the host showed (the battle ends, its units go).
    void silenceAll();

    Options options;
    std::function<void(const std::string&)> print;
    Report report;
    std::unique_ptr<render::FrameRenderer> renderer;
    bool rendererTried = false;
    std::unique_ptr<kel::ui::KELUI> root;
    std::unique_ptr<kel::logic::Game> game;
    // Moves the board view's camera each frame of a battle, after the camera translator.
    std::unique_ptr<kelinput::BoardCamera> boardCamera;
    // The units' health digits while a battle runs (the root owns the handles).
    std::vector<std::pair<kel::logic::Unit*, kel::ui::UnitHandle*>> unitHandles;
    // The game logic animates its units every frame, before the views are drawn: their digits
    // follow the models.
    struct UnitAnimation : RenderDriverListener {
        explicit UnitAnimation(Session& session) : session(session) {}
        void initFrame(float) override;
        Session& session;
    };
    UnitAnimation unitAnimation{*this};
    // The balloons the host shows, one per speaking unit (the balloon container owns them).
    std::vector<std::pair<const kel::logic::Unit*, kel::ui::Balloon*>> speaking;
    std::vector<std::string> heard; // root-UI events not answered yet, oldest first
    std::string lastEvent;
    std::thread question; // a host thread waiting in messageBox
    std::atomic<int> answer{-1};
    std::atomic<bool> answered{false};
    std::thread modal;       // a host thread waiting in the goal or results screen
    std::string modalScreen; // "goal" or "results" while `modal` runs
    std::atomic<bool> modalReturned{false};
    std::atomic<bool> goalsAsked{false}; // the scenario asked for the goals (on the UI thread)
    // The two control-source states the battle's redirector leaves to the host: 26 switches
    // unit free-look, 27 pauses the battle under the in-game ring and asks for the goals.
    struct HostStates : ::input::Listener {
        explicit HostStates(Session& session) : session(session) {}
        void event(const counting_ptr<::input::Event>& e) override;
        Session& session;
        bool freelook = false;
    };
    HostStates hostStates{*this};
    bool leaveAfterResults = false;
    // How to take back each picking listener hung on the board (the listener goes with it).
    std::vector<std::function<void()>> pickingListeners;
    // What the status panel was last told, to tell it only of changes.
    std::string described;
    // The load the session watches: its phase, the bar after each phase (percent), and a
    // snapshot to take when a phase ends.
    int loadPhase = -1;
    std::vector<int> loadBar;
    std::vector<std::string> pendingLoadShot; // phase, name, caption
    // What went wrong in the middle of a command (a snapshot while loading, a host thread that
    // was not let go); the command fails with it.
    std::string deferredProblem;
    bool over = false;
    int failedCount = 0;
    int commandCount = 0;
    int lastState = -1;
    std::vector<std::string> shownScreens; // what observe() saw last, sorted
    bool finished = false;
    int errorObserver = 0;
    mutable std::mutex errorsMutex; // errors may come from a host thread
    std::vector<DataProblem> loggedErrors;
    size_t errorsSaid = 0; // how many of them the transcript has
};

} // namespace kelplay

#pragma once

#include "host/HostApi.h"
#include "host/logic/GameBoardListener.h"
#include "host/logic/StateController.h"
#include "host/thread/SynchronizedObject.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Camera;
class View;

namespace kel::logic {

class Chest;
class Landscape;
class Object;
class Team;
class Unit;
struct BoardContent;

// The battle's board: the landscape cells, map objects, chests, teams and units of the loaded
// map, whose turn it is, and the board's 3D view (owned, with its own camera looking at the
// board), in which every model of the map is registered.
//
// load() reads a map in phases (landscape, objects and chests, units) and tells the registered
// listeners each phase's start, progress and end. A map is read into new content and swapped in
// only when it is whole: a failed load reports the mistake with file and line on the "logic" log,
// returns false and leaves the board as it was.
//
// Threads: the game logic loads and plays on its own thread while the UI reads the game state
// and the units; the board's lock guards its content. Listeners are called without it.
class KEL_HOST_API GameBoard : public thread::SynchronizedObject {
public:
    // getGameState(): 0 no battle, 1 the first team's turn (the human player), 2 another team's
    // turn, 3 the battle is over (at most one team has living units).
    enum GameState { NO_BATTLE = 0, FIRST_TEAM_TURN = 1, OTHER_TEAM_TURN = 2, BATTLE_OVER = 3 };

    GameBoard();
    ~GameBoard() override;
    GameBoard(const GameBoard&) = delete;
    GameBoard& operator=(const GameBoard&) = delete;

    // A game path such as "/Maps/Lighthouse.lvx".
    bool load(const std::string& mapPath);
    // Back to an empty board with no battle.
    void clear();
    bool isLoaded() const;

    int getGameState() const { return gameState; }
    StateController* getStateController() { return &stateController; }

    // Listeners are not owned and must unregister before they go. They may register and
    // unregister listeners (themselves too) while being called.
    void registerListener(GameBoardListener* listener, ListenerPriority priority);
    void unregisterListener(GameBoardListener* listener);
    bool hasListener(const GameBoardListener* listener) const;

    View* getView() const { return view.get(); }
    Camera* getCamera() const { return camera.get(); }

    // What the loaded map holds; empty before a load.
    std::string getMapName() const;
    std::string getMapPath() const;
    int getWidth() const;
    int getHeight() const;
    Landscape* getLandscape(int x, int y) const;
    Unit* getUnitAt(int x, int y) const;
    Object* getObjectAt(int x, int y) const;
    Chest* getChestAt(int x, int y) const;
    std::vector<Team*> getTeams() const;
    Team* findTeam(const std::string& name) const;
    std::vector<Unit*> getUnits() const;
    std::vector<Object*> getObjects() const;
    std::vector<Chest*> getChests() const;

    // The team whose turn it is (null without a battle), and how many turns have begun.
    Team* getActiveTeam() const;
    int getTurn() const;
    // The next team with living units takes its turn, its units' act points refilled.
    // Ends the battle when fewer than two teams have living units.
    void endTurn();
    // The active team gives up: the battle is over.
    void concede();
    // Walks a unit to a free cell it can stand on; false, with nothing changed, otherwise.
    bool moveUnit(Unit* unit, int x, int y);

    // "landscape", "objects", "units": the load phases in order.
    static const std::vector<std::string>& getLoadPhaseNames();

private:
    struct Registered {
        GameBoardListener* listener;
        ListenerPriority priority;
    };
    template <class Call> void notify(Call call);
    void reportUnreadable(const std::string& mapPath, int line, int column, const std::string& why);
    // Swaps the new content in and shows it; under the lock.
    void commit(std::unique_ptr<BoardContent> loaded, const std::string& mapPath);
    void unregisterModels();
    void placeCamera();
    void startTurn(int teamIndex);
    void updateGameState();

    std::unique_ptr<Camera> camera;
    std::unique_ptr<View> view;
    std::unique_ptr<BoardContent> content;
    std::string mapPath;
    std::atomic<int> gameState{NO_BATTLE};
    StateController stateController;
    int activeTeam = -1;
    int turn = 0;
    mutable std::mutex listenersMutex;
    std::vector<Registered> listeners;
};

} // namespace kel::logic

#include "host/logic/GameBoard.h"
#include "host/config/Config.h"
#include "host/engine/Camera.h"
#include "host/engine/Model.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/SphericalPlacement.h"
#include "host/engine/View.h"
#include "host/logic/BoardContent.h"
#include "host/logic/BoardGeometry.h"
#include "host/logic/LogicLog.h"
#include "host/logic/MapLoader.h"
#include "host/logic/Unit3d.h"

#include <algorithm>
#include <cmath>

namespace kel::logic {

GameBoard::GameBoard()
    : camera(std::make_unique<Camera>()),
      view(std::make_unique<View>(camera.get(), Viewport(), "gameboard")),
      content(std::make_unique<BoardContent>()) {
    placeCamera();
}

GameBoard::~GameBoard() {
    thread::Lock frames(*theRenderDriver);
    thread::Lock hold(*this);
    unregisterModels();
    // The world's shape went with the map: without a board the world is flat again.
    if (content->sphereRadius > 0)
        setSphereRadius(0);
}

const std::vector<std::string>& GameBoard::getLoadPhaseNames() {
    static const std::vector<std::string> names{"landscape", "objects", "units"};
    return names;
}

template <class Call> void GameBoard::notify(Call call) {
    std::vector<Registered> current;
    {
        std::lock_guard<std::mutex> guard(listenersMutex);
        current = listeners;
    }
    for (const Registered& entry : current)
        if (hasListener(entry.listener))
            call(entry.listener);
}

void GameBoard::registerListener(GameBoardListener* listener, ListenerPriority priority) {
    std::lock_guard<std::mutex> guard(listenersMutex);
    for (const Registered& entry : listeners)
        if (entry.listener == listener)
            return;
    auto at = std::upper_bound(
        listeners.begin(), listeners.end(), priority,
        [](ListenerPriority p, const Registered& entry) { return p < entry.priority; });
    listeners.insert(at, Registered{listener, priority});
}

void GameBoard::unregisterListener(GameBoardListener* listener) {
    std::lock_guard<std::mutex> guard(listenersMutex);
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                   [&](const Registered& e) { return e.listener == listener; }),
                    listeners.end());
}

bool GameBoard::hasListener(const GameBoardListener* listener) const {
    std::lock_guard<std::mutex> guard(listenersMutex);
    return std::any_of(listeners.begin(), listeners.end(),
                       [&](const Registered& e) { return e.listener == listener; });
}

void GameBoard::reportUnreadable(const std::string& path, int line, int column,
                                 const std::string& why) {
    reportLogicError(path, line, column, "map not loaded: " + why);
}

bool GameBoard::load(const std::string& path) {
    StateTransition loading(stateController);
    config::Config file;
    if (!file.readFile(path)) {
        const config::ParseError& error = file.getLastError();
        if (error.line > 0)
            reportUnreadable(path, error.line, error.column, error.message);
        else
            reportUnreadable(path, 0, 0, "the file is missing or unreadable");
        return false;
    }

    auto loaded = std::make_unique<BoardContent>();
    MapLoader loader(path, file, *loaded);
    if (!loader.readHeader())
        return false;
    for (int phase = 0; phase < MapLoader::kPhaseCount; ++phase) {
        notify([](GameBoardListener* l) { l->startLoadPhase(); });
        const bool ok = loader.loadPhase(phase, [this](float p) {
            notify([p](GameBoardListener* l) { l->setLoadProgress(p); });
        });
        if (!ok) {
            notify([](GameBoardListener* l) { l->loadAborted(); });
            return false;
        }
        notify([](GameBoardListener* l) { l->finishLoadPhase(); });
    }

    Team* first = nullptr;
    {
        // The view's content changes: no frame may draw or trace it meanwhile. The render
        // driver's lock comes first, as in a frame that reads the board.
        thread::Lock frames(*theRenderDriver);
        thread::Lock hold(*this);
        commit(std::move(loaded), path);
        first = content->teams.empty() ? nullptr : content->teams.front().get();
    }
    notify([first](GameBoardListener* l) { l->turnStarted(first); });
    return true;
}

void GameBoard::commit(std::unique_ptr<BoardContent> loaded, const std::string& path) {
    unregisterModels();
    content = std::move(loaded);
    mapPath = path;
    // The world's shape comes with the map; everything is placed on it.
    setSphereRadius(content->sphereRadius);
    const int w = content->width, h = content->height;
    for (const auto& cell : content->cells) {
        if (!cell->getModel())
            continue;
        cell->getModel()->getAnimator()->setTransformation(
            Matrix3(), cellCentre(cell->getX(), cell->getY(), w, h));
        view->registerObject(cell->getModel());
    }
    for (const auto& object : content->objects) {
        object->getModel()->getAnimator()->setTransformation(
            Matrix3(), cellCentre(object->getX(), object->getY(), w, h));
        view->registerObject(object->getModel());
    }
    for (const auto& chest : content->chests) {
        Matrix3 orientation;
        Vector position = cellCentre(chest->getX(), chest->getY(), w, h);
        sphericalPlacement(&orientation, &position);
        chest->getModel()->getAnimator()->setTransformation(orientation, position);
        view->registerObject(chest->getModel());
    }
    for (const auto& unit : content->units) {
        unit->getProtoUnit()->place(cellCentre(unit->getCellX(), unit->getCellY(), w, h),
                                    unit->getFacing());
        view->registerObject(unit->getProtoUnit()->getModel());
    }
    placeCamera();
    turn = 0;
    startTurn(0);
}

void GameBoard::unregisterModels() {
    for (RenderObject* object : std::vector<RenderObject*>(view->getObjects()))
        view->unregisterObject(object);
}

void GameBoard::placeCamera() {
    // From the south-west corner, looking down at the board's centre at 40 degrees.
    const float yaw = 0.25f * 3.14159265f;
    const float pitch = -0.7f;
    const int side = std::max(content->width, content->height);
    const float distance = static_cast<float>(side) * kCellSize * 1.2f + 6.0f;
    const Matrix3 orientation = Camera::lookingAt(yaw, pitch);
    const Vector forward = orientation.column(2);
    camera->setTransformation(orientation, Vector() - forward * distance);
}

void GameBoard::clear() {
    thread::Lock frames(*theRenderDriver);
    thread::Lock hold(*this);
    unregisterModels();
    content = std::make_unique<BoardContent>();
    setSphereRadius(0);
    mapPath.clear();
    activeTeam = -1;
    turn = 0;
    gameState = NO_BATTLE;
    placeCamera();
}

bool GameBoard::isLoaded() const {
    thread::Lock hold(*this);
    return !content->cells.empty();
}

void GameBoard::startTurn(int teamIndex) {
    activeTeam = teamIndex;
    ++turn;
    for (Unit* unit : content->teams[static_cast<size_t>(teamIndex)]->getUnits())
        if (unit->isAlive())
            unit->refreshActPool();
    updateGameState();
}

void GameBoard::updateGameState() {
    int living = 0;
    for (const auto& team : content->teams)
        living += team->hasLivingUnits();
    if (living < 2 && content->teams.size() > 1)
        gameState = BATTLE_OVER;
    else
        gameState = activeTeam == 0 ? FIRST_TEAM_TURN : OTHER_TEAM_TURN;
}

void GameBoard::endTurn() {
    Team* next = nullptr;
    {
        StateTransition changing(stateController);
        thread::Lock hold(*this);
        if (gameState != FIRST_TEAM_TURN && gameState != OTHER_TEAM_TURN)
            return;
        const int count = static_cast<int>(content->teams.size());
        for (int step = 1; step <= count; ++step) {
            const int candidate = (activeTeam + step) % count;
            if (content->teams[static_cast<size_t>(candidate)]->hasLivingUnits()) {
                startTurn(candidate);
                next = content->teams[static_cast<size_t>(candidate)].get();
                break;
            }
        }
    }
    if (next)
        notify([next](GameBoardListener* l) { l->turnStarted(next); });
}

void GameBoard::concede() {
    thread::Lock hold(*this);
    if (gameState == FIRST_TEAM_TURN || gameState == OTHER_TEAM_TURN)
        gameState = BATTLE_OVER;
}

bool GameBoard::moveUnit(Unit* unit, int x, int y) {
    {
        thread::Lock frames(*theRenderDriver);
        thread::Lock hold(*this);
        const Landscape* cell = content->cellAt(x, y);
        if (!unit || !unit->isAlive() || !cell || !cell->isWalkable() || content->unitAt(x, y) ||
            content->objectAt(x, y) || content->chestAt(x, y))
            return false;
        const bool onBoard =
            std::any_of(content->units.begin(), content->units.end(),
                        [&](const std::unique_ptr<Unit>& u) { return u.get() == unit; });
        if (!onBoard)
            return false;
        unit->setCell(x, y);
        unit->getProtoUnit()->place(cellCentre(x, y, content->width, content->height),
                                    unit->getFacing());
    }
    notify([unit](GameBoardListener* l) { l->unitMoved(unit); });
    return true;
}

std::string GameBoard::getMapName() const {
    thread::Lock hold(*this);
    return content->name;
}

std::string GameBoard::getMapPath() const {
    thread::Lock hold(*this);
    return mapPath;
}

int GameBoard::getWidth() const {
    thread::Lock hold(*this);
    return content->width;
}

int GameBoard::getHeight() const {
    thread::Lock hold(*this);
    return content->height;
}

Landscape* GameBoard::getLandscape(int x, int y) const {
    thread::Lock hold(*this);
    return content->cellAt(x, y);
}

Unit* GameBoard::getUnitAt(int x, int y) const {
    thread::Lock hold(*this);
    return content->unitAt(x, y);
}

Object* GameBoard::getObjectAt(int x, int y) const {
    thread::Lock hold(*this);
    return content->objectAt(x, y);
}

Chest* GameBoard::getChestAt(int x, int y) const {
    thread::Lock hold(*this);
    return content->chestAt(x, y);
}

namespace {
template <class T> std::vector<T*> pointers(const std::vector<std::unique_ptr<T>>& owned) {
    std::vector<T*> result;
    for (const auto& item : owned)
        result.push_back(item.get());
    return result;
}
} // namespace

std::vector<Team*> GameBoard::getTeams() const {
    thread::Lock hold(*this);
    return pointers(content->teams);
}

Team* GameBoard::findTeam(const std::string& name) const {
    thread::Lock hold(*this);
    return content->findTeam(name);
}

std::vector<Unit*> GameBoard::getUnits() const {
    thread::Lock hold(*this);
    return pointers(content->units);
}

std::vector<Object*> GameBoard::getObjects() const {
    thread::Lock hold(*this);
    return pointers(content->objects);
}

std::vector<Chest*> GameBoard::getChests() const {
    thread::Lock hold(*this);
    return pointers(content->chests);
}

Team* GameBoard::getActiveTeam() const {
    thread::Lock hold(*this);
    return activeTeam < 0 ? nullptr : content->teams[static_cast<size_t>(activeTeam)].get();
}

int GameBoard::getTurn() const {
    thread::Lock hold(*this);
    return turn;
}

} // namespace kel::logic

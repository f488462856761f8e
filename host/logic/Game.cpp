#include "host/logic/Game.h"
#include "host/logic/Globals.h"

namespace kel::logic {

Game::Game() {
    GAME_BOARD_VIEW = board.getView();
    BATTLE_CONTROL_SOURCE = &controlSource;
    SCENARIO = &scenario;
}

Game::~Game() {
    if (GAME_BOARD_VIEW == board.getView())
        GAME_BOARD_VIEW = nullptr;
    if (BATTLE_CONTROL_SOURCE == &controlSource)
        BATTLE_CONTROL_SOURCE = nullptr;
    if (SCENARIO == &scenario)
        SCENARIO = nullptr;
}

bool Game::loadMap(const std::string& mapPath) {
    if (!board.load(mapPath))
        return false;
    controlSource.reset();
    return true;
}

} // namespace kel::logic

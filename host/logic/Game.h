#pragma once

#include "host/HostApi.h"
#include "host/logic/CountingScenario.h"
#include "host/logic/GameBoard.h"
#include "host/logic/RecordingControlSource.h"

#include <string>

namespace kel::logic {

// The reference game logic as a whole: a board, its recording control source and a counting
// scenario. Constructing it installs them in the globals other modules read (GAME_BOARD_VIEW,
// BATTLE_CONTROL_SOURCE, SCENARIO); destroying it takes them out again (unless another game has
// replaced them meanwhile). One game at a time.
class KEL_HOST_API Game {
public:
    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GameBoard& getBoard() { return board; }
    RecordingControlSource& getControlSource() { return controlSource; }
    CountingScenario& getScenario() { return scenario; }

    // Loads a map onto the board (see GameBoard::load); a new map clears the selection.
    bool loadMap(const std::string& mapPath);

private:
    GameBoard board;
    RecordingControlSource controlSource{&board};
    CountingScenario scenario;
};

} // namespace kel::logic

#pragma once

#include "host/HostApi.h"

namespace kel::logic {

class GameBoard;

// The reference logic's opponent: it plays the turn of a team no player controls (every team
// after the first). Each living unit of the team, in map order, walks towards the nearest living
// unit of another team, one act point a cell along the rows and columns, over ground it may stand
// on, and stops beside it (or when its points run out or no free cell brings it closer). It does
// not end the turn itself.
class KEL_HOST_API Opponent {
public:
    // Plays the active team's turn when it is not the first team's; does nothing otherwise.
    static void playTurn(GameBoard& board);
};

} // namespace kel::logic

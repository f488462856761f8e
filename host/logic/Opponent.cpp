#include "host/logic/Opponent.h"
#include "host/engine/RenderDriver.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"

#include <climits>
#include <cstdlib>

namespace kel::logic {

namespace {

// Cells along the rows and columns from (x, y) to the nearest living unit of another team;
// INT_MAX when there is none.
int distanceToFoe(const std::vector<Unit*>& units, const Team* team, int x, int y) {
    int nearest = INT_MAX;
    for (const Unit* other : units)
        if (other->isAlive() && other->getTeam() != team) {
            const int d = std::abs(other->getCellX() - x) + std::abs(other->getCellY() - y);
            if (d < nearest)
                nearest = d;
        }
    return nearest;
}

} // namespace

void Opponent::playTurn(GameBoard& board) {
    // The whole turn under the board's lock (the render driver's first, as moves take them), so
    // a map loaded on another thread cannot swap the units away in the middle of it.
    thread::Lock frames(*theRenderDriver);
    thread::Lock hold(board);
    Team* team = board.getActiveTeam();
    if (!team || board.getGameState() != GameBoard::OTHER_TEAM_TURN)
        return;
    const int steps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    for (Unit* unit : team->getUnits()) {
        while (unit->isAlive() && unit->getActPool() > 0) {
            const std::vector<Unit*> units = board.getUnits();
            const int x = unit->getCellX(), y = unit->getCellY();
            int best = distanceToFoe(units, team, x, y);
            if (best <= 1)
                break;
            bool moved = false;
            for (const auto& step : steps) {
                const int nx = x + step[0], ny = y + step[1];
                if (distanceToFoe(units, team, nx, ny) < best && board.moveUnit(unit, nx, ny)) {
                    unit->setActPool(unit->getActPool() - 1);
                    moved = true;
                    break;
                }
            }
            if (!moved)
                break;
        }
    }
}

} // namespace kel::logic

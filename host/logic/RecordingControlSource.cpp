#include "host/logic/RecordingControlSource.h"
#include "host/logic/Act.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Landscape.h"
#include "host/logic/Opponent.h"
#include "host/logic/Team.h"
#include "host/logic/Unit.h"

#include <algorithm>
#include <cstdlib>

namespace kel::logic {

namespace {

std::string nameOf(const Unit* unit) {
    return unit ? "unit:" + unit->getInternalName() : "none";
}

std::string nameOf(const Act* act) {
    return act ? "act:" + act->getInternalName() : "none";
}

} // namespace

RecordingControlSource::RecordingControlSource(GameBoard* board) : board(board) {}

void RecordingControlSource::record(const std::string& call) {
    std::function<void(const std::string&)> tell;
    {
        std::lock_guard<std::mutex> guard(mutex);
        calls.push_back(call);
        tell = observer;
    }
    if (tell)
        tell(call);
}

std::vector<std::string> RecordingControlSource::getCalls() const {
    std::lock_guard<std::mutex> guard(mutex);
    return calls;
}

void RecordingControlSource::clearCalls() {
    std::lock_guard<std::mutex> guard(mutex);
    calls.clear();
}

void RecordingControlSource::setObserver(std::function<void(const std::string&)> newObserver) {
    std::lock_guard<std::mutex> guard(mutex);
    observer = std::move(newObserver);
}

bool RecordingControlSource::isInUnitFreelook() const {
    std::lock_guard<std::mutex> guard(mutex);
    return unitFreelook;
}

void RecordingControlSource::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    selectedUnit = nullptr;
    selectedAct = nullptr;
    focus = Target();
    unitFreelook = false;
}

Unit* RecordingControlSource::selectedActiveUnit() const {
    Unit* unit = nullptr;
    {
        std::lock_guard<std::mutex> guard(mutex);
        unit = selectedUnit;
    }
    return unit && unit->isAlive() && unit->getTeam() == board->getActiveTeam() ? unit : nullptr;
}

void RecordingControlSource::selectUnit(Unit* unit) {
    record("selectUnit(" + nameOf(unit) + ")");
    const std::vector<Unit*> units = board->getUnits();
    const bool onBoard = std::find(units.begin(), units.end(), unit) != units.end();
    if (!onBoard || !unit->isAlive())
        return;
    std::lock_guard<std::mutex> guard(mutex);
    selectedUnit = unit;
    selectedAct = nullptr;
}

void RecordingControlSource::deselectUnit() {
    record("deselectUnit()");
    std::lock_guard<std::mutex> guard(mutex);
    selectedUnit = nullptr;
    selectedAct = nullptr;
}

void RecordingControlSource::selectAct(Act* act) {
    record("selectAct(" + nameOf(act) + ")");
    std::lock_guard<std::mutex> guard(mutex);
    if (act && selectedUnit && act->getActiveUnit() == selectedUnit)
        selectedAct = act;
}

void RecordingControlSource::deselectAct() {
    record("deselectAct()");
    std::lock_guard<std::mutex> guard(mutex);
    selectedAct = nullptr;
}

bool RecordingControlSource::moveSelectedUnit(Target destination) {
    record("moveSelectedUnit(" + destination.describe() + ")");
    Unit* unit = selectedActiveUnit();
    const Landscape* cell = destination.getLandscape();
    if (!unit || !cell)
        return false;
    // One act point a cell, counted along the board's rows and columns.
    const int distance =
        std::abs(cell->getX() - unit->getCellX()) + std::abs(cell->getY() - unit->getCellY());
    if (distance > unit->getActPool() || !board->moveUnit(unit, cell->getX(), cell->getY()))
        return false;
    unit->setActPool(unit->getActPool() - distance);
    return true;
}

bool RecordingControlSource::useSelectedAct(Target target) {
    record("useSelectedAct(" + target.describe() + ")");
    Unit* unit = selectedActiveUnit();
    Act* act = nullptr;
    {
        std::lock_guard<std::mutex> guard(mutex);
        act = selectedAct;
    }
    if (!unit || !act || !target.isValid() || act->getCost() > unit->getActPool())
        return false;
    unit->setActPool(unit->getActPool() - act->getCost());
    return true;
}

void RecordingControlSource::cycleSelection(int step) {
    const Team* team = board->getActiveTeam();
    if (!team)
        return;
    std::vector<Unit*> living;
    for (Unit* unit : team->getUnits())
        if (unit->isAlive())
            living.push_back(unit);
    if (living.empty())
        return;
    std::lock_guard<std::mutex> guard(mutex);
    const auto current = std::find(living.begin(), living.end(), selectedUnit);
    const int count = static_cast<int>(living.size());
    int index =
        current == living.end() ? (step > 0 ? -1 : 0) : static_cast<int>(current - living.begin());
    index = ((index + step) % count + count) % count;
    selectedUnit = living[static_cast<size_t>(index)];
    selectedAct = nullptr;
}

void RecordingControlSource::selectNextUnit() {
    record("selectNextUnit()");
    cycleSelection(1);
}

Unit* RecordingControlSource::getSelectedUnit() {
    record("getSelectedUnit()");
    std::lock_guard<std::mutex> guard(mutex);
    return selectedUnit;
}

void RecordingControlSource::selectPreviousUnit() {
    record("selectPreviousUnit()");
    cycleSelection(-1);
}

Act* RecordingControlSource::getSelectedAct() {
    record("getSelectedAct()");
    std::lock_guard<std::mutex> guard(mutex);
    return selectedAct;
}

Target RecordingControlSource::getFocusTarget() {
    record("getFocusTarget()");
    std::lock_guard<std::mutex> guard(mutex);
    return focus;
}

bool RecordingControlSource::isPlayerTurn() {
    record("isPlayerTurn()");
    return board->getGameState() == GameBoard::FIRST_TEAM_TURN;
}

Team* RecordingControlSource::getActiveTeam() {
    record("getActiveTeam()");
    return board->getActiveTeam();
}

void RecordingControlSource::holdSelectedUnit() {
    record("holdSelectedUnit()");
    if (Unit* unit = selectedActiveUnit())
        unit->setActPool(0);
}

void RecordingControlSource::concede() {
    record("concede()");
    board->concede();
}

void RecordingControlSource::endTurn() {
    record("endTurn()");
    {
        std::lock_guard<std::mutex> guard(mutex);
        selectedUnit = nullptr;
        selectedAct = nullptr;
    }
    board->endTurn();
    // The teams after the first have no player: the reference opponent plays each of their
    // turns until the player's turn comes back or the battle is over. Bounded by the number of
    // teams, so teams that cannot reach the player never keep the battle going on alone.
    const size_t teams = board->getTeams().size();
    for (size_t played = 0; played < teams && board->getGameState() == GameBoard::OTHER_TEAM_TURN;
         ++played) {
        Opponent::playTurn(*board);
        board->endTurn();
    }
}

void RecordingControlSource::beginUnitFreelook() {
    record("beginUnitFreelook()");
    std::lock_guard<std::mutex> guard(mutex);
    unitFreelook = true;
}

void RecordingControlSource::endUnitFreelook() {
    record("endUnitFreelook()");
    std::lock_guard<std::mutex> guard(mutex);
    unitFreelook = false;
}

void RecordingControlSource::controlCommand1() {
    record("controlCommand1()");
}
void RecordingControlSource::controlCommand2() {
    record("controlCommand2()");
}
void RecordingControlSource::controlCommand3() {
    record("controlCommand3()");
}
void RecordingControlSource::controlCommand4() {
    record("controlCommand4()");
}
void RecordingControlSource::controlCommand5() {
    record("controlCommand5()");
}
void RecordingControlSource::controlCommand6() {
    record("controlCommand6()");
}
void RecordingControlSource::controlCommand7() {
    record("controlCommand7()");
}
void RecordingControlSource::controlCommand8() {
    record("controlCommand8()");
}
void RecordingControlSource::controlCommand9() {
    record("controlCommand9()");
}
void RecordingControlSource::targetCommand1(Target target) {
    record("targetCommand1(" + target.describe() + ")");
}
void RecordingControlSource::targetCommand2(Target target) {
    record("targetCommand2(" + target.describe() + ")");
}
void RecordingControlSource::controlCommand10() {
    record("controlCommand10()");
}
void RecordingControlSource::controlCommand11() {
    record("controlCommand11()");
}
void RecordingControlSource::indexedCommand1(int index) {
    record("indexedCommand1(" + std::to_string(index) + ")");
}
void RecordingControlSource::controlCommand12() {
    record("controlCommand12()");
}
void RecordingControlSource::controlCommand13() {
    record("controlCommand13()");
}
void RecordingControlSource::targetCommand3(Target target) {
    record("targetCommand3(" + target.describe() + ")");
}
void RecordingControlSource::indexedCommand2(int index) {
    record("indexedCommand2(" + std::to_string(index) + ")");
}
void RecordingControlSource::controlCommand14() {
    record("controlCommand14()");
}

void RecordingControlSource::setFocusTarget(Target target) {
    record("setFocusTarget(" + target.describe() + ")");
    std::lock_guard<std::mutex> guard(mutex);
    focus = target;
}

void RecordingControlSource::clearFocusTarget() {
    record("clearFocusTarget()");
    std::lock_guard<std::mutex> guard(mutex);
    focus = Target();
}

void RecordingControlSource::controlCommand15() {
    record("controlCommand15()");
}
void RecordingControlSource::controlCommand16() {
    record("controlCommand16()");
}
void RecordingControlSource::targetCommand4(Target target) {
    record("targetCommand4(" + target.describe() + ")");
}
void RecordingControlSource::targetCommand5(Target target) {
    record("targetCommand5(" + target.describe() + ")");
}

} // namespace kel::logic

#pragma once

#include "host/HostApi.h"
#include "host/logic/ControlSourceInterface.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kel::logic {

class GameBoard;

// The reference battle control source. It records every call it receives, in order, as text:
// the operation's name and its argument ("targetCommand2(unit:knight)", "indexedCommand1(3)",
// "endTurn()", queries such as "getSelectedUnit()" too), and plays the turn for real on its
// board: it keeps the selected unit, act and the focus under the pointer, moves units and spends
// their act points; ending the player's turn hands the board to the next team, whose turn the
// reference Opponent plays, until the player's turn comes back.
//
// The UI calls it on its own thread while the host reads the record: every operation is safe
// from any thread. The board (not owned) must outlive it.
class KEL_HOST_API RecordingControlSource : public ControlSourceInterface {
public:
    explicit RecordingControlSource(GameBoard* board);

    void selectUnit(Unit* unit) override;
    void deselectUnit() override;
    void selectAct(Act* act) override;
    void deselectAct() override;
    bool moveSelectedUnit(Target destination) override;
    bool useSelectedAct(Target target) override;
    void selectNextUnit() override;
    Unit* getSelectedUnit() override;
    void selectPreviousUnit() override;
    Act* getSelectedAct() override;
    Target getFocusTarget() override;
    bool isPlayerTurn() override;
    Team* getActiveTeam() override;
    void holdSelectedUnit() override;
    void concede() override;
    void endTurn() override;
    void beginUnitFreelook() override;
    void endUnitFreelook() override;
    void controlCommand1() override;
    void controlCommand2() override;
    void controlCommand3() override;
    void controlCommand4() override;
    void controlCommand5() override;
    void controlCommand6() override;
    void controlCommand7() override;
    void controlCommand8() override;
    void controlCommand9() override;
    void targetCommand1(Target target) override;
    void targetCommand2(Target target) override;
    void controlCommand10() override;
    void controlCommand11() override;
    void indexedCommand1(int index) override;
    void controlCommand12() override;
    void controlCommand13() override;
    void targetCommand3(Target target) override;
    void indexedCommand2(int index) override;
    void controlCommand14() override;
    void setFocusTarget(Target target) override;
    void clearFocusTarget() override;
    void controlCommand15() override;
    void controlCommand16() override;
    void targetCommand4(Target target) override;
    void targetCommand5(Target target) override;

    // The calls so far, oldest first.
    std::vector<std::string> getCalls() const;
    void clearCalls();
    // Called with each call's text as it is recorded (kel-play's transcript); may be empty.
    void setObserver(std::function<void(const std::string&)> observer);

    bool isInUnitFreelook() const;

    // Forgets the selection and the focus (a new map was loaded).
    void reset();

private:
    void record(const std::string& call);
    // Steps through the active team's living units from the selected one.
    void cycleSelection(int step);
    // The selected unit when it belongs to the team whose turn it is; else null.
    Unit* selectedActiveUnit() const;

    GameBoard* board;         // not owned
    mutable std::mutex mutex; // never held while the board is called
    std::vector<std::string> calls;
    std::function<void(const std::string&)> observer;
    Unit* selectedUnit = nullptr;
    Act* selectedAct = nullptr;
    Target focus;
    bool unitFreelook = false;
};

} // namespace kel::logic

#pragma once

#include "host/HostApi.h"
#include "host/logic/Target.h"

namespace kel::logic {

class Act;
class Team;
class Unit;

// The receiver of the player's commands in battle (BATTLE_CONTROL_SOURCE). The order of the
// operations and their arguments are fixed: the UI module calls them through this table.
//
// The first fifteen are the selection and movement a control source offers its callers (the UI
// calls only getSelectedUnit of them). Then the turn and free-look, then the commands the UI's
// control-source redirector sends for the translated input states: plain commands, commands with
// a target under the pointer, indexed commands, and the focus under the pointer.
class KEL_HOST_API ControlSourceInterface {
public:
    virtual void selectUnit(Unit* unit) = 0;               // 1
    virtual void deselectUnit() = 0;                       // 2
    virtual void selectAct(Act* act) = 0;                  // 3
    virtual void deselectAct() = 0;                        // 4
    virtual bool moveSelectedUnit(Target destination) = 0; // 5
    virtual bool useSelectedAct(Target target) = 0;        // 6
    virtual void selectNextUnit() = 0;                     // 7
    virtual Unit* getSelectedUnit() = 0;                   // 8
    virtual void selectPreviousUnit() = 0;                 // 9
    virtual Act* getSelectedAct() = 0;                     // 10
    virtual Target getFocusTarget() = 0;                   // 11
    virtual bool isPlayerTurn() = 0;                       // 12
    virtual Team* getActiveTeam() = 0;                     // 13
    virtual void holdSelectedUnit() = 0;                   // 14
    virtual void concede() = 0;                            // 15
    virtual void endTurn() = 0;                            // 16
    virtual void beginUnitFreelook() = 0;                  // 17
    virtual void endUnitFreelook() = 0;                    // 18
    virtual void controlCommand1() = 0;                    // 19
    virtual void controlCommand2() = 0;                    // 20
    virtual void controlCommand3() = 0;                    // 21
    virtual void controlCommand4() = 0;                    // 22
    virtual void controlCommand5() = 0;                    // 23
    virtual void controlCommand6() = 0;                    // 24
    virtual void controlCommand7() = 0;                    // 25
    virtual void controlCommand8() = 0;                    // 26
    virtual void controlCommand9() = 0;                    // 27
    virtual void targetCommand1(Target target) = 0;        // 28
    virtual void targetCommand2(Target target) = 0;        // 29
    virtual void controlCommand10() = 0;                   // 30
    virtual void controlCommand11() = 0;                   // 31
    virtual void indexedCommand1(int index) = 0;           // 32
    virtual void controlCommand12() = 0;                   // 33
    virtual void controlCommand13() = 0;                   // 34
    virtual void targetCommand3(Target target) = 0;        // 35
    virtual void indexedCommand2(int index) = 0;           // 36
    virtual void controlCommand14() = 0;                   // 37
    virtual void setFocusTarget(Target target) = 0;        // 38
    virtual void clearFocusTarget() = 0;                   // 39
    virtual void controlCommand15() = 0;                   // 40
    virtual void controlCommand16() = 0;                   // 41
    virtual void targetCommand4(Target target) = 0;        // 42
    virtual void targetCommand5(Target target) = 0;        // 43
    virtual ~ControlSourceInterface() = default;
};

} // namespace kel::logic

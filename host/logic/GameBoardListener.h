#pragma once

#include "host/HostApi.h"

namespace kel::logic {

class Team;
class Unit;

// Listeners run in ascending priority; equal priorities in registration order.
using ListenerPriority = int;

// Told what the board does. While a map loads: each load phase starts, reports its progress
// (0 to 1 within the phase) and finishes, in order; a load that fails stops at the failing phase
// and says so with loadAborted. Every operation does nothing unless overridden. The first three
// keep their places: the UI's loading screen relies on them.
class KEL_HOST_API GameBoardListener {
public:
    virtual void startLoadPhase() {}
    virtual void finishLoadPhase() {}
    virtual void setLoadProgress(float) {}
    // The load failed; the board is as it was before it.
    virtual void loadAborted() {}
    // A team's turn began (after a map loaded, the first team's; then after every end of turn).
    virtual void turnStarted(Team*) {}
    // A unit walked to another cell (its model stands there now): whatever floats over the unit
    // (its health digits) follows it.
    virtual void unitMoved(Unit*) {}
    virtual ~GameBoardListener() = default;
};

} // namespace kel::logic

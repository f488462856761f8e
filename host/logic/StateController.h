#pragma once

#include "host/HostApi.h"

#include <atomic>

namespace kel::logic {

// Tells whether the board is at rest. While a transition runs (a map loading, a turn changing,
// an act being played out) the state is not stable and the UI must not open menus over it.
// Transitions nest; any thread may ask.
class KEL_HOST_API StateController {
public:
    bool isStateStable() const { return transitions == 0; }
    void beginTransition() { ++transitions; }
    // Unmatched ends are ignored.
    void endTransition();

private:
    std::atomic<int> transitions{0};
};

// Holds a transition for its own lifetime.
class StateTransition {
public:
    explicit StateTransition(StateController& controller) : controller(controller) {
        controller.beginTransition();
    }
    ~StateTransition() { controller.endTransition(); }
    StateTransition(const StateTransition&) = delete;
    StateTransition& operator=(const StateTransition&) = delete;

private:
    StateController& controller;
};

} // namespace kel::logic

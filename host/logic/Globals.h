#pragma once

// The game logic's globals that the other modules read (kel-globals). They are null until a
// game logic installs itself (kel::logic::Game does) and null again when it goes.

#include "host/HostApi.h"

class View;

namespace kel::logic {
class ControlSourceInterface;
class ScenarioInterface;
} // namespace kel::logic

// The game board's 3D view (owned by the board).
KEL_HOST_API extern View* GAME_BOARD_VIEW;
// Receives the player's commands in battle.
KEL_HOST_API extern kel::logic::ControlSourceInterface* BATTLE_CONTROL_SOURCE;
// The running mission's scenario; may be null.
KEL_HOST_API extern kel::logic::ScenarioInterface* SCENARIO;

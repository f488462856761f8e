#include "host/logic/Globals.h"

View* GAME_BOARD_VIEW = nullptr;
kel::logic::ControlSourceInterface* BATTLE_CONTROL_SOURCE = nullptr;
kel::logic::ScenarioInterface* SCENARIO = nullptr;

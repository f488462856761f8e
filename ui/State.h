#pragma once

#include "ui/UiApi.h"

#include <cstdint>

namespace kel::ui {

// The root UI's screen state. The numbers cross the module boundary: the host reads them.
class KEL_UI_API State {
public:
    enum Name : int32_t {
        INITIAL = 0,     // constructed and initialised; the layout is not read yet
        MAIN_MENU = 1,   // the main screen with the main round menu
        LOADING = 2,     // a map is being loaded
        GAME = 3,        // the battle screen over the game-board view
        GAME_MENU = 4,   // the in-game round menu over the paused battle
        ENDING_GAME = 5, // the battle was left; waiting for the main menu
    };

    State(Name name = INITIAL) : name(name) {}
    bool operator==(const State& other) const { return name == other.name; }
    bool operator!=(const State& other) const { return name != other.name; }
    bool operator==(Name other) const { return name == other; }
    operator Name() const { return name; }

    bool isMenuMode() const { return name == MAIN_MENU || name == GAME_MENU; }
    bool isGameMode() const { return name == GAME; }
    bool isPointerVisible() const { return name == MAIN_MENU || name == GAME || name == GAME_MENU; }

private:
    Name name;
};

// A flow command of the host. The numbers cross the module boundary: the host passes them.
class KEL_UI_API Command {
public:
    enum Name : int32_t {
        LOAD_INTERFACE = 0,
        SHOW_MAIN_MENU = 1,
        BEGIN_LOADING = 2,
        BEGIN_GAME = 3,
        SHOW_GAME_MENU = 4,
        RESUME_GAME = 5,
        END_GAME = 6,
    };

    Command(Name name) : name(name) {}
    bool operator==(const Command& other) const { return name == other.name; }
    bool operator!=(const Command& other) const { return name != other.name; }
    bool operator==(Name other) const { return name == other; }
    operator Name() const { return name; }

private:
    Name name;
};

} // namespace kel::ui

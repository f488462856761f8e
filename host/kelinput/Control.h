#pragma once

#include <list>
#include <string>

namespace kelinput {

// A binding: up to two key names, pressed in that order, then for an axis control the name of
// the mouse axis ("MouseX" or "MouseY") whose movement it takes while the keys are held.
using Binding = std::list<std::string>;
using Bindings = std::list<Binding>;

// One control of a translator's table, as the controls file defines it.
struct Control {
    // What the program and the files call it ("endturn").
    std::string name;
    // What the player reads ("End turn").
    std::string sweetName;
    bool axis = false;
    // The control-source state number it sends (0 to 36); -1 for camera controls.
    int state = -1;
    // From the controls file.
    Bindings defaults;
    // The player's, as used for translation.
    Bindings bindings;
    // Where the control is defined in the controls file (0 when unknown).
    int line = 0;
};

} // namespace kelinput

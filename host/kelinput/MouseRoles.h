#pragma once

#include "host/HostApi.h"

#include <string>
#include <vector>

namespace kelinput {

// Which mouse button plays each of the four roles the player assigns on the input page: accept,
// cancel, move/act and drag camera. Buttons are numbered as the profile numbers them: 0 none,
// 1 left, 2 middle, 3 right.
//
// Bindings name the mouse buttons by the role they play with the shipped settings: "LeftClick"
// stands for the accept button, "RightClick" for the cancel button and "MiddleClick" for the
// drag-camera button. The translators read a physical button as the keys of the roles it plays
// now, so reassigning a role carries every binding of that role (Control with the accept button
// attacks, whichever button that is). A button may play the drag-camera role besides another;
// a button that plays no role does nothing in battle. The move/act button has no key of its
// own: its press sends the control "move".
class KEL_HOST_API MouseRoles {
public:
    enum Button : int { None = 0, Left = 1, Middle = 2, Right = 3 };

    // The shipped assignment: accept left, cancel right, no move/act button, drag with the
    // middle button.
    MouseRoles() = default;
    MouseRoles(int accept, int cancel, int moveAct, int dragCamera);

    bool operator==(const MouseRoles& other) const;
    bool operator!=(const MouseRoles& other) const { return !(*this == other); }

    // The keys the bindings know the physical key `key` by: for a mouse button, the keys of the
    // roles it plays (none for a button without a role); any other key is itself.
    std::vector<std::string> keysOf(const std::string& key) const;
    // Whether the physical key `key` is the move/act button.
    bool movesOrActs(const std::string& key) const;

private:
    // The button number of a physical mouse button name; None for any other key.
    static int buttonOf(const std::string& key);

    int accept = Left;
    int cancel = Right;
    int moveAct = None;
    int dragCamera = Middle;
};

} // namespace kelinput

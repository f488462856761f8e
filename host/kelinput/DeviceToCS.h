#pragma once

#include "host/HostApi.h"
#include "host/input/Broadcaster.h"
#include "host/input/Listener.h"
#include "host/kelinput/MouseRoles.h"
#include "host/kelinput/RedefineControls.h"

#include <mutex>
#include <set>
#include <string>

namespace kelinput {

// Translates the player's keys and mouse buttons in battle into control-source events
// (kel::input::events::CS), one per firing of a bound combination, sent to getOutput() where the
// host attaches the battle's redirector. A binding fires once, when its last key goes down
// while the earlier ones are held; keys that are already down do not fire again until they
// come up. An unbound combination produces nothing. Mouse buttons are read through the player's
// mouse roles (see MouseRoles): the accept button fires what "LeftClick" is bound to, and the
// move/act button sends the control "move".
class KEL_HOST_API DeviceToCS final : public input::Listener {
public:
    DeviceToCS();

    RedefineControls* getRedefineControls() { return &controls; }
    // Listeners attached here are not owned.
    input::Broadcaster* getOutput() { return &output; }

    void event(const counting_ptr<input::Event>& e) override;
    // Forgets the held keys (the game UI was hidden; releases may never come).
    void clean() override;
    // `key` as the bindings know it ("LeftClick" is the accept button, whichever it is).
    bool isHeld(const std::string& key) const;
    // The player's assignment of mouse buttons; a change forgets what is held, since a button
    // held now would come up under another name.
    void setMouseRoles(const MouseRoles& roles);
    MouseRoles getMouseRoles() const;

private:
    RedefineControls controls;
    input::Broadcaster output;
    // Guards held; never held while broadcasting.
    mutable std::mutex mutex;
    std::set<std::string> held;
    MouseRoles roles;
    bool moveActHeld = false;
};

} // namespace kelinput

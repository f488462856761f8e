#include "host/kelinput/DeviceToCS.h"
#include "host/input/Event.h"
#include "host/kelinput/CS.h"

#include <algorithm>
#include <vector>

namespace kelinput {

DeviceToCS::DeviceToCS() : controls("controlsource") {}

void DeviceToCS::event(const counting_ptr<input::Event>& e) {
    const auto* button = e.as<input::events::Button>();
    if (!button)
        return;
    const std::string physical = RedefineControls::keyOf(*button);
    if (physical.empty())
        return;
    std::vector<RedefineControls::Match> fired;
    {
        std::lock_guard<std::mutex> guard(mutex);
        const bool movesOrActs = roles.movesOrActs(physical);
        for (const std::string& key : roles.keysOf(physical)) {
            if (!button->isPressed()) {
                held.erase(key);
                continue;
            }
            if (!held.insert(key).second)
                continue; // auto-repeat of a key already down
            for (auto& match : controls.match(key, held))
                fired.push_back(std::move(match));
        }
        if (movesOrActs && button->isPressed() != moveActHeld) {
            moveActHeld = button->isPressed();
            const int move = controls.getEventState("move");
            // Once per press, even where a binding of the button's other role sent it too.
            const bool sent = std::any_of(fired.begin(), fired.end(), [](const auto& match) {
                return match.control == "move";
            });
            if (moveActHeld && move >= 0 && !sent)
                fired.push_back(RedefineControls::Match{"move", move, {physical}, ""});
        }
    }
    // Outside our lock: a listener may come back into the translator.
    for (const auto& match : fired)
        output.broadcast(
            counting_ptr<input::Event>(new kel::input::events::CS(match.state, match.control)));
}

void DeviceToCS::clean() {
    std::lock_guard<std::mutex> guard(mutex);
    held.clear();
    moveActHeld = false;
}

void DeviceToCS::setMouseRoles(const MouseRoles& newRoles) {
    std::lock_guard<std::mutex> guard(mutex);
    if (roles == newRoles)
        return;
    roles = newRoles;
    held.clear();
    moveActHeld = false;
}

MouseRoles DeviceToCS::getMouseRoles() const {
    std::lock_guard<std::mutex> guard(mutex);
    return roles;
}

bool DeviceToCS::isHeld(const std::string& key) const {
    std::lock_guard<std::mutex> guard(mutex);
    return held.count(key) != 0;
}

} // namespace kelinput

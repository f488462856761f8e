#include "host/kelinput/DeviceToCS.h"
#include "host/input/Event.h"
#include "host/kelinput/CS.h"

#include <vector>

namespace kelinput {

DeviceToCS::DeviceToCS() : controls("controlsource") {}

void DeviceToCS::event(counting_ptr<input::Event> e) {
    const auto* button = e.as<input::events::Button>();
    if (!button)
        return;
    const std::string key = RedefineControls::keyOf(*button);
    if (key.empty())
        return;
    std::vector<RedefineControls::Match> fired;
    {
        std::lock_guard<std::mutex> guard(mutex);
        if (!button->isPressed()) {
            held.erase(key);
            return;
        }
        if (!held.insert(key).second)
            return; // auto-repeat of a key already down
        fired = controls.match(key, held);
    }
    // Outside our lock: a listener may come back into the translator.
    for (const auto& match : fired)
        output.broadcast(
            counting_ptr<input::Event>(new kel::input::events::CS(match.state, match.control)));
}

void DeviceToCS::clean() {
    std::lock_guard<std::mutex> guard(mutex);
    held.clear();
}

bool DeviceToCS::isHeld(const std::string& key) const {
    std::lock_guard<std::mutex> guard(mutex);
    return held.count(key) != 0;
}

} // namespace kelinput

#include "host/input/Broadcaster.h"
#include "host/input/Device.h"

#include <algorithm>

namespace input {

void Broadcaster::attach(Listener* listener) {
    std::lock_guard<std::recursive_mutex> guard(mutex);
    if (std::find(listeners.begin(), listeners.end(), listener) == listeners.end())
        listeners.push_back(listener);
}

void Broadcaster::detach(Listener* listener) {
    std::lock_guard<std::recursive_mutex> guard(mutex);
    listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

bool Broadcaster::isAttached(const Listener* listener) const {
    std::lock_guard<std::recursive_mutex> guard(mutex);
    return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

void Broadcaster::broadcast(counting_ptr<Event> e) {
    std::vector<Listener*> snapshot;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        snapshot = listeners;
    }
    for (Listener* listener : snapshot)
        if (isAttached(listener))
            listener->processEvent(e);
}

void Broadcaster::clean() {
    std::vector<Listener*> snapshot;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        snapshot = listeners;
    }
    for (Listener* listener : snapshot)
        listener->clean();
}

namespace devices {

PCKeyboard* PCKeyboard::instance() {
    static PCKeyboard keyboard;
    return &keyboard;
}

PCMouse* PCMouse::instance() {
    static PCMouse mouse;
    return &mouse;
}

} // namespace devices
} // namespace input

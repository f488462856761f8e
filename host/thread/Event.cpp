#include "host/thread/Event.h"

#include <chrono>

namespace thread {

Event::Event(bool manualReset, bool initiallySet)
    : manualReset(manualReset), signalled(initiallySet) {}

void Event::set() {
    {
        std::lock_guard<std::mutex> guard(mutex);
        signalled = true;
    }
    if (manualReset)
        condition.notify_all();
    else
        condition.notify_one();
}

void Event::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    signalled = false;
}

bool Event::isSet() const {
    std::lock_guard<std::mutex> guard(mutex);
    return signalled;
}

void Event::wait() {
    std::unique_lock<std::mutex> guard(mutex);
    condition.wait(guard, [this] { return signalled; });
    if (!manualReset)
        signalled = false;
}

bool Event::waitFor(double seconds) {
    std::unique_lock<std::mutex> guard(mutex);
    const auto limit = std::chrono::duration<double>(seconds);
    if (!condition.wait_for(guard, limit, [this] { return signalled; }))
        return false;
    if (!manualReset)
        signalled = false;
    return true;
}

} // namespace thread

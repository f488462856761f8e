#include "host/input/Broadcaster.h"
#include "host/engine/ListSnapshot.h"
#include "host/input/Device.h"

#include <algorithm>

namespace input {

namespace {

// Guards every listener's list of broadcasters. Never held while a broadcaster's own lock is
// taken, nor the other way round.
std::mutex& linkLock() {
    static std::mutex lock;
    return lock;
}

void link(std::vector<Broadcaster*>& attachedTo, Broadcaster* broadcaster, bool on) {
    std::lock_guard<std::mutex> guard(linkLock());
    attachedTo.erase(std::remove(attachedTo.begin(), attachedTo.end(), broadcaster),
                     attachedTo.end());
    if (on)
        attachedTo.push_back(broadcaster);
}

} // namespace

Listener::~Listener() {
    std::vector<Broadcaster*> broadcasters;
    {
        std::lock_guard<std::mutex> guard(linkLock());
        broadcasters = attachedTo;
    }
    for (Broadcaster* broadcaster : broadcasters)
        broadcaster->detach(this);
}

Broadcaster::~Broadcaster() {
    std::vector<Listener*> attached;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        attached.swap(listeners);
    }
    for (Listener* listener : attached)
        link(listener->attachedTo, this, false);
}

void Broadcaster::attach(Listener* listener) {
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        if (std::find(listeners.begin(), listeners.end(), listener) != listeners.end())
            return;
        listeners.push_back(listener);
    }
    link(listener->attachedTo, this, true);
}

void Broadcaster::detach(Listener* listener) {
    bool was = false;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        const auto end = std::remove(listeners.begin(), listeners.end(), listener);
        was = end != listeners.end();
        listeners.erase(end, listeners.end());
        if (was)
            detachments.fetch_add(1, std::memory_order_release);
    }
    if (was)
        link(listener->attachedTo, this, false);
}

bool Broadcaster::isAttached(const Listener* listener) const {
    std::lock_guard<std::recursive_mutex> guard(mutex);
    return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

void Broadcaster::broadcast(const counting_ptr<Event>& e) {
    // A per-thread copy reused from event to event: a steady stream of input allocates nothing.
    ListSnapshot<Listener*> snapshot;
    unsigned detachedBefore = 0;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        snapshot.items().assign(listeners.begin(), listeners.end());
        detachedBefore = detachments.load(std::memory_order_relaxed);
    }
    // Until some listener leaves, every one of the snapshot is still attached; after that, each
    // is looked up before it is called.
    for (Listener* listener : snapshot)
        if (detachments.load(std::memory_order_acquire) == detachedBefore || isAttached(listener))
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

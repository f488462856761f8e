#include "host/input/Broadcaster.h"
#include "host/input/Device.h"

#include <algorithm>
#include <utility>

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
        delete published.exchange(nullptr);
        reclaim();
    }
    for (Listener* listener : attached)
        link(listener->attachedTo, this, false);
}

void Broadcaster::publish() {
    auto* fresh = new Published{listeners};
    Published* old = published.exchange(fresh);
    if (!old)
        return;
    // A delivery that starts from now on reads the fresh copy; one under way may read the old.
    old->retired = retired;
    retired = old;
    anyRetired.store(true);
    reclaim();
}

void Broadcaster::reclaim() {
    if (readers.load() != 0)
        return;
    while (retired)
        delete std::exchange(retired, retired->retired);
    anyRetired.store(false);
}

void Broadcaster::attach(Listener* listener) {
    {
        std::lock_guard<std::recursive_mutex> guard(mutex);
        if (std::find(listeners.begin(), listeners.end(), listener) != listeners.end())
            return;
        listeners.push_back(listener);
        publish();
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
        if (was) {
            // Counted after the copy without it is out: a delivery that saw the count read a
            // copy without the listener.
            publish();
            detachments.fetch_add(1);
        }
    }
    if (was)
        link(listener->attachedTo, this, false);
}

bool Broadcaster::isAttached(const Listener* listener) const {
    std::lock_guard<std::recursive_mutex> guard(mutex);
    return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

void Broadcaster::broadcast(const counting_ptr<Event>& e) {
    // No lock and no copy: the published list is read as it is, and stays alive until every
    // delivery that may read it is over.
    struct Reading {
        explicit Reading(Broadcaster& of) : of(of) { of.readers.fetch_add(1); }
        ~Reading() {
            if (of.readers.fetch_sub(1) == 1 && of.anyRetired.load()) {
                std::lock_guard<std::recursive_mutex> guard(of.mutex);
                of.reclaim();
            }
        }
        Broadcaster& of;
    } reading(*this);
    const unsigned detachedBefore = detachments.load();
    const Published* list = published.load();
    if (!list)
        return;
    // Until some listener leaves, every one of the list is still attached; after that, each is
    // looked up before it is called.
    for (Listener* listener : list->listeners)
        if (detachments.load() == detachedBefore || isAttached(listener))
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

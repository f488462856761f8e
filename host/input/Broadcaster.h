#pragma once

#include "host/HostApi.h"
#include "host/input/Listener.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace input {

// Hands every event to its attached listeners in the order they were attached. Listeners may
// attach and detach others (or themselves) while an event is being delivered: a listener
// detached during a delivery is not called after that, one attached is called from the next.
// A listener destroyed while attached is detached by its own destructor.
class KEL_HOST_API Broadcaster : public Listener {
public:
    Broadcaster() = default;
    Broadcaster(const Broadcaster&) = delete;
    Broadcaster& operator=(const Broadcaster&) = delete;
    // Its listeners stay; they are only no longer attached here.
    ~Broadcaster() override;

    void attach(Listener* listener);
    void detach(Listener* listener);
    bool isAttached(const Listener* listener) const;
    void broadcast(const counting_ptr<Event>& e);
    void event(const counting_ptr<Event>& e) override { broadcast(e); }
    void clean() override;

private:
    // A published copy of the list: deliveries read it without a lock. A replaced copy is freed
    // once no delivery may still be walking it.
    struct Published {
        std::vector<Listener*> listeners;
        Published* retired = nullptr; // the next replaced copy waiting to be freed
    };
    // Publishes the current list (the lock held).
    void publish();
    // Frees the replaced copies when no delivery is under way (the lock held).
    void reclaim();

    mutable std::recursive_mutex mutex;
    std::vector<Listener*> listeners; // not owned; guarded by the lock
    std::atomic<Published*> published{nullptr};
    std::atomic<unsigned> readers{0}; // deliveries walking some published copy
    Published* retired = nullptr;     // guarded by the lock
    std::atomic<bool> anyRetired{false};
    // Listeners that ever left: while it stands still, a delivery's copy is still attached.
    std::atomic<unsigned> detachments{0};
};

} // namespace input

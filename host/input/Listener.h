#pragma once

#include "host/HostApi.h"
#include "host/input/Event.h"

#include <vector>

namespace input {

class Broadcaster;

// Something that takes input events. processEvent is the entry: it hands the event to event()
// when the listener is enabled. clean() forgets transient state such as held buttons.
//
// A listener destroyed while still attached to a broadcaster is detached by this destructor, so
// no broadcaster ever delivers to a listener that is gone.
class KEL_HOST_API Listener {
public:
    Listener() = default;
    // A copy listens nowhere until it is attached itself.
    Listener(const Listener&) {}
    Listener& operator=(const Listener&) { return *this; }
    virtual void processEvent(const counting_ptr<Event>& e) {
        if (getEnabled())
            event(e);
    }
    virtual ~Listener();
    virtual bool getEnabled() const { return true; }
    virtual void event(const counting_ptr<Event>&) {}
    virtual void clean() {}

private:
    friend class Broadcaster;
    std::vector<Broadcaster*> attachedTo; // guarded by the broadcasters' shared link lock
};

} // namespace input

#pragma once

#include "host/HostApi.h"
#include "host/input/Event.h"

namespace input {

// Something that takes input events. processEvent is the entry: it hands the event to event()
// when the listener is enabled. clean() forgets transient state such as held buttons.
class KEL_HOST_API Listener {
public:
    virtual void processEvent(counting_ptr<Event> e) {
        if (getEnabled())
            event(e);
    }
    virtual ~Listener() = default;
    virtual bool getEnabled() const { return true; }
    virtual void event(counting_ptr<Event>) {}
    virtual void clean() {}
};

} // namespace input

#pragma once

#include "host/HostApi.h"

#include <condition_variable>
#include <mutex>

namespace thread {

// A waitable signal. A manual-reset event stays set until reset and releases every waiter;
// an auto-reset event releases one waiter and clears itself as it does.
class KEL_HOST_API Event {
public:
    explicit Event(bool manualReset = true, bool initiallySet = false);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    bool isSet() const;
    // Blocks without limit until the event is set.
    void wait();
    // Blocks at most `seconds`; true when the event was set in time.
    bool waitFor(double seconds);

private:
    mutable std::mutex mutex;
    std::condition_variable condition;
    const bool manualReset;
    bool signalled;
};

} // namespace thread

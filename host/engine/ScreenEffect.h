#pragma once

#include "host/HostApi.h"

#include <string>

// An effect the engine applies while drawing (highlights, contours, fades, opacity). The
// reference engine keeps them as inspectable objects; each says what it is for snapshots.
class KEL_HOST_API ScreenEffect {
public:
    virtual ~ScreenEffect() = default;
    virtual std::string describe() const = 0;
    // The same description written into `out`, reusing its storage: effects drawn every frame
    // override it so that recording a drawing allocates nothing once `out` is big enough.
    virtual void describeInto(std::string& out) const { out = describe(); }
};

#pragma once

#include "host/HostApi.h"

#include <string>

// An effect the engine applies while drawing (highlights, contours, fades, opacity). The
// reference engine keeps them as inspectable objects; each says what it is for snapshots.
class KEL_HOST_API ScreenEffect {
public:
    virtual ~ScreenEffect() = default;
    virtual std::string describe() const = 0;
};

#pragma once

#include "host/HostApi.h"

#include <string>

// An effect the engine applies while drawing (highlights, contours, fades, opacity). The
// reference engine keeps them as inspectable objects; each says what it is for snapshots.
class KEL_HOST_API ScreenEffect {
public:
    virtual ~ScreenEffect() = default;
    virtual std::string describe() const = 0;

    // The numbers an effect is drawn with, as whatever drew it keeps them (a decal records those
    // of its last drawing): copying them costs nothing per frame, and the text is made only when
    // someone asks. Effects with values override both; the others describe themselves as they are.
    struct Values {
        float numbers[8] = {};
    };
    virtual void capture(Values&) const {}
    virtual std::string describe(const Values&) const { return describe(); }
};

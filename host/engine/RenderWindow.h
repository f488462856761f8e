#pragma once

#include "host/HostApi.h"

#include <atomic>

// The window the game draws into. The reference host has no window; it records what it is told:
// whether the operating system's (hardware) cursor is switched on, and how often it was switched.
class KEL_HOST_API RenderWindow {
public:
    void setHardwareCursor(bool on);
    bool isHardwareCursorOn() const { return hardwareCursor; }
    // Every call counts, also one that leaves the state as it was.
    int getHardwareCursorSwitchCount() const { return switches; }

    // Off, nothing counted.
    void reset();

private:
    std::atomic<bool> hardwareCursor{false};
    std::atomic<int> switches{0};
};

KEL_HOST_API extern RenderWindow* theRenderWindow;

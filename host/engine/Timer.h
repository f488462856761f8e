#pragma once

#include "host/HostApi.h"

#include <chrono>
#include <mutex>

// The one host clock every timer of the game reads. Manual by default: time stands still until
// advance() moves it, so tests and scripted sessions are deterministic. A real clock follows the
// machine's steady clock from the moment it is switched on.
class KEL_HOST_API Timer {
public:
    // Seconds since the clock started.
    double getTime() const;

    void setManual(bool manual);
    bool isManual() const;
    // Moves a manual clock forward; ignored by a real clock.
    void advance(double seconds);
    // Back to 0, manual.
    void reset();

private:
    mutable std::mutex mutex;
    bool manual = true;
    double manualTime = 0.0;
    double realBase = 0.0; // time shown when the real clock was switched on
    std::chrono::steady_clock::time_point realStart;
};

KEL_HOST_API extern Timer* theTimer;

// A timer derived from the host clock that can be paused and scaled: the engine's render timer,
// the paused-render timer (stopped while the in-game menu is up) and the delayed-render timer
// (with a time scale, for slow motion).
class KEL_HOST_API RenderTimer {
public:
    // Seconds, as float: the time the engine's animations use.
    float getTime() const;
    bool isPaused() const;
    void pause();
    void resume();
    float getTimeScale() const;
    void setTimeScale(float scale);
    // Back to 0, running, scale 1.
    void reset();

private:
    void fold(); // takes the time passed so far into `accumulated`

    mutable std::mutex mutex;
    double accumulated = 0.0;
    double anchor = 0.0;
    float scale = 1.0f;
    bool paused = false;
};

KEL_HOST_API extern RenderTimer* theRenderTimer;
KEL_HOST_API extern RenderTimer* thePausedRenderTimer;
KEL_HOST_API extern RenderTimer* theDelayedRenderTimer;

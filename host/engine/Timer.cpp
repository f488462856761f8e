#include "host/engine/Timer.h"

namespace {
Timer hostClock;
RenderTimer renderTimer;
RenderTimer pausedRenderTimer;
RenderTimer delayedRenderTimer;
} // namespace

Timer* theTimer = &hostClock;
RenderTimer* theRenderTimer = &renderTimer;
RenderTimer* thePausedRenderTimer = &pausedRenderTimer;
RenderTimer* theDelayedRenderTimer = &delayedRenderTimer;

double Timer::getTime() const {
    std::lock_guard<std::mutex> guard(mutex);
    if (manual)
        return manualTime;
    return realBase +
           std::chrono::duration<double>(std::chrono::steady_clock::now() - realStart).count();
}

void Timer::setManual(bool on) {
    const double now = getTime();
    std::lock_guard<std::mutex> guard(mutex);
    if (on == manual)
        return;
    manual = on;
    if (on) {
        manualTime = now;
    } else {
        realBase = now;
        realStart = std::chrono::steady_clock::now();
    }
}

bool Timer::isManual() const {
    std::lock_guard<std::mutex> guard(mutex);
    return manual;
}

void Timer::advance(double seconds) {
    std::lock_guard<std::mutex> guard(mutex);
    if (manual && seconds > 0)
        manualTime += seconds;
}

void Timer::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    manual = true;
    manualTime = 0.0;
}

float RenderTimer::getTime() const {
    std::lock_guard<std::mutex> guard(mutex);
    if (paused)
        return static_cast<float>(accumulated);
    return static_cast<float>(accumulated + (theTimer->getTime() - anchor) * scale);
}

void RenderTimer::fold() {
    const double now = theTimer->getTime();
    if (!paused)
        accumulated += (now - anchor) * scale;
    anchor = now;
}

bool RenderTimer::isPaused() const {
    std::lock_guard<std::mutex> guard(mutex);
    return paused;
}

void RenderTimer::pause() {
    std::lock_guard<std::mutex> guard(mutex);
    fold();
    paused = true;
}

void RenderTimer::resume() {
    std::lock_guard<std::mutex> guard(mutex);
    fold();
    paused = false;
}

float RenderTimer::getTimeScale() const {
    std::lock_guard<std::mutex> guard(mutex);
    return scale;
}

void RenderTimer::setTimeScale(float newScale) {
    std::lock_guard<std::mutex> guard(mutex);
    fold();
    scale = newScale;
}

void RenderTimer::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    accumulated = 0.0;
    anchor = theTimer->getTime();
    scale = 1.0f;
    paused = false;
}

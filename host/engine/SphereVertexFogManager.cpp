#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/View.h"

namespace {
SphereVertexFogManager manager;
}

SphereVertexFogManager* theSphereVertexFogManager = &manager;

float SphereVertexFogManager::getFog(const View* view, const Vector& position) const {
    if (!view || !view->getCamera())
        return 0.0f;
    const float distance = (position - view->getCamera()->getGlobalPosition()).length();
    std::lock_guard<std::mutex> guard(mutex);
    if (distance <= start)
        return 0.0f;
    if (distance >= end)
        return 1.0f;
    return (distance - start) / (end - start);
}

void SphereVertexFogManager::setFogRange(float newStart, float newEnd) {
    std::lock_guard<std::mutex> guard(mutex);
    start = newStart;
    end = newEnd;
}

float SphereVertexFogManager::getFogStart() const {
    std::lock_guard<std::mutex> guard(mutex);
    return start;
}

float SphereVertexFogManager::getFogEnd() const {
    std::lock_guard<std::mutex> guard(mutex);
    return end;
}

void SphereVertexFogManager::setFogColor(const config::Color& newColor) {
    std::lock_guard<std::mutex> guard(mutex);
    color = newColor;
}

config::Color SphereVertexFogManager::getFogColor() const {
    std::lock_guard<std::mutex> guard(mutex);
    return color;
}

void SphereVertexFogManager::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    start = 30.0f;
    end = 80.0f;
    color = config::Color(0, 0, 0, 1);
}

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
    const float near = start.load(std::memory_order_relaxed);
    const float far = end.load(std::memory_order_relaxed);
    if (distance <= near)
        return 0.0f;
    if (distance >= far)
        return 1.0f;
    return (distance - near) / (far - near);
}

void SphereVertexFogManager::setFogRange(float newStart, float newEnd) {
    start = newStart;
    end = newEnd;
}

float SphereVertexFogManager::getFogStart() const {
    return start;
}

float SphereVertexFogManager::getFogEnd() const {
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
    start = 30.0f;
    end = 80.0f;
    std::lock_guard<std::mutex> guard(mutex);
    color = config::Color(0, 0, 0, 1);
}

#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/engine/Math.h"

#include <atomic>
#include <mutex>

class View;

// The distance fog of the world: how much of a position is hidden by fog as seen from a view,
// and the fog's colour. The fog value grows linearly with the distance from the view's camera,
// from 0 at the start distance to 1 at the end distance (world units).
//
// An engine with another fog (denser layers, weather) puts its own manager in its place; what
// it answers may pass 1 where the fog is thicker than needed to hide everything.
class KEL_HOST_API SphereVertexFogManager {
public:
    virtual ~SphereVertexFogManager() = default;

    // 0 (clear) to 1 (fully fogged); 0 for a view without a camera.
    virtual float getFog(const View* view, const Vector& position) const;

    // An end at or before the start makes the fog a wall at the start distance.
    void setFogRange(float start, float end);
    float getFogStart() const;
    float getFogEnd() const;

    void setFogColor(const config::Color& color);
    config::Color getFogColor() const;

    // Back to the defaults: range 30 to 80, black fog.
    void reset();

private:
    // The range is read for every fogged thing of every frame: atomics rather than the lock.
    // A change between reading the start and the end shows for one drawing at most.
    std::atomic<float> start{30.0f};
    std::atomic<float> end{80.0f};
    mutable std::mutex mutex; // guards the colour
    config::Color color{0, 0, 0, 1};
};

KEL_HOST_API extern SphereVertexFogManager* theSphereVertexFogManager;

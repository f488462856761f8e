#include "host/engine/Camera.h"

#include <cmath>

namespace {
constexpr float kLens = 0.88f;

// Half the view's width and height at unit depth.
void halfExtents(const Camera& camera, const Viewport& viewport, float* w, float* h) {
    const float t = std::tan(camera.getAngle() / 2) * camera.getNear();
    const float s = std::sqrt(viewport.aspect * viewport.aspect + 1);
    *w = t * viewport.aspect / s;
    *h = t / s;
}
} // namespace

Matrix3 Camera::lookingAt(float yaw, float pitch) {
    const Vector forward(std::cos(pitch) * std::cos(yaw), std::cos(pitch) * std::sin(yaw),
                         std::sin(pitch));
    const Vector right = forward.cross(Vector(0, 0, 1)).normalised();
    const Vector up = right.cross(forward);
    Matrix3 m;
    for (int i = 0; i < 3; ++i) {
        m.m[i][0] = up[i];
        m.m[i][1] = right[i];
        m.m[i][2] = forward[i];
    }
    return m;
}

Vector Camera::toCameraSpace(const Vector& world) const {
    return getGlobalOrientation().transposed() * (world - getGlobalPosition());
}

bool Camera::project(const Vector& world, const Viewport& viewport, float screenWidth,
                     float screenHeight, float* x, float* y) const {
    const Vector p = toCameraSpace(world);
    if (p.z <= 0)
        return false;
    float w, h;
    halfExtents(*this, viewport, &w, &h);
    const float u = kLens * getNear() * p.y / p.z / w;
    const float q = kLens * getNear() * p.x / p.z / h;
    *x = screenWidth * ((1 + u) * viewport.width * 0.5f + viewport.x);
    *y = screenHeight * ((1 - q) * viewport.height * 0.5f + viewport.y);
    return true;
}

void Camera::ray(float x, float y, const Viewport& viewport, float screenWidth, float screenHeight,
                 Vector* origin, Vector* direction) const {
    float w, h;
    halfExtents(*this, viewport, &w, &h);
    const float u = (x / screenWidth - viewport.x) / (viewport.width * 0.5f) - 1;
    const float q = 1 - (y / screenHeight - viewport.y) / (viewport.height * 0.5f);
    // Camera-space direction at unit depth.
    const Vector local(q * h / kLens / getNear(), u * w / kLens / getNear(), 1);
    *origin = getGlobalPosition();
    *direction = (getGlobalOrientation() * local).normalised();
}

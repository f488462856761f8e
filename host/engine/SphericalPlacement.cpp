#include "host/engine/SphericalPlacement.h"

#include <atomic>
#include <cmath>

namespace {

std::atomic<float> sphereRadius{0.0f};

// The angle from the top and the horizontal direction of a flat point.
struct Bend {
    float angle = 0.0f;
    float dx = 0.0f;
    float dy = 0.0f;
};

Bend bendOf(const Vector& flat, float radius) {
    Bend bend;
    const float d = std::sqrt(flat.x * flat.x + flat.y * flat.y);
    if (d > 0.0f) {
        bend.angle = d / radius;
        bend.dx = flat.x / d;
        bend.dy = flat.y / d;
    }
    return bend;
}

Vector place(const Vector& flat, float radius) {
    if (!(radius > 0.0f))
        return flat;
    const Bend bend = bendOf(flat, radius);
    const float r = radius + flat.z;
    const float s = r * std::sin(bend.angle);
    return {s * bend.dx, s * bend.dy, r * std::cos(bend.angle) - radius};
}

} // namespace

void setSphereRadius(float radius) {
    sphereRadius = radius > 0.0f ? radius : 0.0f;
}

float getSphereRadius() {
    return sphereRadius;
}

Vector sphericalPlacementVector(const Vector& flat) {
    return place(flat, sphereRadius);
}

Vector sphericalPlacement(const Vector& flat, float degree) {
    if (!(degree > 0.0f))
        return flat;
    return place(flat, sphereRadius / degree);
}

void sphericalPlacement(Matrix3* orientation, Vector* position) {
    const float radius = sphereRadius;
    if (!(radius > 0.0f))
        return;
    const Bend bend = bendOf(*position, radius);
    // Rotation by the bend angle about the horizontal axis across the direction of the point
    // (Rodrigues' formula with the unit axis (-dy, dx, 0)).
    const float c = std::cos(bend.angle), s = std::sin(bend.angle), t = 1.0f - c;
    const float ax = -bend.dy, ay = bend.dx;
    const Matrix3 tilt =
        Matrix3::rows({t * ax * ax + c, t * ax * ay, s * ay},
                      {t * ax * ay, t * ay * ay + c, -s * ax}, {-s * ay, s * ax, c});
    *orientation = tilt * *orientation;
    *position = place(*position, radius);
}

Vector sphericalUnplacement(const Vector& placed) {
    const float radius = sphereRadius;
    if (!(radius > 0.0f))
        return placed;
    const float h = std::sqrt(placed.x * placed.x + placed.y * placed.y);
    const float up = placed.z + radius;
    const float r = std::sqrt(h * h + up * up);
    const float d = radius * std::atan2(h, up);
    if (h > 0.0f)
        return {d * placed.x / h, d * placed.y / h, r - radius};
    return {0.0f, 0.0f, r - radius};
}

#pragma once

#include "host/HostApi.h"
#include "host/engine/Transformable.h"

// A viewport: the part of the screen a view draws into, as fractions of the screen, and the
// aspect ratio of its lens.
struct Viewport {
    float x = 0.0f;
    float y = 0.0f;
    float width = 1.0f;
    float height = 1.0f;
    float aspect = 4.0f / 3.0f;
};

// A camera: its transformation places it in the world; the columns of its orientation are its
// vertical axis, horizontal axis and viewing direction (camera space components 0, 1 and 2).
class KEL_HOST_API Camera : public Transformable {
public:
    void setNear(float distance) { nearDistance = distance; }
    float getNear() const { return nearDistance; }
    // The view angle, in radians, measured across the diagonal.
    void setAngle(float radians) { angle = radians; }
    float getAngle() const { return angle; }

    // An orientation that looks along `yaw` (radians about the vertical axis, 0 along x) and
    // `pitch` (radians up from the horizon): columns up, right, forward.
    static Matrix3 lookingAt(float yaw, float pitch);

    // The point in camera space.
    Vector toCameraSpace(const Vector& world) const;
    // Where a world point lands on the screen, in screen units, through `viewport` on a screen of
    // the given size; false when the point is behind the camera. The lens maps the normalised
    // coordinates with the factor 0.88, as the UI's own projection does, so 3D content and the
    // UI's hit areas line up.
    bool project(const Vector& world, const Viewport& viewport, float screenWidth,
                 float screenHeight, float* x, float* y) const;
    // The world ray through a screen point (the inverse of project): origin and direction.
    void ray(float x, float y, const Viewport& viewport, float screenWidth, float screenHeight,
             Vector* origin, Vector* direction) const;

private:
    float nearDistance = 1.0f;
    float angle = 1.3f;
};

// A light of a type (0: directional white light of the UI scenes) with a colour.
class KEL_HOST_API Light {
public:
    explicit Light(int type = 0) : type(type) {}
    int getType() const { return type; }
    void setColor(float r, float g, float b, float a) {
        color[0] = r;
        color[1] = g;
        color[2] = b;
        color[3] = a;
    }
    const float* getColor() const { return color; }

private:
    int type;
    float color[4] = {1, 1, 1, 1};
};

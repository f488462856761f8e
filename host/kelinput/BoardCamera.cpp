#include "host/kelinput/BoardCamera.h"
#include "host/engine/Camera.h"

#include <algorithm>
#include <cmath>

namespace kelinput {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kDegrees = 180.0f / kPi;

} // namespace

BoardCamera::BoardCamera(DeviceToCamera* translator, ::Camera* camera, float unit)
    : translator(translator), camera(camera), unit(unit) {
    translator->setCamera(poseOf(*camera, unit, translator->getCamera()));
}

void BoardCamera::initFrame(float seconds) {
    translator->advance(seconds);
    place(translator->getCamera(), unit, camera);
}

DeviceToCamera::Camera BoardCamera::poseOf(const ::Camera& camera, float unit,
                                           const DeviceToCamera::Camera& previous) {
    DeviceToCamera::Camera pose = previous;
    const Vector forward = camera.getGlobalOrientation().column(2);
    const Vector position = camera.getGlobalPosition();
    // Clockwise from north (+y): the horizontal direction (sin yaw, cos yaw) in (x, y).
    float yaw = std::atan2(forward.x, forward.y) * kDegrees;
    if (yaw < 0)
        yaw += 360.0f;
    pose.yaw = yaw >= 360.0f ? 0.0f : yaw;
    pose.pitch = std::asin(std::clamp(-forward.z, -1.0f, 1.0f)) * kDegrees;
    if (forward.z < 0 && position.z > 0) {
        const float distance = position.z / -forward.z;
        const Vector ground = position + forward * distance;
        pose.x = ground.x / unit;
        pose.z = ground.y / unit;
        pose.zoom = distance / unit;
    }
    return pose;
}

void BoardCamera::place(const DeviceToCamera::Camera& pose, float unit, ::Camera* camera) {
    // The engine's yaw runs counter-clockwise from +x; its pitch is up from the horizon.
    const float yaw = (90.0f - pose.yaw) / kDegrees;
    const float pitch = -pose.pitch / kDegrees;
    const Matrix3 orientation = ::Camera::lookingAt(yaw, pitch);
    const Vector target(pose.x * unit, pose.z * unit, 0.0f);
    camera->setTransformation(orientation, target - orientation.column(2) * (pose.zoom * unit));
}

} // namespace kelinput

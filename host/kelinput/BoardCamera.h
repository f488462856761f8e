#pragma once

#include "host/HostApi.h"
#include "host/engine/RenderDriverListener.h"
#include "host/kelinput/DeviceToCamera.h"

class Camera;

namespace kelinput {

// Drives the battle camera: once a frame, on the frame's time, it lets the camera translator
// move by the controls held and the pointer at a screen edge (DeviceToCamera::advance), then
// places the board view's 3D camera where the translator's camera is. Zoom and turn steps, and
// mouse dragging, reach the 3D camera the same way on the next frame. So what follows the
// camera (picking under the pointer, anything projected onto the screen) sees it move.
//
// The translator's camera is in board units with its yaw clockwise from north; the world has z
// up, north along +y and `unit` world units to a board unit (one board cell). Constructing the
// driver takes the 3D camera's pose into the translator, so the battle opens where the board
// placed its camera. The host registers it with the render driver for a battle and
// unregisters it before the camera goes. A frame allocates nothing.
class KEL_HOST_API BoardCamera final : public RenderDriverListener {
public:
    BoardCamera(DeviceToCamera* translator, ::Camera* camera, float unit);

    void initFrame(float seconds) override;

    // The translator's camera for a 3D camera's pose: the point looked at is where its view
    // meets the ground (z = 0); a camera looking level or up keeps the translator's point.
    static DeviceToCamera::Camera poseOf(const ::Camera& camera, float unit,
                                         const DeviceToCamera::Camera& previous);
    // Places a 3D camera at the translator's camera.
    static void place(const DeviceToCamera::Camera& pose, float unit, ::Camera* camera);

private:
    DeviceToCamera* translator; // not owned
    ::Camera* camera;           // not owned
    float unit;
};

} // namespace kelinput

#pragma once

#include "host/HostApi.h"
#include "host/input/Listener.h"
#include "host/kelinput/MouseRoles.h"
#include "host/kelinput/RedefineControls.h"

#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace kelinput {

// Translates the player's keys, mouse buttons and mouse movement in battle into movement of the
// board camera. The reference host has no 3D camera: the translator keeps the camera's state
// (getCamera) for the host and for tests.
//
// The camera knows a fixed set of controls (getKnownControls); the controls file says which of
// them exist, what they are called and how they are bound. Three kinds:
// - held controls (rotate and move keys) act while their keys are down, by advance(seconds);
// - step controls (zoom, reset) act once each time their binding fires;
// - axis controls take the mouse axis their binding names while the binding's keys are down
//   (rotateyawaxis, rotatepitchaxis, movehaxis+/-, movevaxis+/-; "+" moves with the mouse,
//   "-" against it, as when dragging the board).
// In unit free-look the camera sits at the unit: mouse movement turns it without any key and
// moving and zooming do nothing.
// Mouse buttons are read through the player's mouse roles (see MouseRoles): the bindings'
// "MiddleClick" is the drag-camera button, whichever it is. While edge scrolling is on and the
// pointer touches a screen edge, advance() slides the camera towards that edge.
class KEL_HOST_API DeviceToCamera final : public input::Listener {
public:
    // Exported on its own: a DLL does not export a nested class with the class around it.
    struct KEL_HOST_API Camera {
        bool operator==(const Camera& other) const;
        bool operator!=(const Camera& other) const { return !(*this == other); }

        // Degrees: yaw in [0, 360) clockwise from north, pitch below the horizon in [15, 85].
        float yaw = 0.0f;
        float pitch = 45.0f;
        // The point looked at, in board units.
        float x = 0.0f;
        float z = 0.0f;
        // Distance from that point, in board units, [4, 40].
        float zoom = 16.0f;
    };

    // Whether the camera has a control of that name, and whether it is an axis.
    static bool knowsControl(const std::string& name, bool* axis = nullptr);
    static std::vector<std::string> getKnownControls();

    DeviceToCamera();

    RedefineControls* getRedefineControls() { return &controls; }

    void event(const counting_ptr<input::Event>& e) override;
    // Forgets held keys and the controls they hold (the game UI was hidden).
    void clean() override;

    void setUnitFreelook(bool on);
    bool getUnitFreelook() const;
    // Moves the camera by the held controls over `seconds` of game time.
    void advance(float seconds);
    Camera getCamera() const;
    void setCamera(const Camera& camera);
    // Whether a control is held on (a held or axis control whose binding's keys are down).
    bool isActive(const std::string& control) const;
    std::vector<std::string> getActiveControls() const;
    // Factors of the player's settings: mouse sensitivity for turning by mouse, strafe speed
    // for moving by mouse.
    void setMouseFactors(float rotation, float strafe);
    // The player's assignment of mouse buttons; a change lets go of what is held, since a
    // button held now would come up under another name.
    void setMouseRoles(const MouseRoles& roles);
    MouseRoles getMouseRoles() const;
    // Edge scrolling on or off, and its speed as a factor of the normal speed (10 board units a
    // second).
    void setEdgeScrolling(bool on, float speed);
    bool getEdgeScrolling() const;
    float getEdgeScrollingSpeed() const;
    // The screen edge the pointer touches: -1 left (top), 1 right (bottom), 0 neither.
    void setPointerEdge(int horizontal, int vertical);

private:
    // A control held on by one of its bindings.
    struct Active {
        std::string control;
        Binding keys;
        std::string axis;
    };

    void press(const std::string& key);
    void release(const std::string& key);
    void applyStep(const std::string& control);
    void applyAxis(const std::string& control, float delta);
    void turn(float yawDegrees, float pitchDegrees);
    void move(float forward, float right);

    RedefineControls controls;
    mutable std::mutex mutex;
    std::set<std::string> held;
    std::vector<Active> active;
    Camera camera;
    bool unitFreelook = false;
    float rotationFactor = 1.0f;
    float strafeFactor = 1.0f;
    MouseRoles roles;
    bool edgeScrolling = true;
    float edgeSpeed = 1.0f;
    int edgeX = 0;
    int edgeY = 0;
};

} // namespace kelinput

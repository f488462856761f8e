#include "host/kelinput/DeviceToCamera.h"
#include "host/input/Event.h"

#include <algorithm>
#include <cmath>

namespace kelinput {

namespace {

enum class Kind { Held, Step, Axis };

struct Action {
    const char* name;
    Kind kind;
};

// What the camera can do; the controls file picks from these.
constexpr Action kActions[] = {
    {"rotateleft", Kind::Held},      {"rotateright", Kind::Held}, {"rotateup", Kind::Held},
    {"rotatedown", Kind::Held},      {"moveforward", Kind::Held}, {"moveback", Kind::Held},
    {"moveleft", Kind::Held},        {"moveright", Kind::Held},   {"zoomin", Kind::Step},
    {"zoomout", Kind::Step},         {"resetcamera", Kind::Step}, {"rotateyawaxis", Kind::Axis},
    {"rotatepitchaxis", Kind::Axis}, {"movehaxis+", Kind::Axis},  {"movehaxis-", Kind::Axis},
    {"movevaxis+", Kind::Axis},      {"movevaxis-", Kind::Axis},
};

const Action* actionOf(const std::string& name) {
    for (const Action& action : kActions)
        if (name == action.name)
            return &action;
    return nullptr;
}

constexpr float kPi = 3.14159265358979f;
// Speeds of the held controls, per second.
constexpr float kYawSpeed = 90.0f;
constexpr float kPitchSpeed = 45.0f;
constexpr float kMoveSpeed = 10.0f;
// Edge scrolling at the normal speed.
constexpr float kEdgeSpeed = 10.0f;
// Per screen unit of mouse movement.
constexpr float kDegreesPerUnit = 0.25f;
constexpr float kBoardUnitsPerUnit = 0.05f;
constexpr float kZoomStep = 2.0f;
constexpr float kMinPitch = 15.0f;
constexpr float kMaxPitch = 85.0f;
constexpr float kMinZoom = 4.0f;
constexpr float kMaxZoom = 40.0f;

bool finite(float value) {
    return std::isfinite(value);
}

} // namespace

bool DeviceToCamera::Camera::operator==(const Camera& other) const {
    return yaw == other.yaw && pitch == other.pitch && x == other.x && z == other.z &&
           zoom == other.zoom;
}

bool DeviceToCamera::knowsControl(const std::string& name, bool* axis) {
    const Action* action = actionOf(name);
    if (action && axis)
        *axis = action->kind == Kind::Axis;
    return action != nullptr;
}

std::vector<std::string> DeviceToCamera::getKnownControls() {
    std::vector<std::string> names;
    for (const Action& action : kActions)
        names.push_back(action.name);
    return names;
}

DeviceToCamera::DeviceToCamera() : controls("camera") {}

void DeviceToCamera::event(const counting_ptr<input::Event>& e) {
    if (const auto* motion = e.as<input::events::Motion>()) {
        const float dx = motion->getDX();
        const float dy = motion->getDY();
        if (!finite(dx) || !finite(dy))
            return;
        // Bindings without keys take their axis all the time.
        const auto keyless = controls.keylessAxes();
        std::lock_guard<std::mutex> guard(mutex);
        if (unitFreelook) {
            turn(dx * kDegreesPerUnit * rotationFactor, dy * kDegreesPerUnit * rotationFactor);
            return;
        }
        for (const Active& on : active)
            if (!on.axis.empty())
                applyAxis(on.control, on.axis == "MouseX" ? dx : dy);
        for (const auto& match : keyless)
            applyAxis(match.control, match.axis == "MouseX" ? dx : dy);
        return;
    }

    const auto* button = e.as<input::events::Button>();
    if (!button)
        return;
    const std::string physical = RedefineControls::keyOf(*button);
    if (physical.empty())
        return;
    std::lock_guard<std::mutex> guard(mutex);
    for (const std::string& key : roles.keysOf(physical)) {
        if (button->isPressed())
            press(key);
        else
            release(key);
    }
}

void DeviceToCamera::press(const std::string& key) {
    if (!held.insert(key).second)
        return; // auto-repeat of a key already down
    for (auto& match : controls.match(key, held)) {
        const Action* action = actionOf(match.control);
        if (!action)
            continue;
        if (action->kind == Kind::Step) {
            applyStep(match.control);
            continue;
        }
        active.push_back(Active{match.control, std::move(match.keys), match.axis});
    }
}

void DeviceToCamera::release(const std::string& key) {
    held.erase(key);
    active.erase(std::remove_if(active.begin(), active.end(),
                                [&](const Active& on) {
                                    return std::find(on.keys.begin(), on.keys.end(), key) !=
                                           on.keys.end();
                                }),
                 active.end());
}

void DeviceToCamera::clean() {
    std::lock_guard<std::mutex> guard(mutex);
    held.clear();
    active.clear();
}

void DeviceToCamera::setUnitFreelook(bool on) {
    std::lock_guard<std::mutex> guard(mutex);
    unitFreelook = on;
}

bool DeviceToCamera::getUnitFreelook() const {
    std::lock_guard<std::mutex> guard(mutex);
    return unitFreelook;
}

void DeviceToCamera::advance(float seconds) {
    if (!(seconds > 0.0f) || !finite(seconds))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    // One control held by two bindings (W and Up) still moves at one speed. The battle camera
    // advances every frame: nothing here allocates.
    static constexpr const char* kHeld[] = {"rotateleft",  "rotateright", "rotateup", "rotatedown",
                                            "moveforward", "moveback",    "moveleft", "moveright"};
    bool on[8] = {};
    for (const Active& a : active)
        if (a.axis.empty())
            for (int i = 0; i < 8; ++i)
                on[i] = on[i] || a.control == kHeld[i];
    const float yaw = float(on[1]) - float(on[0]);
    const float pitch = float(on[3]) - float(on[2]);
    const float forward = float(on[4]) - float(on[5]);
    const float right = float(on[7]) - float(on[6]);
    turn(yaw * kYawSpeed * seconds, pitch * kPitchSpeed * seconds);
    if (unitFreelook)
        return;
    move(forward * kMoveSpeed * seconds, right * kMoveSpeed * seconds);
    // The top edge lies ahead: screen y grows downwards.
    if (edgeScrolling && (edgeX || edgeY))
        move(-edgeY * kEdgeSpeed * edgeSpeed * seconds, edgeX * kEdgeSpeed * edgeSpeed * seconds);
}

void DeviceToCamera::applyStep(const std::string& control) {
    if (unitFreelook)
        return;
    if (control == "zoomin")
        camera.zoom = std::max(kMinZoom, camera.zoom - kZoomStep);
    else if (control == "zoomout")
        camera.zoom = std::min(kMaxZoom, camera.zoom + kZoomStep);
    else if (control == "resetcamera") {
        const Camera defaults;
        camera.yaw = defaults.yaw;
        camera.pitch = defaults.pitch;
        camera.zoom = defaults.zoom;
    }
}

void DeviceToCamera::applyAxis(const std::string& control, float delta) {
    if (control == "rotateyawaxis")
        turn(delta * kDegreesPerUnit * rotationFactor, 0);
    else if (control == "rotatepitchaxis")
        turn(0, delta * kDegreesPerUnit * rotationFactor);
    // Screen y grows downwards: pushing the mouse away (dy < 0) moves "+" forward.
    else if (control == "movehaxis+")
        move(0, delta * kBoardUnitsPerUnit * strafeFactor);
    else if (control == "movehaxis-")
        move(0, -delta * kBoardUnitsPerUnit * strafeFactor);
    else if (control == "movevaxis+")
        move(-delta * kBoardUnitsPerUnit * strafeFactor, 0);
    else if (control == "movevaxis-")
        move(delta * kBoardUnitsPerUnit * strafeFactor, 0);
}

void DeviceToCamera::turn(float yawDegrees, float pitchDegrees) {
    camera.yaw = std::fmod(camera.yaw + yawDegrees, 360.0f);
    if (camera.yaw < 0)
        camera.yaw += 360.0f;
    if (camera.yaw >= 360.0f) // fmod of a tiny negative value can round up to 360
        camera.yaw = 0.0f;
    camera.pitch = std::clamp(camera.pitch + pitchDegrees, kMinPitch, kMaxPitch);
}

void DeviceToCamera::move(float forward, float right) {
    if (unitFreelook)
        return;
    const float radians = camera.yaw * kPi / 180.0f;
    const float s = std::sin(radians);
    const float c = std::cos(radians);
    camera.x += forward * s + right * c;
    camera.z += forward * c - right * s;
}

DeviceToCamera::Camera DeviceToCamera::getCamera() const {
    std::lock_guard<std::mutex> guard(mutex);
    return camera;
}

void DeviceToCamera::setCamera(const Camera& value) {
    std::lock_guard<std::mutex> guard(mutex);
    camera = value;
}

bool DeviceToCamera::isActive(const std::string& control) const {
    std::lock_guard<std::mutex> guard(mutex);
    return std::any_of(active.begin(), active.end(),
                       [&](const Active& on) { return on.control == control; });
}

std::vector<std::string> DeviceToCamera::getActiveControls() const {
    std::lock_guard<std::mutex> guard(mutex);
    std::set<std::string> names;
    for (const Active& on : active)
        names.insert(on.control);
    return std::vector<std::string>(names.begin(), names.end());
}

void DeviceToCamera::setMouseRoles(const MouseRoles& newRoles) {
    std::lock_guard<std::mutex> guard(mutex);
    if (roles == newRoles)
        return;
    roles = newRoles;
    held.clear();
    active.clear();
}

MouseRoles DeviceToCamera::getMouseRoles() const {
    std::lock_guard<std::mutex> guard(mutex);
    return roles;
}

void DeviceToCamera::setEdgeScrolling(bool on, float speed) {
    std::lock_guard<std::mutex> guard(mutex);
    edgeScrolling = on;
    edgeSpeed = finite(speed) && speed > 0 ? speed : 1.0f;
}

bool DeviceToCamera::getEdgeScrolling() const {
    std::lock_guard<std::mutex> guard(mutex);
    return edgeScrolling;
}

float DeviceToCamera::getEdgeScrollingSpeed() const {
    std::lock_guard<std::mutex> guard(mutex);
    return edgeSpeed;
}

void DeviceToCamera::setPointerEdge(int horizontal, int vertical) {
    std::lock_guard<std::mutex> guard(mutex);
    edgeX = horizontal < 0 ? -1 : horizontal > 0 ? 1 : 0;
    edgeY = vertical < 0 ? -1 : vertical > 0 ? 1 : 0;
}

void DeviceToCamera::setMouseFactors(float rotation, float strafe) {
    std::lock_guard<std::mutex> guard(mutex);
    rotationFactor = finite(rotation) ? rotation : 1.0f;
    strafeFactor = finite(strafe) ? strafe : 1.0f;
}

} // namespace kelinput

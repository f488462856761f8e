#pragma once

#include "host/HostApi.h"

#include <string>

namespace profile {

// The player's mouse and pointer settings. The input menu edits them in place and pushes them to
// kel-input; the profile reads and writes them as the block "input" of profile.cfg.
struct KEL_HOST_API InputSettings {
    enum MouseButton : int { NoButton = 0, LeftButton = 1, MiddleButton = 2, RightButton = 3 };

    // "none", "left", "middle", "right"; "none" for a value outside the enumeration.
    static std::string fromMouseButtonToString(MouseButton button);
    // The reverse; NoButton for an unknown name, with *ok (when given) telling the two apart.
    static MouseButton fromStringToMouseButton(const std::string& text, bool* ok = nullptr);

    bool operator==(const InputSettings& other) const;
    bool operator!=(const InputSettings& other) const { return !(*this == other); }

    // The pointer is drawn by the hardware cursor (the first flag; the root UI reads it so).
    bool hardwareCursor = false;
    bool edgeAutoScrolling = true;
    bool clickOutsideDeselects = false;
    // Speeds are factors of the normal speed: 1 normal, 4 four times faster, 0.25 slower.
    float autoScrollingSpeed = 1.0f;
    float mouseStrafeSpeed = 1.0f;
    // Mouse sensitivity: the factor kel-input applies to pointer movement.
    float mouseSensitivity = 1.0f;
    MouseButton acceptButton = LeftButton;
    MouseButton cancelButton = RightButton;
    MouseButton moveActButton = NoButton;
    MouseButton dragCameraButton = MiddleButton;
};

} // namespace profile

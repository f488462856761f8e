#include "host/profile/InputSettings.h"

namespace profile {

namespace {
const char* const kButtonNames[] = {"none", "left", "middle", "right"};
}

std::string InputSettings::fromMouseButtonToString(MouseButton button) {
    const int index = static_cast<int>(button);
    return index >= 0 && index <= 3 ? kButtonNames[index] : kButtonNames[0];
}

InputSettings::MouseButton InputSettings::fromStringToMouseButton(const std::string& text,
                                                                  bool* ok) {
    for (int index = 0; index <= 3; ++index)
        if (text == kButtonNames[index]) {
            if (ok)
                *ok = true;
            return static_cast<MouseButton>(index);
        }
    if (ok)
        *ok = false;
    return NoButton;
}

bool InputSettings::operator==(const InputSettings& other) const {
    return hardwareCursor == other.hardwareCursor && edgeAutoScrolling == other.edgeAutoScrolling &&
           clickOutsideDeselects == other.clickOutsideDeselects &&
           autoScrollingSpeed == other.autoScrollingSpeed &&
           mouseStrafeSpeed == other.mouseStrafeSpeed &&
           mouseSensitivity == other.mouseSensitivity && acceptButton == other.acceptButton &&
           cancelButton == other.cancelButton && moveActButton == other.moveActButton &&
           dragCameraButton == other.dragCameraButton;
}

} // namespace profile

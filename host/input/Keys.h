#pragma once

// The button numbering of the input library: one table per device. Menus match buttons by code
// (Escape 102 cancels, Return 51 and NumpadEnter 101 confirm, Right 55 and Left 56 turn);
// list menus, key bindings and kel-play scripts use the names. Names are unique across devices.
//
// Keyboard codes used by the module: 37 Space (chooses in a round menu), 51 Return,
// 55 Right, 56 Left, 61 Delete (clears a binding), 101 NumpadEnter, 102 Escape; the debug keys
// 15 F1, 23 F2, 30 F3, 47 F4, 48 F5, 52 F6, 54 F7, 60 F8, 73 F9, 77 F10, 79 F11, 80 F12,
// 84 Pause, 85 ScrollLock, 93 Apps.
// Mouse codes: 1 WheelUp, 2 WheelDown, 3 LeftClick, 4 MiddleClick, 5 RightClick.
// The full tables are in docs/host-input-profile-sound.md.

#include "host/HostApi.h"
#include "host/input/Event.h"

#include <string>
#include <vector>

namespace input {

namespace keys {
constexpr int Space = 37;
constexpr int Return = 51;
constexpr int Right = 55;
constexpr int Left = 56;
constexpr int Up = 57;
constexpr int Down = 58;
constexpr int Delete = 61;
constexpr int NumpadEnter = 101;
constexpr int Escape = 102;
} // namespace keys

namespace mouse {
constexpr int WheelUp = 1;
constexpr int WheelDown = 2;
constexpr int LeftClick = 3;
constexpr int MiddleClick = 4;
constexpr int RightClick = 5;
} // namespace mouse

struct KeyInfo {
    Device* device;
    int code;
    std::string name;
};

// Looks a button up by name ("Escape", "LeftClick"); false when no device has it.
KEL_HOST_API bool findKey(const std::string& name, KeyInfo* out);
// The name of a device's button code; "" when the device has no such button.
KEL_HOST_API const std::string& keyName(const Device* device, int code);
// Every button of a device, in code order.
KEL_HOST_API std::vector<KeyInfo> allKeys(const Device* device);
// A button event for a named button; null when the name is unknown.
KEL_HOST_API counting_ptr<events::Button> makeButton(const std::string& name, bool pressed);

} // namespace input

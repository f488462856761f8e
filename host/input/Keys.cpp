#include "host/input/Keys.h"
#include "host/input/Device.h"

#include <map>

namespace input {

namespace {

struct Tables {
    std::map<int, std::string> keyboard;
    std::map<int, std::string> mouse;
    std::map<std::string, KeyInfo> byName;

    Tables() {
        keyboard = {
            {15, "F1"},
            {23, "F2"},
            {30, "F3"},
            {47, "F4"},
            {48, "F5"},
            {52, "F6"},
            {54, "F7"},
            {60, "F8"},
            {73, "F9"},
            {77, "F10"},
            {79, "F11"},
            {80, "F12"},
            {84, "Pause"},
            {85, "ScrollLock"},
            {93, "Apps"},
            {37, "Space"},
            {51, "Return"},
            {55, "Right"},
            {56, "Left"},
            {57, "Up"},
            {58, "Down"},
            {59, "PgUp"},
            {62, "PgDown"},
            {63, "Home"},
            {64, "End"},
            {61, "Delete"},
            {65, "Insert"},
            {66, "Backspace"},
            {67, "Tab"},
            {68, "LeftShift"},
            {69, "RightShift"},
            {70, "LeftControl"},
            {71, "RightControl"},
            {72, "LeftAlt"},
            {74, "RightAlt"},
            {101, "NumpadEnter"},
            {102, "Escape"},
            {86, "NumpadZero"},
            {87, "NumpadOne"},
            {88, "NumpadTwo"},
            {89, "NumpadThree"},
            {90, "NumpadFour"},
            {91, "NumpadFive"},
            {92, "NumpadSix"},
            {94, "NumpadSeven"},
            {95, "NumpadEight"},
            {96, "NumpadNine"},
            {97, "NumpadPlus"},
            {98, "NumpadMinus"},
            {99, "NumpadMultiply"},
            {100, "NumpadDivide"},
            {139, "Minus"},
            {140, "Equals"},
            {141, "Comma"},
            {142, "Period"},
            {143, "Slash"},
            {144, "Semicolon"},
            {145, "Apostrophe"},
            {146, "LeftBracket"},
            {147, "RightBracket"},
            {148, "Backslash"},
            {149, "Grave"},
        };
        for (int i = 0; i < 26; ++i)
            keyboard[103 + i] = std::string(1, static_cast<char>('A' + i));
        for (int i = 0; i < 10; ++i)
            keyboard[129 + i] = "Digit" + std::to_string(i);
        mouse = {{1, "WheelUp"},
                 {2, "WheelDown"},
                 {3, "LeftClick"},
                 {4, "MiddleClick"},
                 {5, "RightClick"}};
        for (const auto& [code, name] : keyboard)
            byName[name] = KeyInfo{devices::PCKeyboard::instance(), code, name};
        for (const auto& [code, name] : mouse)
            byName[name] = KeyInfo{devices::PCMouse::instance(), code, name};
    }

    const std::map<int, std::string>* tableOf(const Device* device) const {
        if (device == devices::PCKeyboard::instance())
            return &keyboard;
        if (device == devices::PCMouse::instance())
            return &mouse;
        return nullptr;
    }
};

const Tables& tables() {
    static const Tables instance;
    return instance;
}

} // namespace

bool findKey(const std::string& name, KeyInfo* out) {
    const auto found = tables().byName.find(name);
    if (found == tables().byName.end())
        return false;
    *out = found->second;
    return true;
}

const std::string& keyName(const Device* device, int code) {
    static const std::string none;
    const auto* table = tables().tableOf(device);
    if (!table)
        return none;
    const auto found = table->find(code);
    return found == table->end() ? none : found->second;
}

std::vector<KeyInfo> allKeys(const Device* device) {
    std::vector<KeyInfo> keys;
    if (const auto* table = tables().tableOf(device))
        for (const auto& [code, name] : *table)
            keys.push_back(KeyInfo{const_cast<Device*>(device), code, name});
    return keys;
}

counting_ptr<events::Button> makeButton(const std::string& name, bool pressed) {
    KeyInfo key;
    if (!findKey(name, &key))
        return {};
    return counting_ptr<events::Button>(
        new events::Button(key.device, key.code, key.name, pressed));
}

} // namespace input

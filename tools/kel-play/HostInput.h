#pragma once

#include <string>

namespace ui {
class UI;
}

namespace kelplay {

// The host's input devices as a player drives them. Every key, mouse button, typed character
// and mouse movement goes into kel-input's feed as an event of the PC keyboard or the PC mouse,
// the one path a window hands on what the system reports: kel-input offers keys to the debug
// shortcuts and broadcasts every event to the root broadcaster, where the pointer and the root
// UI listen. Call on the UI thread.
class HostInput {
public:
    // Presses or releases a key or mouse button by name; false when no device has it.
    static bool button(const std::string& name, bool pressed);
    // Typed characters, one event per UTF-8 character.
    static void type(const std::string& text);
    // What the mouse reports: a movement in its own units. The pointer scales it by kel-input's
    // mouse multiplier (the player's mouse sensitivity), as it does for a real mouse.
    static void motion(float dx, float dy);
    // Moves the pointer of `ui` to a screen position with one movement of the mouse, as long as
    // the multiplier makes it; the pointer stops at the screen's edge as a real one does.
    static void moveTo(::ui::UI* ui, float x, float y);
};

} // namespace kelplay

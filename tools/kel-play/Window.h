#pragma once

#include <memory>
#include <string>

namespace render {
class FrameRenderer;
}
namespace ui {
class UI;
}

namespace kelplay {

// A real window on the desktop (SDL2) that shows the rendered frames of a session and hands the
// player's mouse and keyboard to the host's input devices, as a game's window does: keys and
// mouse buttons by their host names, typed text as characters, the mouse's position as the
// pointer's movement (the window's own cursor is hidden: the game draws its pointer). The
// window keeps the screen's size in screen units whatever its size on the desktop.
//
// Used on the UI thread only.
class Window {
public:
    // Null, with `why`, when the build has no window support or there is no display.
    static std::unique_ptr<Window> open(const std::string& title, int width, int height,
                                        std::string* why);
    // Whether this build of kel-play can open a window at all.
    static bool isBuiltIn();

    virtual ~Window() = default;

    // Hands what the player did since the last call to the host's input devices for `ui`;
    // false once the player closed the window.
    virtual bool pump(::ui::UI* ui) = 0;
    // Draws the frame of `ui` with `renderer` (made at the window's size in pixels) into the
    // window and shows it; false when it could not be shown.
    virtual bool present(render::FrameRenderer& renderer, ::ui::UI* ui) = 0;
    // Whether the player closed the window.
    virtual bool isClosed() const = 0;

    // How many frames were shown since the window opened, in how many seconds.
    struct Rate {
        long frames = 0;
        double seconds = 0;
    };
    virtual Rate getRate() const = 0;

    // The host name of an SDL scancode ("A", "Escape", "NumpadFive"...), or "" for a key the
    // host's keyboard does not have.
    static std::string keyName(int scancode);
};

} // namespace kelplay

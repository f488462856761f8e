#include "Window.h"

#include "HostInput.h"

#include "host/render/FrameRenderer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#ifdef KEL_PLAY_WINDOW
#include <SDL.h>
#endif

namespace kelplay {

#ifdef KEL_PLAY_WINDOW

namespace {

// The keys of the host's PC keyboard by SDL scancode; letters and digits are ranges.
struct KeyRow {
    SDL_Scancode scancode;
    const char* name;
};
constexpr KeyRow kKeys[] = {
    {SDL_SCANCODE_F1, "F1"},
    {SDL_SCANCODE_F2, "F2"},
    {SDL_SCANCODE_F3, "F3"},
    {SDL_SCANCODE_F4, "F4"},
    {SDL_SCANCODE_F5, "F5"},
    {SDL_SCANCODE_F6, "F6"},
    {SDL_SCANCODE_F7, "F7"},
    {SDL_SCANCODE_F8, "F8"},
    {SDL_SCANCODE_F9, "F9"},
    {SDL_SCANCODE_F10, "F10"},
    {SDL_SCANCODE_F11, "F11"},
    {SDL_SCANCODE_F12, "F12"},
    {SDL_SCANCODE_PAUSE, "Pause"},
    {SDL_SCANCODE_SCROLLLOCK, "ScrollLock"},
    {SDL_SCANCODE_APPLICATION, "Apps"},
    {SDL_SCANCODE_SPACE, "Space"},
    {SDL_SCANCODE_RETURN, "Return"},
    {SDL_SCANCODE_RIGHT, "Right"},
    {SDL_SCANCODE_LEFT, "Left"},
    {SDL_SCANCODE_UP, "Up"},
    {SDL_SCANCODE_DOWN, "Down"},
    {SDL_SCANCODE_PAGEUP, "PgUp"},
    {SDL_SCANCODE_PAGEDOWN, "PgDown"},
    {SDL_SCANCODE_HOME, "Home"},
    {SDL_SCANCODE_END, "End"},
    {SDL_SCANCODE_DELETE, "Delete"},
    {SDL_SCANCODE_INSERT, "Insert"},
    {SDL_SCANCODE_BACKSPACE, "Backspace"},
    {SDL_SCANCODE_TAB, "Tab"},
    {SDL_SCANCODE_LSHIFT, "LeftShift"},
    {SDL_SCANCODE_RSHIFT, "RightShift"},
    {SDL_SCANCODE_LCTRL, "LeftControl"},
    {SDL_SCANCODE_RCTRL, "RightControl"},
    {SDL_SCANCODE_LALT, "LeftAlt"},
    {SDL_SCANCODE_RALT, "RightAlt"},
    {SDL_SCANCODE_KP_ENTER, "NumpadEnter"},
    {SDL_SCANCODE_ESCAPE, "Escape"},
    {SDL_SCANCODE_KP_0, "NumpadZero"},
    {SDL_SCANCODE_KP_1, "NumpadOne"},
    {SDL_SCANCODE_KP_2, "NumpadTwo"},
    {SDL_SCANCODE_KP_3, "NumpadThree"},
    {SDL_SCANCODE_KP_4, "NumpadFour"},
    {SDL_SCANCODE_KP_5, "NumpadFive"},
    {SDL_SCANCODE_KP_6, "NumpadSix"},
    {SDL_SCANCODE_KP_7, "NumpadSeven"},
    {SDL_SCANCODE_KP_8, "NumpadEight"},
    {SDL_SCANCODE_KP_9, "NumpadNine"},
    {SDL_SCANCODE_KP_PLUS, "NumpadPlus"},
    {SDL_SCANCODE_KP_MINUS, "NumpadMinus"},
    {SDL_SCANCODE_KP_MULTIPLY, "NumpadMultiply"},
    {SDL_SCANCODE_KP_DIVIDE, "NumpadDivide"},
    {SDL_SCANCODE_MINUS, "Minus"},
    {SDL_SCANCODE_EQUALS, "Equals"},
    {SDL_SCANCODE_COMMA, "Comma"},
    {SDL_SCANCODE_PERIOD, "Period"},
    {SDL_SCANCODE_SLASH, "Slash"},
    {SDL_SCANCODE_SEMICOLON, "Semicolon"},
    {SDL_SCANCODE_APOSTROPHE, "Apostrophe"},
    {SDL_SCANCODE_LEFTBRACKET, "LeftBracket"},
    {SDL_SCANCODE_RIGHTBRACKET, "RightBracket"},
    {SDL_SCANCODE_BACKSLASH, "Backslash"},
    {SDL_SCANCODE_GRAVE, "Grave"},
};

const char* mouseButtonName(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return "LeftClick";
    case SDL_BUTTON_MIDDLE:
        return "MiddleClick";
    case SDL_BUTTON_RIGHT:
        return "RightClick";
    default:
        return nullptr;
    }
}

class SdlWindow : public Window {
public:
    SdlWindow(SDL_Window* window, int width, int height)
        : window(window), width(width), height(height), opened(Clock::now()) {}

    ~SdlWindow() override {
        SDL_FreeSurface(scaledSurface);
        SDL_DestroyWindow(window);
        SDL_Quit();
    }

    bool pump(::ui::UI* ui) override {
        SDL_Event event;
        while (!closed && SDL_PollEvent(&event))
            handle(ui, event);
        return !closed;
    }

    bool present(render::FrameRenderer& renderer, ::ui::UI* ui) override {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (!surface || renderer.getWidth() != width || renderer.getHeight() != height)
            return false;
        // A surface of the screen's size in a byte order GL reads is drawn into directly;
        // anything else (a window the player resized) gets the frame scaled.
        const Uint32 format = surface->format->format;
        const bool bgra = format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888;
        const bool rgba = format == SDL_PIXELFORMAT_ABGR8888 || format == SDL_PIXELFORMAT_BGR888;
        if (surface->w == width && surface->h == height && (bgra || rgba)) {
            if (SDL_LockSurface(surface) != 0)
                return false;
            renderer.renderInto(
                ui, {static_cast<unsigned char*>(surface->pixels), surface->pitch, bgra});
            SDL_UnlockSurface(surface);
        } else {
            renderer.render(ui, &scaled);
            // The frame's memory stays where it is from one frame to the next: one surface
            // over it serves them all.
            if (!scaledSurface || scaledSurface->pixels != scaled.pixels.data()) {
                SDL_FreeSurface(scaledSurface);
                scaledSurface = SDL_CreateRGBSurfaceWithFormatFrom(
                    scaled.pixels.data(), scaled.width, scaled.height, 32, scaled.width * 4,
                    SDL_PIXELFORMAT_RGBA32);
            }
            if (!scaledSurface)
                return false;
            SDL_BlitScaled(scaledSurface, nullptr, surface, nullptr);
        }
        if (SDL_UpdateWindowSurface(window) != 0)
            return false;
        ++shown;
        return true;
    }

    bool isClosed() const override { return closed; }

    Rate getRate() const override {
        return {shown, std::chrono::duration<double>(Clock::now() - opened).count()};
    }

private:
    using Clock = std::chrono::steady_clock;

    // A position in the window as screen units: the window may have been resized.
    void moveTo(::ui::UI* ui, int x, int y) {
        int shownWidth = width, shownHeight = height;
        SDL_GetWindowSize(window, &shownWidth, &shownHeight);
        HostInput::moveTo(ui, x * static_cast<float>(width) / std::max(shownWidth, 1),
                          y * static_cast<float>(height) / std::max(shownHeight, 1));
    }

    void handle(::ui::UI* ui, const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT:
            closed = true;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                closed = true;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            // Held keys repeat by the host's own auto-repeat, not the desktop's.
            if (event.key.repeat)
                break;
            const std::string name = keyName(event.key.keysym.scancode);
            if (!name.empty())
                HostInput::button(name, event.type == SDL_KEYDOWN);
            break;
        }
        case SDL_TEXTINPUT:
            HostInput::type(event.text.text);
            break;
        case SDL_MOUSEMOTION:
            if (ui)
                moveTo(ui, event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (ui)
                moveTo(ui, event.button.x, event.button.y);
            if (const char* name = mouseButtonName(event.button.button))
                HostInput::button(name, event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEWHEEL:
            if (event.wheel.y != 0) {
                const char* name = event.wheel.y > 0 ? "WheelUp" : "WheelDown";
                HostInput::button(name, true);
                HostInput::button(name, false);
            }
            break;
        default:
            break;
        }
    }

    SDL_Window* window;
    int width;
    int height;
    bool closed = false;
    render::Picture scaled; // the frame, when the window's surface cannot take it directly
    SDL_Surface* scaledSurface = nullptr; // over `scaled`'s pixels
    long shown = 0;
    Clock::time_point opened;
};

} // namespace

std::unique_ptr<Window> Window::open(const std::string& title, int width, int height,
                                     std::string* why) {
    // Without a display to ask for, SDL would probe every driver noisily and settle on one that
    // shows nothing.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        *why = "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are not set; run "
               "under xvfb-run for a virtual one)";
        return nullptr;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        *why = std::string("no display to open a window on (") + SDL_GetError() + ")";
        return nullptr;
    }
    // With no display SDL falls back to drivers that show nothing to anyone.
    const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    if (driver.empty() || driver == "offscreen" || driver == "dummy") {
        *why = "no display to open a window on (SDL found none)";
        SDL_Quit();
        return nullptr;
    }
    // The frames come drawn: SDL only hands the window system's own surface (shared memory
    // where it has it) to the renderer to read them into, and makes no OpenGL context beside
    // the engine's.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                         height, SDL_WINDOW_RESIZABLE);
    if (!window || !SDL_GetWindowSurface(window)) {
        *why = std::string("the window could not be made (") + SDL_GetError() + ")";
        if (window)
            SDL_DestroyWindow(window);
        SDL_Quit();
        return nullptr;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StartTextInput();
    return std::make_unique<SdlWindow>(window, width, height);
}

bool Window::isBuiltIn() {
    return true;
}

std::string Window::keyName(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return std::string(1, static_cast<char>('A' + (scancode - SDL_SCANCODE_A)));
    // SDL orders the digit row 1..9, 0.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return "Digit" + std::to_string(scancode - SDL_SCANCODE_1 + 1);
    if (scancode == SDL_SCANCODE_0)
        return "Digit0";
    for (const KeyRow& row : kKeys)
        if (row.scancode == scancode)
            return row.name;
    return "";
}

#else // no SDL2 in this build

std::unique_ptr<Window> Window::open(const std::string&, int, int, std::string* why) {
    *why = "this kel-play was built without window support (SDL2)";
    return nullptr;
}

bool Window::isBuiltIn() {
    return false;
}

std::string Window::keyName(int) {
    return "";
}

#endif

} // namespace kelplay

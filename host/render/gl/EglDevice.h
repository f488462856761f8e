#pragma once

#include <string>

namespace render {

// The process's one OpenGL 3.3 core context, made through EGL on Mesa's surfaceless platform
// (no window, no display server) on first use and kept until the process ends. Every renderer
// draws into framebuffers of its own on it.
class EglDevice {
public:
    // The device made current on the calling thread; null, with `why`, when EGL cannot make one.
    static EglDevice* acquire(std::string* why);

private:
    EglDevice() = default;
    bool open(std::string* why);
    bool makeCurrent();

    void* display = nullptr;
    void* context = nullptr;
};

} // namespace render

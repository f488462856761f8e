#include "host/render/gl/EglDevice.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace render {

namespace {

std::string eglError(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

} // namespace

EglDevice* EglDevice::acquire(std::string* why) {
    static std::mutex mutex;
    static EglDevice* device = nullptr; // kept for the life of the process
    static std::string failure;
    std::lock_guard<std::mutex> guard(mutex);
    if (!device && failure.empty()) {
        auto* made = new EglDevice;
        if (made->open(&failure))
            device = made;
        else
            delete made;
    }
    if (device && !device->makeCurrent()) {
        if (why)
            *why = eglError("eglMakeCurrent");
        return nullptr;
    }
    if (!device && why)
        *why = failure;
    return device;
}

bool EglDevice::open(std::string* why) {
    const char* extensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    const std::string known = extensions ? extensions : "";
    if (known.find("EGL_MESA_platform_surfaceless") == std::string::npos) {
        *why = "EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)";
        return false;
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) {
        *why = "EGL has no eglGetPlatformDisplayEXT";
        return false;
    }
    EGLDisplay shown =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (shown == EGL_NO_DISPLAY || !eglInitialize(shown, &major, &minor)) {
        *why = eglError("eglInitialize on the surfaceless platform");
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        *why = eglError("eglBindAPI(OpenGL)");
        eglTerminate(shown);
        return false;
    }
    const EGLint configWanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE,
                                   EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configs = 0;
    if (!eglChooseConfig(shown, configWanted, &config, 1, &configs) || configs == 0)
        config = nullptr; // a context without a config draws into framebuffers only
    const EGLint contextWanted[] = {EGL_CONTEXT_MAJOR_VERSION,
                                    3,
                                    EGL_CONTEXT_MINOR_VERSION,
                                    3,
                                    EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                    EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                    EGL_NONE};
    EGLContext made = eglCreateContext(shown, config, EGL_NO_CONTEXT, contextWanted);
    if (made == EGL_NO_CONTEXT) {
        *why = eglError("eglCreateContext(OpenGL 3.3 core)");
        eglTerminate(shown);
        return false;
    }
    display = shown;
    context = made;
    if (!makeCurrent()) {
        *why = eglError("eglMakeCurrent");
        return false;
    }
    return true;
}

bool EglDevice::makeCurrent() {
    if (eglGetCurrentContext() == context)
        return true;
    return eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE;
}

} // namespace render

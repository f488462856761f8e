// The host built without the renderer (no EGL, OpenGL or FreeType, as in the Windows build):
// kel-play and the tests draw the SVG pictures only.
#include "host/render/FrameRenderer.h"

namespace render {

bool FrameRenderer::isBuiltIn() {
    return false;
}

std::unique_ptr<FrameRenderer> FrameRenderer::create(int, int, std::string* why) {
    if (why)
        *why = "this build has no renderer";
    return nullptr;
}

bool encodePng(const Picture&, std::string*, std::string* why) {
    if (why)
        *why = "this build has no renderer";
    return false;
}

bool decodePng(const std::string&, Picture*, std::string* why) {
    if (why)
        *why = "this build has no renderer";
    return false;
}

} // namespace render

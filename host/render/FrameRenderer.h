#pragma once

#include "host/HostApi.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {
class UI;
}

namespace render {

// A picture in memory: RGBA, 8 bits a channel, rows from the top.
struct KEL_HOST_API Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;

    // The pixel at (x, y) as 0xRRGGBBAA; 0 outside the picture.
    unsigned at(int x, int y) const;
};

// Memory a frame is read into: rows from the top, `pitch` bytes apart, 4 bytes a pixel in the
// order red, green, blue, alpha, or blue, green, red, alpha (as most window systems keep their
// surfaces) when `bgra` is set.
struct PixelTarget {
    unsigned char* pixels = nullptr;
    int pitch = 0;
    bool bgra = false;
};

// Draws the frames of the reference engine offscreen with OpenGL 3.3 core, on a context EGL
// makes without a display (Mesa's software rasteriser does on a machine with no GPU), into a
// framebuffer of a size in pixels. A frame is what ui::walkFrame walks: the views through their
// cameras with their models as lit meshes, images, text in the fonts' faces, the pointer. Images,
// models and faces are read from the data root on first use and kept by name; one that is
// missing or cannot be decoded is drawn as a "missing" marker and reported once.
//
// A renderer is used by one thread at a time.
class KEL_HOST_API FrameRenderer {
public:
    // Null, with `why`, when the host was built without the renderer or no context can be made.
    static std::unique_ptr<FrameRenderer> create(int width, int height, std::string* why);
    // Whether this build of the host has the renderer at all.
    static bool isBuiltIn();

    virtual ~FrameRenderer() = default;
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Draws the screen of `ui` (null: the root UI) scaled to the framebuffer and reads it back.
    // `include3D` false leaves the views out.
    virtual void render(ui::UI* ui, Picture* out, bool include3D = true) = 0;
    // The same frame read straight into memory of the framebuffer's size (a window's surface),
    // with no copy between.
    virtual void renderInto(ui::UI* ui, const PixelTarget& out) = 0;

protected:
    FrameRenderer(int width, int height) : width(width), height(height) {}

private:
    int width;
    int height;
};

// Every renderer reports a picture, model or face it cannot use once, by its path, until this is
// called (the host calls it when it is reset for a new session, as the data root may change).
KEL_HOST_API void forgetReportedAssets();
// True the first time an asset's path is to be reported since then (for the renderers).
bool firstReportOfAsset(const std::string& gamePath);

// A picture as the bytes of a PNG file; false with `why` on failure, or when the host was built
// without the renderer.
KEL_HOST_API bool encodePng(const Picture& picture, std::string* png, std::string* why);
// The picture of PNG bytes; false with `why` when they are no PNG, or without the renderer.
KEL_HOST_API bool decodePng(const std::string& png, Picture* picture, std::string* why);
// Writes a picture as a PNG file (atomically); false with `why` on failure.
KEL_HOST_API bool writePng(const std::string& path, const Picture& picture, std::string* why);

} // namespace render

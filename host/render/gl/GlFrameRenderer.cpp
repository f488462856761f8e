#include "host/engine/RenderDriver.h"
#include "host/render/FrameRenderer.h"
#include "host/render/gl/EglDevice.h"
#include "host/render/gl/GlCanvas.h"
#include "host/render/gl/Glyphs.h"
#include "host/render/gl/Meshes.h"
#include "host/render/gl/Textures.h"
#include "host/render/gl/ViewPainter.h"
#include "host/ui/FrameWalk.h"
#include "host/ui/UI.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdlib>

namespace render {

namespace {

// The pointer's own arrow, in units from its tip: the outline and the triangles that fill it.
const float kArrow[][2] = {{0, 0}, {0, 16}, {4, 12}, {7, 19}, {9.5f, 18}, {6.5f, 11}, {12.5f, 11}};
const int kArrowFill[] = {0, 1, 2, 0, 2, 5, 0, 5, 6, 2, 3, 4, 2, 4, 5};

class GlFrameRenderer final : public FrameRenderer, private ui::FramePainter {
public:
    GlFrameRenderer(int width, int height)
        : FrameRenderer(width, height), canvas2D(textures, fonts),
          views(canvas2D, meshes, textures) {}

    ~GlFrameRenderer() override {
        if (EglDevice::acquire(nullptr)) {
            glDeleteFramebuffers(1, &framebuffer);
            glDeleteRenderbuffers(2, renderbuffers);
        }
    }

    bool init(std::string* why) {
        if (!canvas2D.init(why) || !views.init(why))
            return false;
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, getWidth(), getHeight());
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  renderbuffers[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, getWidth(), getHeight());
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  renderbuffers[1]);
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            *why = "the framebuffer of " + std::to_string(getWidth()) + " x " +
                   std::to_string(getHeight()) + " pixels is incomplete";
            return false;
        }
        return true;
    }

    void render(ui::UI* ui, Picture* out, bool include3D) override {
        out->width = getWidth();
        out->height = getHeight();
        out->pixels.resize(static_cast<size_t>(getWidth()) * getHeight() * 4);
        draw(ui, include3D, {out->pixels.data(), getWidth() * 4, false});
    }

    void renderInto(ui::UI* ui, const PixelTarget& out) override { draw(ui, true, out); }

private:
    // The frame is drawn with the screen's top at GL's row 0, so the rows are read in the order
    // memory keeps them, straight into `out`.
    void draw(ui::UI* ui, bool include3D, const PixelTarget& out) {
        if (!out.pixels || out.pitch < getWidth() * 4 || out.pitch % 4 != 0 ||
            !EglDevice::acquire(nullptr))
            return;
        ui::UI* root = ui ? ui : ui::theUI;
        screenWidth = root ? root->getScreenWidth() : theRenderDriver->getScreenWidth();
        screenHeight = root ? root->getScreenHeight() : theRenderDriver->getScreenHeight();
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glViewport(0, 0, getWidth(), getHeight());
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        canvas2D.begin(screenWidth, screenHeight, getWidth(), getHeight());
        ui::walkFrame(root, include3D, *this);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ROW_LENGTH, out.pitch / 4);
        glReadPixels(0, 0, getWidth(), getHeight(), out.bgra ? GL_BGRA : GL_RGBA, GL_UNSIGNED_BYTE,
                     out.pixels);
        glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    }

    ui::Canvas& canvas() override { return canvas2D; }

    void view(const View& view) override {
        views.paint(view, screenWidth, screenHeight, getWidth(), getHeight());
    }

    void arrow(float x, float y) override {
        std::vector<float> fill;
        for (int index : kArrowFill)
            fill.insert(fill.end(), {x + kArrow[index][0], y + kArrow[index][1]});
        canvas2D.triangles(fill, config::Color(0.96f, 0.94f, 0.88f, 1));
        const int corners = sizeof kArrow / sizeof kArrow[0];
        for (int i = 0; i < corners; ++i) {
            const float* a = kArrow[i];
            const float* b = kArrow[(i + 1) % corners];
            canvas2D.line(x + a[0], y + a[1], x + b[0], y + b[1],
                          config::Color(0.08f, 0.08f, 0.08f, 1), 1);
        }
    }

    TextureCache textures;
    FontCache fonts;
    MeshCache meshes;
    GlCanvas canvas2D;
    ViewPainter views;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};
    float screenWidth = 640;
    float screenHeight = 480;
};

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::string*>(context);
    out->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

} // namespace

bool FrameRenderer::isBuiltIn() {
    return true;
}

std::unique_ptr<FrameRenderer> FrameRenderer::create(int width, int height, std::string* why) {
    std::string problem;
    const char* off = std::getenv("KEL_NO_RENDERER");
    if (off && *off) {
        problem = "the renderer is turned off (KEL_NO_RENDERER)";
    } else if (width < 1 || height < 1 || width > 8192 || height > 8192) {
        problem = "a framebuffer of " + std::to_string(width) + " x " + std::to_string(height) +
                  " pixels cannot be made";
    } else if (EglDevice::acquire(&problem)) {
        auto renderer = std::make_unique<GlFrameRenderer>(width, height);
        if (renderer->init(&problem))
            return renderer;
    }
    if (why)
        *why = problem;
    return nullptr;
}

bool encodePng(const Picture& picture, std::string* png, std::string* why) {
    if (picture.width < 1 || picture.height < 1 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height * 4) {
        if (why)
            *why = "no picture to encode";
        return false;
    }
    png->clear();
    if (!stbi_write_png_to_func(appendBytes, png, picture.width, picture.height, 4,
                                picture.pixels.data(), picture.width * 4)) {
        if (why)
            *why = "cannot encode the PNG";
        return false;
    }
    return true;
}

bool decodePng(const std::string& png, Picture* picture, std::string* why) {
    int width = 0, height = 0, channels = 0;
    unsigned char* rgba =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()),
                              static_cast<int>(png.size()), &width, &height, &channels, 4);
    if (!rgba) {
        if (why)
            *why = std::string("cannot decode: ") + stbi_failure_reason();
        return false;
    }
    picture->width = width;
    picture->height = height;
    picture->pixels.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
    stbi_image_free(rgba);
    return true;
}

} // namespace render

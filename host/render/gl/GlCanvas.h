#pragma once

#include "host/render/gl/Gl.h"
#include "host/ui/Canvas.h"

#include <string>
#include <vector>

namespace render {

class FontCache;
class TextureCache;

// The toolkit's canvas on OpenGL: rectangles (rounded, filled or stroked) and lines as quads
// shaded by their distance to the edge, images as textured quads (turned, mirrored, cut to their
// clip by the scissor), text as glyph quads from the face's atlas placed at the advances of the
// font's metric table. Coordinates are screen units, `scale` pixels each.
class GlCanvas final : public ui::Canvas {
public:
    GlCanvas(TextureCache& textures, FontCache& fonts);
    GlCanvas(const GlCanvas&) = delete;
    GlCanvas& operator=(const GlCanvas&) = delete;
    ~GlCanvas() override;

    // False, with `why`, when its shaders cannot be built.
    bool init(std::string* why);
    // Before the 2D of a frame: the screen's size in units and in pixels; sets the GL state.
    void begin(float screenWidth, float screenHeight, int pixelWidth, int pixelHeight);

    void fillRect(const Rect& rect, const config::Color& color, float radius = 0) override;
    void strokeRect(const Rect& rect, const config::Color& color, float width,
                    float radius = 0) override;
    void line(float x1, float y1, float x2, float y2, const config::Color& color,
              float width) override;
    void text(const TextRun& run) override;
    void image(const ImageRun& run) override;

    // A filled polygon given as triangles (x, y pairs, three points each).
    void triangles(const std::vector<float>& points, const config::Color& color);

private:
    enum Mode { Fill = 0, Stroke = 1, Picture = 2, Glyphs = 3, Plain = 4 };
    static constexpr int kModes = 5;

    // A program of one mode and where its uniforms are.
    struct Program {
        GLuint id = 0;
        GLint uScreen = -1, uColor = -1, uBox = -1, uRadius = -1, uStroke = -1, uPixel = -1;
    };

    // Draws triangles (x, y, u, v each corner) in one mode; `box`, `radius` and `stroke` shape
    // the outlined modes.
    void draw(Mode mode, const std::vector<float>& vertices, const config::Color& color,
              GLuint texture = 0, const Rect* box = nullptr, float radius = 0, float stroke = 0);
    void quad(std::vector<float>& out, float x0, float y0, float x1, float y1, float u0 = 0,
              float v0 = 0, float u1 = 1, float v1 = 1);

    TextureCache& textures;
    FontCache& fonts;
    Program programs[kModes];
    const Program* current = nullptr; // the program in use since begin()
    bool blending = true;
    GLuint vertexArray = 0;
    GLuint buffer = 0;
    float screenWidth = 640;
    float screenHeight = 480;
    int pixelWidth = 640;
    int pixelHeight = 480;
    float scale = 1;
    std::vector<float> scratch;
};

} // namespace render

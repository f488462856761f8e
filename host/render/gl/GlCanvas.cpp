#include "host/render/gl/GlCanvas.h"
#include "host/render/gl/Glyphs.h"
#include "host/render/gl/Shader.h"
#include "host/render/gl/Textures.h"
#include "host/ui/Font.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {

const char* const kVertex = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 uv;
uniform vec2 screen;
out vec2 vUv;
out vec2 vPosition;
void main() {
    vUv = uv;
    vPosition = position;
    // The screen's top is GL's row 0: frames are read back in memory's row order.
    gl_Position = vec4(position.x / screen.x * 2.0 - 1.0, position.y / screen.y * 2.0 - 1.0, 0.0, 1.0);
}
)";

// One fragment shader per way of drawing, chosen by MODE when it is compiled: a software
// rasteriser runs every branch a shader has, so the sky's plain bands must not pay for the
// rounded outline and two texture reads. Rectangles are shaded by the signed distance to their
// rounded outline, so their edges and corners are smooth at any scale.
const char* const kFragment = R"(
in vec2 vUv;
in vec2 vPosition;
uniform vec4 color;
uniform vec4 box;
uniform float radius;
uniform float stroke;
uniform float pixel;
uniform sampler2D picture;
out vec4 fragment;
float outline(vec2 p) {
    vec2 halfSize = box.zw * 0.5;
    vec2 q = abs(p - box.xy - halfSize) - halfSize + vec2(radius);
    return length(max(q, 0.0)) + min(max(q.x, q.y), 0.0) - radius;
}
void main() {
#if MODE == 0
    float cover = clamp(0.5 - outline(vPosition) / pixel, 0.0, 1.0);
    fragment = vec4(color.rgb, color.a * cover);
#elif MODE == 1
    float d = abs(outline(vPosition)) - stroke * 0.5;
    fragment = vec4(color.rgb, color.a * clamp(0.5 - d / pixel, 0.0, 1.0));
#elif MODE == 2
    fragment = texture(picture, vUv) * color;
#elif MODE == 3
    fragment = vec4(color.rgb, color.a * texture(picture, vUv).r);
#else
    fragment = color;
#endif
}
)";

// The code points of UTF-8 text; a broken sequence is one U+FFFD per byte.
std::vector<unsigned> codepoints(const std::string& text) {
    std::vector<unsigned> out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const size_t length = byte < 0x80    ? 1
                              : byte >= 0xF0 ? 4
                              : byte >= 0xE0 ? 3
                              : byte >= 0xC0 ? 2
                                             : 0;
        bool valid = length > 0 && i + length <= text.size();
        unsigned code = length == 1 ? byte : byte & (0x3Fu >> (length > 1 ? length - 1 : 0));
        for (size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(code);
        i += length;
    }
    return out;
}

} // namespace

GlCanvas::GlCanvas(TextureCache& textures, FontCache& fonts) : textures(textures), fonts(fonts) {}

GlCanvas::~GlCanvas() {
    if (buffer)
        glDeleteBuffers(1, &buffer);
    if (vertexArray)
        glDeleteVertexArrays(1, &vertexArray);
    for (Program& p : programs)
        if (p.id)
            glDeleteProgram(p.id);
}

bool GlCanvas::init(std::string* why) {
    for (int mode = 0; mode < kModes; ++mode) {
        const std::string fragment =
            "#version 330 core\n#define MODE " + std::to_string(mode) + "\n" + kFragment;
        Program& p = programs[mode];
        p.id = buildProgram(kVertex, fragment.c_str(), why);
        if (!p.id)
            return false;
        p.uScreen = glGetUniformLocation(p.id, "screen");
        p.uColor = glGetUniformLocation(p.id, "color");
        p.uBox = glGetUniformLocation(p.id, "box");
        p.uRadius = glGetUniformLocation(p.id, "radius");
        p.uStroke = glGetUniformLocation(p.id, "stroke");
        p.uPixel = glGetUniformLocation(p.id, "pixel");
        glUseProgram(p.id);
        glUniform1i(glGetUniformLocation(p.id, "picture"), 0);
    }
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glBindVertexArray(0);
    return true;
}

void GlCanvas::begin(float width, float height, int pixelsWide, int pixelsHigh) {
    screenWidth = width > 0 ? width : 1;
    screenHeight = height > 0 ? height : 1;
    pixelWidth = pixelsWide;
    pixelHeight = pixelsHigh;
    scale = static_cast<float>(pixelsHigh) / screenHeight;
    glViewport(0, 0, pixelWidth, pixelHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glEnable(GL_BLEND);
    blending = true;
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    for (Program& p : programs) {
        glUseProgram(p.id);
        glUniform2f(p.uScreen, screenWidth, screenHeight);
        glUniform1f(p.uPixel, 1.0f / scale);
    }
    current = nullptr;
}

void GlCanvas::quad(std::vector<float>& out, float x0, float y0, float x1, float y1, float u0,
                    float v0, float u1, float v1) {
    out.insert(out.end(), {x0, y0, u0, v0, x1, y0, u1, v0, x1, y1, u1, v1,
                           x0, y0, u0, v0, x1, y1, u1, v1, x0, y1, u0, v1});
}

void GlCanvas::draw(Mode mode, const std::vector<float>& vertices, const config::Color& color,
                    GLuint texture, const Rect* box, float radius, float stroke) {
    if (vertices.empty())
        return;
    Program& p = programs[mode];
    if (current != &p) {
        glUseProgram(p.id);
        current = &p;
    }
    // An opaque colour covers what is below it whole: the rasteriser need not read it back.
    const bool blend = mode != Plain || color.a < 1;
    if (blend != blending) {
        (blend ? glEnable : glDisable)(GL_BLEND);
        blending = blend;
    }
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)),
                 vertices.data(), GL_STREAM_DRAW);
    glUniform4f(p.uColor, color.r, color.g, color.b, color.a);
    if (box) {
        glUniform4f(p.uBox, box->x, box->y, box->width, box->height);
        glUniform1f(p.uRadius, std::clamp(radius, 0.0f, std::min(box->width, box->height) / 2));
        glUniform1f(p.uStroke, stroke);
    }
    if (texture) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 4));
}

void GlCanvas::fillRect(const Rect& r, const config::Color& color, float radius) {
    if (color.a <= 0 || r.width <= 0 || r.height <= 0)
        return;
    // An opaque fill of the whole screen is a clear, which the rasteriser does without shading.
    if (radius <= 0 && color.a >= 1 && r.x <= 0 && r.y <= 0 && r.x + r.width >= screenWidth &&
        r.y + r.height >= screenHeight) {
        glClearColor(color.r, color.g, color.b, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    scratch.clear();
    quad(scratch, r.x, r.y, r.x + r.width, r.y + r.height);
    // Square corners need no distance shading: the quad is the rectangle.
    if (radius > 0)
        draw(Fill, scratch, color, 0, &r, radius, 0);
    else
        draw(Plain, scratch, color);
}

void GlCanvas::strokeRect(const Rect& r, const config::Color& color, float width, float radius) {
    if (color.a <= 0 || r.width <= 0 || r.height <= 0 || width <= 0)
        return;
    const float out = width / 2 + 1 / scale;
    scratch.clear();
    quad(scratch, r.x - out, r.y - out, r.x + r.width + out, r.y + r.height + out);
    draw(Stroke, scratch, color, 0, &r, radius, width);
}

void GlCanvas::line(float x1, float y1, float x2, float y2, const config::Color& color,
                    float width) {
    if (color.a <= 0 || width <= 0)
        return;
    const float dx = x2 - x1, dy = y2 - y1;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0))
        return;
    // A quad along the line, with square ends half the width out.
    const float h = width / 2;
    const float nx = -dy / length * h, ny = dx / length * h;
    const float ex = dx / length * h, ey = dy / length * h;
    const float ax = x1 - ex, ay = y1 - ey, bx = x2 + ex, by = y2 + ey;
    triangles({ax + nx, ay + ny, bx + nx, by + ny, bx - nx, by - ny, ax + nx, ay + ny, bx - nx,
               by - ny, ax - nx, ay - ny},
              color);
}

void GlCanvas::triangles(const std::vector<float>& points, const config::Color& color) {
    if (color.a <= 0)
        return;
    scratch.clear();
    for (size_t i = 0; i + 1 < points.size(); i += 2)
        scratch.insert(scratch.end(), {points[i], points[i + 1], 0, 0});
    draw(Plain, scratch, color);
}

void GlCanvas::text(const TextRun& run) {
    if (run.text.empty() || !run.font || run.color.a <= 0)
        return;
    const ui::Font& font = *run.font;
    const float size = font.getPixelSize() > 0 ? font.getPixelSize() : font.getLineHeight() * 0.8f;
    GlyphAtlas* atlas = fonts.get(font.getFace(), static_cast<int>(std::lround(size * scale)));
    if (!atlas)
        return;
    // The face's box (ascender to descender) is centred on the line.
    const float ascender = atlas->getAscender() / scale, descender = atlas->getDescender() / scale;
    const float baseline = run.y + (font.getLineHeight() - (ascender - descender)) / 2 + ascender;
    scratch.clear();
    float pen = run.x;
    for (unsigned code : codepoints(run.text)) {
        const GlyphAtlas::Glyph& g = atlas->glyph(code);
        if (g.width > 0) {
            // Glyphs stand on whole pixels so that they stay sharp.
            const float x0 = std::round((pen + g.left / scale) * scale) / scale;
            const float y0 = std::round((baseline - g.top / scale) * scale) / scale;
            quad(scratch, x0, y0, x0 + g.width / scale, y0 + g.height / scale, g.u0, g.v0, g.u1,
                 g.v1);
        }
        pen += font.getCharacterWidth(code);
    }
    draw(Glyphs, scratch, run.color, atlas->getTexture());
}

void GlCanvas::image(const ImageRun& run) {
    if (run.rect.width <= 0 || run.rect.height <= 0 || run.opacity <= 0)
        return;
    const TextureCache::Texture& texture = textures.get(run.name);
    if (!texture.id)
        return;
    if (run.clipped) {
        if (run.clip.width <= 0 || run.clip.height <= 0)
            return;
        const float x0 = std::floor(run.clip.x * scale),
                    y1 = std::ceil((run.clip.y + run.clip.height) * scale);
        const float x1 = std::ceil((run.clip.x + run.clip.width) * scale),
                    y0 = std::floor(run.clip.y * scale);
        glEnable(GL_SCISSOR_TEST);
        glScissor(static_cast<GLint>(x0), static_cast<GLint>(y0), static_cast<GLsizei>(x1 - x0),
                  static_cast<GLsizei>(y1 - y0));
    }
    // The corners about the rectangle's centre, turned by the angle (clockwise on screen).
    const float cx = run.rect.x + run.rect.width / 2, cy = run.rect.y + run.rect.height / 2;
    const float hw = run.rect.width / 2, hh = run.rect.height / 2;
    const float radians = run.angle * 3.14159265f / 180.0f;
    const float c = std::cos(radians), s = std::sin(radians);
    const float u0 = run.flip ? 1.0f : 0.0f, u1 = 1.0f - u0;
    const float corner[4][4] = {
        {-hw, -hh, u0, 0}, {hw, -hh, u1, 0}, {hw, hh, u1, 1}, {-hw, hh, u0, 1}};
    scratch.clear();
    for (int index : {0, 1, 2, 0, 2, 3}) {
        const float* p = corner[index];
        scratch.insert(scratch.end(),
                       {cx + p[0] * c - p[1] * s, cy + p[0] * s + p[1] * c, p[2], p[3]});
    }
    draw(Picture, scratch, config::Color(1, 1, 1, std::min(run.opacity, 1.0f)), texture.id);
    if (run.clipped)
        glDisable(GL_SCISSOR_TEST);
}

} // namespace render

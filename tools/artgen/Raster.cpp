#include "Raster.h"

#include "host/ui/Utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace artgen {

namespace {

uint8_t clampByte(float v) {
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
}

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            throw std::runtime_error("FreeType does not start");
        return l;
    }();
    return lib;
}

FT_Face ftFace(const TextFace& face) {
    return static_cast<FT_Face>(face.handle());
}

} // namespace

Rgba rgb(int r, int g, int b, int a) {
    return Rgba{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b),
                static_cast<uint8_t>(a)};
}

Rgba mix(Rgba a, Rgba b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    auto m = [t](uint8_t x, uint8_t y) { return clampByte(x + (y - x) * t); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Rgba shade(Rgba c, float factor) {
    if (factor <= 1)
        return Rgba{clampByte(c.r * factor), clampByte(c.g * factor), clampByte(c.b * factor), c.a};
    return mix(c, Rgba{255, 255, 255, c.a}, factor - 1);
}

Rgba withAlpha(Rgba c, int alpha) {
    c.a = static_cast<uint8_t>(std::clamp(alpha, 0, 255));
    return c;
}

std::vector<unsigned> codepoints(const std::string& text) {
    std::vector<unsigned> out;
    ui::forEachCodepoint(text, [&](unsigned code) { out.push_back(code); });
    return out;
}

Raster::Raster(int width, int height, Rgba background)
    : w(width), h(height), sw(width * kScale), sh(height * kScale),
      samples(static_cast<size_t>(sw) * static_cast<size_t>(sh), background) {}

void Raster::blendPixel(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= sw || y >= sh || coverage <= 0)
        return;
    Rgba& d = samples[static_cast<size_t>(y) * static_cast<size_t>(sw) + static_cast<size_t>(x)];
    const float sa = c.a / 255.0f * std::min(coverage, 1.0f);
    const float da = d.a / 255.0f;
    const float oa = sa + da * (1 - sa);
    if (oa <= 0) {
        d = Rgba{0, 0, 0, 0};
        return;
    }
    auto ch = [&](uint8_t s, uint8_t t) { return clampByte((s * sa + t * da * (1 - sa)) / oa); };
    d = Rgba{ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), clampByte(oa * 255)};
}

void Raster::blendSpan(int y, float x0, float x1, Rgba c) {
    // Samples whose centre lies in [x0, x1).
    const int from = std::max(0, static_cast<int>(std::ceil(x0 - 0.5f)));
    const int to = std::min(sw, static_cast<int>(std::ceil(x1 - 0.5f)));
    for (int x = from; x < to; ++x)
        blendPixel(x, y, c, 1);
}

void Raster::fillRect(float x0, float y0, float x1, float y1, Rgba c) {
    const float s = kScale;
    const int from = std::max(0, static_cast<int>(std::ceil(y0 * s - 0.5f)));
    const int to = std::min(sh, static_cast<int>(std::ceil(y1 * s - 0.5f)));
    for (int y = from; y < to; ++y)
        blendSpan(y, x0 * s, x1 * s, c);
}

void Raster::verticalGradient(float x0, float y0, float x1, float y1, Rgba top, Rgba bottom) {
    const float s = kScale;
    const int from = std::max(0, static_cast<int>(std::ceil(y0 * s - 0.5f)));
    const int to = std::min(sh, static_cast<int>(std::ceil(y1 * s - 0.5f)));
    for (int y = from; y < to; ++y) {
        // One colour per final row, so a row of the finished picture stays flat.
        const float row = std::floor(static_cast<float>(y) / s) + 0.5f;
        blendSpan(y, x0 * s, x1 * s, mix(top, bottom, (row - y0) / std::max(1.0f, y1 - y0)));
    }
}

void Raster::fillPolygon(const std::vector<Point>& points, Rgba c) {
    if (points.size() < 3)
        return;
    const float s = kScale;
    float top = points[0].y, bottom = points[0].y;
    for (const auto& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int from = std::max(0, static_cast<int>(std::floor(top * s)));
    const int to = std::min(sh, static_cast<int>(std::ceil(bottom * s)) + 1);
    std::vector<float> xs;
    for (int y = from; y < to; ++y) {
        const float sy = (static_cast<float>(y) + 0.5f) / s;
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                xs.push_back((a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x)) * s);
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2)
            blendSpan(y, xs[i], xs[i + 1], c);
    }
}

void Raster::fillEllipse(float cx, float cy, float rx, float ry, Rgba c) {
    const float s = kScale;
    const int from = std::max(0, static_cast<int>(std::floor((cy - ry) * s)));
    const int to = std::min(sh, static_cast<int>(std::ceil((cy + ry) * s)) + 1);
    for (int y = from; y < to; ++y) {
        const float dy = ((static_cast<float>(y) + 0.5f) / s - cy) / ry;
        if (dy * dy >= 1)
            continue;
        const float half = rx * std::sqrt(1 - dy * dy);
        blendSpan(y, (cx - half) * s, (cx + half) * s, c);
    }
}

void Raster::fillRoundRect(float x0, float y0, float x1, float y1, float r, Rgba c) {
    r = std::min({r, (x1 - x0) / 2, (y1 - y0) / 2});
    const float s = kScale;
    const int from = std::max(0, static_cast<int>(std::floor(y0 * s)));
    const int to = std::min(sh, static_cast<int>(std::ceil(y1 * s)) + 1);
    for (int y = from; y < to; ++y) {
        const float sy = (static_cast<float>(y) + 0.5f) / s;
        if (sy < y0 || sy >= y1)
            continue;
        float inset = 0;
        const float dy = sy < y0 + r ? y0 + r - sy : sy > y1 - r ? sy - (y1 - r) : 0;
        if (dy > 0)
            inset = r - std::sqrt(std::max(0.0f, r * r - dy * dy));
        blendSpan(y, (x0 + inset) * s, (x1 - inset) * s, c);
    }
}

void Raster::line(float x0, float y0, float x1, float y1, float width, Rgba c) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0)
        return;
    const float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    fillPolygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}},
                c);
}

void Raster::ring(float cx, float cy, float r, float width, Rgba c) {
    std::vector<Point> outline;
    const int n = 48;
    for (int i = 0; i <= n; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / n;
        outline.push_back({cx + (r + width / 2) * std::cos(a), cy + (r + width / 2) * std::sin(a)});
    }
    for (int i = n; i >= 0; --i) {
        const float a = 6.2831853f * static_cast<float>(i) / n;
        outline.push_back({cx + (r - width / 2) * std::cos(a), cy + (r - width / 2) * std::sin(a)});
    }
    fillPolygon(outline, c); // even-odd: the inner circle stays empty
}

void Raster::bevel(float x0, float y0, float x1, float y1, float e, Rgba face, bool pressed) {
    const Rgba light = shade(face, 1.45f), dark = shade(face, 0.45f);
    const Rgba tl = pressed ? dark : light, br = pressed ? light : dark;
    fillRect(x0, y0, x1, y1, face);
    fillPolygon(
        {{x0, y0}, {x1, y0}, {x1 - e, y0 + e}, {x0 + e, y0 + e}, {x0 + e, y1 - e}, {x0, y1}}, tl);
    fillPolygon(
        {{x1, y1}, {x0, y1}, {x0 + e, y1 - e}, {x1 - e, y1 - e}, {x1 - e, y0 + e}, {x1, y0}}, br);
}

float Raster::measure(const TextFace& face, float pixelSize, const std::string& utf8) {
    FT_Face f = ftFace(face);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(std::lround(pixelSize * kScale)));
    float advance = 0;
    for (unsigned code : codepoints(utf8))
        if (FT_Load_Char(f, code, FT_LOAD_DEFAULT) == 0)
            advance += static_cast<float>(f->glyph->advance.x) / 64.0f;
    return advance / kScale;
}

float Raster::text(const TextFace& face, float pixelSize, float x, float y, const std::string& utf8,
                   Rgba c) {
    FT_Face f = ftFace(face);
    FT_Set_Pixel_Sizes(f, 0, static_cast<FT_UInt>(std::lround(pixelSize * kScale)));
    float penX = x * kScale;
    const int baseY = static_cast<int>(std::lround(y * kScale));
    for (unsigned code : codepoints(utf8)) {
        if (FT_Load_Char(f, code, FT_LOAD_RENDER) != 0)
            continue;
        const FT_GlyphSlot g = f->glyph;
        const FT_Bitmap& bm = g->bitmap;
        const int left = static_cast<int>(std::lround(penX)) + g->bitmap_left;
        const int top = baseY - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                const uint8_t v =
                    bm.buffer[static_cast<int>(row) * bm.pitch + static_cast<int>(col)];
                if (v)
                    blendPixel(left + static_cast<int>(col), top + static_cast<int>(row), c,
                               v / 255.0f);
            }
        penX += static_cast<float>(g->advance.x) / 64.0f;
    }
    return penX / kScale - x;
}

void Raster::centredText(const TextFace& face, float pixelSize, float x0, float y0, float x1,
                         float y1, const std::string& utf8, Rgba c, Rgba outline) {
    const float width = measure(face, pixelSize, utf8);
    // DejaVu's capitals stand 0.73 em high: centring them centres the line as a reader sees it.
    const float capHeight = 0.73f * pixelSize;
    const float x = (x0 + x1 - width) / 2;
    const float base = (y0 + y1 + capHeight) / 2;
    if (outline.a > 0) {
        const float o = std::max(1.0f, pixelSize / 14);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy)
                    text(face, pixelSize, x + dx * o, base + dy * o, utf8, outline);
    }
    text(face, pixelSize, x, base, utf8, c);
}

std::vector<uint8_t> Raster::resolve() const {
    std::vector<uint8_t> out(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    const float n = kScale * kScale;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kScale; ++sy)
                for (int sx = 0; sx < kScale; ++sx) {
                    const Rgba& s =
                        samples[static_cast<size_t>(y * kScale + sy) * static_cast<size_t>(sw) +
                                static_cast<size_t>(x * kScale + sx)];
                    const float sa = s.a / 255.0f;
                    r += s.r * sa;
                    g += s.g * sa;
                    b += s.b * sa;
                    a += sa;
                }
            uint8_t* p =
                &out[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) *
                     4];
            if (a > 0) {
                p[0] = clampByte(r / a);
                p[1] = clampByte(g / a);
                p[2] = clampByte(b / a);
            } else {
                p[0] = p[1] = p[2] = 0;
            }
            p[3] = clampByte(a / n * 255);
        }
    return out;
}

TextFace::TextFace(const std::string& file) {
    FT_Face f = nullptr;
    if (FT_New_Face(library(), file.c_str(), 0, &f) != 0)
        throw std::runtime_error("cannot load the font face " + file);
    face = f;
}

TextFace::~TextFace() {
    FT_Done_Face(static_cast<FT_Face>(face));
}

} // namespace artgen

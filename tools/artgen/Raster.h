#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

// A colour with straight (not premultiplied) alpha, 0 to 255 a channel.
struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

Rgba rgb(int r, int g, int b, int a = 255);
// a + (b - a) * t, channel by channel, t clamped to [0, 1].
Rgba mix(Rgba a, Rgba b, float t);
Rgba shade(Rgba c, float factor); // factor < 1 darkens, > 1 lightens toward white
Rgba withAlpha(Rgba c, int alpha);

struct Point {
    float x = 0, y = 0;
};

class TextFace;

// An RGBA picture drawn at four times its size and box-filtered down when finished, so every
// edge is anti-aliased without the primitives knowing. Coordinates are in pixels of the final
// picture, y down; shapes blend over what is there.
class Raster {
public:
    static constexpr int kScale = 4;

    Raster(int width, int height, Rgba background = Rgba{0, 0, 0, 0});

    int width() const { return w; }
    int height() const { return h; }

    void fillRect(float x0, float y0, float x1, float y1, Rgba c);
    // Top colour at y0 to bottom colour at y1, row by row (rows stay flat, which keeps RLE small).
    void verticalGradient(float x0, float y0, float x1, float y1, Rgba top, Rgba bottom);
    void fillPolygon(const std::vector<Point>& points, Rgba c);
    void fillEllipse(float cx, float cy, float rx, float ry, Rgba c);
    void fillRoundRect(float x0, float y0, float x1, float y1, float radius, Rgba c);
    void line(float x0, float y0, float x1, float y1, float width, Rgba c);
    void ring(float cx, float cy, float r, float width, Rgba c);
    // A raised (or, pressed, sunk) panel: a light edge top-left, a dark edge bottom-right.
    void bevel(float x0, float y0, float x1, float y1, float edge, Rgba face, bool pressed = false);

    // Text with its baseline's left end at (x, y); returns the advance in final pixels.
    float text(const TextFace& face, float pixelSize, float x, float y, const std::string& utf8,
               Rgba c);
    // The advance a text would take.
    static float measure(const TextFace& face, float pixelSize, const std::string& utf8);
    // Centred in the box both ways, with a one-pixel dark outline when outline.a > 0.
    void centredText(const TextFace& face, float pixelSize, float x0, float y0, float x1, float y1,
                     const std::string& utf8, Rgba c, Rgba outline = Rgba{0, 0, 0, 0});

    // The finished picture: width * height * 4 bytes, rows top down.
    std::vector<uint8_t> resolve() const;

private:
    void blendSpan(int y, float x0, float x1, Rgba c); // high-resolution row, pixel centres
    void blendPixel(int x, int y, Rgba c, float coverage);

    int w, h;   // final size
    int sw, sh; // sampled size
    std::vector<Rgba> samples;
};

// A TrueType face loaded through FreeType, for text set in pictures.
class TextFace {
public:
    explicit TextFace(const std::string& file);
    ~TextFace();
    TextFace(const TextFace&) = delete;
    TextFace& operator=(const TextFace&) = delete;

    void* handle() const { return face; } // FT_Face

private:
    void* face = nullptr;
};

// Decodes UTF-8 into code points (a malformed byte is taken as itself).
std::vector<unsigned> codepoints(const std::string& utf8);

} // namespace artgen

#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"

#include <string>

namespace ui {

class Font;

// Where components draw themselves: a flat surface in screen units with a few primitives. The
// snapshot implements it as SVG; an engine implements it with its sprite and text batches.
// A colour with alpha 0 draws nothing.
class KEL_HOST_API Canvas {
public:
    struct Rect {
        float x = 0;
        float y = 0;
        float width = 0;
        float height = 0;
    };

    // One line of text; `width` is its width by the font's metrics, which the drawing must keep.
    struct TextRun {
        float x = 0;
        float y = 0; // top of the line
        float width = 0;
        std::string text;
        const Font* font = nullptr;
        config::Color color;
    };

    // An image stretched over `rect`, cut to `clip` when `clipped`, turned by `angle` degrees
    // about the rectangle's centre and mirrored horizontally when `flip`.
    struct ImageRun {
        Rect rect;
        std::string name;
        std::string kind; // "sprite" or "texture"
        bool clipped = false;
        Rect clip;
        float opacity = 1;
        float angle = 0;
        bool flip = false;
    };

    virtual ~Canvas() = default;
    virtual void fillRect(const Rect& rect, const config::Color& color, float radius = 0) = 0;
    virtual void strokeRect(const Rect& rect, const config::Color& color, float width,
                            float radius = 0) = 0;
    virtual void line(float x1, float y1, float x2, float y2, const config::Color& color,
                      float width) = 0;
    virtual void text(const TextRun& run) = 0;
    virtual void image(const ImageRun& run) = 0;
};

} // namespace ui

#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"

#include <string>
#include <vector>

namespace ui {

class Canvas;
class Font;

// Text measured and broken into lines with a font's metrics, the same way for every widget and
// for the snapshot, so what a test measures is what a player sees.
class KEL_HOST_API TextLayout {
public:
    enum Align { Left = 0, Right = 1, Centre = 2 };

    // The lines of `text` wrapped at `width`: explicit newlines always break; words (runs
    // between spaces) are never split, so a word wider than `width` stands alone on its line.
    // An empty text has no lines.
    static std::vector<std::string> wrap(const Font& font, const std::string& text, float width);
    // The lines of `text` at its newlines only.
    static std::vector<std::string> lines(const std::string& text);
    // The widest word: the narrowest width at which no word sticks out.
    static float widestWord(const Font& font, const std::string& text);

    // Code points of UTF-8 text, and its first `count` code points.
    static size_t length(const std::string& text);
    static std::string prefix(const std::string& text, size_t count);
    // The text without its last code point.
    static std::string dropLast(const std::string& text);

    // Paints lines from `top`, one line height apart (times `spacing`), aligned inside the band
    // [left, left + width].
    static void paint(Canvas& canvas, const Font& font, const std::vector<std::string>& lines,
                      float left, float top, float width, int align, const config::Color& color,
                      float spacing = 1.0f);
    // Where a line of `lineWidth` starts in the band.
    static float lineStart(float left, float width, float lineWidth, int align);
};

} // namespace ui

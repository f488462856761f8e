#pragma once

#include "host/HostApi.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace ui {

// A font's metrics: the advance of each character and the line height, in screen units, so text
// can be measured and wrapped exactly. Characters a font does not list advance by its default.
class KEL_HOST_API Font {
public:
    Font(std::string name, float lineHeight, float advance);

    const std::string& getName() const { return name; }
    float getLineHeight() const { return lineHeight; }
    // The height of a text: its lines times the line height.
    float getHeight(const std::string& text) const;
    // The width of the widest line of a text.
    float getTextWidth(const std::string& text) const;
    float getCharacterWidth(unsigned codepoint) const;
    void setCharacterWidth(unsigned codepoint, float width) { widths[codepoint] = width; }
    // The face its glyphs are drawn with (a game path of a TrueType file) and the pixel size
    // they are rasterised at; empty and 0 when the font does not name them.
    const std::string& getFace() const { return face; }
    float getPixelSize() const { return pixelSize; }
    void setFace(const std::string& path, float size) {
        face = path;
        pixelSize = size;
    }

private:
    std::string name;
    float lineHeight;
    float advance;
    std::map<unsigned, float> widths;
    std::string face;
    float pixelSize = 0;
};

// Every font of the game, from "/Configs/UI/fonts.cfg": one block per font with "lineHeight",
// "advance" (the default character width) and a "widths" block of groups, each a width and the
// characters that have it (narrow = 4 "il.,:;'!|"), and optionally "face" (the TrueType file the
// glyphs are drawn with) and "pixelSize" (the size they are rasterised at). An unknown font is
// reported once and measured with a fallback font.
class KEL_HOST_API FontManager {
public:
    FontManager();
    ~FontManager();

    Font* getFont(const std::string& name);
    // Fonts drawn from sprites share the same metrics.
    Font* getSpriteFont(const std::string& name) { return getFont(name); }
    void reload();

private:
    void load();

    bool loaded = false;
    // Looked up by every text widget that is built.
    std::unordered_map<std::string, std::unique_ptr<Font>> fonts;
    std::unique_ptr<Font> fallback;
};

} // namespace ui

#pragma once

#include "host/render/gl/Gl.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace render {

// Glyphs of one face at one pixel size, rasterised by FreeType into an atlas texture (one 8-bit
// channel of coverage) as they are first drawn.
class GlyphAtlas {
public:
    struct Glyph {
        float u0 = 0, v0 = 0, u1 = 0, v1 = 0; // in the atlas
        int width = 0;                        // bitmap size in pixels
        int height = 0;
        int left = 0; // from the pen to the bitmap's left edge
        int top = 0;  // from the baseline up to the bitmap's top edge
    };

    ~GlyphAtlas();
    GLuint getTexture() const { return texture; }
    // The face's ascender and descender (negative) in pixels at this size.
    float getAscender() const { return ascender; }
    float getDescender() const { return descender; }
    // The glyph of a character; one of no size for a character the face does not have.
    const Glyph& glyph(unsigned codepoint);

private:
    friend class FontCache;
    GlyphAtlas() = default;

    void* face = nullptr; // FT_Face
    std::string bytes;    // the face file, which FreeType reads from memory
    GLuint texture = 0;
    int penX = 1;
    int penY = 1;
    int rowHeight = 0;
    float ascender = 0;
    float descender = 0;
    std::map<unsigned, Glyph> glyphs;
};

// The atlases of a renderer by face and pixel size, and the FreeType library they share. A face
// that cannot be read is reported once and DejaVu Sans stands in for it.
class FontCache {
public:
    FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    ~FontCache();

    // Null only when not even the stand-in face can be read.
    GlyphAtlas* get(const std::string& face, int pixelSize);

private:
    bool open(GlyphAtlas& atlas, const std::string& face, int pixelSize);

    void* library = nullptr; // FT_Library
    std::map<std::pair<std::string, int>, std::unique_ptr<GlyphAtlas>> atlases;
};

// The face drawn for fonts that name none.
extern const char* const kDefaultFace;

} // namespace render

#include "host/render/gl/Glyphs.h"
#include "host/render/gl/Assets.h"
#include "host/resource/WholeFile.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <vector>

namespace render {

const char* const kDefaultFace = "/Fonts/DejaVuSans.ttf";

namespace {

constexpr int kAtlasSide = 1024;

// Where the system keeps DejaVu Sans (Debian's fonts-dejavu-core), for a data root that has no
// faces of its own.
const char* const kSystemFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

FT_Face asFace(void* face) {
    return static_cast<FT_Face>(face);
}

} // namespace

GlyphAtlas::~GlyphAtlas() {
    if (face)
        FT_Done_Face(asFace(face));
    if (texture)
        glDeleteTextures(1, &texture);
}

const GlyphAtlas::Glyph& GlyphAtlas::glyph(unsigned codepoint) {
    const auto found = glyphs.find(codepoint);
    if (found != glyphs.end())
        return found->second;
    Glyph& made = glyphs[codepoint];
    FT_Face f = asFace(face);
    if (FT_Load_Char(f, codepoint, FT_LOAD_RENDER) != 0)
        return made;
    const FT_Bitmap& bitmap = f->glyph->bitmap;
    made.left = f->glyph->bitmap_left;
    made.top = f->glyph->bitmap_top;
    const int w = static_cast<int>(bitmap.width), h = static_cast<int>(bitmap.rows);
    if (w == 0 || h == 0 || w + 2 > kAtlasSide || h + 2 > kAtlasSide)
        return made;
    if (penX + w + 1 > kAtlasSide) {
        penX = 1;
        penY += rowHeight + 1;
        rowHeight = 0;
    }
    if (penY + h + 1 > kAtlasSide) {
        // A full atlas starts again; glyphs drawn before this frame are laid out anew as needed.
        std::vector<unsigned char> clear(kAtlasSide * kAtlasSide, 0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kAtlasSide, kAtlasSide, GL_RED, GL_UNSIGNED_BYTE,
                        clear.data());
        glyphs.clear();
        penX = penY = 1;
        rowHeight = 0;
        return glyph(codepoint);
    }
    std::vector<unsigned char> rows(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::copy_n(bitmap.buffer + y * bitmap.pitch, w, rows.data() + y * w);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, penX, penY, w, h, GL_RED, GL_UNSIGNED_BYTE, rows.data());
    made.width = w;
    made.height = h;
    made.u0 = static_cast<float>(penX) / kAtlasSide;
    made.v0 = static_cast<float>(penY) / kAtlasSide;
    made.u1 = static_cast<float>(penX + w) / kAtlasSide;
    made.v1 = static_cast<float>(penY + h) / kAtlasSide;
    penX += w + 1;
    rowHeight = std::max(rowHeight, h);
    return made;
}

FontCache::FontCache() {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) == 0)
        library = made;
}

FontCache::~FontCache() {
    atlases.clear();
    if (library)
        FT_Done_FreeType(static_cast<FT_Library>(library));
}

bool FontCache::open(GlyphAtlas& atlas, const std::string& face, int pixelSize) {
    std::string why;
    if (!readGameFile(face, &atlas.bytes, &why)) {
        if (face != kDefaultFace)
            return false;
        // The data root has no faces: the system's copy of the same face.
        if (resource::readWholeFile(kSystemFace, &atlas.bytes, &why) != resource::FileState::Read)
            return false;
    }
    FT_Face made = nullptr;
    if (FT_New_Memory_Face(static_cast<FT_Library>(library),
                           reinterpret_cast<const FT_Byte*>(atlas.bytes.data()),
                           static_cast<FT_Long>(atlas.bytes.size()), 0, &made) != 0)
        return false;
    atlas.face = made;
    if (FT_Set_Pixel_Sizes(made, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        return false;
    atlas.ascender = static_cast<float>(made->size->metrics.ascender) / 64.0f;
    atlas.descender = static_cast<float>(made->size->metrics.descender) / 64.0f;
    glGenTextures(1, &atlas.texture);
    glBindTexture(GL_TEXTURE_2D, atlas.texture);
    std::vector<unsigned char> clear(kAtlasSide * kAtlasSide, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kAtlasSide, kAtlasSide, 0, GL_RED, GL_UNSIGNED_BYTE,
                 clear.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return true;
}

GlyphAtlas* FontCache::get(const std::string& wanted, int pixelSize) {
    if (!library)
        return nullptr;
    pixelSize = std::clamp(pixelSize, 1, 256);
    const std::string face = wanted.empty() ? kDefaultFace : wanted;
    auto key = std::make_pair(face, pixelSize);
    auto found = atlases.find(key);
    if (found != atlases.end())
        return found->second ? found->second.get() : get(kDefaultFace, pixelSize);
    std::unique_ptr<GlyphAtlas> atlas(new GlyphAtlas);
    if (!open(*atlas, face, pixelSize)) {
        reportMissingAsset(face, "font face cannot be read: text drawn in DejaVu Sans");
        atlases[key] = nullptr;
        return face == kDefaultFace ? nullptr : get(kDefaultFace, pixelSize);
    }
    GlyphAtlas* kept = atlas.get();
    atlases[key] = std::move(atlas);
    return kept;
}

} // namespace render

#include "host/render/gl/Textures.h"
#include "host/engine/ScreenPictures.h"
#include "host/render/gl/Assets.h"

#include <stb/stb_image.h>

#include <vector>

namespace render {

TextureCache::~TextureCache() {
    for (auto& entry : textures)
        if (!entry.second.missing)
            glDeleteTextures(1, &entry.second.id);
    if (missingMarker.id)
        glDeleteTextures(1, &missingMarker.id);
}

unsigned TextureCache::markerPixel(int x, int y) {
    constexpr unsigned magenta = 0xFF00FFFFu, black = 0x000000FFu, red = 0xFF2020FFu;
    // The cross: both diagonals, two pixels wide.
    if (x == y || x == y + 1 || x + y == 15 || x + y == 16)
        return red;
    return ((x / 4 + y / 4) % 2 == 0) ? magenta : black;
}

const TextureCache::Texture& TextureCache::marker() {
    if (!missingMarker.id) {
        std::vector<unsigned char> rgba(16 * 16 * 4);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const unsigned p = markerPixel(x, y);
                for (int c = 0; c < 4; ++c)
                    rgba[(y * 16 + x) * 4 + c] = static_cast<unsigned char>(p >> (24 - 8 * c));
            }
        missingMarker.id = upload(rgba.data(), 16, 16);
        // Its squares stay sharp however large it is drawn.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        missingMarker.width = missingMarker.height = 16;
        missingMarker.missing = true;
    }
    return missingMarker;
}

GLuint TextureCache::upload(const unsigned char* rgba, int width, int height) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return id;
}

const TextureCache::Texture& TextureCache::screenPicture(const std::string& name) {
    const std::shared_ptr<const ScreenPictures::Picture> picture = ScreenPictures::find(name);
    Texture& texture = textures[name];
    if (!picture) {
        // Nothing to show: a screenshot whose picture was let go draws nothing.
        if (texture.id)
            glDeleteTextures(1, &texture.id);
        texture = Texture();
        return texture;
    }
    if (texture.version != picture->version) {
        if (texture.id)
            glDeleteTextures(1, &texture.id);
        texture.id = upload(picture->rgba.data(), picture->width, picture->height);
        texture.width = picture->width;
        texture.height = picture->height;
        texture.version = picture->version;
    }
    return texture;
}

const TextureCache::Texture& TextureCache::get(const std::string& name) {
    if (!name.empty() && name[0] == '#')
        return screenPicture(name);
    const auto found = textures.find(name);
    if (found != textures.end())
        return found->second.missing ? marker() : found->second;
    const std::string path = imagePath(name);
    std::string bytes, why;
    Texture texture;
    if (readGameFile(path, &bytes, &why)) {
        int width = 0, height = 0, channels = 0;
        unsigned char* rgba =
            stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                  static_cast<int>(bytes.size()), &width, &height, &channels, 4);
        if (rgba) {
            texture.id = upload(rgba, width, height);
            texture.width = width;
            texture.height = height;
            stbi_image_free(rgba);
        } else {
            why = std::string("cannot decode: ") + stbi_failure_reason();
        }
    }
    if (!texture.id) {
        reportMissingAsset(path, "image '" + name + "' " + why + ": drawn as the missing marker");
        texture.missing = true;
    }
    const Texture& kept = textures[name] = texture;
    return kept.missing ? marker() : kept;
}

} // namespace render

#pragma once

#include "host/render/gl/Gl.h"

#include <map>
#include <string>

namespace render {

// The images a renderer draws, as textures by image name (see imagePath), decoded from PNG or
// TGA on first use. An image that is missing or cannot be decoded gets the "missing" marker (a
// magenta and black checker with a red cross) and is reported once.
class TextureCache {
public:
    struct Texture {
        GLuint id = 0;
        int width = 0;
        int height = 0;
        bool missing = false;
    };

    TextureCache() = default;
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;
    ~TextureCache();

    const Texture& get(const std::string& name);
    const Texture& marker();

    // The marker's pixel at (x, y) of its 16 x 16 picture, as 0xRRGGBBAA.
    static unsigned markerPixel(int x, int y);

private:
    static GLuint upload(const unsigned char* rgba, int width, int height);

    std::map<std::string, Texture> textures;
    Texture missingMarker;
};

} // namespace render

#pragma once

#include "host/render/gl/Gl.h"

#include <map>
#include <string>

namespace render {

// The images a renderer draws, as textures by image name (see imagePath), decoded from PNG or
// TGA on first use. An image that is missing or cannot be decoded gets the "missing" marker (a
// magenta and black checker with a red cross) and is reported once. A name starting with '#' is
// a picture of the screen (ScreenPictures), uploaded again whenever a new one is taken.
class TextureCache {
public:
    struct Texture {
        GLuint id = 0;
        int width = 0;
        int height = 0;
        bool missing = false;
        unsigned long version = 0; // of a picture of the screen
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
    const Texture& screenPicture(const std::string& name);

    std::map<std::string, Texture> textures;
    Texture missingMarker;
};

} // namespace render

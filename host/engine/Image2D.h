#pragma once

#include "host/HostApi.h"
#include "host/engine/Image.h"

// A 2D picture: a UI sprite, the hardware cursor. Made from a file (its size from the image
// catalogue "/Configs/UI/images.cfg"; an unknown file is 64 x 64 and reported on the "engine"
// log) or of a size.
class KEL_HOST_API Image2D : public Image {
public:
    explicit Image2D(const std::string& fileName);
    Image2D(float width, float height);
    // A file whose size the caller already knows (from the UI's image managers).
    Image2D(const std::string& fileName, float width, float height);

    // The picture as the render driver takes it (the hardware cursor): the reference renderer
    // keeps pictures as images, so it is the image itself; a real engine returns its texture.
    Image2D* getRenderImage() { return this; }
};

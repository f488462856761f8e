#pragma once

#include "host/HostApi.h"
#include "host/engine/Image.h"

// A texture of the 3D pipeline, drawn on decals. A strip image holds several frames side by side
// (the ten digits of the health display); a decal picks its frame with texture coordinates.
// Made from a file (size from the image catalogue, as Image2D) or of a size.
class KEL_HOST_API Image3D : public Image {
public:
    explicit Image3D(const std::string& fileName);
    Image3D(float width, float height);
    Image3D(const std::string& fileName, float width, float height);
};

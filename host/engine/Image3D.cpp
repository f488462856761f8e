#include "host/engine/Image3D.h"

Image3D::Image3D(const std::string& fileName) : Image(fileName) {}

Image3D::Image3D(float width, float height) : Image(std::string(), width, height) {}

Image3D::Image3D(const std::string& fileName, float width, float height)
    : Image(fileName, width, height) {}

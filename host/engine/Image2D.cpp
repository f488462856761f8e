#include "host/engine/Image2D.h"

Image2D::Image2D(const std::string& fileName) : Image(fileName) {}

Image2D::Image2D(float width, float height) : Image(std::string(), width, height) {}

Image2D::Image2D(const std::string& fileName, float width, float height)
    : Image(fileName, width, height) {}

#pragma once

#include <string>

namespace config {

// A colour as four floats from 0 to 1. In a configuration file it is written as three or four
// numbers: red green blue [alpha]; alpha defaults to 1.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    Color() = default;
    Color(float r, float g, float b, float a = 1.0f) : r(r), g(g), b(b), a(a) {}

    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

} // namespace config

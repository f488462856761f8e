#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"

#include <string>

namespace ui {

// The toolkit's default colours: a dark game look with bronze frames and pale text. Widgets use
// them unless their layout gives a colour of their own.
struct KEL_HOST_API Palette {
    static const config::Color screen;
    static const config::Color panel;
    static const config::Color frame;
    static const config::Color frameLight;
    static const config::Color face;
    static const config::Color faceFlyby;
    static const config::Color facePressed;
    static const config::Color field;
    static const config::Color focus;
    static const config::Color selection;
    static const config::Color track;
    static const config::Color thumb;
    static const config::Color tick;
    static const config::Color text;
    static const config::Color textDisabled;
    static const config::Color none;

    // The text colour a font is drawn in by default ("first_blue" fonts are blue, "balloons"
    // is dark ink for the pale balloon pictures).
    static config::Color textFor(const std::string& fontName);
    // A colour at a fraction of its opacity.
    static config::Color faded(const config::Color& color, float factor);
};

} // namespace ui

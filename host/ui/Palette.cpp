#include "host/ui/Palette.h"

namespace ui {

const config::Color Palette::screen(0.051f, 0.063f, 0.086f);
const config::Color Palette::panel(0.078f, 0.098f, 0.133f, 0.92f);
const config::Color Palette::frame(0.702f, 0.553f, 0.325f);
const config::Color Palette::frameLight(0.902f, 0.773f, 0.518f);
const config::Color Palette::face(0.129f, 0.161f, 0.212f);
const config::Color Palette::faceFlyby(0.196f, 0.247f, 0.322f);
const config::Color Palette::facePressed(0.094f, 0.118f, 0.157f);
const config::Color Palette::field(0.039f, 0.051f, 0.071f);
const config::Color Palette::focus(0.431f, 0.698f, 0.949f);
const config::Color Palette::selection(0.396f, 0.302f, 0.149f);
const config::Color Palette::track(0.192f, 0.212f, 0.251f);
const config::Color Palette::thumb(0.902f, 0.773f, 0.518f);
const config::Color Palette::tick(0.529f, 0.859f, 0.490f);
const config::Color Palette::text(0.910f, 0.882f, 0.808f);
const config::Color Palette::textDisabled(0.478f, 0.490f, 0.518f);
const config::Color Palette::none(0, 0, 0, 0);

config::Color Palette::textFor(const std::string& fontName) {
    if (fontName.find("blue") != std::string::npos)
        return config::Color(0.561f, 0.741f, 1.0f);
    if (fontName == "balloons")
        return config::Color(0.118f, 0.106f, 0.094f);
    return text;
}

config::Color Palette::faded(const config::Color& color, float factor) {
    return config::Color(color.r, color.g, color.b, color.a * factor);
}

} // namespace ui

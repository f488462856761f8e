#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

#include <string>

namespace ui {

class Font;

// A label: text in a font, one line per newline, aligned in the component's width
// (TextLayout::Left 0, Right 1, Centre 2), from the top. It does not wrap.
//
// Layout options: text ("@key" for an interface string), font, align (left, right, centre or
// 0 to 2), color.
class KEL_HOST_API Text : public Component, public Paintable {
public:
    // A null UI means the root UI (theUI). The font is "default" until set.
    explicit Text(UI* ui = nullptr, float x = 0, float y = 0, float width = 0, float height = 0);

    std::string_view getClassName() const override { return "text"; }

    virtual void setText(const std::string& text);
    const std::string& getText() const { return text; }
    void setFont(const std::string& fontName);
    const std::string& getFontName() const { return fontName; }
    Font* getFont() const { return font; }
    void setAlign(int newAlign);
    int getAlign() const { return align; }
    void setColor(const config::Color& newColor);
    // The configured colour, else the font's default colour.
    config::Color getColor() const;

    // The width of the widest line and the height of all lines, by the font's metrics.
    float getTextWidth() const;
    float getTextHeight() const;

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    // Reads text, font, align and color without the common options.
    void readTextOptions(config::Block* block);
    // Paints the lines starting at `top`.
    void paintLines(Canvas& canvas, float top) const;

private:
    std::string text;
    std::string fontName = "default";
    Font* font = nullptr; // owned by the UI's font manager
    int align = 0;
    bool colored = false;
    config::Color color;
};

} // namespace ui

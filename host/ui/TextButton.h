#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Button.h"

namespace ui {

class Font;

// A button with a caption centred on its face.
//
// Layout options: text ("@key" for an interface string), font, color.
class KEL_HOST_API TextButton : public Button {
public:
    explicit TextButton(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                        float height = 0);

    std::string_view getClassName() const override { return "textbutton"; }

    void setText(const std::string& text);
    const std::string& getText() const { return text; }
    void setFont(const std::string& fontName);
    Font* getFont() const { return font; }
    void setColor(const config::Color& color);
    // The configured colour, else the font's default colour.
    config::Color getColor() const;
    float getTextWidth() const;

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    // Reads text, font and color.
    void readCaption(config::Block* block);
    void paintCaption(Canvas& canvas) const;

private:
    std::string text;
    std::string fontName = "default";
    Font* font = nullptr; // owned by the UI's font manager
    bool colored = false;
    config::Color color;
};

} // namespace ui

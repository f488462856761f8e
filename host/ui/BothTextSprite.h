#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

#include <memory>
#include <string>

namespace ui {

class Font;
class Sprite;

// A text over a sprite picture (a caption on its plate): the picture fills the component, the
// text is centred vertically and aligned in its width (TextLayout::Left 0, Right 1, Centre 2).
// Without a size of its own in the layout it takes its picture's size.
//
// Layout options: text ("@key" for an interface string), font, align, color, image.
class KEL_HOST_API BothTextSprite : public Component, public Paintable {
public:
    explicit BothTextSprite(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                            float height = 0);
    ~BothTextSprite() override;

    std::string_view getClassName() const override { return "bothtextsprite"; }

    void setText(const std::string& newText);
    const std::string& getText() const { return text; }
    void setFont(const std::string& fontName);
    Font* getFont() const { return font; }
    void setAlign(int newAlign) {
        align = newAlign;
        repaint();
    }
    int getAlign() const { return align; }
    void setColor(const config::Color& newColor);
    float getTextWidth() const;
    void setImage(const std::string& imageName);
    Sprite* getSprite() const { return sprite.get(); }

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

private:
    std::unique_ptr<Sprite> sprite;
    std::string text;
    std::string fontName = "default";
    Font* font = nullptr; // owned by the UI's font manager
    int align = 0;
    bool colored = false;
    config::Color color;
};

} // namespace ui

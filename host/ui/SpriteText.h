#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

#include <string>

namespace ui {

class Font;

// A text drawn in a sprite font, one line per newline. Its alignment (AlignLeft 0, AlignCentre 1,
// AlignRight 2) places the lines in its width; its fit mode can size it to its text and centre
// it in its master (on the screen when its master is the root UI or it has none): FitNone 0
// keeps the size, FitText 1 takes the text's size, FitTextCentreHorizontal 2 also centres it
// horizontally, FitTextCentre 3 centres it both ways. Fitting is redone whenever the text, the
// font or the mode change, when it is shown and when the resolution changes.
//
// Layout options: text ("@key" for an interface string), font, align (left, centre, right or 0
// to 2), fit (0 to 3), color.
class KEL_HOST_API SpriteText : public Component, public Paintable {
public:
    enum Align { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
    enum Fit { FitNone = 0, FitText = 1, FitTextCentreHorizontal = 2, FitTextCentre = 3 };

    explicit SpriteText(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                        float height = 0);

    std::string_view getClassName() const override { return "spritetext"; }

    void setText(const std::string& newText);
    const std::string& getText() const { return text; }
    void setFont(const std::string& fontName);
    const std::string& getFontName() const { return fontName; }
    Font* getFont() const { return font; }
    void setAlign(int newAlign);
    int getAlign() const { return align; }
    void setFit(int mode);
    int getFit() const { return fit; }
    void setColor(const config::Color& newColor);
    config::Color getColor() const;

    float getTextWidth() const;
    float getTextHeight() const;

    void updateShowed() override;
    void updateResolution() override;
    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

private:
    void applyFit();

    std::string text;
    std::string fontName = "default";
    Font* font = nullptr; // owned by the UI's font manager
    int align = AlignLeft;
    int fit = FitNone;
    bool colored = false;
    config::Color color;
};

} // namespace ui

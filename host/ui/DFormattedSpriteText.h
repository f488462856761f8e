#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"
#include "host/ui/ViewListener.h"

#include <string>
#include <vector>

namespace ui {

class Font;

// A text wrapped at its width with its font's metrics, aligned line by line
// (TextLayout::Left 0, Right 1, Centre 2). Lines are getLineHeight() apart: the font's line
// height plus an interline gap, which the last line does not need, so a block of n lines is
// n * font line height + (n - 1) * interline high.
//
// Fit modes (setFit): FitNone 0 keeps the size; FitMasterWidth 1 takes its master's width and
// the wrapped text's height; FitHeight 2 keeps the width and takes the wrapped height; FitText 3
// takes the unwrapped text's size. Centring (setCenter) in the master (the screen for the root
// UI or none): CenterNone 0, CenterHorizontal 1, CenterBoth 2, CenterVertical 3. Both are
// applied when the text, font, mode or resolution change and when it is shown, never when it
// is merely moved, so a scrolling text stays where it was put.
//
// With a timing (seconds per character) setText types the text in: it is revealed as the host
// clock runs, one step each time initView() is called. Nothing registers it with a view: its
// owner calls initView() from its own frame work, or registers it.
//
// Layout options: text ("@key"), font, align, fit, center, color, interline, timing.
class KEL_HOST_API DFormattedSpriteText : public Component, public Paintable, public ViewListener {
public:
    enum Fit { FitNone = 0, FitMasterWidth = 1, FitHeight = 2, FitText = 3 };
    enum Center { CenterNone = 0, CenterHorizontal = 1, CenterBoth = 2, CenterVertical = 3 };

    explicit DFormattedSpriteText(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                                  float height = 0);

    std::string_view getClassName() const override { return "dformattedspritetext"; }

    void setText(const std::string& newText, float timing = 0.0f);
    const std::string& getText() const { return text; }
    // The part typed in so far (the whole text without a timing).
    std::string getVisibleText() const;
    bool isTyping() const;
    void finishTyping();

    void setFont(const std::string& fontName);
    Font* getFont() const { return font; }
    void setAlign(int newAlign);
    int getAlign() const { return align; }
    void setFit(int mode);
    int getFit() const { return fit; }
    void setCenter(int mode);
    int getCenter() const { return center; }
    void setInterline(float gap);
    void setColor(const config::Color& newColor);

    // The height of `text` wrapped at `width`; 0 for an empty text.
    float calcHeight(const std::string& someText, float width) const;
    // The distance from one line to the next.
    float getLineHeight() const;
    // The widest word of the text: no narrower width keeps every word whole.
    float getMinimumTextWidth() const { return getMinimumTextWidth(text); }
    float getMinimumTextWidth(const std::string& someText) const;
    // The text's lines at the current width.
    std::vector<std::string> getLines() const;

    // One step of the typing animation.
    void initView() override;

    void updateShowed() override;
    void updateResolution() override;
    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

private:
    void applyLayout();

    std::string text;
    std::string fontName = "default";
    Font* font = nullptr; // owned by the UI's font manager
    int align = 0;
    int fit = FitNone;
    int center = CenterNone;
    float interline = 2.0f;
    bool colored = false;
    config::Color color;
    float timing = 0.0f;
    double typingStart = 0.0;
    size_t revealed = 0; // code points shown while typing
};

} // namespace ui

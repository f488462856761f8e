#pragma once

#include "host/HostApi.h"
#include "host/ui/Text.h"

namespace ui {

// A text box: a label centred vertically in its rectangle, optionally on a background. Message
// boxes and settings pages use it for their captions.
//
// Layout options: those of Text, and background (a colour; none by default).
class KEL_HOST_API TextComponent : public Text {
public:
    explicit TextComponent(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                           float height = 0);

    std::string_view getClassName() const override { return "textcomponent"; }

    void setBackground(const config::Color& color) {
        background = color;
        repaint();
    }
    const config::Color& getBackground() const { return background; }

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

private:
    config::Color background{0, 0, 0, 0};
};

} // namespace ui

#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

namespace ui {

// A frame: a panel with a bronze border, drawn behind its siblings (its priority starts at 1,
// so it goes before the equal-priority 0 siblings in drawing order whenever it is added).
//
// Layout options: color (the border), background, thickness.
class KEL_HOST_API Ramka : public Component, public Paintable {
public:
    explicit Ramka(UI* ui = nullptr, float x = 0, float y = 0, float width = 0, float height = 0);

    std::string_view getClassName() const override { return "ramka"; }

    void setBorder(const config::Color& color) {
        border = color;
        repaint();
    }
    const config::Color& getBorder() const { return border; }
    void setBackground(const config::Color& color) {
        background = color;
        repaint();
    }
    const config::Color& getBackground() const { return background; }
    void setThickness(float units) {
        thickness = units;
        repaint();
    }
    float getThickness() const { return thickness; }

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

private:
    config::Color border;
    config::Color background;
    float thickness = 2.0f;
};

} // namespace ui

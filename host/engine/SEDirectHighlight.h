#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/engine/ScreenEffect.h"

// Lights a model's mesh up in one colour; put among an animator's effects
// (Animator::addEffect) while the model is highlighted.
class KEL_HOST_API SEDirectHighlight : public ScreenEffect {
public:
    explicit SEDirectHighlight(const config::Color& color = config::Color(1, 1, 1, 1))
        : color(color) {}

    void setColor(const config::Color& value) { color = value; }
    const config::Color& getColor() const { return color; }

    std::string describe() const override;

private:
    config::Color color;
};

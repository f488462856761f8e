#pragma once

#include "host/HostApi.h"
#include "host/config/Color.h"
#include "host/engine/ScreenEffect.h"

// Recolours what it is drawn with: the texture's light parts take the first colour and its dark
// parts the second (the health digits: team colour on black).
class KEL_HOST_API SEUniversalHighlight : public ScreenEffect {
public:
    SEUniversalHighlight(const config::Color& first = config::Color(1, 1, 1, 1),
                         const config::Color& second = config::Color(0, 0, 0, 1))
        : first(first), second(second) {}

    void setFirstColor(const config::Color& value) { first = value; }
    void setSecondColor(const config::Color& value) { second = value; }
    const config::Color& getFirstColor() const { return first; }
    const config::Color& getSecondColor() const { return second; }

    std::string describe() const override;
    void capture(Values& out) const override;
    std::string describe(const Values& captured) const override;

private:
    config::Color first;
    config::Color second;
};

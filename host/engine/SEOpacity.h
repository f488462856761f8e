#pragma once

#include "host/HostApi.h"
#include "host/engine/ScreenEffect.h"

// Draws with an opacity: 1 opaque, 0 invisible.
class KEL_HOST_API SEOpacity : public ScreenEffect {
public:
    explicit SEOpacity(float value = 1.0f) : value(value) {}

    void setValue(float v) { value = v; }
    float getValue() const { return value; }

    std::string describe() const override;
    void capture(Values& out) const override { out.numbers[0] = value; }
    std::string describe(const Values& captured) const override;

private:
    float value;
};

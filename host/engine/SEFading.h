#pragma once

#include "host/HostApi.h"
#include "host/engine/RenderObject.h"
#include "host/engine/ScreenEffect.h"

// A fade laid over a whole view: drawn as a render object of the view (View::registerObject),
// covering it with black at the opacity of its value (0 clear, 1 black).
class KEL_HOST_API SEFading : public ScreenEffect, public RenderObject {
public:
    explicit SEFading(float value = 0.0f) : value(value) {}

    void setValue(float v) { value = v; }
    float getValue() const { return value; }

    std::string describe() const override;

private:
    float value;
};

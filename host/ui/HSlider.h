#pragma once

#include "host/HostApi.h"
#include "host/ui/Component.h"
#include "host/ui/Paintable.h"

namespace ui {

// A horizontal slider over a range. A press of the left button puts the thumb where the pointer
// is (and takes the keyboard focus); Left (56) and Right (55) move it by a step while focused.
// Each move by the player notifies "valuechanged" with the new value as the float "value";
// setValue and setRange change it silently. Values are kept inside the range.
//
// Layout options: range (min max), value, step (0: keys move by a tenth of the range and clicks
// are not rounded; otherwise both land on min + k * step).
class KEL_HOST_API HSlider : public Component, public Paintable {
public:
    explicit HSlider(UI* ui = nullptr, float x = 0, float y = 0, float width = 0, float height = 0);

    std::string_view getClassName() const override { return "hslider"; }
    bool acceptsMouse() const override { return true; }
    bool isFocusable() const override { return true; }

    // The ends in either order; the value is brought inside.
    void setRange(float min, float max);
    float getMin() const { return min; }
    float getMax() const { return max; }
    void setValue(float newValue);
    float getValue() const { return value; }
    void setStep(float newStep);
    float getStep() const { return step; }
    // The value a press at screen x would give.
    float valueAt(float screenX) const;
    // The screen x of the thumb's centre.
    float thumbX() const;

    void updateFocused() override;
    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    void onMouseButton(int code, bool pressed) override;
    void onKey(int code, const std::string& name, bool pressed) override;

private:
    float clamp(float v) const;
    float rounded(float v) const;
    // Moves by the player: notifies when the value changed.
    void move(float newValue);

    float min = 0.0f;
    float max = 1.0f;
    float value = 0.0f;
    float step = 0.0f;
};

} // namespace ui

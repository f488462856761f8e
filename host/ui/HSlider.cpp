#include "host/ui/HSlider.h"
#include "host/config/Block.h"
#include "host/input/Keys.h"
#include "host/ui/Canvas.h"
#include "host/ui/LayoutOptions.h"
#include "host/ui/MousePointer.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Palette.h"
#include "host/ui/UI.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
// Half the thumb's width: the thumb's centre never leaves the track.
constexpr float kThumbHalf = 5.0f;
} // namespace

HSlider::HSlider(UI* ui, float x, float y, float width, float height)
    : Component(ui ? ui : theUI, x, y, width, height) {
    setNotify(true);
}

float HSlider::clamp(float v) const {
    return std::clamp(v, min, max);
}

float HSlider::rounded(float v) const {
    if (step <= 0)
        return v;
    return clamp(min + std::round((v - min) / step) * step);
}

void HSlider::setRange(float newMin, float newMax) {
    min = std::min(newMin, newMax);
    max = std::max(newMin, newMax);
    value = clamp(value);
    repaint();
}

void HSlider::setValue(float newValue) {
    value = clamp(newValue);
    repaint();
}

void HSlider::setStep(float newStep) {
    step = std::max(0.0f, newStep);
}

float HSlider::valueAt(float screenX) const {
    const float left = getAbsoluteX() + kThumbHalf;
    const float track = getWidth() - 2 * kThumbHalf;
    if (track <= 0)
        return min;
    return rounded(clamp(min + (screenX - left) / track * (max - min)));
}

float HSlider::thumbX() const {
    const float track = getWidth() - 2 * kThumbHalf;
    const float share = max > min ? (value - min) / (max - min) : 0.0f;
    return getAbsoluteX() + kThumbHalf + share * track;
}

void HSlider::move(float newValue) {
    newValue = clamp(newValue);
    if (newValue == value)
        return;
    value = newValue;
    repaint();
    if (!getNotify())
        return;
    NotifyEvent event(this);
    event.setSValue("action", "valuechanged");
    event.setFValue("value", value);
    notify(event);
}

void HSlider::onMouseButton(int code, bool pressed) {
    if (code != input::mouse::LeftClick || !pressed)
        return;
    getUI()->setFocusedComponent(this);
    move(valueAt(getUI()->getMousePointer()->getX()));
}

void HSlider::onKey(int code, const std::string&, bool pressed) {
    if (!pressed)
        return;
    const float delta = step > 0 ? step : (max - min) / 10;
    if (code == input::keys::Left)
        move(rounded(value - delta));
    else if (code == input::keys::Right)
        move(rounded(value + delta));
}

void HSlider::updateFocused() {
    Component::updateFocused();
    repaint();
}

void HSlider::readConfig(config::Block* block) {
    float range[2];
    if (LayoutOptions::readNumbers(block, "range", 2, range)) {
        if (range[0] <= range[1])
            setRange(range[0], range[1]);
        else
            LayoutOptions::report(block, "range",
                                  "the minimum is above the maximum; the default is kept");
    }
    float number = 0;
    if (LayoutOptions::readNumber(block, "step", config::Range::atLeast(0), &number))
        setStep(number);
    if (LayoutOptions::readNumber(block, "value", config::Range(), &number))
        setValue(number);
    Component::readConfig(block);
}

void HSlider::paint(Canvas& canvas) const {
    const float mid = getAbsoluteY() + getHeight() / 2;
    const Canvas::Rect track{getAbsoluteX() + kThumbHalf, mid - 3, getWidth() - 2 * kThumbHalf, 6};
    canvas.fillRect(track, Palette::track, 3);
    const float at = thumbX();
    canvas.fillRect({track.x, track.y, at - track.x, track.height},
                    getEnabled() ? Palette::frame : Palette::textDisabled, 3);
    const float thumbHeight = std::min(getHeight(), 18.0f);
    const Canvas::Rect thumb{at - kThumbHalf, mid - thumbHeight / 2, 2 * kThumbHalf, thumbHeight};
    canvas.fillRect(thumb, getEnabled() ? Palette::thumb : Palette::textDisabled, 2);
    if (isFocused())
        canvas.strokeRect({thumb.x - 2, thumb.y - 2, thumb.width + 4, thumb.height + 4},
                          Palette::focus, 1, 3);
}

} // namespace ui

#include "ui/Time.h"
#include "ui/Accessor.h"
#include "ui/KELUI.h"
#include "ui/Sky.h"

#include "host/environment/Environment.h"
#include "host/ui/UI.h"

#include <cstdio>

namespace kel::ui {

namespace {
constexpr float kPeriod = 1.0f; // seconds
} // namespace

Time::Time() : SpriteText(), Perioder(::ui::theUI ? ::ui::theUI->getView() : nullptr, kPeriod) {}

void Time::term() {
    SpriteText::term();
    unregisterSelf();
}

void Time::updateShowed() {
    SpriteText::updateShowed();
    if (isShowed())
        start();
    else
        stop();
}

void Time::expire() {
    Sky* sky = theAccessor.getSky();
    if (!sky) {
        if (theKELUI)
            theKELUI->getScreens().reportMissing("sky", theKELUI, "the clock stands still");
        return;
    }
    setText(format(sky->getEnvironment()->getDayTime()));
}

std::string Time::format(const DayTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", (time.minutes / 60) % 24, time.minutes % 60);
    return text;
}

} // namespace kel::ui

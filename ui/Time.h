#pragma once

#include "host/ui/Perioder.h"
#include "host/ui/SpriteText.h"
#include "ui/UiApi.h"

#include <string>

struct DayTime;

namespace kel::ui {

// The battle HUD's clock: the sky's time of day as "HH:MM", read again once a second of the
// host clock while the clock is shown. Shown again, it catches up at the next second.
class KEL_UI_API Time : public ::ui::SpriteText, public ::ui::Perioder {
public:
    // Ticks with the root UI's view.
    Time();

    std::string_view getClassName() const override { return "time"; }

    // Leaves the view for good.
    void term() override;
    // Runs while shown, stands still while hidden.
    void updateShowed() override;
    // Shows the sky's time of day.
    void expire() override;

    // Hours (wrapping at 24) and minutes of a day time, two digits each.
    static std::string format(const DayTime& time);
};

} // namespace kel::ui

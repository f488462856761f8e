#pragma once

#include "host/engine/DayTime.h"
#include "ui/UiApi.h"

namespace kel::ui {

// What other game modules ask the UI: the time of day of the sky.
class KEL_UI_API Interface {
public:
    virtual DayTime getDayTime() = 0;

protected:
    ~Interface() = default;
};

} // namespace kel::ui

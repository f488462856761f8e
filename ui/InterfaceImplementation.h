#pragma once

#include "ui/Interface.h"
#include "ui/UiApi.h"

namespace kel::ui {

// Reads the time of day from the layout's "sky" component; needs the layout to exist.
class KEL_UI_API InterfaceImplementation final : public Interface {
public:
    DayTime getDayTime() override;
};

} // namespace kel::ui

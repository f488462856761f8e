#pragma once

#include "ui/UiApi.h"

namespace kel::logic {
class Unit;
}

namespace kel::ui {

// Told when the UI asks the camera to centre on a unit; the root never owns it.
class KEL_UI_API CenterUnitListener {
public:
    virtual void centerUnit(logic::Unit*) {}

protected:
    ~CenterUnitListener() = default;
};

} // namespace kel::ui

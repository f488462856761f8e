#pragma once

#include "host/ui/Container.h"
#include "ui/UiApi.h"

#include <list>
#include <string>

namespace kel::ui {

class RedefineMenu;

// Captures a key combination for the key bindings page that holds it (its master): shown while
// the page waits for keys, it records up to two keys pressed together and hands them, with the
// chosen control's mouse axis, to the page when the first key comes up. Escape abandons the
// capture. Its child "value" (a SpriteText) shows the combination as it grows.
class KEL_UI_API RedefineEdit : public ::ui::Container {
public:
    RedefineEdit();

    std::string_view getClassName() const override { return "redefineedit"; }
    void processInputEvent(const counting_ptr<::input::Event>& event) override;

    // The mouse axis added to the combination ("MouseX", "MouseY" or "").
    void setAxis(const std::string& name) { axis = name; }
    const std::string& getAxis() const { return axis; }
    const std::list<std::string>& getKeys() const { return keys; }

private:
    RedefineMenu* menu() const;
    // Shows the keys so far (and the axis) in "value"; "" when there are none.
    void showValue();

    std::list<std::string> keys;
    std::string axis;
};

} // namespace kel::ui

#pragma once

#include "host/HostApi.h"
#include "host/ui/TextButton.h"

namespace ui {

// A box that a click ticks or unticks, with its text beside it. Each click notifies
// "valuechanged" with the new state as the bool "value"; setValue changes it silently.
//
// Layout options: those of TextButton (the text beside the box), and value (bool).
class KEL_HOST_API CheckBox : public TextButton {
public:
    explicit CheckBox(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                      float height = 0);

    std::string_view getClassName() const override { return "checkbox"; }

    void setValue(bool on);
    bool getValue() const { return value; }

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    void onClick() override;

private:
    bool value = false;
};

} // namespace ui

#pragma once

#include "host/HostApi.h"
#include "host/ui/TextButton.h"

namespace ui {

// One choice of a RadioContainer (layout class "radio"). A click selects it in its container
// and then notifies "job" with its value text as the string "value"; the notification carries
// the radio's own name, so masters can tell the choices apart by sender.
//
// Layout options: those of TextButton (the text beside the dot), and value (the text the choice
// stands for; its component name by default).
class KEL_HOST_API RadioButton : public TextButton {
public:
    explicit RadioButton(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                         float height = 0);

    std::string_view getClassName() const override { return "radio"; }

    bool isSelected() const { return selected; }
    // Set by the container; changes nothing else.
    void setSelected(bool on);
    void setValue(const std::string& text) { value = text; }
    // The value text, or the component name when none was given.
    const std::string& getValue() const;

    void readConfig(config::Block* block) override;
    void paint(Canvas& canvas) const override;

protected:
    void onClick() override;

private:
    bool selected = false;
    std::string value;
};

} // namespace ui

#pragma once

#include "host/HostApi.h"
#include "host/ui/Container.h"

namespace ui {

class RadioButton;

// A group of radio buttons (its children of class "radio"): at most one is chosen. The choice is
// read and set by the radio's component name (get/set) or by its value text
// (getValue/setValue); setting it from code notifies nothing, a click on a radio does (see
// RadioButton).
//
// Layout options: the container's, and value (the name of the radio chosen at first).
class KEL_HOST_API RadioContainer : public Container {
public:
    explicit RadioContainer(UI* ui = nullptr, float x = 0, float y = 0, float width = 0,
                            float height = 0);

    std::string_view getClassName() const override { return "radiocontainer"; }

    // The name of the chosen radio, or "" when none is.
    std::string get() const;
    // Chooses the radio of that name; false (and no change) when there is none.
    bool set(const std::string& radioName);
    // The value text of the chosen radio, or "".
    std::string getValue() const;
    // Chooses the first radio whose value text is `text`; false when there is none.
    bool setValue(const std::string& text);
    RadioButton* getRadio(const std::string& radioName) const;

    void readConfig(config::Block* block) override;

private:
    RadioButton* chosen() const;
};

} // namespace ui

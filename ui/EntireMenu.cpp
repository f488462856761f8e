#include "ui/EntireMenu.h"
#include "ui/ItemDescription.h"
#include "ui/KELFactory.h"

#include "host/sound/Manager.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <string>
#include <string_view>

namespace kel::ui {

EntireMenu::EntireMenu() : Container(::ui::theUI, 0, 0, 0, 0) {}

ItemDescription* EntireMenu::getDescription() {
    ItemDescription* description = nullptr;
    if (theFactory)
        theFactory->getComponent("description", &description, this, false);
    else
        description = dynamic_cast<ItemDescription*>(getComponent("description"));
    return description;
}

void EntireMenu::notify(::ui::NotifyEvent& event) {
    event.setSValue("menuName", getName());
    Container::notify(event);
    // Only three actions concern the description: the others end here, before any lookup.
    std::string scratch;
    const std::string_view action = event.text("action", scratch); // compared by length first
    if (action != "itemfocuschanged" && action != "pass" && action != "setphase")
        return;
    ItemDescription* description = getDescription();
    if (!description)
        return;
    std::string itemName;
    event.read("itemName", &itemName);
    if (action == "itemfocuschanged") {
        if (!itemName.empty()) {
            sound::MANAGER->play("ui", "focus", false);
            description->setVisible(true);
            description->setImage(itemName);
        } else {
            bool hide = false;
            event.getProperty("hidedescription", &hide);
            if (hide)
                description->setVisible(false);
        }
    } else if (action == "pass") {
        if (!itemName.empty()) {
            description->setVisible(true);
            description->setImage(itemName);
        }
    } else if (action == "setphase") {
        int phase = 0;
        event.getProperty("phase", &phase);
        if (phase == 3)
            description->setVisible(false);
    }
}

} // namespace kel::ui

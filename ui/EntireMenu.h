#pragma once

#include "host/engine/RenderDriverListener.h"
#include "host/ui/Container.h"
#include "ui/UiApi.h"

namespace kel::ui {

class ItemDescription;

// The top of a round-menu screen (the main menu, the in-game menu): names the screen in every
// notification that leaves it ("menuName", so the root can tell the two apart) and shows the
// picture of the focused entry in its child "description", when it has one.
class KEL_UI_API EntireMenu : public ::ui::Container, public RenderDriverListener {
public:
    EntireMenu();

    std::string_view getClassName() const override { return "entiremenu"; }
    void notify(::ui::NotifyEvent& event) override;

    // The child "description"; null when there is none.
    ItemDescription* getDescription();
};

} // namespace kel::ui

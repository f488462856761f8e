#pragma once

#include "host/ui/TextureComponent.h"
#include "host/ui/ViewListener.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The picture that describes the focused entry of a round-menu screen. It has no behaviour of
// its own: the screen (EntireMenu) shows it, hides it and sets its picture to the entry's name.
class KEL_UI_API ItemDescription : public ::ui::TextureComponent, public ::ui::ViewListener {
public:
    // Listens to the texture's view until term (or destruction).
    ItemDescription();
    ~ItemDescription() override;

    std::string_view getClassName() const override { return "itemdescription"; }
    void term() override;
};

} // namespace kel::ui

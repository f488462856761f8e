#pragma once

#include "ui/Menu.h"
#include "ui/UiApi.h"

namespace kel::ui {

// A dialog for saving the battle: the menu's cancel and confirm behaviour and nothing more; the
// in-game menu's "savegame" tells the host, which saves itself.
class KEL_UI_API SaveGameDialog : public Menu {
public:
    std::string_view getClassName() const override { return "savegamedialog"; }
};

} // namespace kel::ui

#pragma once

#include "ui/Menu.h"
#include "ui/UiApi.h"

namespace kel::ui {

// A dialog for loading a saved battle: the menu's cancel and confirm behaviour and nothing more;
// no screen of the game opens it yet.
class KEL_UI_API LoadGameDialog : public Menu {
public:
    std::string_view getClassName() const override { return "loadgamedialog"; }
};

} // namespace kel::ui

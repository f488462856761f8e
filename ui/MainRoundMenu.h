#pragma once

#include "ui/EntireMenu.h"
#include "ui/UiApi.h"

namespace kel::ui {

// The main menu's round-menu screen: showing it puts the menus' sky back.
class KEL_UI_API MainRoundMenu : public EntireMenu {
public:
    std::string_view getClassName() const override { return "mainroundmenu"; }
    void updateShowed() override;
};

} // namespace kel::ui

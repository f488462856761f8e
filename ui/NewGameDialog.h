#pragma once

#include "ui/Menu.h"
#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

// The map dialog: lists the map files of "/Maps" (plain files ending in ".lvx", shown without
// the extension), shows the selection in an edit field and reports "ok" or "cancel". getMap()
// is the selected map's mission name when the mission list plays it, otherwise its file name;
// it is empty when "/Maps" has no map (or cannot be opened), and then "ok" is not reported.
//
// Children: "list" (ListBox), "edit" (EditBox), "title", "button_ok", "button_cancel".
class KEL_UI_API NewGameDialog : public Menu {
public:
    std::string_view getClassName() const override { return "newgamedialog"; }
    void notify(::ui::NotifyEvent& event) override;
    void readConfig(config::Block* block) override;
    void updateShowed() override;

    std::string getMap() const { return selectedMap; }

private:
    // The mission that plays the map shown as `stem`, else its file name; "" for no map.
    static std::string mapOf(const std::string& stem);

    std::string selectedMap = "Lighthouse";
};

} // namespace kel::ui

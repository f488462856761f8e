#pragma once

#include "host/config/Block.h"
#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

// A root-UI event: a property block whose string "name" says what the player chose ("newgame",
// "exit", "endgame", "savegame", "gameroundmenu", "goal") with further values beside it.
class KEL_UI_API Event : public config::Block {
public:
    void setIValue(const std::string& key, int value) { setProperty(key, &value); }
    void setSValue(const std::string& key, const std::string& value) { setProperty(key, &value); }
    void setBValue(const std::string& key, bool value) { setProperty(key, &value); }
};

// A receiver of root-UI events; the root never owns it.
class KEL_UI_API Listener {
public:
    virtual void uiEvent(const Event& event) = 0;

protected:
    ~Listener() = default;
};

} // namespace kel::ui

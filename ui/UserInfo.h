#pragma once

#include "ui/UiApi.h"

#include <string>

namespace kel::ui {

// One player: the name is the record's key; the level is the difficulty as text ("trivial",
// "easy" or "normal"); the missions are mission names of the mission list.
struct KEL_UI_API UserInfo {
    std::string name;
    std::string level;
    std::string currentMission = "Lighthouse";
    std::string maximumMission = "Lighthouse";
};

} // namespace kel::ui

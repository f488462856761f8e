#pragma once

#include <string>

namespace kel::ui {

// What the game logic tells the status panel about a unit (StatusPanel::setUnitInfo).
struct UnitPanelInfo {
    // The unit's internal name, the key of the unit titles.
    std::string name;
    // One of the game logic's status texts, or "".
    std::string status;
    int health = 0;
    float act = 0.0f;
    float defence = 0.0f;
    // The element of the unit's act: "" or one of the game logic's act modifiers.
    std::string actModifier;
    // How many of the shown indicators carry the full element picture.
    int filledIndicators = 0;
    // How many indicators are shown; at most four are.
    int indicatorCount = 0;
    // The unit's kind, looked up in the panel's reduced-info list.
    int kind = 0;
};

} // namespace kel::ui

#pragma once

#include "host/config/Block.h"
#include "ui/UiApi.h"

#include <map>
#include <string>

namespace kel::ui {

class BalloonContainer;
class CreateMenu;
class EndTurnButton;
class GameMenu;
class PlayMenu;
class EntireMenu;
class Sky;
class GameBoard;
class Goal;
class Loading;
class Results;
class StatusPanel;

// Typed access to the well-known components of the layout, a store of the current mission's goal
// texts, and a copy of a configuration block the host hands in and takes back. The getters
// search the whole tree below the root UI by component name and type, so they answer null
// before the layout exists or when a component of that name has another type.
class KEL_UI_API Accessor {
public:
    Sky* getSky();
    CreateMenu* getCreateMenu();
    PlayMenu* getPlayMenu();
    GameMenu* getGameMenu();
    // The round-menu screens "mainroundmenu" and "gameroundmenu".
    EntireMenu* getMainRoundMenu();
    EntireMenu* getGameRoundMenu();
    // The battle's goal screen "gamegoal", its results screen "gameresults", the board-view
    // switch "gameboard" and the loading screen "loading".
    Goal* getGoal();
    Results* getResults();
    GameBoard* getGameBoard();
    Loading* getLoading();
    // The battle HUD's "endturnbutton".
    EndTurnButton* getEndTurnButton();
    // The battle HUD's status panel, the component called "status".
    StatusPanel* getStatusPanel();
    // The battle HUD's speech balloons, "ballooncontainer".
    BalloonContainer* getBalloonContainer();

    // Replaces the goals as a whole.
    void setRoundGoals(const std::map<std::string, std::string>& goals) { roundGoals = goals; }
    // Copies a goal's text into `text`; false, with `text` untouched, for an unknown goal.
    bool getGoal(const std::string& name, std::string& text) const;

    // Keeps a copy of the whole block; its sub-block "statuspanel", when it has one, configures
    // the status panel.
    void loadConfiguration(config::Block* block);
    // Overwrites `block` with the copy kept.
    void saveConfiguration(config::Block* block) const { *block = configuration; }

private:
    std::map<std::string, std::string> roundGoals;
    config::Block configuration;
};

KEL_UI_API extern Accessor theAccessor;

} // namespace kel::ui

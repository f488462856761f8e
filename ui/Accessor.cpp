#include "ui/Accessor.h"
#include "ui/BalloonContainer.h"
#include "ui/CreateMenu.h"
#include "ui/EndTurnButton.h"
#include "ui/EntireMenu.h"
#include "ui/GameBoard.h"
#include "ui/GameMenu.h"
#include "ui/Goal.h"
#include "ui/KELFactory.h"
#include "ui/KELUI.h"
#include "ui/Loading.h"
#include "ui/PlayMenu.h"
#include "ui/Results.h"
#include "ui/Sky.h"
#include "ui/StatusPanel.h"

namespace kel::ui {

namespace {
template <class T> T* find(const char* name) {
    T* result = nullptr;
    if (theFactory)
        theFactory->getComponent(name, &result, theKELUI, true);
    return result;
}
} // namespace

Sky* Accessor::getSky() {
    return find<Sky>("sky");
}

CreateMenu* Accessor::getCreateMenu() {
    return find<CreateMenu>("createmenu");
}

PlayMenu* Accessor::getPlayMenu() {
    return find<PlayMenu>("playmenu");
}

GameMenu* Accessor::getGameMenu() {
    return find<GameMenu>("gamemenu");
}

EntireMenu* Accessor::getMainRoundMenu() {
    return find<EntireMenu>("mainroundmenu");
}

EntireMenu* Accessor::getGameRoundMenu() {
    return find<EntireMenu>("gameroundmenu");
}

Goal* Accessor::getGoal() {
    return find<Goal>("gamegoal");
}

Results* Accessor::getResults() {
    return find<Results>("gameresults");
}

GameBoard* Accessor::getGameBoard() {
    return find<GameBoard>("gameboard");
}

Loading* Accessor::getLoading() {
    return find<Loading>("loading");
}

EndTurnButton* Accessor::getEndTurnButton() {
    return find<EndTurnButton>("endturnbutton");
}

StatusPanel* Accessor::getStatusPanel() {
    return find<StatusPanel>("status");
}

BalloonContainer* Accessor::getBalloonContainer() {
    return find<BalloonContainer>("ballooncontainer");
}

bool Accessor::getGoal(const std::string& name, std::string& text) const {
    const auto found = roundGoals.find(name);
    if (found == roundGoals.end())
        return false;
    text = found->second;
    return true;
}

void Accessor::loadConfiguration(config::Block* block) {
    configuration = *block;
    config::Block* panelBlock = nullptr;
    if (!configuration.getPropertyAccess("statuspanel", &panelBlock))
        return;
    // A layout without the panel has been reported when it was read.
    if (StatusPanel* panel = getStatusPanel())
        panel->loadConfiguration(panelBlock);
}

} // namespace kel::ui

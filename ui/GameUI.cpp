#include "ui/GameUI.h"
#include "ui/BoardTraceSwitch.h"
#include "ui/KELMousePointer.h"
#include "ui/KELUI.h"

#include "host/input/Event.h"
#include "host/kelinput/KelInput.h"
#include "host/logic/ControlSourceInterface.h"
#include "host/logic/GameBoard.h"
#include "host/logic/Globals.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

namespace kel::ui {

namespace {
// The button that also cancels a menu opens the in-game menu.
constexpr int kGameMenuButton = 102;
} // namespace

GameUI::GameUI()
    : Container(::ui::theUI, 0, 0, ::ui::theUI ? ::ui::theUI->getScreenWidth() : 0,
                ::ui::theUI ? ::ui::theUI->getScreenHeight() : 0) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
}

void GameUI::processInputEvent(const counting_ptr<::input::Event>& event) {
    theKelInput->getDeviceToCamera()->processEvent(event);
    theKelInput->getDeviceToCS()->processEvent(event);
    Container::processInputEvent(event);
    const auto* button = event.as<::input::events::Button>();
    if (button && button->isPressed() && button->getState()->getCode() == kGameMenuButton) {
        ::ui::NotifyEvent ask(this);
        ask.setSValue("action", "gameroundmenu");
        notify(ask);
    }
}

void GameUI::updateShowed() {
    Container::updateShowed();
    if (isShowed()) {
        theKelInput->getDeviceToCS()->clean();
        BoardTraceSwitch::setGameUIShown(true);
    } else {
        theKelInput->getDeviceToCamera()->clean();
        theKelInput->getDeviceToCS()->clean();
        BoardTraceSwitch::setGameUIShown(false);
    }
}

void GameUI::updateResolution() {
    Container::updateResolution();
    setSize(getUI()->getScreenWidth(), getUI()->getScreenHeight());
}

void GameUI::setUnitFreelook(bool on) {
    theKelInput->getDeviceToCamera()->setUnitFreelook(on);
    if (::ui::Component* hud = getComponent("subgameui"))
        hud->setVisible(!on);
    const logic::GameBoard* board = theKELUI ? theKELUI->getGameBoard() : nullptr;
    const int state = board ? board->getGameState() : 0;
    if (state <= 0 || state > 2)
        return;
    KELMousePointer* pointer = theKELUI->getKELMousePointer();
    if (on) {
        getUI()->setFocusedComponent(this);
        if (pointer)
            pointer->setFreelookMode(true);
        if (BATTLE_CONTROL_SOURCE)
            BATTLE_CONTROL_SOURCE->beginUnitFreelook();
    } else {
        if (pointer)
            pointer->setFreelookMode(false);
        if (BATTLE_CONTROL_SOURCE)
            BATTLE_CONTROL_SOURCE->endUnitFreelook();
    }
}

} // namespace kel::ui

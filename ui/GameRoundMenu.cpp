#include "ui/GameRoundMenu.h"
#include "ui/CSMessageRedirector.h"
#include "ui/KELUI.h"

#include "host/ui/MousePointer.h"
#include "host/ui/UI.h"

namespace kel::ui {

void GameRoundMenu::updateShowed() {
    EntireMenu::updateShowed();
    if (!isShowed())
        return;
    if (theKELUI)
        theKELUI->getCSMessageRedirector()->updateFocusOnGameBoardObjects();
    if (::ui::UI* ui = getUI())
        ui->getMousePointer()->setPosition(ui->getScreenWidth() * 0.5f,
                                           ui->getScreenHeight() * 0.6f);
}

} // namespace kel::ui

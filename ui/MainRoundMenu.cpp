#include "ui/MainRoundMenu.h"
#include "ui/Accessor.h"
#include "ui/Sky.h"

namespace kel::ui {

void MainRoundMenu::updateShowed() {
    EntireMenu::updateShowed();
    if (!isShowed())
        return;
    if (Sky* sky = theAccessor.getSky())
        sky->setUIConfiguration();
}

} // namespace kel::ui

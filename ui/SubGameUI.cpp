#include "ui/SubGameUI.h"

#include "host/ui/UI.h"

namespace kel::ui {

SubGameUI::SubGameUI()
    : Container(::ui::theUI, 0, 0, ::ui::theUI ? ::ui::theUI->getScreenWidth() : 0,
                ::ui::theUI ? ::ui::theUI->getScreenHeight() : 0) {}

void SubGameUI::updateShowed() {
    Container::updateShowed();
    if (isShowed())
        getUI()->setFocusedComponent(this);
}

void SubGameUI::updateResolution() {
    Container::updateResolution();
    setSize(getUI()->getScreenWidth(), getUI()->getScreenHeight());
}

} // namespace kel::ui

#include "ui/Results.h"
#include "ui/Goal.h"
#include "ui/KELFactory.h"
#include "ui/ModuleLog.h"

#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

namespace kel::ui {

Results::Results()
    : Container(::ui::theUI, 0, 0, ::ui::theUI ? ::ui::theUI->getScreenWidth() : 0,
                ::ui::theUI ? ::ui::theUI->getScreenHeight() : 0) {
    // It watches input meant for others (see processInputEvent).
    setHearsEveryEvent(true);
}

::ui::DFormattedSpriteText* Results::getText() {
    ::ui::DFormattedSpriteText* text = nullptr;
    theFactory->getComponent("text", &text, this, false);
    return text;
}

void Results::setText(const std::string& value) {
    if (::ui::DFormattedSpriteText* text = getText())
        text->setText(value);
}

void Results::updateShowed() {
    Container::updateShowed();
    const bool shown = isShowed();
    if (shown)
        getUI()->setFocusedComponent(this);
    deliverToEach([shown](ResultsListener* listener) {
        if (shown)
            listener->resultsShown();
        else
            listener->resultsHidden();
    });
}

void Results::processInputEvent(const counting_ptr<::input::Event>& event) {
    Container::processInputEvent(event);
    // Nothing else would ever close the screen, and a host waiting in doModal must get back.
    if (isShowed() && Goal::isClosingPress(event))
        modal.close(*this);
}

void Results::doModal() {
    modal.showAndWait(*this, "results");
}

} // namespace kel::ui

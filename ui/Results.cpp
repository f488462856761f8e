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
                ::ui::theUI ? ::ui::theUI->getScreenHeight() : 0) {}

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

void Results::processInputEvent(counting_ptr<::input::Event> event) {
    Container::processInputEvent(event);
    // Nothing else would ever close the screen, and a host waiting in doModal must get back.
    if (!isShowed() || !Goal::isClosingPress(event))
        return;
    setVisible(false);
    ::ui::NotifyEvent report(this);
    notify(report);
    closed.set();
}

void Results::doModal() {
    if (getUI()->isUIThread()) {
        reportError(__FILE__, __LINE__,
                    "the results screen shown modally on the UI thread, which must close it: "
                    "refused instead of waiting forever");
        return;
    }
    {
        thread::Lock hold(*getUI());
        closed.reset();
        setVisible(true);
    }
    closed.wait();
    closed.reset();
}

} // namespace kel::ui

#include "ui/ModalScreen.h"
#include "ui/ModuleLog.h"

#include "host/ui/Container.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <string>

namespace kel::ui {

void ModalScreen::showAndWait(::ui::Container& screen, const char* what) {
    if (screen.getUI()->isUIThread()) {
        reportError(__FILE__, __LINE__,
                    std::string("the ") + what +
                        " screen shown modally on the UI thread, which must close it: refused "
                        "instead of waiting forever");
        return;
    }
    {
        thread::Lock hold(*screen.getUI());
        // A closing from an earlier showing that nobody waited for must not end this one.
        closed.reset();
        screen.setVisible(true);
    }
    closed.wait();
    closed.reset();
}

void ModalScreen::close(::ui::Container& screen) {
    // A frame may close the screen while a host thread shows it: the tree changes under the UI's
    // lock. Every way of closing releases the waiter, or showAndWait would never return.
    thread::Lock hold(*screen.getUI());
    screen.setVisible(false);
    ::ui::NotifyEvent report(&screen);
    screen.notify(report);
    closed.set();
}

} // namespace kel::ui

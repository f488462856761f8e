#include "host/ui/Perioder.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/ui/UI.h"

namespace ui {

Perioder::Perioder(View* view, float period) : view(view), period(period) {
    if (view)
        view->registerListener(this, 0);
}

Perioder::~Perioder() {
    unregisterSelf();
}

void Perioder::start() {
    running = true;
    next = theTimer->getTime() + period;
}

void Perioder::unregisterSelf() {
    if (view)
        view->unregisterListener(this);
    view = nullptr;
    running = false;
}

void Perioder::tick() {
    // Frames tick timers outside the driver's lock; what a period fires is the UI's business.
    thread::OptionalLock hold(theUI);
    const double now = theTimer->getTime();
    // A zero period would never catch up: it fires once a tick.
    while (running && now + 1e-9 >= next) {
        const double due = next;
        expire();
        next = due + (period > 0 ? period : now - due + 1e-6);
    }
}

} // namespace ui

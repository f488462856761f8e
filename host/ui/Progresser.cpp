#include "host/ui/Progresser.h"
#include "host/engine/Timer.h"
#include "host/engine/View.h"
#include "host/ui/UI.h"

namespace ui {

Progresser::Progresser(View* view) : view(view) {
    if (view)
        view->registerListener(this, 0);
}

Progresser::~Progresser() {
    unregisterSelf();
}

void Progresser::start() {
    running = true;
    begin = theTimer->getTime();
}

void Progresser::reset() {
    running = false;
    begin = theTimer->getTime();
}

void Progresser::unregisterSelf() {
    if (view)
        view->unregisterListener(this);
    view = nullptr;
    running = false;
}

void Progresser::tick() {
    thread::OptionalLock hold(theUI);
    if (running && theTimer->getTime() - begin + 1e-9 >= interval) {
        running = false;
        end();
    }
}

} // namespace ui

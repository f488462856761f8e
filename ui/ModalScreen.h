#pragma once

#include "host/thread/Event.h"

namespace ui {
class Container;
}

namespace kel::ui {

// What the goal and results screens share as modal screens: a host thread shows the screen and
// waits until the player closes it on the UI thread. The event is manual-reset and reset again
// after waking, so the next showing waits anew.
class ModalScreen {
public:
    // Shows `screen` under its UI's lock, then blocks until close(). On the UI thread, which
    // would have to deliver the closing itself, it reports an error naming `what` and returns.
    void showAndWait(::ui::Container& screen, const char* what);
    // Hides `screen`, reports the closing to its master and releases the waiting thread.
    void close(::ui::Container& screen);

private:
    thread::Event closed{true, false};
};

} // namespace kel::ui

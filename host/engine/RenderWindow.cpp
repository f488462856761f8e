#include "host/engine/RenderWindow.h"

namespace {
RenderWindow window;
}

RenderWindow* theRenderWindow = &window;

void RenderWindow::setHardwareCursor(bool on) {
    hardwareCursor = on;
    ++switches;
}

void RenderWindow::reset() {
    hardwareCursor = false;
    switches = 0;
}

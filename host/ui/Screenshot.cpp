#include "host/ui/Screenshot.h"
#include "host/engine/RenderDriver.h"
#include "host/ui/Canvas.h"
#include "host/ui/UI.h"

namespace ui {

Screenshot::Screenshot(UI* ui) : Component(ui ? ui : theUI) {
    if (getUI())
        setSize(getUI()->getScreenWidth(), getUI()->getScreenHeight());
}

Screenshot::~Screenshot() {
    stopWaiting();
}

void Screenshot::stopWaiting() {
    if (waiting)
        theRenderDriver->unregisterListener(this);
    waiting = false;
}

void Screenshot::updateShowed() {
    Component::updateShowed();
    if (isShowed() && !waiting) {
        waiting = true;
        theRenderDriver->registerListener(this, 0);
    } else if (!isShowed()) {
        stopWaiting();
    }
}

void Screenshot::updateResolution() {
    if (getUI())
        setSize(getUI()->getScreenWidth(), getUI()->getScreenHeight());
}

void Screenshot::termFrame() {
    if (!waiting)
        return;
    stopWaiting();
    takenFrame = theRenderDriver->getFrameCount() + 1;
    notifyAction("taken");
}

void Screenshot::paint(Canvas& canvas) const {
    // The battle picture stays behind the menu, dimmed.
    canvas.fillRect(Canvas::Rect{getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()},
                    config::Color(0.02f, 0.03f, 0.05f, 0.45f));
}

} // namespace ui

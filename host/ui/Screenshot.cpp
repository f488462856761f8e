#include "host/ui/Screenshot.h"
#include "host/engine/RenderDriver.h"
#include "host/engine/ScreenPictures.h"
#include "host/ui/Canvas.h"
#include "host/ui/UI.h"

#include <atomic>
#include <string>

namespace ui {

namespace {

std::string newPictureName() {
    static std::atomic<unsigned long> made{0};
    return "#screenshot-" + std::to_string(++made);
}

} // namespace

const std::string Screenshot::none;

Screenshot::Screenshot(UI* ui) : Component(ui ? ui : theUI), pictureName(newPictureName()) {
    if (getUI())
        setSize(getUI()->getScreenWidth(), getUI()->getScreenHeight());
}

Screenshot::~Screenshot() {
    stopWaiting();
    forgetPicture();
}

void Screenshot::forgetPicture() {
    if (pictured)
        ScreenPictures::forget(pictureName);
    pictured = false;
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
        forgetPicture();
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
    taking = true;
    pictured = ScreenPictures::take(pictureName);
    taking = false;
    repaint();
    notifyAction("taken");
}

void Screenshot::paint(Canvas& canvas) const {
    // Nothing before the picture is taken, nor in it.
    if (waiting || taking || takenFrame == 0)
        return;
    const Canvas::Rect screen{getAbsoluteX(), getAbsoluteY(), getWidth(), getHeight()};
    if (pictured) {
        Canvas::ImageRun still;
        still.name = pictureName;
        still.kind = "texture";
        still.rect = screen;
        canvas.image(still);
    }
    // The still battle stays behind the menu, dimmed.
    canvas.fillRect(screen, config::Color(0.02f, 0.03f, 0.05f, 0.45f));
}

} // namespace ui

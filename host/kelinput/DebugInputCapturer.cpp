#include "host/kelinput/DebugInputCapturer.h"
#include "host/kelinput/KelInput.h"

namespace kelinput {

DebugInputCapturer::~DebugInputCapturer() {
    // theKelInput is null once the host library is being torn down.
    if (theKelInput)
        theKelInput->removeCapturer(this);
}

void DebugInputCapturer::addShortcut(unsigned long key, int modifier) {
    theKelInput->addShortcut(this, key, modifier);
}

void DebugInputCapturer::delShortcut(unsigned long key, int modifier) {
    theKelInput->delShortcut(this, key, modifier);
}

bool DebugInputCapturer::hasShortcut(unsigned long key, int modifier) const {
    return theKelInput->hasShortcut(this, key, modifier);
}

bool DebugInputCapturer::isRegistered() const {
    return theKelInput->isRegistered(this);
}

} // namespace kelinput

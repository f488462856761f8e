#include "host/sound/LandInsonificator.h"

namespace sound {

void LandInsonificator::emulate3dsound(bool on) {
    std::lock_guard<std::mutex> guard(mutex);
    emulate3d = on;
}

bool LandInsonificator::getEmulate3dSound() const {
    std::lock_guard<std::mutex> guard(mutex);
    return emulate3d;
}

void LandInsonificator::forceUpdate() {
    std::lock_guard<std::mutex> guard(mutex);
    ++forcedUpdates;
}

int LandInsonificator::getForceUpdateCount() const {
    std::lock_guard<std::mutex> guard(mutex);
    return forcedUpdates;
}

void LandInsonificator::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    emulate3d = true;
    forcedUpdates = 0;
}

} // namespace sound

namespace {
sound::LandInsonificator landInsonificatorInstance;
}

sound::LandInsonificator* theLandInsonificator = &landInsonificatorInstance;

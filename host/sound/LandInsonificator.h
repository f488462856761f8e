#pragma once

#include "host/HostApi.h"

#include <mutex>

namespace sound {

// kel-sound's sounds of the landscape around the camera (sea, wind, birds). With 3D emulation on,
// positional sound is faked in stereo; off, the sound card's 3D sound is used. forceUpdate makes
// it re-evaluate what is audible at once (after a settings change) instead of at its next tick.
class KEL_HOST_API LandInsonificator {
public:
    void emulate3dsound(bool on);
    bool getEmulate3dSound() const;
    void forceUpdate();
    int getForceUpdateCount() const;

    // Emulation on, no updates; for tests.
    void reset();

private:
    mutable std::mutex mutex;
    bool emulate3d = true;
    int forcedUpdates = 0;
};

} // namespace sound

KEL_HOST_API extern sound::LandInsonificator* theLandInsonificator;

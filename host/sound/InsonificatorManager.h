#pragma once

#include "host/HostApi.h"

#include <map>
#include <mutex>

namespace sound {

// kel-sound's sound classes: each class of sounds (effects, environment, music, ...) can be
// switched on and off and has a volume. A class never mentioned is enabled at full volume. A
// class id the sound catalogue does not know is reported and the call changes nothing.
// Keeps state only (no audio device); safe to call from any thread.
class KEL_HOST_API InsonificatorManager {
public:
    // The class ids the game uses.
    enum SoundClass : int { Effects = 0, Environment = 1, Speech = 2, Music = 3 };

    void enable(int classId);
    void disable(int classId);
    bool getIsEnabled(int classId) const;
    // Volume from 0 to 1; values outside are clamped.
    void setVolume(int classId, float volume);
    float getVolume(int classId) const;
    // What the player hears of the class: its volume when enabled, else 0.
    float getAudibleVolume(int classId) const;
    // How many enable and disable calls the class got, redundant ones included.
    int getSwitchCount(int classId) const;

    // Every class back to enabled at full volume, counts cleared; for tests.
    void reset();

private:
    struct ClassState {
        bool enabled = true;
        float volume = 1.0f;
        int switches = 0;
    };

    ClassState stateOf(int classId) const;

    mutable std::mutex mutex;
    std::map<int, ClassState> classes;
};

} // namespace sound

KEL_HOST_API extern sound::InsonificatorManager* theInsonificatorManager;

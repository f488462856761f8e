#pragma once

#include "host/HostApi.h"

namespace profile {

// The player's sound settings, as the sound menu edits them; the block "sound" of profile.cfg.
struct KEL_HOST_API SoundSettings {
    bool operator==(const SoundSettings& other) const;
    bool operator!=(const SoundSettings& other) const { return !(*this == other); }

    // Volumes from 0 to 1.
    float musicVolume = 0.7f;
    float effectsVolume = 0.8f;
    float environmentVolume = 0.6f;
    bool musicOn = true;
    bool effectsOn = true;
    bool environmentOn = true;
    // The sound card's 3D sound; off means kel-sound emulates it.
    bool quality3d = true;
};

} // namespace profile

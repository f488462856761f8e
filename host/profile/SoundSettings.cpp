#include "host/profile/SoundSettings.h"

namespace profile {

bool SoundSettings::operator==(const SoundSettings& other) const {
    return musicVolume == other.musicVolume && effectsVolume == other.effectsVolume &&
           environmentVolume == other.environmentVolume && musicOn == other.musicOn &&
           effectsOn == other.effectsOn && environmentOn == other.environmentOn &&
           quality3d == other.quality3d;
}

} // namespace profile

#pragma once

#include "host/HostApi.h"

#include <mutex>
#include <string>

namespace sound {

// kel-sound's music player. There is no audio device: the manager keeps what the player would
// hear (which track plays, whether the music is at full level or lowered behind a menu) so tests
// and snapshots can check it. Safe to call from any thread.
class KEL_HOST_API SoundManager {
public:
    // Starts a track by name; starting the track that already plays keeps it playing as it is.
    // A track the sound catalogue does not know is reported and changes nothing.
    void startMusic(const std::string& name);
    void stopMusic();
    // Full music level (menus, battle) or lowered (the in-game menu).
    void loud();
    void quiet();

    bool isMusicPlaying() const;
    // The track playing, "" when none.
    std::string getMusicName() const;
    bool isLoud() const;
    // The level of the music the player hears, 0 to 1: nothing without a track; else the
    // catalogue's music group's audible level (volume, fade, switch) times its sound class's
    // (volume, switch), times the catalogue's quiet level while quiet.
    float getHeardMusic() const;
    // How many times a track was (re)started since the last reset.
    int getMusicStartCount() const;

    // Silence, full level, no history; for tests.
    void reset();

private:
    mutable std::mutex mutex;
    bool playing = false;
    std::string music;
    bool loudLevel = true;
    int starts = 0;
};

} // namespace sound

KEL_HOST_API extern sound::SoundManager* theSoundManager;

#pragma once

#include "host/HostApi.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace sound {

// The voice manager: sounds are played by name within named groups ("ui" for interface sounds,
// "bgm" for background music), and each group has a volume, an on/off switch and a fade. A group
// comes into being when it is first named, enabled at full volume and fade level 1.
//
// Groups and sounds are those of the sound catalogue: a call naming a group or a sound it does
// not know is reported and changes nothing (the getters answer for any name). A sound lasts its
// catalogue length on the host clock (theTimer) and then ends, unless it loops.
//
// There is no audio device: the manager records what was played and what the player would hear,
// for tests and snapshots. Safe to call from any thread.
class KEL_HOST_API Manager {
public:
    struct Played {
        std::string name;
        bool loop = false;
        // Whether the player could hear it when it started (group enabled, level above 0).
        bool audible = false;
        // Host clock time it (last) started, and its length in seconds.
        double startedAt = 0.0;
        float length = 0.0f;
    };

    void play(const std::string& group, const std::string& name, bool loop);
    // Restarts a sound of the group from its beginning (the last time it was played, if it was).
    void rewind(const std::string& group, const std::string& name);
    // Volume from 0 to 1; values outside are clamped.
    void volume(const std::string& group, float level);
    void enable(const std::string& group, bool on);

    // A fade from `from` to `to`: the fade level starts at `from`; doFading(progress) sets it to
    // from + (to - from) * progress, progress taken within [0, 1]; endFading leaves it at `to`.
    // doFading and endFading without a fade started do nothing.
    void startFading(const std::string& group, float from, float to);
    void doFading(const std::string& group, float progress);
    void endFading(const std::string& group);

    float getVolume(const std::string& group) const;
    bool getEnabled(const std::string& group) const;
    float getFadeLevel(const std::string& group) const;
    bool isFading(const std::string& group) const;
    // What the player hears of the group: volume times fade level, 0 when disabled.
    float getAudibleVolume(const std::string& group) const;
    // Every play call of the group, oldest first.
    std::vector<Played> getPlayed(const std::string& group) const;
    // Whether the sound is playing now: its last play loops or has not run its length.
    bool isPlaying(const std::string& group, const std::string& name) const;
    // Every rewind call of the group (sound names), oldest first.
    std::vector<std::string> getRewound(const std::string& group) const;
    // The groups named so far, in name order.
    std::vector<std::string> getGroups() const;

    // Forgets every group; for tests.
    void reset();

private:
    struct Group {
        float volume = 1.0f;
        bool enabled = true;
        float fadeLevel = 1.0f;
        bool fading = false;
        float fadeFrom = 0.0f;
        float fadeTo = 1.0f;
        std::vector<Played> played;
        std::vector<std::string> rewound;
    };

    const Group* find(const std::string& group) const;
    static float audible(const Group& group);

    mutable std::mutex mutex;
    std::map<std::string, Group> groups;
};

KEL_HOST_API extern Manager* MANAGER;

} // namespace sound

#pragma once

#include "host/HostApi.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <string>

namespace sound {

// What kel-sound can play: the sound classes by id, the music tracks, and the voice groups with
// the class each belongs to and the sounds it holds with their lengths; "/Configs/Sound/sounds.cfg"
// under the data root:
//
//     quietLevel = 0.4          # the music's share of its level while quiet(), 0 to 1
//     musicGroup = bgm          # the voice group the music tracks play through
//     classes { Effects = 0; Environment = 1; Speech = 2; Music = 3 }
//     tracks = MenuMusic
//     groups {
//         ui { class = Effects; sounds { focus = 0.15; click = 0.1 } }   # lengths in seconds
//     }
//
// The sound modules ask it about every name they are given: an unknown track, group, sound or
// class is reported on the "sound" log (at the place the call came from when one is known) and
// the call changes nothing, as a real sound system refuses to play what it has not got.
// Mistakes in the file are reported with its line and column; what is wrong is left out. Without
// a catalogue under the data root (an empty root of a test) names are not checked. The file is
// read at the first question, and again whenever the data root has changed. Safe from any thread.
class KEL_HOST_API SoundCatalogue {
public:
    static constexpr const char* kPath = "/Configs/Sound/sounds.cfg";

    static SoundCatalogue& instance();

    // Each true for a known name; false, with the report above, for an unknown one.
    bool checkTrack(const std::string& track);
    bool checkGroup(const std::string& group);
    bool checkSound(const std::string& group, const std::string& sound);
    bool checkClass(int classId);

    // A sound's length in seconds; 0 when unknown (or no catalogue).
    float getLength(const std::string& group, const std::string& sound);
    // The class a group belongs to; -1 when unknown.
    int getGroupClass(const std::string& group);
    float getQuietLevel();
    std::string getMusicGroup();

    // Forgets what was read; read again at the next question.
    void forget();

private:
    struct Group {
        int classId = -1;
        std::map<std::string, float> sounds;
    };

    // Reads the file unless it was read from the current data root. Called with the lock held.
    void load();
    // Reports an unknown name; false.
    static bool unknown(const std::string& what);

    std::mutex mutex;
    bool loaded = false;
    bool present = false;
    std::filesystem::path loadedFrom;
    std::map<int, std::string> classes;
    std::map<std::string, bool> tracks;
    std::map<std::string, Group> groups;
    float quietLevel = 0.4f;
    std::string musicGroup = "bgm";
};

} // namespace sound

#pragma once

#include "host/HostApi.h"
#include "host/config/Block.h"
#include "host/profile/InputSettings.h"
#include "host/profile/SoundSettings.h"
#include "host/profile/VideoSettings.h"
#include "host/thread/SynchronizedObject.h"

#include <atomic>
#include <filesystem>
#include <string>

namespace profile {

// The player's profile: the live input, sound and video settings and a configuration block with
// everything else the game keeps for the player (kel-input keeps the key bindings there, under
// "bindings"). It lives in "/Profile/profile.cfg".
//
// The settings are edited in place through the pointers getSettings hands out; write() puts
// them into the block and save() writes the block to disk atomically. Entries of the file that
// the profile does not know are kept as they are.
//
// A missing file gives the defaults. A file that cannot be parsed gives the defaults too, is
// reported on the host log (filter "profile") with file, line and column, and is moved aside to
// "profile.cfg.corrupt-N" so that the next save cannot overwrite it. A file that cannot be read
// or moved is never saved over.
//
// The profile's lock (it is a SynchronizedObject) is held by load, save and write and by
// kel-input while it changes the bindings; the settings themselves are edited by the menus on the
// UI thread without it.
class KEL_HOST_API Profile : public thread::SynchronizedObject {
public:
    enum LoadResult : int {
        NotLoaded,  // load() has not run since the last reset
        Read,       // the file was read
        Missing,    // no file: defaults
        MovedAside, // the file could not be parsed: defaults; the file was moved aside
        Unreadable  // the file could not be read or moved aside: defaults; saving is refused
    };

    static constexpr const char* kPath = "/Profile/profile.cfg";

    // Pointers to the live settings; they stay valid for the life of the profile.
    void getSettings(InputSettings** out) { *out = &input; }
    void getSettings(SoundSettings** out) { *out = &sound; }
    void getSettings(VideoSettings** out) { *out = &video; }
    // The profile's block; owned by the profile.
    config::Block* getData() { return &data; }

    // Replaces settings and block with the file's (see the class comment for failures).
    LoadResult load();
    LoadResult getLoadResult() const;
    // write(), then replaces the file atomically. False (reported on the log) when the file
    // could not be written or must not be overwritten.
    bool save();
    // Puts the live settings into the block without touching the disk.
    void write();
    void resetInputSettings();

    // Successful saves since the last reset.
    int getSaveCount() const;
    // Changes whenever the settings and block are replaced (load, reset), so that whoever keeps
    // a copy of something in them (kel-input's bindings) can tell it is stale.
    int getGeneration() const { return generation; }
    // Defaults, an empty block, nothing loaded or saved; for tests and for a host that switches
    // players.
    void reset();

private:
    // The file-system path of kPath; false when the resource manager refuses it.
    bool resolvePath(std::filesystem::path* out) const;
    LoadResult moveAside(const std::filesystem::path& file, int line, const std::string& reason);
    void readSettings();

    InputSettings input;
    SoundSettings sound;
    VideoSettings video;
    config::Block data;
    std::atomic<int> generation{0};
    LoadResult loadResult = NotLoaded;
    // Set when an unreadable file sits where we would save.
    bool saveRefused = false;
    int saves = 0;
};

} // namespace profile

KEL_HOST_API extern profile::Profile* theProfile;

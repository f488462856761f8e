#pragma once

#include "host/HostApi.h"

#include <filesystem>
#include <mutex>
#include <string>

class FileList;

namespace resource {

// Game paths and the game's current directory.
//
// A game path names a file of the game: "/Profile/..." lives in the player's writable profile
// directory, every other absolute path ("/Configs/UI/units.cfg", "/Maps", "/Images/...") in the
// game data root. A path without a leading '/' is taken relative to the current directory.
// A path with a ".." segment, or one whose symbolic links lead outside its root, is refused
// (reported on the host log, filter "resource"), so no game path ever reaches outside its root.
// Only the profile directory is ever written.
class KEL_HOST_API ResourceManager {
public:
    ResourceManager();

    // The shipped data by default; the environment variable KEL_DATA_ROOT overrides it.
    void setDataRoot(const std::filesystem::path& root);
    std::filesystem::path getDataRoot() const;
    // By default "kel-ui/profile" under the user's data directory (KEL_PROFILE_DIR overrides);
    // never inside the data root.
    void setProfileRoot(const std::filesystem::path& root);
    std::filesystem::path getProfileRoot() const;

    // The file-system path of a game path; false (with a log message) when it is refused: a ".."
    // segment, or a symbolic link on the way that leads outside the root. "/Profile" is matched
    // in any letter case.
    bool resolve(const std::string& gamePath, std::filesystem::path* out) const;
    // As resolve, for a file about to be written: only "/Profile/..." paths are accepted.
    bool resolveForWrite(const std::string& gamePath, std::filesystem::path* out) const;

    // Keeps a player's file that cannot be used out of the way of later writes: renames it to
    // "<name>.corrupt-N" (the first free N). Only "/Profile/..." files; returns the new game path,
    // or "" with `why` when the file could not be moved.
    std::string moveAside(const std::string& gamePath, std::string* why) const;

    // The current directory as a game path ("/" at start). Remember it with
    // getCurrentDirectory() and restore it with changeDirectory().
    std::string getCurrentDirectory() const;
    // Absolute or relative; false, with the directory unchanged, when it is refused or no
    // directory.
    bool changeDirectory(const std::string& gamePath);
    // Appends the names of the current directory's entries, sorted bytewise.
    void listDirectory(FileList* list) const;
    // 0 for a plain file of the current directory, 1 for a directory, 2 for anything else
    // (including a missing entry).
    int testEntry(const char* name) const;

private:
    // Joins a game path to the current directory and normalises it; false on "..".
    bool normalise(const std::string& gamePath, std::string* out) const;

    mutable std::mutex mutex;
    std::filesystem::path dataRoot;
    std::filesystem::path profileRoot;
    std::string currentDirectory = "/";
};

KEL_HOST_API extern ResourceManager* theResourceManager;

} // namespace resource

#pragma once

#include "host/logic/HardLevel.h"
#include "ui/UiApi.h"
#include "ui/UserInfo.h"

#include <list>
#include <string>

namespace config {
class Config;
}

namespace kel::ui {

// The players of the game: each with a difficulty, the mission last played and the furthest
// mission reached, and which one is current. Kept in "/Profile/saves.cfg", written atomically,
// so a crash while saving never loses the previous list.
//
// The operations on the current player need "currentUser" to name a player; when it names none
// (the file named a missing player, or the last one was removed) the setters do nothing and the
// getters answer as for a new player ("Lighthouse", level normal).
class KEL_UI_API Saves {
public:
    // The texts of the difficulties, shared with the player menus' radio buttons.
    static const std::string NORMAL;
    static const std::string EASY;
    static const std::string TRIVIAL;
    static const std::string FIRST_MISSION;

    static logic::HardLevel::Type levelFromText(const std::string& text);
    static const std::string& textFromLevel(logic::HardLevel::Type level);

    // Reads the file (players from save_000 upward to the first missing number, then
    // "currentUser"); without players afterwards, adds the player "default" (not written yet).
    // A file that does not parse is kept aside as "saves.cfg.corrupt-N" and reported; one that
    // cannot be read (or kept aside) is reported and never saved over.
    void load();
    // Writes every player as save_000, save_001, ... and then currentUser over the whole file,
    // atomically. False, reported, when the write failed or was refused.
    bool save();

    void getUserList(std::list<UserInfo>& out) const { out = users; }
    int getUserCount() const { return static_cast<int>(users.size()); }
    void setCurrentUser(const std::string& name) { currentUser = name; }
    const std::string& getCurrentUser() const { return currentUser; }
    UserInfo* getUserInfo(const std::string& name);
    bool userExists(const std::string& name) { return getUserInfo(name) != nullptr; }
    // Appends a player on his first mission and makes him current (no duplicate check, no save).
    void addUser(const std::string& name, const std::string& level);
    // Removes the first player of that name; a removed current player is replaced by the first
    // remaining one, if any. No save.
    void removeUser(const std::string& name);

    void setUserLevel(const std::string& name, logic::HardLevel::Type level);
    logic::HardLevel::Type getUserLevel(const std::string& name);
    void setLevel(logic::HardLevel::Type level) { setUserLevel(currentUser, level); }
    logic::HardLevel::Type getLevel() { return getUserLevel(currentUser); }
    void setCurrentMission(const std::string& mission);
    const std::string& getCurrentMission();
    void setMaximumMission(const std::string& mission);
    const std::string& getMaximumMission();

    // The current player reached `mission`: it becomes his current mission and, when it lies
    // beyond his furthest one in the mission list, his furthest. Then the file is written.
    void userReached(const std::string& mission);

    // Where the main menu's "play" leads: player creation when there is no player...
    bool showCreateMenuAfterPlay() const { return users.empty(); }
    // ...the mission menu when the current player got beyond the first mission.
    bool showPlayMenuAfterPlay();

private:
    UserInfo* current() { return getUserInfo(currentUser); }
    void keepUnusableFileAside(const config::Config& file);

    std::list<UserInfo> users;
    std::string currentUser;
    // The file on disk could not be read or kept aside: writing would lose it.
    bool saveRefused = false;
};

KEL_UI_API extern Saves theSaves;

} // namespace kel::ui

#include "ui/Saves.h"
#include "ui/KelDataStorage.h"
#include "ui/ModuleLog.h"

#include "host/config/Config.h"
#include "host/resource/ResourceManager.h"

#include <cstdio>
#include <vector>

namespace kel::ui {

namespace {
const char* const kSavesFile = "/Profile/saves.cfg";
const UserInfo kNewPlayer{};

std::string blockName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "save_%.3d", index);
    return name;
}

// The file's top-level blocks by the number of their name ("save_007" is 7); a slot stays null
// where no block has that exact name. Only numbers below the block count can be reached.
std::vector<const config::Block*> numberedBlocks(config::Config& file) {
    std::vector<const config::Block*> numbered(static_cast<size_t>(file.getBlockCount()));
    config::BlockEntry<config::Block*>* entry = nullptr;
    for (file.getProperties(&entry); entry; entry = entry->getNext()) {
        const std::string& name = entry->getName();
        if (name.size() < 8 || name.size() > 14 || name.compare(0, 5, "save_") != 0 ||
            name.find_first_not_of("0123456789", 5) != std::string::npos)
            continue;
        const long number = std::stol(name.substr(5));
        if (number < static_cast<long>(numbered.size()) && !numbered[number] &&
            blockName(static_cast<int>(number)) == name)
            numbered[number] = entry->getValue();
    }
    return numbered;
}
} // namespace

const std::string Saves::NORMAL = "normal";
const std::string Saves::EASY = "easy";
const std::string Saves::TRIVIAL = "trivial";
const std::string Saves::FIRST_MISSION = "Lighthouse";

logic::HardLevel::Type Saves::levelFromText(const std::string& text) {
    if (text == EASY)
        return logic::HardLevel::Type(1);
    if (text == TRIVIAL)
        return logic::HardLevel::Type(2);
    return logic::HardLevel::Type(0);
}

const std::string& Saves::textFromLevel(logic::HardLevel::Type level) {
    switch (static_cast<int>(level)) {
    case 1:
        return EASY;
    case 2:
        return TRIVIAL;
    default:
        return NORMAL;
    }
}

void Saves::load() {
    users.clear();
    saveRefused = false;
    config::Config file;
    if (file.readFile(kSavesFile)) {
        // Players from save_000 upward, to the first missing number. The blocks are indexed by
        // number in one walk (the first block of a name counts, as a lookup would find it).
        const std::vector<const config::Block*> numbered = numberedBlocks(file);
        for (const config::Block* block : numbered) {
            if (!block)
                break;
            UserInfo user;
            block->getProperty("name", &user.name);
            block->getProperty("currentmission", &user.currentMission);
            block->getProperty("maximummission", &user.maximumMission);
            block->getProperty("level", &user.level);
            users.push_back(user);
        }
        file.getProperty("currentUser", &currentUser);
    } else {
        keepUnusableFileAside(file);
    }
    if (users.empty()) {
        users.push_back(UserInfo{"default", NORMAL, FIRST_MISSION, FIRST_MISSION});
        currentUser = "default";
    }
}

void Saves::keepUnusableFileAside(const config::Config& file) {
    const config::ParseError& error = file.getLastError();
    switch (file.getLastReadState()) {
    case config::Config::Missing:
    case config::Config::Read:
        return;
    case config::Config::Unreadable:
        saveRefused = true;
        reportError(kSavesFile, 0,
                    error.message + "; the players in it are not shown and it will not be "
                                    "saved over");
        return;
    case config::Config::Malformed:
        break;
    }
    std::string why;
    const std::string aside = resource::theResourceManager->moveAside(kSavesFile, &why);
    const std::string problem = "column " + std::to_string(error.column) + ": " + error.message;
    if (aside.empty()) {
        saveRefused = true;
        reportError(kSavesFile, error.line,
                    problem + "; it could not be kept aside (" + why +
                        "), so it will not be saved over");
        return;
    }
    reportError(kSavesFile, error.line,
                problem + "; the file was kept aside as " + aside + " and a new one is started");
}

bool Saves::save() {
    if (saveRefused) {
        reportError(kSavesFile, 0, "not saved: the file there could not be read or kept aside");
        return false;
    }
    config::Config file;
    int index = 0;
    for (const UserInfo& user : users) {
        config::Block& block = file.appendBlock(blockName(index++));
        block.appendProperty("name").push_back(user.name);
        block.appendProperty("currentmission").push_back(user.currentMission);
        block.appendProperty("maximummission").push_back(user.maximumMission);
        block.appendProperty("level").push_back(user.level);
    }
    file.appendProperty("currentUser").push_back(currentUser);
    return file.writeFile(kSavesFile);
}

UserInfo* Saves::getUserInfo(const std::string& name) {
    for (UserInfo& user : users)
        if (user.name == name)
            return &user;
    return nullptr;
}

void Saves::addUser(const std::string& name, const std::string& level) {
    users.push_back(UserInfo{name, level, FIRST_MISSION, FIRST_MISSION});
    currentUser = name;
}

void Saves::removeUser(const std::string& name) {
    for (auto it = users.begin(); it != users.end(); ++it) {
        if (it->name == name) {
            users.erase(it);
            break;
        }
    }
    if (name == currentUser && !users.empty())
        currentUser = users.front().name;
}

void Saves::setUserLevel(const std::string& name, logic::HardLevel::Type level) {
    if (UserInfo* user = getUserInfo(name))
        user->level = textFromLevel(level);
}

logic::HardLevel::Type Saves::getUserLevel(const std::string& name) {
    const UserInfo* user = getUserInfo(name);
    return levelFromText(user ? user->level : std::string());
}

void Saves::setCurrentMission(const std::string& mission) {
    if (UserInfo* user = current())
        user->currentMission = mission;
}

const std::string& Saves::getCurrentMission() {
    const UserInfo* user = current();
    return user ? user->currentMission : kNewPlayer.currentMission;
}

void Saves::setMaximumMission(const std::string& mission) {
    if (UserInfo* user = current())
        user->maximumMission = mission;
}

const std::string& Saves::getMaximumMission() {
    const UserInfo* user = current();
    return user ? user->maximumMission : kNewPlayer.maximumMission;
}

void Saves::userReached(const std::string& mission) {
    UserInfo* user = current();
    if (!user)
        return;
    const int reached = theKelDataStorage ? theKelDataStorage->missionIndex(mission) : -1;
    const int furthest =
        theKelDataStorage ? theKelDataStorage->missionIndex(user->maximumMission) : -1;
    user->currentMission = mission;
    if (reached > furthest)
        user->maximumMission = mission;
    save();
}

bool Saves::showPlayMenuAfterPlay() {
    const UserInfo* user = current();
    return !users.empty() && user && user->maximumMission != FIRST_MISSION;
}

} // namespace kel::ui

#include "ui/Saves.h"
#include "ui/KelDataStorage.h"

#include "host/config/Config.h"

#include <cstdio>

namespace kel::ui {

namespace {
const char* const kSavesFile = "/Profile/saves.cfg";
const UserInfo kNewPlayer{};

std::string blockName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "save_%.3d", index);
    return name;
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
    config::Config file;
    if (file.readFile(kSavesFile)) {
        // One pass per block of the file, each taking the next number if it is there: players
        // are read from save_000 up to the first gap.
        const int passes = file.getBlockCount();
        int next = 0;
        for (int pass = 0; pass < passes; ++pass) {
            const config::Block* block = nullptr;
            if (!file.getPropertyAccess(blockName(next), &block))
                continue;
            UserInfo user;
            block->getProperty("name", &user.name);
            block->getProperty("currentmission", &user.currentMission);
            block->getProperty("maximummission", &user.maximumMission);
            block->getProperty("level", &user.level);
            users.push_back(user);
            ++next;
        }
        file.getProperty("currentUser", &currentUser);
    }
    if (users.empty()) {
        users.push_back(UserInfo{"default", NORMAL, FIRST_MISSION, FIRST_MISSION});
        currentUser = "default";
    }
}

void Saves::save() {
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
    file.writeFile(kSavesFile);
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

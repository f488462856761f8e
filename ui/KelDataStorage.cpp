#include "ui/KelDataStorage.h"
#include "ui/ModuleLog.h"

#include "host/config/Config.h"

#include <cstdio>

namespace kel::ui {

KelDataStorage* theKelDataStorage = nullptr;

namespace {

const char* const kUnits = "/Configs/UI/units.cfg";
const char* const kObjects = "/Configs/UI/objects.cfg";
const char* const kStatuses = "/Configs/UI/statuses.cfg";
const char* const kTiles = "/Configs/UI/tiles.cfg";
const char* const kStrings = "/Configs/UI/strings.cfg";
const char* const kImages = "/Configs/UI/imagesToLocale.cfg";
const char* const kGameFlow = "/Configs/GameFlow/gameflow.cfg";

std::string firstValue(const config::Block::List& values) {
    return values.empty() ? std::string() : values.front();
}

// The variant number of a tiles.cfg property named "number_<n>"; false for any other name.
bool variantNumber(const std::string& name, int* number) {
    const std::string prefix = "number_";
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() == prefix.size())
        return false;
    int value = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || value > 100000000)
            return false;
        value = value * 10 + (name[i] - '0');
    }
    *number = value;
    return true;
}

template <class Map, class Key> std::string lookUp(const Map& table, const Key& key) {
    const auto found = table.find(key);
    return found == table.end() ? std::string() : found->second;
}

} // namespace

KelDataStorage::KelDataStorage() = default;

KelDataStorage::~KelDataStorage() = default;

std::string KelDataStorage::uiString(const std::string& key) {
    return lookUp(uiStrings, key);
}

bool KelDataStorage::doesImageNeedLocale(const std::string& image) {
    return localizedImages.count(image) != 0;
}

void KelDataStorage::reset() {
    unitTitles.clear();
    objectTitles.clear();
    tileTitles.clear();
    statusTitles.clear();
    uiStrings.clear();
    localizedImages.clear();
    missions.clear();
    missionMaps.clear();
}

void KelDataStorage::load() {
    reset();
    readTitles(kUnits, unitTitles);
    readTitles(kObjects, objectTitles);
    readTitles(kStatuses, statusTitles);
    readTiles();
    readTitles(kStrings, uiStrings);
    readLocalizedImages();
    readMissions();
}

void KelDataStorage::readTitles(const std::string& path,
                                std::map<std::string, std::string>& table) {
    config::Config file;
    if (!file.readFile(path))
        return;
    config::BlockEntry<config::Block::List*>* entry = nullptr;
    for (file.getProperties(&entry); entry; entry = entry->getNext())
        table[entry->getName()] = firstValue(*entry->getValue());
}

void KelDataStorage::readTiles() {
    config::Config file;
    if (!file.readFile(kTiles))
        return;
    // Plain properties give variant 0; blocks, read after them, give numbered variants.
    config::BlockEntry<config::Block::List*>* plain = nullptr;
    for (file.getProperties(&plain); plain; plain = plain->getNext())
        tileTitles[plain->getName()][0] = firstValue(*plain->getValue());
    config::BlockEntry<config::Block*>* tile = nullptr;
    for (file.getProperties(&tile); tile; tile = tile->getNext()) {
        config::BlockEntry<config::Block::List*>* variant = nullptr;
        for (tile->getValue()->getProperties(&variant); variant; variant = variant->getNext()) {
            int number = 0;
            if (!variantNumber(variant->getName(), &number)) {
                reportError(kTiles, variant->getLine(), variant->getColumn(),
                            "tile '" + tile->getName() + "': '" + variant->getName() +
                                "' is not named number_<n>; skipped");
                continue;
            }
            tileTitles[tile->getName()][number] = firstValue(*variant->getValue());
        }
    }
}

void KelDataStorage::readLocalizedImages() {
    config::Config file;
    if (!file.readFile(kImages))
        return;
    config::BlockEntry<config::Block::List*>* entry = nullptr;
    for (file.getProperties(&entry); entry; entry = entry->getNext())
        if (!entry->getValue()->empty())
            localizedImages[entry->getValue()->front()] = true;
}

void KelDataStorage::readMissions() {
    config::Config file;
    if (!file.readFile(kGameFlow)) {
        reportError(kGameFlow, 0, "no game flow: the mission list is empty");
        return;
    }
    config::Block* block = nullptr;
    if (!file.getPropertyAccess("missions", &block)) {
        reportError(kGameFlow, 1, "no \"missions\" block: the mission list is empty");
        return;
    }
    // Missions are looked up by generated name, so their order is the numbers' order; the first
    // gap or malformed entry ends the list.
    const int count = block->getListCount();
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "mission%.2d", i);
        const config::Block::List values = block->getList(name);
        if (!block->hasProperty(name)) {
            reportError(kGameFlow, block->getSourceLine(), block->getSourceColumn(),
                        std::string("\"missions\" has no ") + name + ": the list ends at " +
                            std::to_string(i) + " missions");
            return;
        }
        if (values.size() < 2) {
            const config::Location where = block->getPropertyLocation(name);
            reportError(kGameFlow, where.line, where.column,
                        std::string(name) +
                            " needs a mission name and a map file: the list ends "
                            "at " +
                            std::to_string(i) + " missions");
            return;
        }
        missions.push_back(values[0]);
        missionMaps[values[0]] = values[1];
    }
}

std::string KelDataStorage::getUnitTitle(const std::string& name) {
    return lookUp(unitTitles, name);
}

std::string KelDataStorage::getObjectTitle(const std::string& name) {
    return lookUp(objectTitles, name);
}

std::string KelDataStorage::getStatusTitle(const std::string& name) {
    return lookUp(statusTitles, name);
}

std::string KelDataStorage::getTileTitle(const std::string& name, int number) {
    const auto tile = tileTitles.find(name);
    if (tile == tileTitles.end())
        return std::string();
    const auto variant = tile->second.find(number);
    if (variant != tile->second.end())
        return variant->second;
    return lookUp(tile->second, 0);
}

std::string KelDataStorage::mapFile(const std::string& mission) {
    return lookUp(missionMaps, mission);
}

std::string KelDataStorage::mapName(const std::string& file) {
    for (const auto& [mission, map] : missionMaps)
        if (map == file)
            return mission;
    return std::string();
}

int KelDataStorage::missionIndex(const std::string& mission) {
    for (size_t i = 0; i < missions.size(); ++i)
        if (missions[i] == mission)
            return static_cast<int>(i);
    return -1;
}

const std::string& KelDataStorage::getMission(int index) {
    return missions[index];
}

int KelDataStorage::getMissionCount() {
    return static_cast<int>(missions.size());
}

} // namespace kel::ui

#include "host/sound/SoundCatalogue.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/resource/ResourceManager.h"

namespace sound {

namespace {

debug::Filter& soundLog() {
    static debug::Filter filter("sound", true);
    return filter;
}

void reportAt(int line, int column, const std::string& text) {
    debug::Error error(debug::Context(SoundCatalogue::kPath, line, column), text);
    debug::report(soundLog(), error);
}

} // namespace

SoundCatalogue& SoundCatalogue::instance() {
    static SoundCatalogue catalogue;
    return catalogue;
}

bool SoundCatalogue::unknown(const std::string& what) {
    // A name is wrong where the caller named it; the catalogue is the place without a caller.
    debug::Error error(debug::ContextScope::current(debug::Context(kPath, 0)),
                       what + ": not in the sound catalogue; nothing played or changed");
    debug::report(soundLog(), error);
    return false;
}

void SoundCatalogue::load() {
    const std::filesystem::path root = resource::theResourceManager->getDataRoot();
    if (loaded && root == loadedFrom)
        return;
    loaded = true;
    loadedFrom = root;
    present = false;
    classes.clear();
    tracks.clear();
    groups.clear();
    quietLevel = 0.4f;
    musicGroup = "bgm";

    config::Config file;
    if (!file.readFile(kPath)) {
        // A syntax error is reported by the reader with its place; the catalogue is then empty,
        // so every name is refused rather than everything let through.
        present = file.getLastReadState() != config::Config::Missing;
        return;
    }
    present = true;
    const config::CheckedReader top(soundLog(), file, "sound catalogue ");
    top.readNumber("quietLevel", config::Range(0, 1), &quietLevel);
    file.getProperty("musicGroup", &musicGroup);

    if (config::Block* table = nullptr; file.getPropertyAccess("classes", &table)) {
        const config::CheckedReader reader(soundLog(), *table, "sound class ");
        for (const config::NameEntry* entry = table->getFirstEntry(); entry;
             entry = entry->getNextEntry()) {
            int id = 0;
            if (entry->isBlock())
                reportAt(entry->getLine(), entry->getColumn(),
                         "sound class '" + entry->getName() + "' must be a number");
            else if (reader.readInt(entry->getName(), config::Range(0, 255), &id))
                classes[id] = entry->getName();
        }
    }
    for (const std::string& track : file.getList("tracks"))
        tracks[track] = true;

    config::Block* table = nullptr;
    if (!file.getPropertyAccess("groups", &table))
        return;
    config::BlockEntry<config::Block*>* entry = nullptr;
    for (table->getProperties(&entry); entry; entry = entry->getNext()) {
        config::Block& block = *entry->getValue();
        Group group;
        std::string className;
        if (!block.getProperty("class", &className)) {
            reportAt(entry->getLine(), entry->getColumn(),
                     "sound group '" + entry->getName() + "' needs a class");
        } else {
            for (const auto& [id, name] : classes)
                if (name == className)
                    group.classId = id;
            if (group.classId < 0)
                config::CheckedReader(soundLog(), block, "sound group '" + entry->getName() + "' ")
                    .report("class", "unknown sound class '" + className + "'");
        }
        if (config::Block* sounds = nullptr; block.getPropertyAccess("sounds", &sounds)) {
            const config::CheckedReader reader(soundLog(), *sounds,
                                               "sound '" + entry->getName() + "' ");
            for (const config::NameEntry* item = sounds->getFirstEntry(); item;
                 item = item->getNextEntry()) {
                float length = 0;
                if (item->isBlock())
                    reportAt(item->getLine(), item->getColumn(),
                             "sound '" + item->getName() + "' needs its length in seconds");
                else if (reader.readNumber(item->getName(), config::Range::above(0), &length))
                    group.sounds[item->getName()] = length;
            }
        }
        groups[entry->getName()] = std::move(group);
    }
}

bool SoundCatalogue::checkTrack(const std::string& track) {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    return !present || tracks.count(track) || unknown("music track '" + track + "'");
}

bool SoundCatalogue::checkGroup(const std::string& group) {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    return !present || groups.count(group) || unknown("sound group '" + group + "'");
}

bool SoundCatalogue::checkSound(const std::string& group, const std::string& sound) {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    if (!present)
        return true;
    const auto found = groups.find(group);
    if (found == groups.end())
        return unknown("sound group '" + group + "'");
    return found->second.sounds.count(sound) ||
           unknown("sound '" + sound + "' of group '" + group + "'");
}

bool SoundCatalogue::checkClass(int classId) {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    return !present || classes.count(classId) || unknown("sound class " + std::to_string(classId));
}

float SoundCatalogue::getLength(const std::string& group, const std::string& sound) {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    const auto found = groups.find(group);
    if (found == groups.end())
        return 0.0f;
    const auto length = found->second.sounds.find(sound);
    return length == found->second.sounds.end() ? 0.0f : length->second;
}

int SoundCatalogue::getGroupClass(const std::string& group) {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    const auto found = groups.find(group);
    return found == groups.end() ? -1 : found->second.classId;
}

float SoundCatalogue::getQuietLevel() {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    return quietLevel;
}

std::string SoundCatalogue::getMusicGroup() {
    std::lock_guard<std::mutex> guard(mutex);
    load();
    return musicGroup;
}

void SoundCatalogue::forget() {
    std::lock_guard<std::mutex> guard(mutex);
    loaded = false;
}

} // namespace sound

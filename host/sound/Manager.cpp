#include "host/sound/Manager.h"
#include "host/engine/Timer.h"
#include "host/sound/SoundCatalogue.h"

#include <algorithm>

namespace sound {

namespace {

float clampLevel(float level) {
    // NaN counts as silence rather than poisoning every later mix.
    return level == level ? std::clamp(level, 0.0f, 1.0f) : 0.0f;
}

} // namespace

const Manager::Group* Manager::find(const std::string& group) const {
    const auto found = groups.find(group);
    return found == groups.end() ? nullptr : &found->second;
}

float Manager::audible(const Group& group) {
    return group.enabled ? group.volume * group.fadeLevel : 0.0f;
}

void Manager::play(const std::string& group, const std::string& name, bool loop) {
    SoundCatalogue& catalogue = SoundCatalogue::instance();
    if (!catalogue.checkSound(group, name))
        return;
    const float length = catalogue.getLength(group, name);
    const double now = theTimer->getTime();
    std::lock_guard<std::mutex> guard(mutex);
    Group& target = groups[group];
    target.played.push_back(Played{name, loop, audible(target) > 0.0f, now, length});
}

void Manager::rewind(const std::string& group, const std::string& name) {
    if (!SoundCatalogue::instance().checkSound(group, name))
        return;
    const double now = theTimer->getTime();
    std::lock_guard<std::mutex> guard(mutex);
    Group& target = groups[group];
    target.rewound.push_back(name);
    for (auto sound = target.played.rbegin(); sound != target.played.rend(); ++sound)
        if (sound->name == name) {
            sound->startedAt = now;
            break;
        }
}

bool Manager::isPlaying(const std::string& group, const std::string& name) const {
    const double now = theTimer->getTime();
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    if (!found)
        return false;
    for (auto sound = found->played.rbegin(); sound != found->played.rend(); ++sound)
        if (sound->name == name)
            return sound->loop || now - sound->startedAt < sound->length;
    return false;
}

void Manager::volume(const std::string& group, float level) {
    if (!SoundCatalogue::instance().checkGroup(group))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    groups[group].volume = clampLevel(level);
}

void Manager::enable(const std::string& group, bool on) {
    if (!SoundCatalogue::instance().checkGroup(group))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    groups[group].enabled = on;
}

void Manager::startFading(const std::string& group, float from, float to) {
    if (!SoundCatalogue::instance().checkGroup(group))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    Group& target = groups[group];
    target.fading = true;
    target.fadeFrom = clampLevel(from);
    target.fadeTo = clampLevel(to);
    target.fadeLevel = target.fadeFrom;
}

void Manager::doFading(const std::string& group, float progress) {
    if (!SoundCatalogue::instance().checkGroup(group))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    const auto found = groups.find(group);
    if (found == groups.end() || !found->second.fading)
        return;
    Group& target = found->second;
    // Frames may report progress past the end of the fade; it never overshoots.
    const float p = progress == progress ? std::clamp(progress, 0.0f, 1.0f) : 0.0f;
    target.fadeLevel = target.fadeFrom + (target.fadeTo - target.fadeFrom) * p;
}

void Manager::endFading(const std::string& group) {
    if (!SoundCatalogue::instance().checkGroup(group))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    const auto found = groups.find(group);
    if (found == groups.end() || !found->second.fading)
        return;
    found->second.fading = false;
    found->second.fadeLevel = found->second.fadeTo;
}

float Manager::getVolume(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return found ? found->volume : Group().volume;
}

bool Manager::getEnabled(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return found ? found->enabled : Group().enabled;
}

float Manager::getFadeLevel(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return found ? found->fadeLevel : Group().fadeLevel;
}

bool Manager::isFading(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return found && found->fading;
}

float Manager::getAudibleVolume(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return audible(found ? *found : Group());
}

std::vector<Manager::Played> Manager::getPlayed(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return found ? found->played : std::vector<Played>();
}

std::vector<std::string> Manager::getRewound(const std::string& group) const {
    std::lock_guard<std::mutex> guard(mutex);
    const Group* found = find(group);
    return found ? found->rewound : std::vector<std::string>();
}

std::vector<std::string> Manager::getGroups() const {
    std::lock_guard<std::mutex> guard(mutex);
    std::vector<std::string> names;
    for (const auto& entry : groups)
        names.push_back(entry.first);
    return names;
}

void Manager::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    groups.clear();
}

namespace {
Manager managerInstance;
}

Manager* MANAGER = &managerInstance;

} // namespace sound

#include "host/sound/InsonificatorManager.h"
#include "host/sound/SoundCatalogue.h"

#include <algorithm>

namespace sound {

void InsonificatorManager::enable(int classId) {
    if (!SoundCatalogue::instance().checkClass(classId))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    ClassState& state = classes[classId];
    state.enabled = true;
    ++state.switches;
}

void InsonificatorManager::disable(int classId) {
    if (!SoundCatalogue::instance().checkClass(classId))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    ClassState& state = classes[classId];
    state.enabled = false;
    ++state.switches;
}

InsonificatorManager::ClassState InsonificatorManager::stateOf(int classId) const {
    const auto found = classes.find(classId);
    return found == classes.end() ? ClassState() : found->second;
}

bool InsonificatorManager::getIsEnabled(int classId) const {
    std::lock_guard<std::mutex> guard(mutex);
    return stateOf(classId).enabled;
}

void InsonificatorManager::setVolume(int classId, float volume) {
    if (!SoundCatalogue::instance().checkClass(classId))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    // NaN counts as silence rather than poisoning every later mix.
    classes[classId].volume = volume == volume ? std::clamp(volume, 0.0f, 1.0f) : 0.0f;
}

float InsonificatorManager::getVolume(int classId) const {
    std::lock_guard<std::mutex> guard(mutex);
    return stateOf(classId).volume;
}

float InsonificatorManager::getAudibleVolume(int classId) const {
    std::lock_guard<std::mutex> guard(mutex);
    const ClassState state = stateOf(classId);
    return state.enabled ? state.volume : 0.0f;
}

int InsonificatorManager::getSwitchCount(int classId) const {
    std::lock_guard<std::mutex> guard(mutex);
    return stateOf(classId).switches;
}

void InsonificatorManager::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    classes.clear();
}

} // namespace sound

namespace {
sound::InsonificatorManager insonificatorManagerInstance;
}

sound::InsonificatorManager* theInsonificatorManager = &insonificatorManagerInstance;

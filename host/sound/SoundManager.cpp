#include "host/sound/SoundManager.h"
#include "host/sound/InsonificatorManager.h"
#include "host/sound/Manager.h"
#include "host/sound/SoundCatalogue.h"

namespace sound {

void SoundManager::startMusic(const std::string& name) {
    if (!SoundCatalogue::instance().checkTrack(name))
        return;
    std::lock_guard<std::mutex> guard(mutex);
    if (playing && music == name)
        return;
    playing = true;
    music = name;
    ++starts;
}

void SoundManager::stopMusic() {
    std::lock_guard<std::mutex> guard(mutex);
    playing = false;
    music.clear();
}

void SoundManager::loud() {
    std::lock_guard<std::mutex> guard(mutex);
    loudLevel = true;
}

void SoundManager::quiet() {
    std::lock_guard<std::mutex> guard(mutex);
    loudLevel = false;
}

bool SoundManager::isMusicPlaying() const {
    std::lock_guard<std::mutex> guard(mutex);
    return playing;
}

std::string SoundManager::getMusicName() const {
    std::lock_guard<std::mutex> guard(mutex);
    return music;
}

bool SoundManager::isLoud() const {
    std::lock_guard<std::mutex> guard(mutex);
    return loudLevel;
}

int SoundManager::getMusicStartCount() const {
    std::lock_guard<std::mutex> guard(mutex);
    return starts;
}

float SoundManager::getHeardMusic() const {
    bool on = false, full = true;
    {
        std::lock_guard<std::mutex> guard(mutex);
        on = playing;
        full = loudLevel;
    }
    if (!on)
        return 0.0f;
    SoundCatalogue& catalogue = SoundCatalogue::instance();
    const std::string group = catalogue.getMusicGroup();
    const int soundClass = catalogue.getGroupClass(group);
    const float classLevel =
        soundClass < 0 ? 1.0f : theInsonificatorManager->getAudibleVolume(soundClass);
    return MANAGER->getAudibleVolume(group) * classLevel *
           (full ? 1.0f : catalogue.getQuietLevel());
}

void SoundManager::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    playing = false;
    music.clear();
    loudLevel = true;
    starts = 0;
}

} // namespace sound

namespace {
sound::SoundManager soundManagerInstance;
}

sound::SoundManager* theSoundManager = &soundManagerInstance;

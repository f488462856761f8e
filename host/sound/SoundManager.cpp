#include "host/sound/SoundManager.h"

namespace sound {

void SoundManager::startMusic(const std::string& name) {
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

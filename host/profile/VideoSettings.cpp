#include "host/profile/VideoSettings.h"
#include "host/engine/DegradingManager.h"

#include <mutex>
#include <utility>

namespace profile {

namespace {

const char* const kTextureNames[] = {"low", "medium", "high"};

// What the renderer was last given. apply() may come from any thread.
struct Applied {
    std::mutex mutex;
    VideoSettings settings;
    int count = 0;
};

Applied& applied() {
    static Applied instance;
    return instance;
}

} // namespace

std::string VideoSettings::getTextureString() const {
    const int index = static_cast<int>(texture);
    return index >= 0 && index <= 2 ? kTextureNames[index] : kTextureNames[HighTexture];
}

bool VideoSettings::setTexture(const std::string& text) {
    for (int index = 0; index <= 2; ++index)
        if (text == kTextureNames[index]) {
            texture = static_cast<Texture>(index);
            return true;
        }
    return false;
}

void VideoSettings::apply() const {
    DegradingManager& renderer = *theDegradingManager;
    renderer.setResolution(width, height);
    const std::pair<DegradingManager::Capability, bool> features[] = {
        {DegradingManager::Mipmaps, mipmaps},   {DegradingManager::Dithering, dithering},
        {DegradingManager::Specular, specular}, {DegradingManager::Antialiasing, antialiasing},
        {DegradingManager::WBuffer, wbuffer},   {DegradingManager::Halo, halo},
        {DegradingManager::Shadows, shadows},   {DegradingManager::Lightmaps, lightmaps},
    };
    for (const auto& [capability, on] : features)
        renderer.setFeature(capability, on);
    renderer.setTextureDetail(static_cast<int>(texture));
    renderer.setFogDistance(fogDistance);
    renderer.setDetailsEnabled(detailsOn);
    renderer.setDetailLevel(detailLevel);
    renderer.setSceneActivity(sceneActivity);

    std::lock_guard<std::mutex> guard(applied().mutex);
    applied().settings = *this;
    ++applied().count;
}

int VideoSettings::getApplyCount() {
    std::lock_guard<std::mutex> guard(applied().mutex);
    return applied().count;
}

VideoSettings VideoSettings::getLastApplied() {
    std::lock_guard<std::mutex> guard(applied().mutex);
    return applied().settings;
}

void VideoSettings::resetApplied() {
    std::lock_guard<std::mutex> guard(applied().mutex);
    applied().settings = VideoSettings();
    applied().count = 0;
}

bool VideoSettings::operator==(const VideoSettings& other) const {
    return width == other.width && height == other.height &&
           traceEnemyActions == other.traceEnemyActions && fogDistance == other.fogDistance &&
           detailsOn == other.detailsOn && detailLevel == other.detailLevel &&
           sceneActivity == other.sceneActivity && texture == other.texture &&
           mipmaps == other.mipmaps && dithering == other.dithering && specular == other.specular &&
           antialiasing == other.antialiasing && wbuffer == other.wbuffer && halo == other.halo &&
           shadows == other.shadows && lightmaps == other.lightmaps;
}

} // namespace profile

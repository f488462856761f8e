#include "host/engine/DegradingManager.h"
#include "host/config/CheckedRead.h"
#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/EngineLog.h"

#include <algorithm>

namespace {
DegradingManager manager;
const char* const kNames[] = {"mipmaps", "dithering", "specular", "antialiasing",
                              "wbuffer", "halo",      "shadows",  "lightmaps"};
} // namespace

DegradingManager* theDegradingManager = &manager;

void DegradingManager::readTable() const {
    if (tableRead)
        return;
    tableRead = true;
    std::fill(std::begin(supported), std::end(supported), true);
    config::Config file;
    // A missing table: everything is supported; a broken one is reported by the reader.
    if (!file.readFile(kTablePath))
        return;
    const config::Block* table = nullptr;
    if (!static_cast<const config::Block&>(file).getPropertyAccess("capabilities", &table))
        return;
    const config::CheckedReader reader(engineLog(), *table, "renderer capability ");
    for (const config::NameEntry* entry = table->getFirstEntry(); entry;
         entry = entry->getNextEntry()) {
        int capability = 0;
        while (capability < CapabilityCount && entry->getName() != kNames[capability])
            ++capability;
        if (capability == CapabilityCount || entry->isBlock()) {
            debug::Error error(
                debug::Context(kTablePath, entry->getLine(), entry->getColumn()),
                "unknown renderer capability '" + entry->getName() + "' (known: mipmaps, " +
                    "dithering, specular, antialiasing, wbuffer, halo, shadows, lightmaps)");
            debug::report(engineLog(), error);
            continue;
        }
        bool on = true;
        if (reader.readBool(entry->getName(), &on))
            supported[capability] = on;
    }
}

bool DegradingManager::hasCapability(Capability capability) const {
    std::lock_guard<std::mutex> guard(mutex);
    readTable();
    return valid(capability) && supported[capability];
}

void DegradingManager::setCapability(Capability capability, bool on) {
    std::lock_guard<std::mutex> guard(mutex);
    readTable();
    if (valid(capability))
        supported[capability] = on;
}

const char* DegradingManager::getCapabilityName(Capability capability) {
    return valid(capability) ? kNames[capability] : "";
}

void DegradingManager::setFeature(Capability capability, bool on) {
    std::lock_guard<std::mutex> guard(mutex);
    if (valid(capability))
        requested[capability] = on;
}

bool DegradingManager::isFeatureRequested(Capability capability) const {
    std::lock_guard<std::mutex> guard(mutex);
    return valid(capability) && requested[capability];
}

bool DegradingManager::isFeatureOn(Capability capability) const {
    std::lock_guard<std::mutex> guard(mutex);
    readTable();
    return valid(capability) && requested[capability] && supported[capability];
}

void DegradingManager::setTextureDetail(int detail) {
    std::lock_guard<std::mutex> guard(mutex);
    textureDetail =
        std::clamp(detail, static_cast<int>(LowTextures), static_cast<int>(HighTextures));
}

int DegradingManager::getTextureDetail() const {
    std::lock_guard<std::mutex> guard(mutex);
    return textureDetail;
}

void DegradingManager::setFogDistance(float share) {
    std::lock_guard<std::mutex> guard(mutex);
    fogDistance = std::clamp(share, 0.8f, 1.0f);
}

float DegradingManager::getFogDistance() const {
    std::lock_guard<std::mutex> guard(mutex);
    return fogDistance;
}

void DegradingManager::setDetailsEnabled(bool on) {
    std::lock_guard<std::mutex> guard(mutex);
    detailsEnabled = on;
}

bool DegradingManager::getDetailsEnabled() const {
    std::lock_guard<std::mutex> guard(mutex);
    return detailsEnabled;
}

void DegradingManager::setDetailLevel(float level) {
    std::lock_guard<std::mutex> guard(mutex);
    detailLevel = std::clamp(level, 0.0f, 2.0f);
}

float DegradingManager::getDetailLevel() const {
    std::lock_guard<std::mutex> guard(mutex);
    return detailLevel;
}

void DegradingManager::setSceneActivity(bool on) {
    std::lock_guard<std::mutex> guard(mutex);
    sceneActivity = on;
}

bool DegradingManager::getSceneActivity() const {
    std::lock_guard<std::mutex> guard(mutex);
    return sceneActivity;
}

bool DegradingManager::setResolution(int newWidth, int newHeight) {
    if (newWidth < kMinWidth || newHeight < kMinHeight || newWidth > kMaxSide ||
        newHeight > kMaxSide) {
        debug::Error error(debug::ContextScope::current(debug::Context("renderer", 0)),
                           "screen mode " + std::to_string(newWidth) + " x " +
                               std::to_string(newHeight) + " refused: the renderer draws from " +
                               std::to_string(kMinWidth) + " x " + std::to_string(kMinHeight) +
                               " to " + std::to_string(kMaxSide) + " pixels a side");
        debug::report(engineLog(), error);
        return false;
    }
    std::lock_guard<std::mutex> guard(mutex);
    if (newWidth != width || newHeight != height)
        ++modeSwitches;
    width = newWidth;
    height = newHeight;
    return true;
}

int DegradingManager::getWidth() const {
    std::lock_guard<std::mutex> guard(mutex);
    return width;
}

int DegradingManager::getHeight() const {
    std::lock_guard<std::mutex> guard(mutex);
    return height;
}

int DegradingManager::getModeSwitchCount() const {
    std::lock_guard<std::mutex> guard(mutex);
    return modeSwitches;
}

void DegradingManager::reset() {
    std::lock_guard<std::mutex> guard(mutex);
    tableRead = false;
    std::fill(std::begin(supported), std::end(supported), true);
    std::fill(std::begin(requested), std::end(requested), true);
    textureDetail = HighTextures;
    fogDistance = 1.0f;
    detailsEnabled = true;
    detailLevel = 1.0f;
    sceneActivity = true;
    width = 1024;
    height = 768;
    modeSwitches = 0;
}

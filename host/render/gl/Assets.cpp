#include "host/render/gl/Assets.h"
#include "host/engine/EngineLog.h"
#include "host/render/FrameRenderer.h"
#include "host/resource/ResourceManager.h"
#include "host/resource/WholeFile.h"

#include <filesystem>

namespace render {

namespace {
// Pictures, models and faces of a game are a few megabytes at most; a bigger file is a mistake.
constexpr uintmax_t kLargestAsset = 64u << 20;
} // namespace

bool readGameFile(const std::string& gamePath, std::string* bytes, std::string* why) {
    std::filesystem::path file;
    if (!resource::theResourceManager || !resource::theResourceManager->resolve(gamePath, &file)) {
        *why = "refused path";
        return false;
    }
    switch (resource::readWholeFile(file, bytes, why, kLargestAsset)) {
    case resource::FileState::Read:
        return true;
    case resource::FileState::Missing:
        *why = "no such file";
        return false;
    case resource::FileState::Unreadable:
        return false;
    }
    return false;
}

std::string imagePath(const std::string& name) {
    if (!name.empty() && name[0] == '/')
        return name;
    return "/Images/Named/" + name + ".png";
}

void reportMissingAsset(const std::string& gamePath, const std::string& what) {
    if (firstReportOfAsset(gamePath))
        reportEngineError(gamePath, 0, what);
}

} // namespace render

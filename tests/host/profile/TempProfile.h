#pragma once

#include "host/profile/Profile.h"
#include "host/profile/VideoSettings.h"
#include "host/resource/ResourceManager.h"
#include "support/TempDir.h"

#include <filesystem>
#include <string>

namespace kel::test {

// Points "/Profile" at a fresh temporary directory and starts from an empty profile; puts the
// previous roots back afterwards. The data root is left alone unless a test gives its own.
class TempProfile {
public:
    TempProfile() {
        savedProfile = resource::theResourceManager->getProfileRoot();
        savedData = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setProfileRoot(dir.get());
        theProfile->reset();
        profile::VideoSettings::resetApplied();
    }
    ~TempProfile() {
        theProfile->reset();
        profile::VideoSettings::resetApplied();
        resource::theResourceManager->setProfileRoot(savedProfile);
        resource::theResourceManager->setDataRoot(savedData);
    }
    TempProfile(const TempProfile&) = delete;
    TempProfile& operator=(const TempProfile&) = delete;

    const TempDir& files() const { return dir; }
    bool exists(const std::string& name) const { return std::filesystem::exists(dir / name); }

private:
    TempDir dir;
    std::filesystem::path savedProfile;
    std::filesystem::path savedData;
};

} // namespace kel::test

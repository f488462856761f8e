#pragma once

#include "host/resource/ResourceManager.h"
#include "support/TempDir.h"

namespace kel::test {

// Points the game's data and profile roots at fresh temporary directories for the lifetime of
// the object, and puts the previous roots back after.
class TempRoots {
public:
    TempRoots() {
        savedData = resource::theResourceManager->getDataRoot();
        savedProfile = resource::theResourceManager->getProfileRoot();
        resource::theResourceManager->setDataRoot(data.get());
        resource::theResourceManager->setProfileRoot(profile.get());
    }
    ~TempRoots() {
        resource::theResourceManager->setDataRoot(savedData);
        resource::theResourceManager->setProfileRoot(savedProfile);
    }

    TempDir data;
    TempDir profile;

private:
    std::filesystem::path savedData;
    std::filesystem::path savedProfile;
};

} // namespace kel::test

#pragma once

#include "ui/KELUI.h"

#include "host/ReferenceHost.h"
#include "host/kelinput/KelInput.h"
#include "host/resource/ResourceManager.h"

#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace bench {

// The module booted as a host boots it, on the shipped data with a throw-away profile, the main
// menu shown. The profile root of the process is restored and the profile removed afterwards.
class BootedModule {
public:
    BootedModule() {
        saved = resource::theResourceManager->getProfileRoot();
        profile = std::filesystem::temp_directory_path() /
                  ("kel-bench-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(profile);
        resource::theResourceManager->setProfileRoot(profile);
        resetReferenceHost();
        root = std::make_unique<kel::ui::KELUI>();
        kel::ui::theKELUI = root.get();
        root->init();
        root->command(kel::ui::Command::LOAD_INTERFACE);
        root->command(kel::ui::Command::SHOW_MAIN_MENU);
    }
    ~BootedModule() {
        theKelInput->getRootBroadcaster()->detach(root.get());
        root->term();
        root.reset();
        kel::ui::theKELUI = nullptr;
        resource::theResourceManager->setProfileRoot(saved);
        std::error_code ec;
        std::filesystem::remove_all(profile, ec);
    }
    BootedModule(const BootedModule&) = delete;
    BootedModule& operator=(const BootedModule&) = delete;

    std::unique_ptr<kel::ui::KELUI> root;

private:
    std::filesystem::path saved;
    std::filesystem::path profile;
};

} // namespace bench

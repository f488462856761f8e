// Boots the installed module on the reference host as a game does, shows the main menu and
// writes a snapshot of it. Usage: consumer SNAPSHOT.svg; exits 0 when the picture was written.
#include "host/ReferenceHost.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/Snapshot.h"
#include "ui/KELUI.h"

#include <cstdio>
#include <filesystem>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: consumer SNAPSHOT.svg\n");
        return 2;
    }
    resetReferenceHost();
    resource::theResourceManager->setDataRoot(KEL_INSTALLED_DATA);

    auto root = std::make_unique<kel::ui::KELUI>();
    kel::ui::theKELUI = root.get();
    root->init();
    root->command(kel::ui::Command::LOAD_INTERFACE);
    root->command(kel::ui::Command::SHOW_MAIN_MENU);
    if (!(root->getState() == kel::ui::State::MAIN_MENU)) {
        std::fprintf(stderr, "the main menu is not up\n");
        return 1;
    }

    std::string error;
    const bool written = ::ui::Snapshot(root.get()).write(argv[1], {}, &error);
    root->term();
    root.reset();
    kel::ui::theKELUI = nullptr;
    if (!written || !std::filesystem::exists(argv[1]) || std::filesystem::file_size(argv[1]) == 0) {
        std::fprintf(stderr, "no snapshot: %s\n", error.c_str());
        return 1;
    }
    std::printf("snapshot written: %s\n", argv[1]);
    return 0;
}

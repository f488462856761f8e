// kel-play: the main program of kel-ui on the reference host.

#include "DataCheck.h"

#include "host/resource/ResourceManager.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void usage() {
    std::printf("usage: kel-play [--data DIR] [--profile DIR] [--check]\n"
                "  --data DIR     game data root (default: the shipped data)\n"
                "  --profile DIR  writable profile directory\n"
                "  --check        check every configuration file of the game data\n");
}

int checkData() {
    const auto root = resource::theResourceManager->getDataRoot();
    kelplay::DataCheck check(root);
    const auto problems = check.run();
    for (const auto& problem : problems)
        std::fprintf(stderr, "%s\n", kelplay::describe(problem).c_str());
    std::printf("checked %d configuration files under %s: %zu error%s\n", check.filesChecked(),
                root.string().c_str(), problems.size(), problems.size() == 1 ? "" : "s");
    return problems.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--data" || arg == "--profile") && i + 1 < argc) {
            if (arg == "--data")
                resource::theResourceManager->setDataRoot(argv[++i]);
            else
                resource::theResourceManager->setProfileRoot(argv[++i]);
        } else if (arg == "--check") {
            // The data check is what kel-play does until the game boots.
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            std::fprintf(stderr, "kel-play: unknown argument '%s'\n", arg.c_str());
            usage();
            return 2;
        }
    }
    return checkData();
}

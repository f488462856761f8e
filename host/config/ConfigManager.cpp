#include "host/config/ConfigManager.h"

namespace config {

namespace {
ConfigManager instance;
}

ConfigManager* theConfigManager = &instance;

const Config* ConfigManager::bindConfig(const std::string& path) {
    thread::Lock hold(*this);
    auto found = configs.find(path);
    if (found != configs.end())
        return found->second.get();
    auto config = std::make_unique<Config>();
    config->readFile(path);
    const Config* result = config.get();
    configs.emplace(path, std::move(config));
    return result;
}

void ConfigManager::clear() {
    thread::Lock hold(*this);
    configs.clear();
}

} // namespace config

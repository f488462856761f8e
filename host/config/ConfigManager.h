#pragma once

#include "host/HostApi.h"
#include "host/config/Config.h"
#include "host/thread/SynchronizedObject.h"

#include <map>
#include <memory>
#include <string>

namespace config {

// Shared, read-only configurations: each path is read once, on its first binding, and the same
// object is handed to every caller until the manager is cleared. A missing file binds an empty
// configuration.
class KEL_HOST_API ConfigManager : public thread::SynchronizedObject {
public:
    const Config* bindConfig(const std::string& path);
    // Forgets every bound configuration (pointers handed out before become invalid); for hosts
    // that reload their data and for tests.
    void clear();

private:
    std::map<std::string, std::unique_ptr<Config>> configs;
};

KEL_HOST_API extern ConfigManager* theConfigManager;

} // namespace config

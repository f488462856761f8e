#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace kelplay {

// An empty profile directory for one session under the system's temporary directory, removed
// with what the session wrote when the object goes.
class FreshProfile {
public:
    FreshProfile() {
        std::random_device random;
        path = std::filesystem::temp_directory_path() /
               ("kel-play-profile-" + std::to_string(random()));
        std::filesystem::create_directories(path);
    }
    ~FreshProfile() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    FreshProfile(const FreshProfile&) = delete;
    FreshProfile& operator=(const FreshProfile&) = delete;

    const std::filesystem::path& get() const { return path; }

private:
    std::filesystem::path path;
};

} // namespace kelplay

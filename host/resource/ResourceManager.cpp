#include "host/resource/ResourceManager.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/resource/FileList.h"
#include "host/resource/WholeFile.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#ifndef KEL_DATA_DIR
#define KEL_DATA_DIR "data"
#endif

namespace resource {

namespace {

debug::Filter& resourceFilter() {
    static debug::Filter filter("resource", true);
    return filter;
}

void refuse(const std::string& gamePath, const std::string& why) {
    debug::Error error(debug::Context(gamePath, 0), why);
    debug::report(resourceFilter(), error);
}

std::filesystem::path defaultProfileRoot() {
    if (const char* explicitRoot = std::getenv("KEL_PROFILE_DIR"); explicitRoot && *explicitRoot)
        return explicitRoot;
#ifdef _WIN32
    if (const char* appData = std::getenv("APPDATA"); appData && *appData)
        return std::filesystem::path(appData) / "kel-ui" / "profile";
#else
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome)
        return std::filesystem::path(dataHome) / "kel-ui" / "profile";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "kel-ui" / "profile";
#endif
    std::error_code ec;
    return std::filesystem::temp_directory_path(ec) / "kel-ui" / "profile";
}

std::filesystem::path defaultDataRoot() {
    if (const char* root = std::getenv("KEL_DATA_ROOT"); root && *root)
        return root;
    return KEL_DATA_DIR;
}

ResourceManager instance;

} // namespace

ResourceManager* theResourceManager = &instance;

ResourceManager::ResourceManager()
    : dataRoot(defaultDataRoot()), profileRoot(defaultProfileRoot()) {}

void ResourceManager::setDataRoot(const std::filesystem::path& root) {
    std::lock_guard<std::mutex> guard(mutex);
    dataRoot = root;
}

std::filesystem::path ResourceManager::getDataRoot() const {
    std::lock_guard<std::mutex> guard(mutex);
    return dataRoot;
}

void ResourceManager::setProfileRoot(const std::filesystem::path& root) {
    std::lock_guard<std::mutex> guard(mutex);
    profileRoot = root;
}

std::filesystem::path ResourceManager::getProfileRoot() const {
    std::lock_guard<std::mutex> guard(mutex);
    return profileRoot;
}

bool ResourceManager::normalise(const std::string& gamePath, std::string* out) const {
    std::string joined = gamePath;
    if (joined.empty() || (joined[0] != '/' && joined[0] != '\\'))
        joined = currentDirectory + "/" + joined;
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t stop = joined.find_first_of("/\\", start);
        if (stop == std::string::npos)
            stop = joined.size();
        const std::string segment = joined.substr(start, stop - start);
        if (segment == "..")
            return false;
        if (!segment.empty() && segment != ".")
            segments.push_back(segment);
        start = stop + 1;
    }
    std::string result;
    for (const auto& segment : segments)
        result += "/" + segment;
    *out = result.empty() ? "/" : result;
    return true;
}

namespace {

// "/Profile" or "/Profile/...", the prefix in any letter case (file systems that ignore case
// would open the profile for "/profile" too).
bool isProfilePath(const std::string& normal) {
    static const char prefix[] = "/profile";
    const size_t length = sizeof prefix - 1;
    if (normal.size() < length || (normal.size() > length && normal[length] != '/'))
        return false;
    for (size_t i = 0; i < length; ++i) {
        char c = normal[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// Whether `path`, with every symbolic link it passes through followed, stays inside `root`.
bool staysInside(const std::filesystem::path& root, const std::filesystem::path& path) {
    std::error_code ec;
    const auto realRoot = std::filesystem::weakly_canonical(root, ec);
    if (ec)
        return true; // no root on disk yet: nothing under it can lead out
    const auto realPath = std::filesystem::weakly_canonical(path, ec);
    if (ec)
        return false;
    const auto rootEnd = realRoot.end();
    auto at = realPath.begin();
    for (auto part = realRoot.begin(); part != rootEnd; ++part, ++at) {
        if (part->empty() && std::next(part) == rootEnd)
            break; // a root given with a trailing separator
        if (at == realPath.end() || *at != *part)
            return false;
    }
    return true;
}

} // namespace

bool ResourceManager::resolve(const std::string& gamePath, std::filesystem::path* out) const {
    std::string normal;
    std::filesystem::path data, profile;
    {
        std::lock_guard<std::mutex> guard(mutex);
        if (!normalise(gamePath, &normal)) {
            refuse(gamePath, "refused: a game path may not leave its root with \"..\"");
            return false;
        }
        data = dataRoot;
        profile = profileRoot;
    }
    const bool inProfile = isProfilePath(normal);
    const std::filesystem::path& root = inProfile ? profile : data;
    const std::filesystem::path file =
        root / std::filesystem::u8path(normal.substr(inProfile ? 8 : 0)).relative_path();
    if (!staysInside(root, file)) {
        refuse(gamePath, "refused: a symbolic link leads outside the " +
                             std::string(inProfile ? "profile" : "data") + " directory");
        return false;
    }
    *out = file;
    return true;
}

bool ResourceManager::resolveForWrite(const std::string& gamePath,
                                      std::filesystem::path* out) const {
    std::string normal;
    bool known = false;
    {
        std::lock_guard<std::mutex> guard(mutex);
        known = normalise(gamePath, &normal);
    }
    if (known && !isProfilePath(normal)) {
        refuse(gamePath, "refused: only files under /Profile are written; the game data stays "
                         "as shipped");
        return false;
    }
    return resolve(gamePath, out);
}

std::string ResourceManager::moveAside(const std::string& gamePath, std::string* why) const {
    std::string normal;
    {
        std::lock_guard<std::mutex> guard(mutex);
        if (!normalise(gamePath, &normal) || !isProfilePath(normal) || normal.size() <= 9) {
            *why = "only the player's files under /Profile are moved";
            return std::string();
        }
    }
    std::filesystem::path file;
    if (!resolve(normal, &file))
        return std::string();
    const std::filesystem::path aside = resource::moveAside(file, why);
    if (aside.empty())
        return std::string();
    return normal.substr(0, normal.find_last_of('/') + 1) + aside.filename().u8string();
}

std::string ResourceManager::getCurrentDirectory() const {
    std::lock_guard<std::mutex> guard(mutex);
    return currentDirectory;
}

bool ResourceManager::changeDirectory(const std::string& gamePath) {
    std::string normal;
    {
        std::lock_guard<std::mutex> guard(mutex);
        if (!normalise(gamePath, &normal)) {
            refuse(gamePath, "refused: a game path may not leave its root with \"..\"");
            return false;
        }
    }
    std::filesystem::path target;
    std::error_code ec;
    if (!resolve(normal, &target) || !std::filesystem::is_directory(target, ec))
        return false;
    std::lock_guard<std::mutex> guard(mutex);
    currentDirectory = normal;
    return true;
}

void ResourceManager::listDirectory(FileList* list) const {
    std::filesystem::path directory;
    if (!resolve(getCurrentDirectory(), &directory))
        return;
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec))
        names.push_back(it->path().filename().u8string());
    std::sort(names.begin(), names.end());
    for (const auto& name : names)
        list->add(name.c_str());
}

int ResourceManager::testEntry(const char* name) const {
    const std::string entry = name ? name : "";
    if (entry.empty() || entry == "." || entry == ".." ||
        entry.find_first_of("/\\") != std::string::npos)
        return 2;
    // Resolved as a path of its own, so a link that leads out of the root is refused here too.
    std::filesystem::path file;
    if (!resolve(getCurrentDirectory() + "/" + entry, &file))
        return 2;
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (ec)
        return 2;
    if (std::filesystem::is_regular_file(status))
        return 0;
    if (std::filesystem::is_directory(status))
        return 1;
    return 2;
}

} // namespace resource

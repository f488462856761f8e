#include "host/resource/AtomicFile.h"
#include "host/resource/FileSystemOps.h"
#include "host/resource/SystemFile.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace resource {

namespace {

std::atomic<unsigned> counter{0};

// The data goes to the file in pieces of this size, each a write of its own.
constexpr std::size_t kChunk = 16 * 1024;

const char kTemporaryMark[] = ".tmp.";

// Removes temporary files that an earlier process left beside `path` when it died between
// creating and renaming them ("<name>.tmp.<pid>.<n>" with another pid than ours; our own are
// either being written by another thread or already gone).
void removeStaleTemporaries(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    const std::string prefix = path.filename().u8string() + kTemporaryMark;
    const std::string ours = prefix + std::to_string(processId()) + ".";
    std::error_code ec;
    const fs::path directory = path.has_parent_path() ? path.parent_path() : fs::path(".");
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().u8string();
        if (name.compare(0, prefix.size(), prefix) == 0 &&
            name.compare(0, ours.size(), ours) != 0) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

} // namespace

bool writeFileAtomically(const std::filesystem::path& requested, std::string_view data,
                         std::string* error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // A symbolic link is written through: its target gets the new content and the link stays.
    fs::path path = requested;
    if (fs::is_symlink(fs::symlink_status(requested, ec))) {
        path = fs::weakly_canonical(requested, ec);
        if (ec) {
            *error = "cannot follow the link " + describePath(requested) + ": " + ec.message();
            return false;
        }
    }
    const auto previous = fs::status(path, ec);
    const bool replacing = !ec && fs::is_regular_file(previous);
    ec.clear();
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        *error =
            "cannot create directory " + describePath(path.parent_path()) + ": " + ec.message();
        return false;
    }
    removeStaleTemporaries(path);
    fs::path temporary = path;
    temporary += kTemporaryMark + std::to_string(processId()) + "." + std::to_string(counter++);

    FileSystemOps& ops = fileSystemOps();
    std::string why;
    std::FILE* file = ops.create(temporary, &why);
    if (!file) {
        *error = "cannot create " + describePath(temporary) + ": " + why;
        return false;
    }
    // The first step that fails names itself; the file is closed whatever happened.
    const char* failedStep = nullptr;
    for (std::size_t at = 0; !failedStep && at < data.size(); at += kChunk)
        if (!ops.write(file, data.data() + at, std::min(kChunk, data.size() - at), &why))
            failedStep = "cannot write ";
    if (!failedStep && !ops.flush(file, &why))
        failedStep = "cannot flush ";
    if (!failedStep && !ops.sync(file, &why))
        failedStep = "cannot sync to the disk ";
    std::string closeWhy;
    if (!ops.close(file, &closeWhy) && !failedStep) {
        failedStep = "cannot close ";
        why = closeWhy;
    }
    if (failedStep) {
        *error = failedStep + describePath(temporary) + ": " + why;
        fs::remove(temporary, ec);
        return false;
    }
    // The new file keeps the permissions the player gave the old one.
    if (replacing)
        fs::permissions(temporary, previous.permissions(), fs::perm_options::replace, ec);
    if (!ops.rename(temporary, path, &why)) {
        *error = "cannot replace " + describePath(path) + ": " + why;
        fs::remove(temporary, ec);
        return false;
    }
    // Make the rename itself durable. The new file is in place already; only a power cut could
    // still lose it, which the caller hears of.
    const fs::path directory = path.has_parent_path() ? path.parent_path() : fs::path(".");
    if (!ops.syncDirectory(directory, &why)) {
        *error = "cannot sync the directory " + describePath(directory) + " after replacing " +
                 describePath(path) + ": " + why;
        return false;
    }
    return true;
}

} // namespace resource

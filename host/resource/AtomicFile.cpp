#include "host/resource/AtomicFile.h"
#include "host/resource/SystemFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace resource {

namespace {

std::atomic<unsigned> counter{0};

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// Pushes the file's data to the disk, not only to the OS.
bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
    return MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    // Make the rename itself durable.
    const auto directory = to.parent_path().empty() ? std::filesystem::path(".") : to.parent_path();
    const int fd = open(directory.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
#endif
}

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

    std::FILE* file = openFile(temporary, "wb");
    if (!file) {
        *error = "cannot create " + describePath(temporary) + ": " + systemErrorText(errno);
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool flushed = written && flushToDisk(file);
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        *error = "cannot write " + describePath(temporary) + ": " + systemErrorText(savedErrno);
        std::filesystem::remove(temporary, ec);
        return false;
    }
    // The new file keeps the permissions the player gave the old one.
    if (replacing)
        fs::permissions(temporary, previous.permissions(), fs::perm_options::replace, ec);
    if (!replaceFile(temporary, path)) {
        // MoveFileExW reports through GetLastError, rename through errno.
        *error = "cannot replace " + describePath(path) + ": " + systemErrorText(errno, true);
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

} // namespace resource

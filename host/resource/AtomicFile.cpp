#include "host/resource/AtomicFile.h"

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

} // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view data,
                         std::string* error) {
    std::error_code ec;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);
    if (ec) {
        *error = "cannot create directory " + path.parent_path().string() + ": " + ec.message();
        return false;
    }
    std::filesystem::path temporary = path;
    temporary += ".tmp." + std::to_string(processId()) + "." + std::to_string(counter++);

    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (!file) {
        *error = "cannot create " + temporary.string() + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool flushed = written && flushToDisk(file);
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        *error = "cannot write " + temporary.string() + ": " + std::strerror(savedErrno);
        std::filesystem::remove(temporary, ec);
        return false;
    }
    if (!replaceFile(temporary, path)) {
        *error = "cannot replace " + path.string() + ": " + std::strerror(errno);
        std::filesystem::remove(temporary, ec);
        return false;
    }
    return true;
}

} // namespace resource

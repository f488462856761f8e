#include "host/resource/FileSystemOps.h"
#include "host/resource/SystemFile.h"

#include <atomic>
#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace resource {

namespace {

FileSystemOps realOps;
std::atomic<FileSystemOps*> currentOps{&realOps};

bool failed(std::string* why, bool windowsCall = false) {
    *why = systemErrorText(errno, windowsCall);
    return false;
}

} // namespace

std::FILE* FileSystemOps::create(const std::filesystem::path& path, std::string* why) {
    std::FILE* file = openFile(path, "wb");
    if (!file)
        failed(why);
    return file;
}

bool FileSystemOps::write(std::FILE* file, const char* data, std::size_t size, std::string* why) {
    return std::fwrite(data, 1, size, file) == size || failed(why);
}

bool FileSystemOps::flush(std::FILE* file, std::string* why) {
    return std::fflush(file) == 0 || failed(why);
}

bool FileSystemOps::sync(std::FILE* file, std::string* why) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0 || failed(why);
#else
    return fsync(fileno(file)) == 0 || failed(why);
#endif
}

bool FileSystemOps::close(std::FILE* file, std::string* why) {
    return std::fclose(file) == 0 || failed(why);
}

bool FileSystemOps::rename(const std::filesystem::path& from, const std::filesystem::path& to,
                           std::string* why) {
#ifdef _WIN32
    // MoveFileExW reports through GetLastError.
    return MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
           failed(why, true);
#else
    return std::rename(from.c_str(), to.c_str()) == 0 || failed(why);
#endif
}

bool FileSystemOps::syncDirectory(const std::filesystem::path& directory, std::string* why) {
#ifdef _WIN32
    (void)directory;
    (void)why;
    return true;
#else
    const int fd = open(directory.c_str(), O_RDONLY);
    if (fd < 0)
        return failed(why);
    bool synced = fsync(fd) == 0;
    // Some file systems cannot sync a directory at all; there is nothing more to do on them.
    if (!synced && (errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP))
        synced = true;
    const int savedErrno = errno;
    ::close(fd);
    errno = savedErrno;
    return synced || failed(why);
#endif
}

FileSystemOps& fileSystemOps() {
    return *currentOps.load();
}

ScopedFileSystemOps::ScopedFileSystemOps(FileSystemOps& ops)
    : previous(currentOps.exchange(&ops)) {}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    currentOps.store(previous);
}

} // namespace resource

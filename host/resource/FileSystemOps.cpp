#include "host/resource/FileSystemOps.h"
#include "host/resource/SystemFile.h"

#include <atomic>
#include <cerrno>

namespace resource {

namespace {

FileSystemOps realOps;
std::atomic<FileSystemOps*> currentOps{&realOps};

bool failed(std::string* why) {
    *why = systemErrorText(errno);
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
    return syncFile(file, why);
}

bool FileSystemOps::close(std::FILE* file, std::string* why) {
    return std::fclose(file) == 0 || failed(why);
}

bool FileSystemOps::rename(const std::filesystem::path& from, const std::filesystem::path& to,
                           std::string* why) {
    return replaceFile(from, to, why);
}

bool FileSystemOps::syncDirectory(const std::filesystem::path& directory, std::string* why) {
    return resource::syncDirectory(directory, why);
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

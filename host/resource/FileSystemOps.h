#pragma once

#include "host/HostApi.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>

namespace resource {

// The system calls an atomic write is made of, one virtual function each, so that a test can
// put its own in front of them (to count the steps, or to fail one). The defaults are the real
// calls. Each returns false (create: null) on failure and then sets `why` to the system's own
// text for it.
class KEL_HOST_API FileSystemOps {
public:
    virtual ~FileSystemOps() = default;

    // Opens a new file for writing, binary, replacing any of that name.
    virtual std::FILE* create(const std::filesystem::path& path, std::string* why);
    // Writes `size` bytes; the writer calls it once per chunk of the data.
    virtual bool write(std::FILE* file, const char* data, std::size_t size, std::string* why);
    // Hands what the C library still buffers to the system.
    virtual bool flush(std::FILE* file, std::string* why);
    // Pushes the file's data from the system to the disk (fsync; _commit on Windows).
    virtual bool sync(std::FILE* file, std::string* why);
    // Closes the file; called once for every file `create` gave, whatever happened since.
    virtual bool close(std::FILE* file, std::string* why);
    // Renames `from` over `to` in one step (on Windows with write-through).
    virtual bool rename(const std::filesystem::path& from, const std::filesystem::path& to,
                        std::string* why);
    // Makes a rename in `directory` durable (fsync of the directory; nothing to do on Windows,
    // where the rename writes through). A file system that cannot sync a directory counts as
    // done.
    virtual bool syncDirectory(const std::filesystem::path& directory, std::string* why);
};

// The calls the atomic writer uses now: the real ones unless a test put others in front.
KEL_HOST_API FileSystemOps& fileSystemOps();

// Puts `ops` in front of the real calls for the lifetime of the object, then puts back what was
// there before. For tests; nest them in scope order.
class KEL_HOST_API ScopedFileSystemOps {
public:
    explicit ScopedFileSystemOps(FileSystemOps& ops);
    ~ScopedFileSystemOps();
    ScopedFileSystemOps(const ScopedFileSystemOps&) = delete;
    ScopedFileSystemOps& operator=(const ScopedFileSystemOps&) = delete;

private:
    FileSystemOps* previous;
};

} // namespace resource

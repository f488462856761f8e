#pragma once

// The few system calls whose form differs between systems, in one place: nothing else in the
// host includes a system header or calls the system directly.

#include <cstdio>
#include <filesystem>
#include <string>

namespace resource {

// Opens a file by its path with a C `mode` ("rb", "wb"); on Windows through the wide-character
// call, so a name in any script opens. Null on failure, with errno set.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// The system's own text for the error of the last call that failed: errno's for the C library,
// or, with `windowsCall` on Windows, GetLastError's in the system's language.
std::string systemErrorText(int savedErrno, bool windowsCall = false);

// Pushes what the system holds of an open file's data to the disk (fsync; _commit on Windows).
// False, with `why` set to the system's text, on failure.
bool syncFile(std::FILE* file, std::string* why);

// Renames `from` over `to` in one step (on Windows MoveFileExW with write-through). False, with
// `why` set to the system's text, on failure.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string* why);

// Makes a rename in `directory` durable (fsync of the directory; nothing to do on Windows, where
// the rename writes through). A file system that cannot sync a directory counts as done.
bool syncDirectory(const std::filesystem::path& directory, std::string* why);

// This process's id.
int processId();

// A path as UTF-8 text for messages, whatever the system's encoding of paths.
std::string describePath(const std::filesystem::path& path);

} // namespace resource

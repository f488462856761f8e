#pragma once

// The few file calls whose form differs between systems, in one place.

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

// A path as UTF-8 text for messages, whatever the system's encoding of paths.
std::string describePath(const std::filesystem::path& path);

} // namespace resource

#pragma once

#include "host/HostApi.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace resource {

// What reading a whole file found.
enum class FileState { Missing, Read, Unreadable };

// Reads the whole file into `out`. Missing means there is no entry of that name; anything else
// that stops the read (a directory, no permission, an I/O error, more than `limit` bytes) is
// Unreadable, with `why`. The limit is checked before anything is read.
KEL_HOST_API FileState readWholeFile(const std::filesystem::path& path, std::string* out,
                                     std::string* why, uintmax_t limit = UINTMAX_MAX);

// Renames a file that cannot be used to "<name>.corrupt-N", N the first free number from 1, so
// that nothing written later can overwrite it. Returns the new path, or an empty one (with `why`)
// when it could not be moved.
KEL_HOST_API std::filesystem::path moveAside(const std::filesystem::path& path, std::string* why);

} // namespace resource

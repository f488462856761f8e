#pragma once

#include "host/HostApi.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace resource {

// Replaces `path` with `data` so that at every moment the file is either the old one or the new
// one, whole: the data goes to a temporary file in the same directory, which is flushed to disk
// and then renamed over the target, and the directory is flushed too. On failure the temporary
// file is removed and `error` names the step that failed and gives the system's text for it; only
// when the directory cannot be flushed after the rename is the new file already in place.
// The steps go through fileSystemOps() (host/resource/FileSystemOps.h), so tests can fail each.
// Missing parent directories are created. The new file keeps the old one's permissions; a
// symbolic link is written through to its target. Temporary files that a crashed process left
// beside the file are removed the next time it is written.
KEL_HOST_API bool writeFileAtomically(const std::filesystem::path& path, std::string_view data,
                                      std::string* error);

} // namespace resource

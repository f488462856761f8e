#include "host/resource/WholeFile.h"
#include "host/resource/SystemFile.h"

#include <cerrno>

#include <cstdio>

namespace resource {

FileState readWholeFile(const std::filesystem::path& path, std::string* out, std::string* why,
                        uintmax_t limit) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return FileState::Missing;
    if (ec || status.type() != std::filesystem::file_type::regular) {
        *why = ec ? ec.message() : "not a regular file";
        return FileState::Unreadable;
    }
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > limit) {
        *why = "it is " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
               " read";
        return FileState::Unreadable;
    }
    std::FILE* file = openFile(path, "rb");
    if (!file) {
        *why = "cannot open it: " + systemErrorText(errno);
        return FileState::Unreadable;
    }
    std::string data;
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0 && data.size() <= limit)
        data.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        *why = "read error";
        return FileState::Unreadable;
    }
    if (data.size() > limit) { // it grew while it was read
        *why = "it is more than the " + std::to_string(limit) + " bytes read";
        return FileState::Unreadable;
    }
    *out = std::move(data);
    return FileState::Read;
}

std::filesystem::path moveAside(const std::filesystem::path& path, std::string* why) {
    namespace fs = std::filesystem;
    for (int n = 1; n <= 1000; ++n) {
        fs::path aside = path;
        aside += ".corrupt-" + std::to_string(n);
        std::error_code ec;
        if (fs::exists(aside, ec) || ec)
            continue;
        fs::rename(path, aside, ec);
        if (ec) {
            *why = ec.message();
            return fs::path();
        }
        return aside;
    }
    *why = "no free name up to .corrupt-1000";
    return fs::path();
}

} // namespace resource

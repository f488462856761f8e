#include "host/resource/SystemFile.h"

#include <cerrno>
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

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wideMode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::string systemErrorText(int savedErrno, bool windowsCall) {
#ifdef _WIN32
    if (windowsCall) {
        const DWORD code = GetLastError();
        wchar_t* text = nullptr;
        const DWORD length =
            FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        std::string result;
        if (length > 0 && text) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length),
                                                 nullptr, 0, nullptr, nullptr);
            result.resize(static_cast<size_t>(size));
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), result.data(), size,
                                nullptr, nullptr);
            while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                                       result.back() == ' ' || result.back() == '.'))
                result.pop_back();
        }
        if (text)
            LocalFree(text);
        return result.empty() ? "system error " + std::to_string(code) : result;
    }
#else
    (void)windowsCall;
#endif
    return std::strerror(savedErrno);
}

namespace {

bool failed(std::string* why, bool windowsCall = false) {
    *why = systemErrorText(errno, windowsCall);
    return false;
}

} // namespace

bool syncFile(std::FILE* file, std::string* why) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0 || failed(why);
#else
    return fsync(fileno(file)) == 0 || failed(why);
#endif
}

bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string* why) {
#ifdef _WIN32
    // MoveFileExW reports through GetLastError.
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
           failed(why, true);
#else
    return std::rename(from.c_str(), to.c_str()) == 0 || failed(why);
#endif
}

bool syncDirectory(const std::filesystem::path& directory, std::string* why) {
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

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

std::string describePath(const std::filesystem::path& path) {
    return path.u8string();
}

} // namespace resource

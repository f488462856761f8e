#include "host/resource/SystemFile.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
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

std::string describePath(const std::filesystem::path& path) {
    return path.u8string();
}

} // namespace resource

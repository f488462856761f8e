#pragma once

#include "host/debug/Filter.h"
#include "host/resource/FileSystemOps.h"
#include "host/resource/ResourceManager.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// What the fuzz targets share. A target reads one input per call of LLVMFuzzerTestOneInput; bad
// input is expected to be reported on the host log, so the log is dropped, and anything a reader
// writes goes to a profile directory of the process's own, emptied before every input.
namespace fuzz {

// The input as text; longer inputs than the fuzzer's 64 KiB are not interesting.
inline bool text(const uint8_t* data, size_t size, std::string* out) {
    if (size > 64 * 1024)
        return false;
    out->assign(reinterpret_cast<const char*>(data), size);
    return true;
}

// The profile directory is thrown away, so what is written there need not reach the disk: the
// writer's syncs are skipped, which makes an input that saves many times faster.
class NoSync : public resource::FileSystemOps {
public:
    bool sync(std::FILE*, std::string*) override { return true; }
    bool syncDirectory(const std::filesystem::path&, std::string*) override { return true; }
};

class Profile {
public:
    Profile() : dir(base() / ("kel-fuzz-" + std::to_string(getpid()))), noSync(ops) {
        debug::setLogSink([](const debug::LogRecord&) {});
        resource::theResourceManager->setProfileRoot(dir);
    }
    ~Profile() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    // An empty profile directory holding only `name` with `content`.
    void only(const std::string& name, const std::string& content) const {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::ofstream(dir / name, std::ios::binary) << content;
    }

private:
    // Memory-backed where the system has it.
    static std::filesystem::path base() {
        std::error_code ec;
        return std::filesystem::is_directory("/dev/shm", ec)
                   ? std::filesystem::path("/dev/shm")
                   : std::filesystem::temp_directory_path();
    }

    std::filesystem::path dir;
    NoSync ops;
    resource::ScopedFileSystemOps noSync;
};

} // namespace fuzz

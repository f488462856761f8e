#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/resource/AtomicFile.h"
#include "host/resource/ResourceManager.h"

#include <cstdio>
#include <filesystem>

namespace config {

namespace {

debug::Filter& configFilter() {
    static debug::Filter filter("config", true);
    return filter;
}

bool readWholeFile(const std::filesystem::path& path, std::string* out) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return false;
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (!file)
        return false;
    std::string data;
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        data.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return false;
    *out = std::move(data);
    return true;
}

} // namespace

bool Config::readString(std::string_view text, const std::string& sourceName) {
    Block parsed;
    ParseError error;
    if (!parse(text, sourceName, parsed, &error)) {
        return fail(error);
    }
    lastError = ParseError();
    Block::operator=(std::move(parsed));
    return true;
}

bool Config::readFile(const std::string& path) {
    std::filesystem::path file;
    std::string text;
    if (!resource::theResourceManager->resolve(path, &file) || !readWholeFile(file, &text))
        return false;
    Block parsed;
    ParseError error;
    if (!parse(std::move(text), path, parsed, &error))
        return fail(error);
    lastError = ParseError();
    Block::operator=(std::move(parsed));
    return true;
}

bool Config::fail(const ParseError& error) {
    lastError = error;
    debug::Error message(debug::Context(error.file, error.line, error.column), error.message);
    debug::report(configFilter(), message);
    return false;
}

std::string Config::writeString() const {
    return write(*this);
}

bool Config::writeFile(const std::string& path) const {
    std::filesystem::path file;
    if (!resource::theResourceManager->resolve(path, &file))
        return false;
    std::string error;
    if (!resource::writeFileAtomically(file, writeString(), &error)) {
        debug::Error message(debug::Context(path, 0), "cannot write: " + error);
        debug::report(configFilter(), message);
        return false;
    }
    return true;
}

} // namespace config

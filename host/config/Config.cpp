#include "host/config/Config.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/resource/AtomicFile.h"
#include "host/resource/ResourceManager.h"
#include "host/resource/WholeFile.h"

#include <cstdio>
#include <filesystem>

namespace config {

namespace {

debug::Filter& configFilter() {
    static debug::Filter filter("config", true);
    return filter;
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
    std::string why;
    lastReadState = Unreadable;
    if (!resource::theResourceManager->resolve(path, &file))
        return false;
    switch (resource::readWholeFile(file, &text, &why, kMaxDocumentBytes)) {
    case resource::FileState::Missing:
        lastReadState = Missing;
        return false;
    case resource::FileState::Unreadable:
        lastError = ParseError();
        lastError.file = path;
        lastError.message = "cannot read the file: " + why;
        return fail(lastError);
    case resource::FileState::Read:
        break;
    }
    lastReadState = Malformed;
    Block parsed;
    ParseError error;
    if (!parse(std::move(text), path, parsed, &error))
        return fail(error);
    lastReadState = Read;
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
    if (!resource::theResourceManager->resolveForWrite(path, &file))
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

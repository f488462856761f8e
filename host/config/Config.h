#pragma once

#include "host/HostApi.h"
#include "host/config/Block.h"
#include "host/config/Syntax.h"

#include <string>
#include <string_view>

namespace config {

// A Block read from or written to a file named by its game path ("/Configs/UI/units.cfg",
// "/Profile/saves.cfg"; see resource::ResourceManager for how game paths resolve).
class KEL_HOST_API Config : public Block {
public:
    using Block::operator=;

    // Replaces the contents with the file's. False, with the contents unchanged, when the file
    // is missing or unreadable; also false on a syntax error, which is reported on the host log
    // (filter "config") with file, line and column and kept in getLastError().
    bool readFile(const std::string& path);
    // Writes atomically: a temporary file beside the target is written, flushed and renamed
    // over it, so a failure at any point leaves the previous file whole. False on failure.
    bool writeFile(const std::string& path) const;

    // The same on text; `sourceName` names it in errors.
    bool readString(std::string_view text, const std::string& sourceName);
    std::string writeString() const;

    // The last syntax error met by readFile or readString (line 0 when there was none); after
    // an Unreadable file, its message says why.
    const ParseError& getLastError() const { return lastError; }

    // What the last readFile found: no file, a file that could not be read, one that did not
    // parse, or one read whole.
    enum ReadState { Missing, Unreadable, Malformed, Read };
    ReadState getLastReadState() const { return lastReadState; }

private:
    bool fail(const ParseError& error);

    ParseError lastError;
    ReadState lastReadState = Missing;
};

} // namespace config

#pragma once

// The text syntax of every configuration file (layouts, data tables, saves, profile, maps).
// See docs/config-syntax.md for the language itself.

#include "host/HostApi.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace config {

class Block;

// Blocks may nest this deep; a deeper document is an error, never a stack overflow.
constexpr int kMaxDepth = 64;
// Bigger documents, or documents with more entries, are refused whole instead of exhausting
// memory.
constexpr size_t kMaxDocumentBytes = size_t{64} << 20;
constexpr size_t kMaxEntries = size_t{4} << 20;

struct KEL_HOST_API ParseError {
    std::string file;
    int line = 0;
    int column = 0; // 1-based, in characters (UTF-8 sequences count once)
    std::string message;

    // "file:line:column: message"
    std::string describe() const;
};

// Reads `text` into `root`, replacing what it held; `file` names the text in errors and in the
// blocks' source. The text is UTF-8 (a leading byte-order mark is skipped; invalid sequences are
// errors); lines end with LF, CR LF or a lone CR. On an error returns false and fills `error`;
// `root` then holds what was read before the error.
KEL_HOST_API bool parse(std::string_view text, const std::string& file, Block& root,
                        ParseError* error);
KEL_HOST_API bool parse(std::string&& text, const std::string& file, Block& root,
                        ParseError* error);

// Writes `root` so that parse() gives back the same names, values and order, byte for byte.
KEL_HOST_API std::string write(const Block& root);
KEL_HOST_API void write(const Block& root, std::string& out);

// Whether a name or value can be written without quotes.
KEL_HOST_API bool isBareWord(std::string_view text);

} // namespace config

#include "host/config/Syntax.h"
#include "host/config/Block.h"
#include "host/config/TextStore.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <new>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KEL_VECTOR_SCAN 1
#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif
#else
#define KEL_VECTOR_SCAN 0
#endif

#if defined(_MSC_VER) && !defined(__clang__)
#define KEL_COLD __declspec(noinline)
#else
#define KEL_COLD __attribute__((noinline, cold))
#endif

namespace config {

namespace {

// Bytes that may appear in a bare word: printable ASCII but the syntax characters, and every
// byte of a UTF-8 sequence.
constexpr std::array<bool, 256> makeWordTable() {
    std::array<bool, 256> table{};
    for (int c = 0x21; c < 0x7f; ++c)
        table[c] = true;
    for (int c = 0x80; c < 0x100; ++c)
        table[c] = true;
    for (char c : {'{', '}', '=', ';', '"', '#'})
        table[static_cast<unsigned char>(c)] = false;
    return table;
}
constexpr std::array<bool, 256> kWordByte = makeWordTable();

// Blanks between tokens: spaces, tabs, and the carriage return of a CR LF line end.
constexpr std::array<bool, 256> makeBlankTable() {
    std::array<bool, 256> table{};
    table[' '] = table['\t'] = table['\r'] = true;
    return table;
}
constexpr std::array<bool, 256> kBlank = makeBlankTable();

// Sixteen bytes compared at once, where the processor can.
#if KEL_VECTOR_SCAN
using Bytes = __m128i;

inline Bytes load16(const char* at) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

inline __m128i equal(Bytes bytes, char c) {
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c));
}

inline unsigned lowestBit(unsigned mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanForward(&index, mask);
    return index;
#else
    return static_cast<unsigned>(__builtin_ctz(mask));
#endif
}
#endif

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// The length of the well-formed UTF-8 sequence that starts at `at` with a byte of 0x80 or
// more, or 0 when it is not one (overlong forms, surrogates and code points above U+10FFFF
// included).
int utf8SequenceLength(const char* at, const char* stop) {
    const auto lead = static_cast<unsigned char>(*at);
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (stop - at < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(at[i]);
        if (i == 1 ? (next < low || next > high) : (next & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

// What one pass over a text finds: its first byte that does not start or continue a well-formed
// UTF-8 sequence (overlong forms, surrogates and code points above U+10FFFF included), and
// whether it has a carriage return. With `stopAtReturn` the pass ends at the first carriage
// return, which leaves the rest unchecked.
struct TextScan {
    const char* invalidUtf8 = nullptr;
    bool carriageReturn = false;
};

template <bool kVector> TextScan scanText(const char* at, const char* stop, bool stopAtReturn) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kReturns = 0x0D0D0D0D0D0D0D0Dull;
    // Bytes of 0x80 or more, or (when looked for) carriage returns, among eight.
    const auto interesting = [stopAtReturn](uint64_t word) {
        const uint64_t returns = word ^ kReturns;
        const uint64_t found = stopAtReturn ? (returns - kOnes) & ~returns : 0;
        return (word | found) & kHighBits;
    };
    TextScan scan;
    while (at < stop) {
#if KEL_VECTOR_SCAN
        if (kVector) {
            // Sixty-four bytes at a time: a byte of 0x80 or more has its top bit set, and a
            // carriage return is looked for only when asked.
            const auto interesting = [stopAtReturn](const char* from) {
                const __m128i bytes = load16(from);
                return stopAtReturn ? _mm_or_si128(bytes, equal(bytes, '\r')) : bytes;
            };
            while (stop - at >= 64 &&
                   _mm_movemask_epi8(
                       _mm_or_si128(_mm_or_si128(interesting(at), interesting(at + 16)),
                                    _mm_or_si128(interesting(at + 32), interesting(at + 48)))) == 0)
                at += 64;
            while (stop - at >= 16 && _mm_movemask_epi8(interesting(at)) == 0)
                at += 16;
        }
#endif
        // Thirty-two plain ASCII bytes at a time, then eight: most of a document is that.
        uint64_t words[4];
        while (stop - at >= 32 &&
               (std::memcpy(words, at, 32), (interesting(words[0]) | interesting(words[1]) |
                                             interesting(words[2]) | interesting(words[3])) == 0))
            at += 32;
        while (stop - at >= 8 && (std::memcpy(words, at, 8), interesting(words[0]) == 0))
            at += 8;
        if (at == stop)
            break;
        const auto byte = static_cast<unsigned char>(*at);
        if (byte < 0x80) {
            if (byte == '\r' && stopAtReturn) {
                scan.carriageReturn = true;
                return scan;
            }
            ++at;
            continue;
        }
        const int length = utf8SequenceLength(at, stop);
        if (length == 0) {
            scan.invalidUtf8 = at;
            if (!stopAtReturn)
                return scan;
            // A carriage return later on would have the text read again, normalised.
            scan.carriageReturn = std::memchr(at, '\r', static_cast<size_t>(stop - at)) != nullptr;
            return scan;
        }
        at += length;
    }
    return scan;
}

inline bool isWordByte(char c) {
    return kWordByte[static_cast<unsigned char>(c)];
}

std::atomic<bool> vectorScanning{KEL_VECTOR_SCAN != 0};

// The classes of bytes the reader looks for. Each says whether a byte is one (`at`) and, where
// the processor compares sixteen bytes at once, which of sixteen are (`mask`, a bit a byte).

// The end of a bare word: a byte no word has (see kWordByte).
struct WordEnd {
    static bool at(char c) { return !isWordByte(c); }
#if KEL_VECTOR_SCAN
    static unsigned mask(Bytes bytes) {
        // Control bytes and the space: those at most 0x20, unsigned.
        __m128i found = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x20)), bytes);
        for (char c : {'{', '}', '=', ';', '"', '#', '\x7f'})
            found = _mm_or_si128(found, equal(bytes, c));
        return static_cast<unsigned>(_mm_movemask_epi8(found));
    }
#endif
};

// What ends the plain part of a quoted string: its closing quote, an escape or the line's end.
struct QuotedEnd {
    static bool at(char c) { return c == '"' || c == '\\' || c == '\n'; }
#if KEL_VECTOR_SCAN
    static unsigned mask(Bytes bytes) {
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_or_si128(equal(bytes, '"'), equal(bytes, '\\')), equal(bytes, '\n'))));
    }
#endif
};

// The end of a run of blanks (see kBlank).
struct BlankEnd {
    static bool at(char c) { return !kBlank[static_cast<unsigned char>(c)]; }
#if KEL_VECTOR_SCAN
    static unsigned mask(Bytes bytes) {
        const __m128i blank =
            _mm_or_si128(_mm_or_si128(equal(bytes, ' '), equal(bytes, '\t')), equal(bytes, '\r'));
        return static_cast<unsigned>(_mm_movemask_epi8(blank)) ^ 0xFFFFu;
    }
#endif
};

// The end of a comment.
struct LineEnd {
    static bool at(char c) { return c == '\n'; }
#if KEL_VECTOR_SCAN
    static unsigned mask(Bytes bytes) {
        return static_cast<unsigned>(_mm_movemask_epi8(equal(bytes, '\n')));
    }
#endif
};

// The first byte of class `End` in [at, stop), or stop.
template <bool kVector, class End> inline const char* scanTo(const char* at, const char* stop) {
#if KEL_VECTOR_SCAN
    if (kVector)
        for (; stop - at >= 16; at += 16)
            if (const unsigned mask = End::mask(load16(at)))
                return at + lowestBit(mask);
#endif
    while (at < stop && !End::at(*at))
        ++at;
    return at;
}

template <bool kVector> class Parser {
public:
    // Reads [text, text + size); the store keeps what the document holds once read.
    Parser(const char* text, size_t size, TextStore& store, ParseError* error)
        : begin(text), p(begin), end(begin + size), lineStart(begin), skipStart(begin),
          store(store), error(error) {}

    // `invalidUtf8`: the text's first byte of invalid UTF-8 (see scanText), or null.
    bool parseDocument(Block& root, const char* invalidUtf8) {
        if (const char* bad = invalidUtf8)
            return failWith(bad, [&] { return "invalid UTF-8 (" + describeByte(*bad) + ")"; });
        const bool read = parseItems(root, 0, nullptr, std::string_view());
        Reader::finishBlock(root);
        return read;
    }

private:
    bool fail(const char* at, const std::string& message) {
        if (error) {
            int lineNumber = 1;
            const char* lineBegin = begin;
            for (const char* c = begin; c < at; ++c)
                if (*c == '\n') {
                    ++lineNumber;
                    lineBegin = c + 1;
                }
            int column = 1;
            for (const char* c = lineBegin; c < at; ++c)
                if ((static_cast<unsigned char>(*c) & 0xC0) != 0x80)
                    ++column;
            error->file = store.file;
            error->line = lineNumber;
            error->column = column;
            error->message = message;
        }
        return false;
    }

    // Reports an error whose message `make` builds: kept out of line, so the reading functions
    // build no strings and keep short frames.
    template <class Make> KEL_COLD bool failWith(const char* at, Make make) {
        return fail(at, make());
    }

    // Skips blanks and comments; with `newlines`, line ends too (counting them).
    void skip(bool newlines) {
        if (newlines) // names are only read after such a skip
            skipStart = p;
        while (true) {
            // Most runs of blanks are none (before a line's end), one (around '=', between
            // values) or an indentation.
            if (p < end && kBlank[static_cast<unsigned char>(*p)] && ++p < end &&
                kBlank[static_cast<unsigned char>(*p)])
                p = scanTo<kVector, BlankEnd>(p + 1, end);
            if (p == end)
                return;
            const char c = *p;
            if (c == '\n') {
                if (!newlines)
                    return;
                ++line;
                lineStart = ++p;
            } else if (c == '#' || (c == '/' && p + 1 < end && p[1] == '/')) {
                p = scanTo<kVector, LineEnd>(p, end);
            } else {
                return;
            }
        }
    }

    static std::string describeByte(char c) {
        static const char digits[] = "0123456789abcdef";
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f)
            return std::string("'") + c + "'";
        return std::string("byte 0x") + digits[byte >> 4] + digits[byte & 15];
    }

    static std::string quoteName(std::string_view name) {
        return "'" + std::string(name.substr(0, 40)) + (name.size() > 40 ? "...'" : "'");
    }

    // A bare word or a quoted string at p (before the end: the callers have looked at *p), as
    // a view into the text or into a decoded copy.
    bool readToken(std::string_view* out, const char* what) {
        if (*p == '"')
            return readQuoted(out);
        const char* start = p;
        p = scanTo<kVector, WordEnd>(p, end);
        if (p == start)
            return failWith(
                p, [&] { return "unexpected " + describeByte(*p) + ", expected " + what; });
        *out = std::string_view(start, static_cast<size_t>(p - start));
        return true;
    }

    bool readQuoted(std::string_view* out) {
        const char* open = p++;
        const char* start = p;
        p = scanTo<kVector, QuotedEnd>(p, end);
        if (p < end && *p == '"') {
            *out = std::string_view(start, static_cast<size_t>(p - start));
            ++p;
            return true;
        }
        // Escapes: decode into storage of the document's own.
        std::string decoded(start, p);
        while (true) {
            if (p >= end || *p == '\n')
                return failWith(
                    open, [] { return std::string("unterminated string (missing closing '\"')"); });
            const char c = *p;
            if (c == '"') {
                ++p;
                break;
            }
            if (c != '\\') {
                decoded += c;
                ++p;
                continue;
            }
            const char* escape = p++;
            if (p >= end)
                return failWith(
                    open, [] { return std::string("unterminated string (missing closing '\"')"); });
            switch (*p++) {
            case '"':
                decoded += '"';
                break;
            case '\\':
                decoded += '\\';
                break;
            case 'n':
                decoded += '\n';
                break;
            case 't':
                decoded += '\t';
                break;
            case 'r':
                decoded += '\r';
                break;
            case 'x': {
                int value = 0;
                for (int i = 0; i < 2; ++i, ++p) {
                    const int digit = p < end ? hexDigit(*p) : -1;
                    if (digit < 0)
                        return failWith(escape, [] {
                            return std::string("bad escape: \\x needs two hex digits");
                        });
                    value = value * 16 + digit;
                }
                decoded += static_cast<char>(value);
                break;
            }
            default:
                return failWith(escape, [&] {
                    return "unknown escape \\" + std::string(1, p[-1]) +
                           " (use \\\" \\\\ \\n \\t \\r or \\xHH)";
                });
            }
        }
        // Kept until the entry it belongs to has taken its copy.
        decodedTokens.push_back(std::move(decoded));
        *out = decodedTokens.back();
        return true;
    }

    static int hexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    bool parseItems(Block& block, int depth, const char* openBrace, std::string_view blockName) {
        std::string_view name;
        while (true) {
            skip(true);
            while (p < end && *p == ';') {
                ++p;
                skip(true);
            }
            if (p >= end) {
                if (depth == 0)
                    return true;
                return failWith(p, [&] {
                    return "expected '}' to close block " + quoteName(blockName) +
                           " opened at line " + std::to_string(openLine(openBrace));
                });
            }
            if (*p == '}') {
                if (depth == 0)
                    return failWith(
                        p, [] { return std::string("unexpected '}' with no block open"); });
                ++p;
                return true;
            }
            if (!decodedTokens.empty())
                decodedTokens.clear();
            const int nameLine = line;
            const uint16_t nameColumn = NameEntry::clampColumn(columnOf(p));
            if (!readToken(&name, "a property or block name"))
                return false;
            skip(true);
            if (p < end && *p == '{') {
                if (depth + 1 > kMaxDepth)
                    return failWith(p, [&] {
                        return "blocks nested deeper than " + std::to_string(kMaxDepth) + " levels";
                    });
                if (++entries > kMaxEntries)
                    return failWith(p, [&] { return tooManyEntries(); });
                const char* brace = p++;
                const std::string* kept = intern(name);
                Block& child = Reader::appendBlock(store, block, kept, nameLine, nameColumn);
                const bool read = parseItems(child, depth + 1, brace, *kept);
                Reader::finishBlock(child);
                if (!read)
                    return false;
            } else if (p < end && *p == '=') {
                ++p;
                if (++entries > kMaxEntries)
                    return failWith(p, [&] { return tooManyEntries(); });
                values.clear();
                if (!parseValues(name))
                    return false;
                Reader::appendList(store, block, intern(name), nameLine, nameColumn, values.data(),
                                   values.size());
            } else {
                return failWith(p, [&] { return "expected '=' or '{' after " + quoteName(name); });
            }
        }
    }

    bool parseValues(std::string_view name) {
        while (true) {
            skip(false);
            if (p >= end)
                return true;
            const char c = *p;
            if (c == '\n' || c == '}')
                return true;
            if (c == ';') {
                ++p;
                return true;
            }
            if (c == '{' || c == '=')
                return failWith(p, [&] {
                    return "unexpected " + describeByte(c) + " in the values of " + quoteName(name);
                });
            if (c == '"') {
                std::string_view value;
                if (!readQuoted(&value))
                    return false;
                values.emplace_back(value.data(), value.size());
                continue;
            }
            // A bare word, the usual value.
            const char* start = p;
            p = scanTo<kVector, WordEnd>(p, end);
            if (p == start)
                return failWith(
                    p, [&] { return "unexpected " + describeByte(c) + ", expected a value"; });
            values.emplace_back(start, static_cast<size_t>(p - start));
        }
    }

    // The document's copy of a name. Names come back in the same order block after block ("class",
    // "text", "font", ...), so the name read after the previous one last time is tried first.
    const std::string* intern(std::string_view name) {
        Hint& hint = hints[(reinterpret_cast<uintptr_t>(previousName) >> 4) % kHints];
        const std::string* kept = hint.next;
        if (hint.after != previousName || !kept || kept->size() != name.size() ||
            !sameBytes(kept->data(), name.data(), name.size())) {
            kept = store.intern(name);
            hint = Hint{previousName, kept};
        }
        previousName = kept;
        return kept;
    }

    // The column of `at`, where the last skip stopped: 1-based, a UTF-8 sequence counting once.
    int columnOf(const char* at) const {
        // When that skip crossed the line's start, only blanks stand before `at` on its line
        // (a comment runs to the line's end): the usual case of one entry a line needs no scan.
        if (lineStart >= skipStart)
            return static_cast<int>(at - lineStart) + 1;
        int column = 1;
        for (const char* c = lineStart; c < at; ++c)
            column += (static_cast<unsigned char>(*c) & 0xC0) != 0x80;
        return column;
    }

    static std::string tooManyEntries() {
        return "more than " + std::to_string(kMaxEntries) + " properties and blocks";
    }

    int openLine(const char* brace) const {
        int count = 1;
        for (const char* c = begin; c < brace; ++c)
            count += *c == '\n';
        return count;
    }

    const char* begin;
    const char* p;
    const char* end;
    int line = 1;
    const char* lineStart;                 // first byte of the current line
    const char* skipStart;                 // where the last skip began
    size_t entries = 0;                    // properties and blocks read so far
    std::vector<std::string_view> values;  // the property being read; reused
    std::deque<std::string> decodedTokens; // the entry being read's tokens that had escapes
    struct Hint {
        const std::string* after; // a name
        const std::string* next;  // the name read after it last time
    };
    static constexpr size_t kHints = 256;
    std::array<Hint, kHints> hints{};
    const std::string* previousName = nullptr;
    TextStore& store;
    ParseError* error;
};

void appendToken(std::string& out, std::string_view text) {
    if (isBareWord(text)) {
        out.append(text);
        return;
    }
    static const char digits[] = "0123456789abcdef";
    out += '"';
    const char* const stop = text.data() + text.size();
    for (const char* at = text.data(); at < stop; ++at) {
        const char c = *at;
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default: {
            // A well-formed UTF-8 sequence is written as it is; any other byte (which only a
            // \x escape can put in a value) is escaped again, so the text stays valid UTF-8.
            const int sequence = byte >= 0x80 ? utf8SequenceLength(at, stop) : 1;
            if (byte < 0x20 || byte == 0x7f || sequence == 0) {
                out += "\\x";
                out += digits[byte >> 4];
                out += digits[byte & 15];
            } else {
                out.append(at, static_cast<size_t>(sequence));
                at += sequence - 1;
            }
        }
        }
    }
    out += '"';
}

void writeBlock(const Block& block, std::string& out, int depth) {
    std::string scratch;
    for (const NameEntry* entry = block.getFirstEntry(); entry; entry = entry->getNextEntry()) {
        out.append(static_cast<size_t>(depth) * 4, ' ');
        appendToken(out, entry->getName());
        if (entry->isBlock()) {
            out += " {\n";
            writeBlock(Block::blockOf(*entry), out, depth + 1);
            out.append(static_cast<size_t>(depth) * 4, ' ');
            out += "}\n";
        } else {
            out += " =";
            const size_t count = block.valueCount(*entry);
            for (size_t i = 0; i < count; ++i) {
                out += ' ';
                appendToken(out, block.valueAt(*entry, i, scratch));
            }
            out += '\n';
        }
    }
}

} // namespace

std::string ParseError::describe() const {
    return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
}

namespace {

bool refuseWhole(const std::string& file, const std::string& message, ParseError* error) {
    if (error) {
        error->file = file;
        error->line = 1;
        error->column = 1;
        error->message = message;
    }
    return false;
}

// A byte-order mark says nothing a UTF-8 reader needs; a carriage return alone ends a line as
// it did on old Macs. Both become what the parser reads everywhere else.
void normaliseText(std::string& text) {
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at + 1))
        if (at + 1 == text.size() || text[at + 1] != '\n')
            text[at] = '\n';
}

TextScan scanTextAs(const char* at, const char* stop, bool stopAtReturn) {
    if (vectorScanning.load(std::memory_order_relaxed))
        return scanText<true>(at, stop, stopAtReturn);
    return scanText<false>(at, stop, stopAtReturn);
}

bool tooBig(size_t size, const std::string& file, ParseError* error) {
    if (size <= kMaxDocumentBytes)
        return false;
    refuseWhole(file,
                "the document is " + std::to_string(size) + " bytes; at most " +
                    std::to_string(kMaxDocumentBytes >> 20) + " MiB are read",
                error);
    return true;
}

// Reads text the parser can take as it is (no byte-order mark, no carriage return alone), whose
// first byte of invalid UTF-8 is known.
bool parseNormalised(std::string_view text, const char* invalidUtf8, const std::string& file,
                     Block& root, ParseError* error) {
    try {
        auto store = std::make_shared<TextStore>();
        store->file = file;
        Reader::start(root, store);
        if (vectorScanning.load(std::memory_order_relaxed))
            return Parser<true>(text.data(), text.size(), *store, error)
                .parseDocument(root, invalidUtf8);
        return Parser<false>(text.data(), text.size(), *store, error)
            .parseDocument(root, invalidUtf8);
    } catch (const std::bad_alloc&) {
        root.clear();
        return refuseWhole(file, "out of memory while reading the document", error);
    }
}

} // namespace

bool parse(std::string&& text, const std::string& file, Block& root, ParseError* error) {
    if (tooBig(text.size(), file, error))
        return false;
    normaliseText(text);
    const char* invalid = scanTextAs(text.data(), text.data() + text.size(), false).invalidUtf8;
    return parseNormalised(text, invalid, file, root, error);
}

bool parse(std::string_view text, const std::string& file, Block& root, ParseError* error) {
    if (tooBig(text.size(), file, error))
        return false;
    // The text is read where it is unless it has something to normalise.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return parse(std::string(text), file, root, error);
    const TextScan scan = scanTextAs(text.data(), text.data() + text.size(), true);
    if (scan.carriageReturn)
        return parse(std::string(text), file, root, error);
    return parseNormalised(text, scan.invalidUtf8, file, root, error);
}
bool setVectorScanning(bool on) {
    return vectorScanning.exchange(on && KEL_VECTOR_SCAN);
}

bool isBareWord(std::string_view text) {
    if (text.empty() || (text.size() >= 2 && text[0] == '/' && text[1] == '/'))
        return false;
    for (char c : text)
        if (!isWordByte(c) || static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void write(const Block& root, std::string& out) {
    writeBlock(root, out, 0);
}

std::string write(const Block& root) {
    std::string out;
    write(root, out);
    return out;
}

} // namespace config

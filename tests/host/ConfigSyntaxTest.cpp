#include "host/config/Config.h"
#include "host/config/ConfigManager.h"
#include "host/config/TextStore.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using config::Block;
using config::Config;

namespace {

Config parsed(const std::string& text) {
    Config config;
    EXPECT_TRUE(config.readString(text, "test.cfg")) << config.getLastError().describe();
    return config;
}

// Every rule holds for both ways of scanning: sixteen bytes at a time, and byte by byte (the
// only way where the processor cannot compare sixteen at once).
class ConfigSyntax : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { before = config::setVectorScanning(GetParam()); }
    void TearDown() override { config::setVectorScanning(before); }
    bool before = true;
};
INSTANTIATE_TEST_SUITE_P(Scanning, ConfigSyntax, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "BySixteen" : "ByteWise";
                         });

// Reads text that must fail and returns the error.
config::ParseError failure(const std::string& text) {
    kel::test::LogCapture log;
    Config config;
    EXPECT_FALSE(config.readString(text, "bad.cfg"));
    EXPECT_EQ(log.count("config"), 1u);
    return config.getLastError();
}

TEST_P(ConfigSyntax, HostileStringsRoundTripByteForByte) {
    // clang-format off
    const std::vector<std::string> hostile = {
        "", "a\"b}", "{", "}", ";", "=", "#not a comment", "// nor this", "back\\slash",
        "line\nbreak", "tab\tand\rcr", "ünïcødé 名前", std::string("nul\0byte", 8), "\x01\x7f",
        " spaced ", "\\x41", "/Configs/UI/units.cfg", "-1.5e3", "trailing\\",
        // Bytes that are no UTF-8, which a \xHH escape can put in a value: a lone byte, a
        // cut sequence, a surrogate, an overlong form.
        "7dDT[\xdd" "DT[", "cut \xe5\x90", "\xed\xa0\x80", "\xc0\xaf"};
    // clang-format on
    Config config;
    for (size_t i = 0; i < hostile.size(); ++i) {
        config.appendProperty("value" + std::to_string(i)).push_back(hostile[i]);
        // Hostile names too, on blocks and on properties.
        config.appendBlock(hostile[i]).appendProperty(hostile[i]) = {hostile[i], hostile[i]};
    }
    Config back;
    ASSERT_TRUE(back.readString(config.writeString(), "round.cfg"))
        << back.getLastError().describe();
    const config::NameEntry* a = config.getFirstEntry();
    const config::NameEntry* b = back.getFirstEntry();
    for (; a && b; a = a->getNextEntry(), b = b->getNextEntry()) {
        ASSERT_EQ(a->getName(), b->getName());
        ASSERT_EQ(a->isBlock(), b->isBlock());
        if (!a->isBlock()) {
            EXPECT_EQ(Block::valuesOf(*a), Block::valuesOf(*b));
            continue;
        }
        const config::NameEntry* only = Block::blockOf(*b).getFirstEntry();
        ASSERT_TRUE(only && !only->getNextEntry());
        EXPECT_EQ(only->getName(), a->getName());
        EXPECT_EQ(Block::valuesOf(*only), (Block::List{a->getName(), a->getName()}));
    }
    EXPECT_EQ(a, b) << "both documents end together";
    EXPECT_EQ(back.writeString(), config.writeString());
}

TEST_P(ConfigSyntax, ReadsCommentsListsNestingAndSeparators) {
    Config config = parsed("# a layout\n"
                           "mainui {   // the main screen\n"
                           "  class = container ;; size = 640 480\n"
                           "  title { class = text; text = \"PLEASE WAIT\" }\n"
                           "  empty =\n"
                           "}\n"
                           "path = /Maps/a//b  # slashes inside words stay\n"
                           "slash = /");
    std::string text;
    EXPECT_TRUE(config.getProperty("mainui.title.text", &text));
    EXPECT_EQ(text, "PLEASE WAIT");
    Block* mainui = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("mainui", &mainui));
    EXPECT_EQ(mainui->getSourceLine(), 2);
    EXPECT_EQ(mainui->getSourceFile(), "test.cfg");
    EXPECT_EQ(mainui->getPropertyLine("size"), 3);
    Block::List* list = nullptr;
    ASSERT_TRUE(mainui->getPropertyAccess("size", &list));
    EXPECT_EQ(*list, (Block::List{"640", "480"}));
    ASSERT_TRUE(mainui->getPropertyAccess("empty", &list));
    EXPECT_TRUE(list->empty());
    EXPECT_TRUE(config.getProperty("path", &text));
    EXPECT_EQ(text, "/Maps/a//b");
    EXPECT_TRUE(config.getProperty("slash", &text));
    EXPECT_EQ(text, "/");
}

TEST_P(ConfigSyntax, EntriesKnowTheLineAndColumnOfTheirName) {
    const Config read = parsed("# columns count characters, not bytes\n"
                               "a = 1\n"
                               "  b { c = 2; \"ü\" = 3 }\n"
                               "\tnämé = x; d = 4\n");
    const Config copy = read; // copies keep where their entries came from
    const struct {
        const char* path;
        int line, column;
    } rows[] = {{"a", 2, 1},    {"b.c", 3, 7}, {"b.ü", 3, 14},
                {"nämé", 4, 2}, {"d", 4, 12},  {"missing", 0, 0}};
    for (const auto& row : rows) {
        const config::Location where = copy.getPropertyLocation(row.path);
        EXPECT_EQ(where.line * 100 + where.column, row.line * 100 + row.column) << row.path;
    }
    const Block* b = nullptr;
    ASSERT_TRUE(copy.getPropertyAccess("b", &b));
    EXPECT_EQ(b->getSourceColumn(), 3);
    EXPECT_EQ(copy.getFirstEntry()->getNextEntry()->getColumn(), 3);
}

TEST_P(ConfigSyntax, ErrorsNameTheExactLineAndColumn) {
    // Columns count characters, not bytes.
    const struct {
        const char* text;
        int line, column;
        const char* words;
    } rows[] = {
        {"a = 1\nname = \"open string\n", 2, 8, "unterminated string"},
        {"outer {\n  inner {\n    x = 1\n  }\n", 5, 1, "'outer' opened at line 1"},
        {"a = 1\n}\n", 2, 1, "no block open"},
        {"block {\n  name value\n}", 2, 8, "expected '=' or '{' after 'name'"},
        {"x = a { b\n", 1, 7, ""},
        {"näme = \"ü\\q\"\n", 1, 10, "unknown escape"},
        {"x = \"\\x4\"", 1, 6, ""},
        {"x = a\x01", 1, 6, ""},
        {"x = a = b\n", 1, 7, "unexpected '=' in the values of 'x'"},
        {"x = \"ab\\", 1, 5, "unterminated string"},
        {"x = \"open", 1, 5, "unterminated string"},
        {"x = \"\\x4", 1, 6, "\\x needs two hex digits"},
        {"x = \"\\x4g\"", 1, 6, "\\x needs two hex digits"},
        {"a = 1\nname", 2, 5, "expected '=' or '{' after 'name'"},
        {"x = \"a\\tb\n\"", 1, 5, "unterminated string"},
        {"abcdefghijabcdefghijabcdefghijabcdefghijXYZ v", 1, 45,
         "after 'abcdefghijabcdefghijabcdefghijabcdefghij...'"},
    };
    for (const auto& row : rows) {
        const auto error = failure(row.text);
        EXPECT_EQ(error.file, "bad.cfg");
        EXPECT_EQ(error.line * 100 + error.column, row.line * 100 + row.column) << row.text;
        EXPECT_NE(error.message.find(row.words), std::string::npos) << error.message;
    }
    EXPECT_EQ(failure("a = 1\n}").describe(), "bad.cfg:2:1: unexpected '}' with no block open");
}

TEST_P(ConfigSyntax, QuotedStringsDecodeEveryEscape) {
    const struct {
        const char* text;
        std::string value;
    } rows[] = {
        {R"(x = "a\"b")", "a\"b"},
        {R"(x = "back\\slash")", "back\\slash"},
        {R"(x = "\n\t\r")", "\n\t\r"},
        {R"(x = "\x41\x6a\x4F\x7e")", "AjO~"},
        {R"(x = "\x00")", std::string(1, '\0')},
        {R"(x = "# // = ; { }")", "# // = ; { }"},
        {R"(x = "" # a comment to the end)", ""},
    };
    for (const auto& row : rows) {
        std::string value = "unread";
        EXPECT_TRUE(parsed(row.text).getProperty("x", &value)) << row.text;
        EXPECT_EQ(value, row.value) << row.text;
    }
}

// Without an error to fill, parse still stops at the error and keeps what it read before it.
TEST_P(ConfigSyntax, AParseErrorKeepsWhatWasReadBeforeIt) {
    Block root;
    EXPECT_FALSE(config::parse(std::string_view("a = 1\nb {\n  c = 2\n  d = \"open\n"), "f.cfg",
                               root, nullptr));
    EXPECT_EQ(config::write(root), "a = 1\nb {\n    c = 2\n}\n");
    EXPECT_EQ(root.getSourceFile(), "f.cfg");
}

TEST_P(ConfigSyntax, NestingBeyondTheLimitIsAnErrorNotACrash) {
    std::string deep;
    for (int i = 0; i < config::kMaxDepth; ++i)
        deep += "b {";
    std::string closing(config::kMaxDepth, '}');
    parsed(deep + closing);

    const auto error = failure(deep + "b {" + closing + "}");
    EXPECT_EQ(error.line, 1);
    EXPECT_EQ(error.column, 3 * config::kMaxDepth + 3);

    // A hostile document far deeper than the limit fails fast at the limit.
    std::string hostile;
    for (int i = 0; i < 200000; ++i)
        hostile += "b{";
    EXPECT_EQ(failure(hostile).column, 2 * config::kMaxDepth + 2);
    EXPECT_EQ(failure("{" + hostile).column, 1);
}

TEST_P(ConfigSyntax, EveryLineEndAndAByteOrderMarkReadTheSame) {
    const std::string expected = parsed("a = 1\nb {\n  c = \"x y\" # note\n}\n").writeString();
    for (const char* text :
         {"\xEF\xBB\xBF"
          "a = 1\nb {\n  c = \"x y\" # note\n}\n",
          "a = 1\r\nb {\r\n  c = \"x y\" # note\r\n}\r\n", "a = 1\rb {\r  c = \"x y\" # note\r}\r"})
        EXPECT_EQ(parsed(text).writeString(), expected) << text;
    // After a mark, columns still count from the line's first character.
    EXPECT_EQ(failure("\xEF\xBB\xBF"
                      "x = {")
                  .column,
              5);
    EXPECT_EQ(failure("a = 1\rb = \"open\r").line, 2);
}

TEST_P(ConfigSyntax, InvalidUtf8IsAnErrorAtItsLineAndColumn) {
    const struct {
        const char* text;
        int line, column;
    } rows[] = {
        {"a = 1\nb = \xff\n", 2, 5},          // never a UTF-8 byte
        {"n\xC3\xA4me = \xC3\x28", 1, 8},     // lead without continuation
        {"x = \xC0\xAF", 1, 5},               // overlong '/'
        {"x = \"\xE0\x80\xAF\"", 1, 6},       // overlong, three bytes
        {"x = \xED\xA0\x80", 1, 5},           // a surrogate
        {"x = \xF4\x90\x80\x80", 1, 5},       // above U+10FFFF
        {"x = ok # comment \xE2\x82", 1, 18}, // cut short at the end
    };
    for (const auto& row : rows) {
        const auto error = failure(row.text);
        EXPECT_EQ(error.line * 100 + error.column, row.line * 100 + row.column) << row.text;
        EXPECT_NE(error.message.find("invalid UTF-8"), std::string::npos) << error.message;
    }
    // Wherever it stands in a long run of ASCII.
    for (int at = 0; at < 17; ++at) {
        const auto error = failure("# " + std::string(at, '-') + "\xff" + std::string(20, '-'));
        EXPECT_EQ(error.line * 100 + error.column, 100 + at + 3) << "after " << at;
    }
    parsed("\xE2\x82\xAC = \"\xE5\x90\x8D\" \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF\n");
}

TEST_P(ConfigSyntax, NumbersAFloatCannotHoldAreNoNumbers) {
    Config config = parsed("big = 1e300\nsmall = -1e39\nok = 3.4e38\nlist = 1 1e300\n"
                           "colour = 1 0 1e300\n");
    float value = 7;
    EXPECT_FALSE(config.getProperty("big", &value));
    EXPECT_FALSE(config.getProperty("small", &value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(config.getProperty("ok", &value));
    Block::FloatList* list = nullptr;
    EXPECT_FALSE(config.getPropertyAccess("list", &list));
    config::Color colour;
    EXPECT_FALSE(config.getProperty("colour", &colour));
}

TEST_P(ConfigSyntax, ADocumentAboveTheSizeLimitIsRefusedWhole) {
    std::string huge(config::kMaxDocumentBytes + 1, ' ');
    const auto error = failure(huge);
    EXPECT_EQ(error.line * 100 + error.column, 101);
    EXPECT_NE(error.message.find("at most 64 MiB"), std::string::npos) << error.message;
}

TEST_P(ConfigSyntax, AFailedReadLeavesTheConfigUnchanged) {
    Config config = parsed("kept = 1\n");
    kel::test::LogCapture log;
    EXPECT_FALSE(config.readString("broken {", "bad.cfg"));
    int kept = 0;
    EXPECT_TRUE(config.getProperty("kept", &kept));
    EXPECT_EQ(kept, 1);
    EXPECT_FALSE(config.readFile("/no/such/file.cfg"));
    EXPECT_EQ(config.getLastReadState(), Config::Missing);
    EXPECT_EQ(log.count("config"), 1u) << "a missing file is not a syntax error";
    EXPECT_FALSE(config.readFile("/Configs")) << "a directory cannot be read";
    EXPECT_EQ(config.getLastReadState(), Config::Unreadable);
    EXPECT_EQ(config.getLastError().file, "/Configs");
    EXPECT_EQ(log.count("config"), 2u) << "an unreadable file is reported";
    EXPECT_TRUE(config.getProperty("kept", &kept));
}

// A document's names and values stay with its blocks and their copies, not with its text, and a
// document of megabytes reads like a small one: every value back, one bigger than the rest too.
TEST_P(ConfigSyntax, ABigDocumentsValuesOutliveItsTextAndItsRoot) {
    constexpr int kKeys = 60000;
    const std::string padding(80, 'v'); // the tree past the first few megabytes
    const std::string blob = std::string(4 << 20, 'x') + "end";
    Block table, blobs;
    {
        std::string text = "table {\n";
        for (int i = 0; i < kKeys; ++i)
            text += "  key" + std::to_string(i) + " = \"value " + std::to_string(i) + padding +
                    "\" " + std::to_string(i % 7) + "\n";
        text += "}\nblobs {\n  blob = \"" + blob + "\"\n  after = 1\n}\n";
        auto config = std::make_unique<Config>();
        ASSERT_TRUE(config->readString(text, "big.cfg"));
        text.assign(text.size(), '#');
        const Block* read = nullptr;
        ASSERT_TRUE(config->getPropertyAccess("table", &read));
        table = *read;
        ASSERT_TRUE(config->getPropertyAccess("blobs", &read));
        blobs = *read;
    }
    ASSERT_EQ(table.getListCount(), kKeys);
    for (int i = 0; i < kKeys; ++i) {
        const auto values = table.getList("key" + std::to_string(i));
        ASSERT_EQ(values,
                  (Block::List{"value " + std::to_string(i) + padding, std::to_string(i % 7)}))
            << "key" << i;
    }
    std::string read;
    EXPECT_TRUE(blobs.getProperty("blob", &read));
    EXPECT_EQ(read, blob);
    int after = 0;
    EXPECT_TRUE(blobs.getProperty("after", &after));
    EXPECT_EQ(after, 1);
    EXPECT_EQ(blobs.getSourceFile(), "big.cfg");
}

// Shared configurations: a file is read once and the same one handed to everyone who binds it,
// until the manager is cleared; a missing file binds to an empty one.
TEST_P(ConfigSyntax, TheManagerReadsEachFileOnceAndSharesIt) {
    config::ConfigManager* manager = config::theConfigManager;
    manager->clear();
    const Config* fonts = manager->bindConfig("/Configs/UI/fonts.cfg");
    EXPECT_EQ(fonts->getLastReadState(), Config::Read);
    EXPECT_FALSE(fonts->isEmpty());
    EXPECT_EQ(manager->bindConfig("/Configs/UI/fonts.cfg"), fonts) << "shared";
    EXPECT_NE(manager->bindConfig("/Configs/UI/units.cfg"), fonts);
    const Config* missing = manager->bindConfig("/Configs/UI/none.cfg");
    EXPECT_TRUE(missing->isEmpty());
    EXPECT_EQ(manager->bindConfig("/Configs/UI/none.cfg"), missing);
    manager->clear();
}

} // namespace

// The reader looks at sixteen bytes at a time where it can: every construct reads the same
// wherever it falls against those sixteen-byte (and sixty-four-byte) steps, byte-wise too. '@'
// stands for n letters 'a' (spaces in the indentation row), n from 0 to 70.
TEST_P(ConfigSyntax, EveryConstructReadsAlikeAtEveryOffset) {
    const struct {
        const char* text;
        std::vector<const char*> x; // the values of x, '@' replaced likewise; y reads 2
        int errorColumn;            // of an error, less n; 0: none
    } rows[] = {
        {"x = \"@\\\"q\\\"@\" b\ny = 2", {"@\"q\"@", "b"}, 0},
        {"x = @\xC3\xA9@ \xE2\x82\xAC@\ny = 2", {"@\xC3\xA9@", "\xE2\x82\xAC@"}, 0},
        {"x = b@#c\ny = 2", {"b@"}, 0},
        {"x = b@//c\ny = 2", {"b@//c"}, 0},
        {"x = b@ // c\ny = 2", {"b@"}, 0},
        {"x = b  \t\t c@;y = 2", {"b", "c@"}, 0},
        {"x = b\nk@=c;y = 2", {"b"}, 0},
        {"x = b@\ry = 2", {"b@"}, 0}, // a carriage return alone ends a line
        {"@x = 1\ny = 2", {"1"}, 0},  // indented
        {"x = b@ {", {}, 7},          // a '{' among values
        {"x = @ \"@\nb\"", {}, 6},    // unterminated: the column of its quote
        {"x = @\xE2\x82 b", {}, 5},   // a cut sequence: the column of its first byte
        {"x = @}", {}, 5},            // a '}' with no block open
    };
    const bool vectorBefore = config::setVectorScanning(true);
    for (const auto& row : rows)
        for (int n = 0; n <= 70; ++n) {
            const auto fill = [n](std::string text, char c) {
                for (size_t at = text.find('@'); at != std::string::npos; at = text.find('@'))
                    text.replace(at, 1, static_cast<size_t>(n), c);
                return text;
            };
            const bool indented = row.text[0] == '@';
            const std::string text = fill(row.text, indented ? ' ' : 'a');
            for (const bool vector : {true, false}) {
                config::setVectorScanning(vector);
                Block root;
                config::ParseError error;
                const bool read = config::parse(std::string_view(text), "t.cfg", root, &error);
                const std::string where = text + (vector ? " (by sixteen)" : " (byte-wise)");
                if (row.errorColumn) {
                    EXPECT_FALSE(read) << where;
                    EXPECT_EQ(error.column, row.errorColumn + n) << where;
                    continue;
                }
                ASSERT_TRUE(read) << where << ": " << error.describe();
                Block::List expected;
                for (const char* value : row.x)
                    expected.push_back(fill(value, 'a'));
                EXPECT_EQ(root.getList("x"), expected) << where;
                EXPECT_EQ(root.getList("y"), Block::List{"2"}) << where;
                EXPECT_EQ(root.getPropertyLocation("x").column, indented ? n + 1 : 1) << where;
            }
        }
    config::setVectorScanning(vectorBefore);
}

// Names come back in the same order block after block; one that differs from last time's, even
// as its prefix, is read as itself.
TEST_P(ConfigSyntax, ANameDifferentFromTheOneReadThereBeforeIsItself) {
    const Config config = parsed("a {\n k = 1\n pp = 2\n}\nb {\n k = 1\n p = 3\n}\n");
    EXPECT_EQ(config.getList("b.p"), Block::List{"3"});
    EXPECT_FALSE(config.hasProperty("b.pp"));
    EXPECT_EQ(config.getList("a.pp"), Block::List{"2"});
}

#include "host/config/Config.h"

#include <gtest/gtest.h>

using config::Block;
using config::BlockEntry;
using config::Color;
using config::Config;

namespace {

Config parsed(const std::string& text) {
    Config config;
    EXPECT_TRUE(config.readString(text, "test.cfg")) << config.getLastError().describe();
    return config;
}

template <class T> T get(const Block& block, const char* path) {
    T value{};
    EXPECT_TRUE(block.getProperty(path, &value)) << path;
    return value;
}

// A read that must fail and leave `value` as it was.
template <class T> void expectUntouched(const Block& block, const char* path, T value) {
    const T before = value;
    EXPECT_FALSE(block.getProperty(path, &value)) << path;
    EXPECT_EQ(value, before) << path;
}

TEST(Block, TypedReadsConvertTheFirstValueOrLeaveTheOutputUntouched) {
    const Config config = parsed("i = 42 7\nf = 1.5\nneg = -3\nfrac = 2.9\nb = yes\nbad = 12ab\n"
                                 "s = \"two words\" x\nc = 0.5 0.25 1\nc4 = 1 0 0 0.5\n"
                                 "short = 1 2\nbig = 1e12\nnone =\nplus = +5\nhuge = -1e12\n"
                                 "nan = nan\nmaybe = maybe\nc5 = 1 1 1 1 9\n"
                                 "HealthVisualizer { defaultColor = 0 1 0 1 }\n");
    EXPECT_EQ(get<int>(config, "i"), 42);
    EXPECT_EQ(get<int>(config, "frac"), 2) << "a number read as int truncates toward zero";
    EXPECT_EQ(get<int>(config, "neg"), -3);
    EXPECT_EQ(get<int>(config, "plus"), 5);
    for (const char* word : {"true", "yes", "on", "1", "YES", "On"})
        EXPECT_TRUE(get<bool>(parsed(std::string("b = ") + word), "b")) << word;
    for (const char* word : {"false", "no", "off", "0", "False", "OFF"})
        EXPECT_FALSE(get<bool>(parsed(std::string("b = ") + word), "b")) << word;
    EXPECT_EQ(get<Color>(config, "c5"), Color(1, 1, 1, 1)) << "values past the fourth are ignored";
    EXPECT_FLOAT_EQ(get<float>(config, "f"), 1.5f);
    EXPECT_TRUE(get<bool>(config, "b"));
    EXPECT_EQ(get<std::string>(config, "s"), "two words");
    EXPECT_EQ(get<Color>(config, "c"), Color(0.5f, 0.25f, 1.0f, 1.0f));
    EXPECT_EQ(get<Color>(config, "c4"), Color(1, 0, 0, 0.5f));
    EXPECT_EQ(get<Color>(config, "HealthVisualizer.defaultColor"), Color(0, 1, 0, 1));

    // Missing, unconvertible, out of range or empty: false and untouched.
    for (const char* path : {"missing", "bad", "big", "huge", "nan", "none",
                             "HealthVisualizer.missing", "missing.deeper.path", "s"})
        expectUntouched(config, path, 99);
    for (const char* path : {"bad", "nan", "none"})
        expectUntouched(config, path, 9.5f);
    for (const char* path : {"s", "maybe", "none"})
        expectUntouched(config, path, true);
    expectUntouched(config, "none", std::string("kept"));
    expectUntouched(config, "short", Color(0.1f, 0.2f, 0.3f, 0.4f));
    expectUntouched(config, "s", Color(0.1f, 0.2f, 0.3f, 0.4f));
}

TEST(Block, EnumerationKeepsFileOrderAndRepeatedNames) {
    Config config = parsed("z = 1\nblock_b {}\na = 2\nblock_a {}\nz = 3\nblock_b { x = 1 }\n");
    std::vector<std::string> lists, blocks;
    BlockEntry<Block::List*>* list = nullptr;
    for (config.getProperties(&list); list; list = list->getNext())
        lists.push_back(std::string(*list) + "=" + list->getValue()->front());
    BlockEntry<Block*>* block = nullptr;
    for (config.getProperties(&block); block; block = block->getNext())
        blocks.push_back(block->getName() + ":" +
                         std::to_string(block->getValue()->getListCount()));
    EXPECT_EQ(lists, (std::vector<std::string>{"z=1", "a=2", "z=3"}));
    EXPECT_EQ(blocks, (std::vector<std::string>{"block_b:0", "block_a:0", "block_b:1"}));
    EXPECT_EQ(get<int>(config, "z"), 1) << "a lookup by name takes the first entry";
    EXPECT_EQ(config.writeString(),
              "z = 1\nblock_b {\n}\na = 2\nblock_a {\n}\nz = 3\nblock_b {\n    x = 1\n}\n");
}

TEST(Block, SetPropertyCreatesOrReplacesAndCopiesAreDeep) {
    Block block;
    const int one = 1, two = 2;
    const bool yes = true;
    const std::string text = "hello";
    block.setProperty("a", &one);
    block.setProperty("deep.er.value", &text);
    block.setProperty("a", &two);
    block.setProperty("flag", &yes);
    EXPECT_EQ(block.getListCount(), 2) << "replacing keeps one entry";
    EXPECT_EQ(get<int>(block, "a"), 2);
    EXPECT_EQ(get<std::string>(block, "deep.er.value"), "hello");

    Block sub;
    sub.setProperty("inner", &one);
    block.setProperty("deep", &sub); // replaces the whole sub-block
    EXPECT_FALSE(block.hasProperty("deep.er.value"));
    Block copy(block);
    copy.setProperty("deep.inner", &two);
    EXPECT_EQ(get<int>(block, "deep.inner"), 1) << "the copy does not share sub-blocks";

    copy = Block();
    EXPECT_TRUE(copy.isEmpty());
    Block* missing = nullptr;
    EXPECT_FALSE(copy.getPropertyAccess("deep", &missing));
}

TEST(Block, ValuesSetInCodeOutliveTheirSourceAndActAsLists) {
    Block kept;
    {
        Block source;
        const std::string words = "two words", empty;
        const float half = 0.5f;
        const int minus = -7;
        const bool no = false;
        source.setProperty("s", &words);
        source.setProperty("e", &empty);
        source.setProperty("f", &half);
        source.setProperty("i", &minus);
        source.setProperty("b", &no);
        source.setProperty("sub.i", &minus);
        kept = source;
    }
    EXPECT_EQ(get<std::string>(kept, "s"), "two words");
    EXPECT_EQ(get<std::string>(kept, "e"), "");
    EXPECT_FLOAT_EQ(get<float>(kept, "f"), 0.5f);
    EXPECT_EQ(get<int>(kept, "i"), -7);
    EXPECT_FALSE(get<bool>(kept, "b"));
    EXPECT_EQ(get<int>(kept, "sub.i"), -7);
    EXPECT_EQ(config::write(kept),
              "s = \"two words\"\ne = \"\"\nf = 0.5\ni = -7\nb = false\nsub {\n    i = -7\n}\n");
    Block::List* list = nullptr;
    ASSERT_TRUE(kept.getPropertyAccess("s", &list));
    list->push_back("more");
    EXPECT_EQ(kept.getList("s"), (Block::List{"two words", "more"}));
    const std::string again = "again";
    kept.setProperty("s", &again);
    EXPECT_EQ(kept.getList("s"), Block::List{"again"}) << "a write replaces the whole list";

    // A copy of a copy keeps the value when the copy in between goes and its memory is reused.
    const std::string words = "two words";
    Block first;
    first.setProperty("v", &words);
    Block second(first);
    const Block third(second);
    second = Block();
    const std::string other = "TWO WORDS";
    Block reuse;
    reuse.setProperty("v", &other);
    EXPECT_EQ(get<std::string>(third, "v"), "two words");
}

TEST(Block, ListAccessChangesTheListInPlace) {
    Config config = parsed("drawArea = 0.1 0.2 0.9 0.8\nwords = a b\n");
    std::vector<float>* area = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("drawArea", &area));
    EXPECT_EQ(*area, (std::vector<float>{0.1f, 0.2f, 0.9f, 0.8f}));
    (*area)[0] = 0.25f;
    area->push_back(3);
    EXPECT_FLOAT_EQ(get<float>(config, "drawArea"), 0.25f);
    EXPECT_EQ(config.writeString(), "drawArea = 0.25 0.2 0.9 0.8 3\nwords = a b\n");
    std::vector<float>* words = nullptr;
    EXPECT_FALSE(config.getPropertyAccess("words", &words)) << "words are no numbers";

    Block::List* strings = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("drawArea", &strings));
    (*strings)[4] = "4";
    ASSERT_TRUE(config.getPropertyAccess("drawArea", &area));
    EXPECT_EQ(area->size(), 5u);
    EXPECT_FLOAT_EQ(area->back(), 4.0f);
}

} // namespace

namespace {

TEST(Block, AFloatListHandedOutStaysTheValueThroughAnEnumeration) {
    Config config = parsed("speed = 1 2\nname = x\n");
    Block::FloatList* speed = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("speed", &speed));
    (*speed)[0] = 4;

    BlockEntry<Block::List*>* list = nullptr;
    config.getProperties(&list);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(*list->getValue(), (Block::List{"4", "2"})) << "the enumeration shows the numbers";

    (*speed)[1] = 0.5f;
    config.getProperties(&list);
    EXPECT_EQ(*list->getValue(), (Block::List{"4", "0.5"})) << "a new picture each time";
    (*speed)[1] = 0.25f;
    EXPECT_EQ(config.writeString(), "speed = 4 0.25\nname = x\n") << "still the value";
    Block::FloatList* again = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("speed", &again));
    EXPECT_EQ(again, speed);
    EXPECT_EQ(get<float>(config, "speed"), 4);

    // Setting the property makes strings its value again.
    const int five = 5;
    config.setProperty("speed", &five);
    (*speed)[0] = 9;
    EXPECT_EQ(config.writeString(), "speed = 5\nname = x\n");
    EXPECT_FALSE(config.getPropertyAccess("missing", &speed));
    Block::List* strings = nullptr;
    EXPECT_FALSE(config.getPropertyAccess("missing.speed", &strings));
}

} // namespace

namespace {

// Reads every name of a block of `n` properties k0..k(n-1) and blocks b0..b(n-1), each with a
// later repeat of k0 and b0, and one name that is missing: a lookup takes the first entry.
void expectFirstOfEachName(const Block& block, int n, const std::string& where) {
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(get<int>(block, ("k" + std::to_string(i)).c_str()), i) << where;
        EXPECT_EQ(get<int>(block, ("b" + std::to_string(i) + ".v").c_str()), i) << where;
    }
    EXPECT_FALSE(block.hasProperty("k" + std::to_string(n))) << where;
    EXPECT_FALSE(block.hasBlock("b" + std::to_string(n))) << where;
}

} // namespace

TEST(Block, BlocksOfAnySizeFindTheFirstEntryOfANameThroughCopiesMovesAndAdditions) {
    for (const int n : {5, 31, 32, 33, 300}) {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += "k" + std::to_string(i) + " = " + std::to_string(i) + "\nb" +
                    std::to_string(i) + " { v = " + std::to_string(i) + " }\n";
        text += "k0 = again\nb0 { v = again }\n";
        const std::string size = std::to_string(n) + " entries";
        Config config = parsed(text);
        expectFirstOfEachName(config, n, "read, " + size);

        // Built in code, the repeats appended after the rest.
        Block built;
        for (int i = 0; i < n; ++i) {
            built.appendProperty("k" + std::to_string(i)).push_back(std::to_string(i));
            built.appendBlock("b" + std::to_string(i))
                .appendProperty("v")
                .push_back(std::to_string(i));
        }
        built.appendProperty("k0").push_back("again");
        built.appendBlock("b0").appendProperty("v").push_back("again");
        expectFirstOfEachName(built, n, "built, " + size);

        Block copy(config);
        expectFirstOfEachName(copy, n, "copied, " + size);
        // A write replaces the first entry; an addition is found like the rest.
        const int seven = 7;
        copy.setProperty("k0", &seven);
        copy.appendProperty("late").push_back("1");
        EXPECT_EQ(get<int>(copy, "k0"), 7) << size;
        EXPECT_EQ(get<int>(copy, "late"), 1) << size;
        EXPECT_EQ(Block::valuesOf(*copy.getFirstEntry()), Block::List{"7"}) << size;
        Block moved(std::move(copy));
        EXPECT_EQ(get<int>(moved, "late"), 1) << "moved, " + size;
        moved = config;
        expectFirstOfEachName(moved, n, "assigned, " + size);
        EXPECT_FALSE(moved.hasProperty("late")) << size;
        config.appendBlock("late");
        EXPECT_TRUE(config.hasBlock("late")) << "added to the read block, " + size;
    }
}

TEST(Block, SettingAListOrABlockReplacesTheFirstOfItsNameInPlace) {
    Config config = parsed("a = 1\nsub { x = 1 }\nlist = p q\nsub { x = 2 }\n");
    const Block::List values = {"a b", "c"};
    config.setProperty("list", &values);
    config.setProperty("made.deep.list", &values);
    Block other;
    other.appendProperty("y").push_back("3");
    config.setProperty("sub", &other);
    config.setProperty("added", &other);
    const std::string text = "a = 1\nsub {\n    y = 3\n}\nlist = \"a b\" c\nsub {\n    x = 2\n}\n"
                             "made {\n    deep {\n        list = \"a b\" c\n    }\n}\n"
                             "added {\n    y = 3\n}\n";
    EXPECT_EQ(config.writeString(), text);

    const Block* sub = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("sub", &sub));
    EXPECT_EQ(sub->getSourceLine() * 100 + sub->getSourceColumn(), 201) << "keeps its place";
    EXPECT_EQ(config.getPropertyLine("list"), 3);
    EXPECT_EQ(config.getPropertyLine("sub.y") + config.getPropertyLine("missing"), 0);
    ASSERT_TRUE(config.getPropertyAccess("made.deep", &sub));
    EXPECT_EQ(sub->getSourceFile(), "test.cfg") << "a sub-block made in code keeps its file";
    EXPECT_EQ(other.getSourceFile(), "");
    EXPECT_FALSE(config.hasBlock("missing.sub"));
    EXPECT_FALSE(config.getPropertyAccess("missing.sub", &sub));
    Block* writable = nullptr;
    EXPECT_FALSE(config.getPropertyAccess("missing.sub", &writable));

    Block& alias = config;
    config = alias;
    EXPECT_EQ(config.writeString(), text) << "assigned to itself";
    config = std::move(alias);
    EXPECT_EQ(config.writeString(), text) << "moved to itself";
}

TEST(Block, CopiesCarryEveryFormOfAValue) {
    Config config = parsed("read = a b\nempty =\nstrings = x\nfloats = 1 2\n");
    const std::string local = "set in code";
    config.setProperty("local", &local);
    Block::List* strings = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("strings", &strings));
    strings->push_back("y");
    Block::FloatList* floats = nullptr;
    ASSERT_TRUE(config.getPropertyAccess("floats", &floats));
    (*floats)[0] = -2.5f;
    const Block copy(config);
    strings->clear();
    (*floats)[0] = 1e10f;
    const std::string replaced = "replaced";
    config.setProperty("local", &replaced);
    EXPECT_EQ(config::write(copy),
              "read = a b\nempty =\nstrings = x y\nfloats = -2.5 2\nlocal = \"set in code\"\n");
    EXPECT_EQ(get<int>(copy, "floats"), -2) << "a float list read as an int truncates";
    expectUntouched(config, "floats", 5);
}

TEST(Block, HugeValuesListsAndBlocksReadBackWhole) {
    Block big;
    const std::string longValue(100000, 'v');
    big.setProperty("long", &longValue);
    for (int i = 0; i < 3000; ++i)
        big.appendBlock("b" + std::to_string(i));
    std::string many = "many =";
    for (int i = 0; i < 10000; ++i)
        many += " " + std::to_string(i);
    const Config read = parsed(many + "\n" + config::write(big));
    EXPECT_EQ(read.getList("many").size(), 10000u);
    EXPECT_EQ(read.getList("many").back(), "9999");
    EXPECT_EQ(get<std::string>(read, "long"), longValue);
    EXPECT_EQ(read.getBlockCount(), 3000);
    EXPECT_TRUE(read.hasBlock("b2999"));
    const Block copy(read);
    EXPECT_EQ(config::write(copy), config::write(read));
}

// A read document keeps its names and values in storage its blocks share, apart from the text it
// was read from: blocks copied or moved out of it, or into another document, read the same after
// the text and the document are gone.
TEST(Block, BlocksOutliveTheTextAndTheDocumentTheyWereReadFrom) {
    Block copied, moved;
    Config other = parsed("kept = 1\n");
    {
        std::string text = "s {\n  \"quoted name\" = \"esc\\\"aped\" plain \"\"\n  n = 1 22 333\n";
        for (int i = 0; i < 40; ++i)
            text += "  k" + std::to_string(i) + " = v" + std::to_string(i) + "\n";
        text += "  k0 = again\n}\n";
        Block root;
        ASSERT_TRUE(config::parse(std::string_view(text), "gone.cfg", root, nullptr));
        text.assign(text.size(), '#');
        Block* s = nullptr;
        ASSERT_TRUE(root.getPropertyAccess("s", &s));
        copied = *s;
        other.setProperty("s", s);
        moved = std::move(*s);
    }
    for (const Block* block : {&copied, &moved}) {
        EXPECT_EQ(block->getList("quoted name"), (Block::List{"esc\"aped", "plain", ""}));
        EXPECT_EQ(block->getList("n"), (Block::List{"1", "22", "333"}));
        EXPECT_EQ(get<std::string>(*block, "k0"), "v0") << "the first of a name, indexed";
        EXPECT_EQ(get<std::string>(*block, "k39"), "v39");
        EXPECT_EQ(block->getSourceFile(), "gone.cfg");
        EXPECT_EQ(block->getPropertyLocation("n").line, 3);
    }
    const Block* into = nullptr;
    ASSERT_TRUE(other.getPropertyAccess("s", &into));
    EXPECT_EQ(config::write(*into), config::write(moved)) << "moved into another document";
    EXPECT_EQ(get<int>(other, "kept"), 1);
}

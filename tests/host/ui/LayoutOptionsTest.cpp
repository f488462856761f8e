#include "host/ui/LayoutOptions.h"
#include "host/config/Config.h"
#include "host/debug/Context.h"
#include "host/ui/Container.h"
#include "support/UiFixture.h"

#include <sstream>
#include <string>

namespace {

using kel::test::UiFixture;
using ui::LayoutOptions;

class LayoutOptionsRead : public UiFixture {
protected:
    enum Kind { Pair, Whole, Flag, Text };

    // Reads `key` of the block as `kind`: the value, or "absent", then what was reported.
    std::string read(config::Block* block, Kind kind, const std::string& key) {
        std::ostringstream got;
        float pair[2] = {-1, -1};
        int whole = -1;
        bool flag = false;
        std::string text;
        const bool found =
            kind == Pair
                ? LayoutOptions::readNumbers(block, key, 2, pair, config::Range::atLeast(-100))
            : kind == Whole ? LayoutOptions::readInt(block, key, config::Range(), &whole)
            : kind == Flag  ? LayoutOptions::readBool(block, key, &flag)
                            : LayoutOptions::readValue(block, key, &text);
        if (!found)
            got << "absent";
        else if (kind == Pair)
            got << pair[0] << " " << pair[1];
        else if (kind == Whole)
            got << whole;
        else if (kind == Flag)
            got << (flag ? "true" : "false");
        else
            got << text;
        for (const auto& record : log.take())
            got << " | " << debug::Context(record.file, record.line, record.column).describe()
                << ": " << record.text;
        return got.str();
    }
};

// What a component's options give, read with the block listed (as the layout reader lists each
// component's block) and without: the same value, and the same report at the option's place.
TEST_F(LayoutOptionsRead, ListedOrNotABlockGivesEveryOptionAsTheReadersTakeIt) {
    const std::string kept = "; the default is kept";
    std::string many;
    for (int i = 0; i < 40; ++i)
        many += "p" + std::to_string(i) + " = " + std::to_string(i) + "; ";
    struct Row {
        std::string options;
        Kind kind;
        const char* key;
        std::string expected;
    } rows[] = {
        {"size = 80 40", Pair, "size", "80 40"},
        {"size = +5 -0", Pair, "size", "5 -0"},
        {"size = 007 1e2", Pair, "size", "7 100"},
        {"size = 1000000000 0.5", Pair, "size", "1e+09 0.5"},
        {"size = 3 -400", Pair, "size",
         "absent | w.cfg:1:5: option 'size': '-400' is out of range (at least -100)" + kept},
        {"size = 3", Pair, "size",
         "absent | w.cfg:1:5: option 'size': needs 2 numbers, has 1" + kept},
        // Names may repeat: the first entry of a name is the one read.
        {"size = 1 2; size = 3 4", Pair, "size", "1 2"},
        {"position = 1 2", Pair, "size", "absent"},
        // An int takes a number truncated toward zero.
        {"priority = 12", Whole, "priority", "12"},
        {"priority = 2.9", Whole, "priority", "2"},
        {"priority = -2.9", Whole, "priority", "-2"},
        {"priority = high", Whole, "priority",
         "absent | w.cfg:1:5: option 'priority': 'high' is not a number" + kept},
        // A bool is true/yes/on/1 or false/no/off/0, in any case.
        {"enabled = true", Flag, "enabled", "true"},
        {"enabled = false", Flag, "enabled", "false"},
        {"enabled = YES", Flag, "enabled", "true"},
        {"enabled = off", Flag, "enabled", "false"},
        {"enabled = 1", Flag, "enabled", "true"},
        {"enabled = perhaps", Flag, "enabled",
         "absent | w.cfg:1:5: option 'enabled': 'perhaps' is not true or false (also yes/no, "
         "on/off, 1/0)" +
             kept},
        {"class = ramka; font = first_blue", Text, "font", "first_blue"},
        {"font = \"\"", Text, "font", ""},
        // A dotted path descends into a sub-block; a name that holds a dot is no path.
        {"inner { size = 7 8 }; size = 1 2", Pair, "inner.size", "7 8"},
        {"inner { size = 7 8 }", Pair, "size", "absent"},
        {"a.b = 5", Text, "a.b", "absent"},
        {"a { b = 6 }; a.b = 5", Text, "a.b", "6"},
        {many + "size = 9 10", Pair, "size", "9 10"},
        {many + "size = 9 10", Whole, "p39", "39"},
    };
    for (const Row& row : rows) {
        config::Config file;
        ASSERT_TRUE(file.readString("w { " + row.options + " }", "w.cfg"));
        config::Block* block = nullptr;
        ASSERT_TRUE(file.getPropertyAccess("w", &block));
        EXPECT_EQ(read(block, row.kind, row.key), row.expected) << row.options << " (searched)";
        const LayoutOptions::BlockScope listed(block);
        EXPECT_EQ(read(block, row.kind, row.key), row.expected) << row.options << " (listed)";
    }
}

TEST_F(LayoutOptionsRead, AListedBlockIsAnsweredForWhileItsChildIsListedAndAfterItChanges) {
    config::Config file;
    ASSERT_TRUE(file.readString("w { size = 9 10; child { enabled = no } }", "w.cfg"));
    config::Block *block = nullptr, *child = nullptr;
    ASSERT_TRUE(file.getPropertyAccess("w", &block));
    ASSERT_TRUE(block->getPropertyAccess("child", &child));

    const LayoutOptions::BlockScope outer(block);
    {
        const LayoutOptions::BlockScope inner(child);
        EXPECT_EQ(read(child, Flag, "enabled"), "false");
        EXPECT_EQ(read(block, Pair, "size"), "9 10")
            << "the outer block, while the inner is listed";
        EXPECT_EQ(read(child, Pair, "size"), "absent");
        const std::string late = "3";
        child->setProperty("late", &late);
        EXPECT_EQ(read(child, Whole, "late"), "3") << "an option added after the listing";
    }
    const std::string size = "5";
    block->setProperty("size", &size);
    EXPECT_EQ(read(block, Pair, "size"),
              "absent | w.cfg:1:5: option 'size': needs 2 numbers, has 1; the default is kept")
        << "an option changed after the listing";
}

// Each component knows the layout file it came from, also when files take turns.
TEST_F(LayoutOptionsRead, ComponentsNameTheLayoutFileTheyWereBuiltFrom) {
    const char* const files[] = {"a.cfg", "b.cfg", "a.cfg", "c.cfg"};
    int line = 0;
    for (const char* name : files) {
        ++line;
        config::Config file;
        const std::string text =
            std::string(line, '\n') + "x" + std::to_string(line) + " { class = ramka }";
        ASSERT_TRUE(file.readString(text, name));
        ui->readConfig(&file);
    }
    line = 0;
    for (const char* name : files) {
        const ui::Component* built = ui->getComponent("x" + std::to_string(++line));
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(built->getLayoutFile(), name);
        EXPECT_EQ(built->getLayoutLine(), line + 1);
    }
}

} // namespace

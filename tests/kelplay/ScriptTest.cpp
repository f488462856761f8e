#include "Script.h"
#include "Report.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(KelPlayScript, ReadsCommandsWithQuotedWordsAndComments) {
    kelplay::Script script;
    kelplay::ScriptError error;
    ASSERT_TRUE(script.parse("# the tour\n"
                             "\n"
                             "key Escape   # leave\n"
                             "type \"Alice \\\"Al\\\" B\"\n"
                             "click 10 20 RightClick\n"
                             "snapshot menu \"The main menu\"\n",
                             "tour.txt", &error))
        << error.describe();
    const auto& commands = script.getCommands();
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].args, (std::vector<std::string>{"Escape"}));
    EXPECT_EQ(commands[1].args[0], "Alice \"Al\" B");
    EXPECT_EQ(commands[2].args.size(), 3u);
    EXPECT_EQ(commands[3].args[1], "The main menu");
}

TEST(KelPlayScript, RefusesBadLinesWithTheirLineNumber) {
    kelplay::Script script;
    kelplay::ScriptError error;
    EXPECT_FALSE(script.parse("key Escape\nkee Escape\n", "s.txt", &error));
    EXPECT_EQ(error.describe(), "s.txt:2: unknown command 'kee'");
    EXPECT_FALSE(script.parse("wait\n", "s.txt", &error));
    EXPECT_EQ(error.line, 1);
    EXPECT_NE(error.message.find("usage: wait SECONDS"), std::string::npos);
    EXPECT_FALSE(script.parse("\n\necho \"open\n", "s.txt", &error));
    EXPECT_EQ(error.describe(), "s.txt:3: unterminated string");
    EXPECT_FALSE(script.load("/no/such/script.txt", &error));
}

TEST(KelPlayReport, WritesPicturesInOrderAndAnIndexWithEscapedCaptions) {
    kel::test::TempDir out;
    kelplay::Report report(out.get());
    std::string error;
    out.write("old.svg", "<svg/>");
    ASSERT_TRUE(report.open(&error)) << error;
    EXPECT_FALSE(std::filesystem::exists(out / "old.svg"));
    ASSERT_TRUE(report.addSnapshot("main menu", "Tom & <Jerry>", "<svg/>", &error));
    ASSERT_TRUE(report.addSnapshot("next", "", "<svg/>", &error));
    report.addTranscriptLine("event newgame mapName=Lighthouse");
    ASSERT_TRUE(report.close("kel-play", &error));
    EXPECT_TRUE(std::filesystem::exists(out / "01-main_menu.svg"));
    EXPECT_TRUE(std::filesystem::exists(out / "02-next.svg"));
    const std::string index = out.read("index.html");
    EXPECT_NE(index.find("Tom &amp; &lt;Jerry&gt;"), std::string::npos);
    EXPECT_LT(index.find("01-main_menu.svg"), index.find("02-next.svg"));
    EXPECT_NE(index.find("event newgame mapName=Lighthouse"), std::string::npos);
}

} // namespace

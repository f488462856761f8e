#include "Script.h"
#include "Overlay.h"
#include "Report.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string describeAll(const std::vector<kelplay::ScriptError>& errors) {
    std::string text;
    for (const auto& error : errors)
        text += error.describe() + "\n";
    return text;
}

TEST(KelPlayScript, ReadsCommandsWithQuotedWordsCommentsAndAByteOrderMark) {
    kelplay::Script script;
    std::vector<kelplay::ScriptError> errors;
    ASSERT_TRUE(script.parse("\xEF\xBB\xBF# the tour\n"
                             "\n"
                             "key Escape   # leave\n"
                             "type \"Alice \\\"Al\\\" B\"\n"
                             "click 10 20 RightClick\n"
                             "snapshot menu \"The main menu\"\n",
                             "tour.txt", &errors))
        << describeAll(errors);
    const auto& commands = script.getCommands();
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].line, 3);
    EXPECT_EQ(commands[0].args, (std::vector<std::string>{"Escape"}));
    EXPECT_EQ(commands[1].args[0], "Alice \"Al\" B");
    EXPECT_EQ(commands[2].args.size(), 3u);
    EXPECT_EQ(commands[3].args[1], "The main menu");
}

// Each line is refused before anything plays; the message names what is wrong.
TEST(KelPlayScript, RefusesEveryKindOfBadLine) {
    const struct {
        const char* line;
        const char* says;
    } rows[] = {
        {"wait inf", "'inf' is no time to wait"},
        {"wait 1e9", "'1e9' is no time to wait"},
        {"wait nan", "'nan' is no time to wait"},
        {"wait -1", "'-1' is no time to wait"},
        {"frame 1e30", "'1e30' is no number of frames"},
        {"frame 2.5", "'2.5' is no number of frames"},
        {"move 10 12px", "'12px' is no screen position"},
        {"click 10 20 Return", "'Return' is no mouse button"},
        {"key Rigth", "no key or mouse button named 'Rigth'"},
        {"command SHOW_MENU", "no flow command 'SHOW_MENU'"},
        {"ask \"Sure?\" YES|MAYBE", "no message-box button 'MAYBE'"},
        {"expect answer MAYBE", "no message-box button 'MAYBE'"},
        {"expect daytime 25:00", "'25:00' is no time of day"},
        {"expect pointer arrow", "no pointer look 'arrow'"},
        {"expect colour red", "cannot expect 'colour'"},
        {"loadsnapshot lunch picture", "no load phase 'lunch' (landscape, objects, units)"},
        {"loadsnapshot units", "usage: loadsnapshot PHASE NAME"},
        {"endmission draw", "no way to end a mission 'draw'"},
        {"expect waiting boss", "no modal screen 'boss'"},
        {"expect loading \"30 101\"", "'101' is no percentage"},
        {"expect loading \"30 2.5\"", "'2.5' is no percentage"},
        {"say knight shout \"Hi\"", "no way to speak 'shout' (speech, thoughts, author)"},
        {"say goblin:0 speech Hi", "'goblin:0' is no unit"},
        {"say :2 speech Hi", "':2' is no unit"},
        {"say knight speech", "usage: say UNIT"},
        {"unsay", "usage: unsay UNIT"},
        {"expect balloon knight 45 upright", "'45' is no balloon angle (0, 90, 180, 270)"},
        {"expect balloon knight 90 flipped", "no balloon look 'flipped'"},
        {"expect balloon knight 90", "usage: expect balloon UNIT ANGLE"},
        {"expect silent goblin:x", "'goblin:x' is no unit"},
        {"expect", "wrong number of arguments"},
        {"wait", "usage: wait SECONDS"},
        {"quit now", "wrong number of arguments"},
        {"echo \"open", "unterminated string"},
        {"health knight -1", "'-1' is no health"},
        {"health knight 2.5", "'2.5' is no health"},
        {"health :2 5", "':2' is no unit"},
        {"expect digits goblin:0 \"1\"", "'goblin:0' is no unit: N in KIND:N"},
        {"health knight", "usage: health UNIT POINTS"},
    };
    for (const auto& row : rows) {
        kelplay::Script script;
        std::vector<kelplay::ScriptError> errors;
        EXPECT_FALSE(script.parse(std::string("echo first\n") + row.line + "\n", "s.play", &errors))
            << row.line;
        ASSERT_EQ(errors.size(), 1u) << row.line;
        EXPECT_TRUE(script.getCommands().empty()) << "nothing of a refused script is kept";
        EXPECT_EQ(errors[0].line, 2) << row.line;
        EXPECT_NE(errors[0].message.find(row.says), std::string::npos)
            << row.line << ": " << errors[0].message;
    }
}

TEST(KelPlayScript, AScriptThatCannotBeReadSaysWhyInTheSystemsWords) {
    kelplay::Script script;
    std::vector<kelplay::ScriptError> errors;
    EXPECT_FALSE(script.load("/no/such/script.play", &errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].describe(),
              "/no/such/script.play: " +
                  std::make_error_code(std::errc::no_such_file_or_directory).message());
}

class KelPlayReport : public ::testing::Test {
protected:
    // One run of kel-play into `out`: its pictures, then a close or a failure before it.
    bool run(const std::vector<std::string>& pictures, bool completes, std::string* error) {
        kelplay::Report report(out.get());
        if (!report.open(error))
            return false;
        for (const auto& picture : pictures) {
            report.addTranscriptLine("before " + picture);
            if (!report.addSnapshot(picture, "", "<svg/>", "", error))
                return false;
        }
        return completes ? report.close("kel-play", "", error) : false;
    }
    bool has(const std::string& name) const { return std::filesystem::exists(out / name); }

    kel::test::TempDir out;
};

TEST_F(KelPlayReport, ReplacesOnlyWhatItWroteAndKeepsTheLastReportUntilANewOneIsWhole) {
    std::string error;
    out.write("notes.txt", "mine");
    out.write("old.svg", "<svg>mine</svg>");
    ASSERT_TRUE(run({"menu", "ring"}, true, &error)) << error;
    EXPECT_TRUE(has("01-menu.svg") && has("02-ring.svg") && has("index.html"));

    // A run that breaks off leaves the earlier report as it was.
    EXPECT_FALSE(run({"other"}, false, &error));
    EXPECT_TRUE(has("01-menu.svg") && has("02-ring.svg"));
    EXPECT_FALSE(has("01-other.svg"));

    ASSERT_TRUE(run({"next"}, true, &error)) << error;
    EXPECT_TRUE(has("01-next.svg"));
    EXPECT_FALSE(has("01-menu.svg") || has("02-ring.svg"));
    EXPECT_EQ(out.read("notes.txt"), "mine");
    EXPECT_EQ(out.read("old.svg"), "<svg>mine</svg>");
}

TEST_F(KelPlayReport, RefusesToOverwriteAFileItDidNotWrite) {
    std::string error;
    out.write("index.html", "my page");
    EXPECT_FALSE(run({"menu"}, true, &error));
    EXPECT_NE(error.find("not written by kel-play"), std::string::npos) << error;
    EXPECT_EQ(out.read("index.html"), "my page");

    kel::test::TempDir other;
    other.write("01-menu.svg", "mine");
    kelplay::Report report(other.get());
    ASSERT_TRUE(report.open(&error)) << error;
    ASSERT_TRUE(report.addSnapshot("menu", "", "<svg/>", "", &error));
    EXPECT_FALSE(report.close("kel-play", "", &error));
    EXPECT_EQ(other.read("01-menu.svg"), "mine");
}

TEST_F(KelPlayReport, TheIndexListsThePicturesAndShowsEachWithWhatLedToIt) {
    kelplay::Report report(out.get());
    std::string error;
    ASSERT_TRUE(report.open(&error)) << error;
    report.addTranscriptLine("event newgame mapName=Lighthouse");
    ASSERT_TRUE(report.addSnapshot("battle", "Tom & <Jerry>", "<svg/>", "", &error));
    report.addTranscriptLine("key Escape");
    // The second has a rendered frame: the index shows it, the SVG one click away.
    ASSERT_TRUE(report.addSnapshot("menu", "", "<svg/>", "\x89PNG frame", &error));
    ASSERT_TRUE(report.close("kel-play", "2 commands", &error)) << error;
    EXPECT_EQ(out.read("02-menu.png"), "\x89PNG frame");
    EXPECT_EQ(out.read("02-menu.svg"), "<svg/>");
    const std::string index = out.read("index.html");
    // The contents list, in order, with escaped captions.
    const size_t contents = index.find("<nav>");
    ASSERT_NE(contents, std::string::npos);
    EXPECT_LT(index.find("Tom &amp; &lt;Jerry&gt;", contents), index.find(">menu<", contents));
    // The full-size view of the second picture holds the line between the two, not the first.
    const size_t full = index.find("id=\"full-2\"");
    ASSERT_NE(full, std::string::npos);
    const std::string second = index.substr(full, index.find("</section>", full) - full);
    EXPECT_NE(second.find("<img src=\"02-menu.png\""), std::string::npos) << second;
    EXPECT_NE(second.find("<a href=\"02-menu.svg\">"), std::string::npos) << second;
    EXPECT_NE(index.find("<img src=\"01-battle.svg\""), std::string::npos) << "no frame: the SVG";
    EXPECT_EQ(index.find("01-battle.png"), std::string::npos);
    EXPECT_NE(second.find("key Escape"), std::string::npos);
    EXPECT_EQ(second.find("newgame"), std::string::npos);
    EXPECT_NE(index.find("href=\"#full-1\""), std::string::npos);
}

TEST(KelPlayOverlay, LabelsOfBoxesSharingACornerNeitherOverlapNorLeaveTheScreen) {
    // Nested rectangles starting where the screen does, and one at the far corner.
    std::vector<kelplay::OverlayBox> boxes = {
        {0, 0, 1024, 768, {"mainui : container"}},
        {0, 0, 600, 400, {"mainroundmenu : mainroundmenu"}},
        {0, 0, 300, 200, {"roundmenucontainer : roundmenucontainer"}},
        {0, 0, 200, 100, {"main : roundmenu", "description : itemdescription"}},
        {1000, 750, 24, 18, {"corner : text"}},
    };
    const auto labels = kelplay::placeLabels(boxes, 1024, 768);
    ASSERT_EQ(labels.size(), boxes.size());
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_GE(labels[i].x, 0);
        EXPECT_GE(labels[i].y, 0);
        EXPECT_LE(labels[i].x + labels[i].width, 1024);
        EXPECT_LE(labels[i].y + labels[i].height, 768);
        for (size_t j = 0; j < i; ++j) {
            const bool apart = labels[i].x + labels[i].width <= labels[j].x ||
                               labels[j].x + labels[j].width <= labels[i].x ||
                               labels[i].y + labels[i].height <= labels[j].y ||
                               labels[j].y + labels[j].height <= labels[i].y;
            EXPECT_TRUE(apart) << "labels " << i << " and " << j << " overlap";
        }
    }
    EXPECT_GE(labels[3].height, 2 * 14.0f) << "two lines need two lines' room";
}

} // namespace

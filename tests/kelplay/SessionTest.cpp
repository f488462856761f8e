#include "Session.h"
#include "Tour.h"
#include "support/LogCapture.h"
#include "support/Rendering.h"
#include "support/TempDir.h"

#include "host/resource/ResourceManager.h"
#include "ui/Accessor.h"
#include "ui/StatusPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

class KelPlaySession : public ::testing::Test {
protected:
    void SetUp() override {
        savedProfile = resource::theResourceManager->getProfileRoot();
        resource::theResourceManager->setProfileRoot(profile.get());
    }
    void TearDown() override { resource::theResourceManager->setProfileRoot(savedProfile); }

    // Plays a script and returns the transcript.
    std::string play(const std::string& text, bool* ok) {
        kelplay::Session::Options options;
        options.outputDirectory = out.get();
        std::string transcript;
        kelplay::Session session(options,
                                 [&](const std::string& line) { transcript += line + "\n"; });
        std::string error;
        EXPECT_TRUE(session.start(&error)) << error;
        kelplay::Script script;
        std::vector<kelplay::ScriptError> errors;
        EXPECT_TRUE(script.parse(text, "test.play", &errors)) << errors.front().describe();
        kelplay::ScriptError scriptError;
        *ok = session.runScript(script, "test.play", &scriptError);
        EXPECT_TRUE(session.finish(&error)) << error;
        return transcript;
    }

    // Each row's script fails, and the transcript says why.
    template <class Rows> void expectFailures(const Rows& rows) {
        for (const auto& row : rows) {
            bool ok = true;
            const std::string transcript = play(row.script, &ok);
            EXPECT_FALSE(ok) << row.script;
            EXPECT_NE(transcript.find(row.says), std::string::npos) << transcript;
        }
    }

    kel::test::LogCapture log;
    kel::test::TempDir profile;
    kel::test::TempDir out;
    std::filesystem::path savedProfile;
};

struct FailingScript {
    std::string script;
    const char* says;
};

// The lines are in the transcript in this order, after `from`.
void expectInOrder(const std::string& transcript, const std::string& from,
                   std::initializer_list<const char*> lines) {
    size_t at = transcript.find(from);
    ASSERT_NE(at, std::string::npos) << from << transcript;
    for (const char* line : lines) {
        at = transcript.find(line, at);
        ASSERT_NE(at, std::string::npos) << "missing or out of order: " << line << transcript;
    }
}

TEST_F(KelPlaySession, TheDefaultTourPlaysThroughWithEveryExpectationMet) {
    bool ok = false;
    const std::string transcript = play(kelplay::kDefaultTour, &ok);
    EXPECT_TRUE(ok) << transcript;
    EXPECT_EQ(transcript.find("FAILED"), std::string::npos) << transcript;
    // What the transcript says: states, screens, events and what held.
    for (const char* line :
         {"] state MAIN_MENU\n", "] state LOADING\n", "] state GAME\n", "] state GAME_MENU\n",
          "] shown commonui.soundmenu\n", "] hidden commonui.soundmenu\n",
          "] shown mainui.createmenu\n", "] shown maingoal\n", "] shown gameui.gameresults\n",
          "] ok: expect answer NO\n", "] ok: expect event \"newgame mapName=Lighthouse\"\n"})
        EXPECT_NE(transcript.find(line), std::string::npos) << line;
    EXPECT_TRUE(std::filesystem::exists(out / "index.html"));
    EXPECT_TRUE(std::filesystem::exists(out / "02-main-menu.svg"));
    // The roads out of the main menu end where they should.
    for (const char* line :
         {"event newgame mapName=Watermill", "event newgame mapName=Skirmish.lvx", "event endgame",
          "ok: expect daytime 09:00"})
        EXPECT_NE(transcript.find(line), std::string::npos) << line;
    EXPECT_TRUE(log.take().empty());
}

// The pointer rests on 'play' (the entry in front at rest), then the player clicks the sky far
// from every entry: nothing is chosen. Then a click on 'play' itself does choose it.
TEST_F(KelPlaySession, AClickOnTheSkyChoosesNothingWhileThePointerRestedOnAnEntry) {
    bool ok = false;
    std::string transcript = play("wait 0.8\nmove 507 438\nwait 0.2\nexpect ringfocus play\n"
                                  "click 100 100\nwait 1\nexpect state MAIN_MENU\n"
                                  "expect shown mainroundmenu\n",
                                  &ok);
    EXPECT_TRUE(ok) << transcript;
    EXPECT_EQ(transcript.find("event newgame"), std::string::npos) << transcript;
    transcript = play("wait 0.8\nmove 100 100\nwait 0.2\nexpect ringfocus none\nclick 507 438\n"
                      "wait 1\n",
                      &ok);
    EXPECT_NE(transcript.find("event newgame mapName=Lighthouse"), std::string::npos) << transcript;
}

// From the main menu into a battle and back, as a host plays it: the loading screen grows its bar
// phase by phase (30, 20 and 50 percent) before the battle starts; Escape opens the in-game ring
// and a second Escape resumes; the goals are shown by a host thread that waits until they are
// closed; the results of a won mission likewise, and closing them leads to the main menu. The
// transcript must say each of these in this order.
TEST_F(KelPlaySession, ABattleRoundTripShowsEveryScreenInOrder) {
    bool ok = false;
    const std::string transcript =
        play("wait 0.8\nloadsnapshot objects loading\nkey Return\nwait 0.8\n"
             "expect loading \"30 50 100\"\nexpect state GAME\n"
             "key Escape\nwait 0.8\nexpect state GAME_MENU\nkey Escape\nwait 0.8\n"
             "expect state GAME\nkey Escape\nwait 0.8\nkey Right\nwait 0.4\nkey Right\n"
             "wait 0.4\nexpect front goal\nkey Return\nwait 0.8\nexpect waiting goal\n"
             "key Escape\nexpect waiting none\nwait 0.8\nexpect shown gameroundmenu\n"
             "key Escape\nwait 0.8\nexpect state GAME\nendmission win\n"
             "expect waiting results\nkey Return\nexpect waiting none\nexpect state MAIN_MENU\n",
             &ok);
    EXPECT_TRUE(ok) << transcript;
    expectInOrder(
        transcript, "",
        {"] state LOADING\n",
         "] shown loading\n",
         "] load phase landscape done; the loading bar shows 30%\n",
         "] load phase objects done; the loading bar shows 50%\n",
         "] snapshot loading\n",
         "] load phase units done; the loading bar shows 100%\n",
         "] hidden loading\n",
         "] state GAME\n",
         "] state GAME_MENU\n",
         "] state GAME\n",
         "] the scenario asks for the goals\n",
         "] a host thread shows the goal screen and waits\n",
         "] shown maingoal\n",
         "] hidden maingoal\n",
         "] the host thread returns from the goal screen\n",
         "] the game logic ends the mission: won (the other side gave up; the battle is over)\n",
         "] the results screen tells the host it is shown\n",
         "] a host thread shows the results screen and waits\n",
         "] the results screen tells the host it is hidden\n",
         "] the host thread returns from the results screen\n",
         "] state ENDING_GAME\n",
         "] state MAIN_MENU\n"});
    EXPECT_TRUE(std::filesystem::exists(out / "01-loading.svg"));
}

// The two battle keys the redirector leaves to the host, as the shipped bindings have them: L
// switches unit free-look (the control source hears it begin and end), J pauses the battle
// under the in-game ring and shows the goals; neither acts outside a battle.
TEST_F(KelPlaySession, TheHostAnswersFreeLookAndGoalsKeysInBattleOnly) {
    bool ok = false;
    const std::string transcript =
        play("key L\nkey J\nexpect state MAIN_MENU\nexpect waiting none\n"
             "wait 0.8\nkey Return\nwait 0.8\nexpect state GAME\n"
             "key L\nexpect hidden subgameui\nkey L\nexpect shown subgameui\n"
             "key J\nframe\nexpect state GAME_MENU\nexpect waiting goal\nkey Return\n"
             "expect waiting none\nwait 0.8\nexpect shown gameroundmenu\n",
             &ok);
    EXPECT_TRUE(ok) << transcript;
    EXPECT_GT(transcript.find("control source: beginUnitFreelook()"),
              transcript.find("] state GAME\n"))
        << "nothing before the battle";
    expectInOrder(transcript, "] state GAME\n",
                  {"control source: beginUnitFreelook()", "hidden gameui.subgameui",
                   "control source: endUnitFreelook()", "shown gameui.subgameui",
                   "the host pauses the battle for the goals", "state GAME_MENU", "shown maingoal",
                   "the host thread returns from the goal screen"});
}

// In battle the engine picks what lies under the pointer through the redirector's listeners,
// the control source hears the focus, and the game logic describes the thing in the status
// panel: the knight (health 40, 4 act points, defence 6), the shaman's title, a meadow. The host
// handed the panel the reduced-info kinds of its game flow when it booted.
TEST_F(KelPlaySession, TheStatusPanelDescribesWhatThePointerRestsOn) {
    {
        kelplay::Session::Options options;
        options.writeReport = false;
        kelplay::Session session(options, nullptr);
        std::string error;
        ASSERT_TRUE(session.start(&error)) << error;
        kel::ui::StatusPanel* panel = kel::ui::theAccessor.getStatusPanel();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->getReducedInfoUnits(), std::list<int>{13});
        EXPECT_TRUE(session.finish(&error)) << error;
    }
    bool ok = false;
    const std::string transcript = play(
        "wait 0.8\nkey Return\nwait 0.8\nmove 360 280\n"
        "expect text status.unit.name Knight\nexpect text status.unit.healthvalue 40\n"
        "expect text status.unit.actvalue \" 4\"\nexpect text status.unit.defencevalue \" 6\"\n"
        "expect shown status.unit\nexpect hidden status.tile\n"
        "move 560 360\nexpect text status.unit.name \"Goblin Shaman\"\n"
        "move 512 384\nexpect text status.tile.name Meadow\nexpect hidden status.unit\n",
        &ok);
    EXPECT_TRUE(ok) << transcript;
    expectInOrder(
        transcript, "] state GAME\n",
        {"control source: setFocusTarget(unit:knight)", "the status panel describes unit:knight",
         "control source: setFocusTarget(unit:shaman)", "the status panel describes unit:shaman",
         "the status panel describes landscape:"});
}

// A failed expectation names its line; the host refuses ending a mission outside a battle (or
// over the in-game ring, which hides the results), a waiter that is not there, the bar of a load
// that never happened.
TEST_F(KelPlaySession, FailedExpectationsAndBattleCommandsOutsideABattleSayWhy) {
    const FailingScript rows[] = {
        {"wait 0.1\nexpect state GAME\nkey F2\n",
         "FAILED test.play:2: the state is MAIN_MENU, not GAME"},
        {"endmission win\n",
         "FAILED test.play:1: a mission ends in battle; the state is MAIN_MENU"},
        {"expect waiting goal\n", "FAILED test.play:1: no host thread waits in the goal screen"},
        {"wait 0.8\nkey Return\nwait 0.8\nkey Escape\nwait 0.8\nendmission win\n",
         "FAILED test.play:6: a mission ends in battle; the state is GAME_MENU"},
        {"expect loading \"100\"\n",
         "FAILED test.play:1: no map was loaded behind the loading screen"},
    };
    expectFailures(rows);
}

// The host gives every unit of the battle its digits (Lighthouse: the knight has 40, the
// goblins 18); `health` changes a unit's health as the game logic does, and the battle picture
// shows each digit in its team's colour. A unit the board does not have, or digits that read
// otherwise, fail with the reason.
TEST_F(KelPlaySession, EveryUnitOfTheBattleCarriesItsHealthDigits) {
    const std::string battle = "wait 0.8\nkey Return\nwait 0.8\nexpect state GAME\n";
    bool ok = false;
    std::string transcript =
        play(battle + "expect digits knight \"40\"\nexpect digits goblin:2 \"18\"\n"
                      "health goblin:2 305\nexpect digits goblin:2 \"305\"\n"
                      "health knight 0\nexpect digits knight \"\"\nframe\nsnapshot digits\n",
             &ok);
    EXPECT_TRUE(ok) << transcript;
    const std::string svg = out.read("01-digits.svg");
    // archer 28, priest 24, goblins 18 and 305, shaman 20; the knight's 0 shows nothing.
    size_t decals = 0;
    for (size_t at = svg.find("class=\"decal\""); at != std::string::npos;
         at = svg.find("class=\"decal\"", at + 1))
        ++decals;
    EXPECT_EQ(decals, 11u) << svg;
    // The goblin's 3 in the enemy's colour, the archer's 8 in the player's.
    EXPECT_NE(svg.find("data-frame=\"3\"><rect"), std::string::npos);
    EXPECT_NE(svg.find("fill=\"rgb(255,77,51)\">3</text>"), std::string::npos) << svg;
    EXPECT_NE(svg.find("fill=\"rgb(89,191,255)\">8</text>"), std::string::npos) << svg;

    const FailingScript rows[] = {
        {"health knight 5\n", "FAILED test.play:1: there is no battle with units on the board"},
        {battle + "health goblin:3 5\n",
         "FAILED test.play:5: the board has 2 goblin unit(s), not 3"},
        {battle + "expect digits dragon \"1\"\n",
         "FAILED test.play:5: no dragon on the board (knight, archer, priest, goblin, shaman)"},
        {battle + "expect digits shaman \"02\"\n",
         "FAILED test.play:5: the digits over shaman read \"20\", not \"02\""},
    };
    expectFailures(rows);
}

// Rows: a script and the line it fails with. A unit speaks only in battle and by a name the board
// knows; a balloon is checked once grown, and a hidden one is no balloon.
TEST_F(KelPlaySession, UnitsSpeakInBattleAndTheirBalloonsAreCheckedWhereThePlayerSeesThem) {
    const std::string battle = "wait 0.8\nkey Return\nwait 0.8\n";
    const FailingScript rows[] = {
        {"say knight speech Hi\n",
         "FAILED test.play:1: there is no battle with units on the board"},
        {battle + "say knight speech Hi\nwait 0.1\nexpect balloon knight 0 upright\n",
         "FAILED test.play:6: the balloon of 'knight' is still growing"},
        {battle + "say goblin:2 thoughts Hm\nwait 0.3\nexpect balloon goblin:2 0 upright\n"
                  "expect silent goblin\nexpect balloon goblin:2 0 mirrored\n",
         "FAILED test.play:8: the balloon of 'goblin:2' is 0 upright ("},
        {battle + "say knight author Hi\nwait 0.3\nunsay knight\nexpect silent knight\n"
                  "unsay knight\n",
         "FAILED test.play:8: 'knight' shows no balloon"},
    };
    expectFailures(rows);
}

#ifndef _WIN32
// Runs kel-play with `arguments` (and `input` on its standard input) in `dir`; the exit status,
// with what it printed in out.txt and errors.txt. The program renders no frames unless `frames`:
// what these tests check is the session, and the renderer has tests of its own.
int runProgram(const kel::test::TempDir& dir, const std::string& arguments,
               const std::string& input = "", bool frames = false) {
    dir.write("input.txt", input);
    const std::string command = "cd " + dir.get().string() + " && " +
                                (frames ? "" : "KEL_NO_RENDERER=1 ") + KEL_PLAY_EXE + " " +
                                arguments + " < input.txt > out.txt 2> errors.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(KelPlayProgram, AFailedExpectationExitsNonZeroInEveryMode) {
    const char* const failing = "wait 0.1\nexpect state GAME\nwait 0.1\n";
    // The mode, and what is typed.
    const char* const rows[][2] = {{"--script s.play", ""},
                                   {"--script s.play --quiet", ""},
                                   {"--interactive --profile profile", failing},
                                   {"--interactive --profile profile --quiet", failing}};
    for (const auto& row : rows) {
        const char* const mode = row[0];
        kel::test::TempDir dir;
        dir.write("s.play", failing);
        EXPECT_EQ(runProgram(dir, std::string(mode) + " --out out", row[1]), 1) << mode;
        const std::string said = dir.read("out.txt") + dir.read("errors.txt");
        EXPECT_NE(said.find(":2: the state is MAIN_MENU, not GAME"), std::string::npos)
            << mode << "\n"
            << said;
        EXPECT_NE(said.find("1 failed expectation"), std::string::npos) << mode;
        EXPECT_TRUE(std::filesystem::exists(dir / "out/index.html")) << mode;
    }
}

// Lines piped in play on the machine's clock as they come: each Right turns the ring one place.
TEST(KelPlayProgram, AnInteractiveSessionThroughAPipeTurnsTheRingOnePlacePerKey) {
    kel::test::TempDir dir;
    const int status = runProgram(dir, "--interactive --profile profile --out out",
                                  "help\nwait 0.8\nexpect front play\nkey Right\nwait 0.5\n"
                                  "expect front options_play\nkey Right\nwait 0.5\n"
                                  "expect front selectmap\nkey Left\nwait 0.5\n"
                                  "expect front options_play\n");
    const std::string said = dir.read("out.txt");
    EXPECT_EQ(status, 0) << said << dir.read("errors.txt");
    // `help` lists the commands and the key names.
    for (const char* line :
         {"ok: expect front selectmap", "ok: 11 commands", "ringfocus ENTRY", "WheelDown"})
        EXPECT_NE(said.find(line), std::string::npos) << line << said;
}

TEST(KelPlayProgram, AScriptIsCheckedWholeAndRefusedBeforeAnythingPlays) {
    kel::test::TempDir dir;
    dir.write("bad.play", "wait 0.1\nwiggle 3\nwait inf\nkey Nope\n");
    EXPECT_EQ(runProgram(dir, "--out out --script bad.play"), 2);
    const std::string errors = dir.read("errors.txt");
    for (const char* line : {"bad.play:2: unknown command 'wiggle' (kel-play --help lists the "
                             "commands)",
                             "bad.play:3: 'inf'", "bad.play:4: no key or mouse button named 'Nope'",
                             "3 errors in bad.play; nothing was played"})
        EXPECT_NE(errors.find(line), std::string::npos) << errors;
    EXPECT_EQ(dir.read("out.txt").find("module started"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

// Mistakes on the command line are one line on the error output and exit 2.
TEST(KelPlayProgram, CommandLineMistakesAreOneLine) {
    // The arguments, and what is said.
    const char* const rows[][2] = {
        {"--out", "--out needs a value"},
        {"--script --quiet", "--script needs a value"},
        {"--wobble", "unknown option '--wobble'"},
        {"--script missing.play", "missing.play: No such file or directory"},
        {"--profile afile", "--profile afile: it is a file, not a folder"},
        {"--profile afile/sub", "--profile afile/sub: "},
    };
    for (const auto& row : rows) {
        kel::test::TempDir dir;
        dir.write("afile", "a file");
        EXPECT_EQ(runProgram(dir, row[0]), 2) << row[0];
        const std::string errors = dir.read("errors.txt");
        EXPECT_NE(errors.find(row[1]), std::string::npos) << row[0] << ": " << errors;
        EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;
    }
    kel::test::TempDir dir;
    EXPECT_EQ(runProgram(dir, "--help"), 0);
    const std::string help = dir.read("out.txt");
    EXPECT_LE(std::count(help.begin(), help.end(), '\n'), 24) << help;
    EXPECT_NE(help.find("--interactive"), std::string::npos);
}

TEST(KelPlayProgram, ASnapshotIsTheRenderedFrameWithTheSvgBesideItOrTheSvgAloneSaidOnce) {
    kel::test::TempDir dir;
    dir.write("s.play", "snapshot one\nsnapshot two\n");
    // Without a renderer: said once, the SVG pictures only.
    runProgram(dir, "--out out --script s.play");
    const std::string said = dir.read("out.txt");
    const size_t first = said.find("no rendered frames");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find("no rendered frames", first + 1), std::string::npos) << said;
    EXPECT_TRUE(std::filesystem::exists(dir / "out/02-two.svg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "out/02-two.png"));
    const std::string why = kel::test::whyNoFrames();
    if (!why.empty())
        GTEST_SKIP() << why;
    // With one: a PNG of the screen's size beside each SVG. (The exit status depends on whether
    // the data's art is all there, which the asset checks see to.)
    runProgram(dir, "--quiet --out out --script s.play", "", true);
    const std::string svg = dir.read("out/02-two.svg");
    const std::string png = dir.read("out/02-two.png");
    ASSERT_GE(png.size(), 24u) << dir.read("errors.txt");
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    auto big = [&png](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) |
               (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) |
               static_cast<unsigned char>(png[at + 3]);
    };
    const std::string size =
        "width=\"" + std::to_string(big(16)) + "\" height=\"" + std::to_string(big(20)) + "\"";
    EXPECT_NE(svg.find(size), std::string::npos) << size;
    EXPECT_NE(dir.read("out/index.html").find("<img src=\"01-one.png\""), std::string::npos);
}

TEST(KelPlayProgram, TheOutputFolderKeepsAFileOfTheUsers) {
    kel::test::TempDir dir;
    dir.write("s.play", "snapshot one\n");
    dir.write("out/keep.svg", "mine");
    ASSERT_EQ(runProgram(dir, "--quiet --out out --script s.play"), 0) << dir.read("errors.txt");
    ASSERT_EQ(runProgram(dir, "--quiet --out out --script s.play"), 0) << dir.read("errors.txt");
    EXPECT_EQ(dir.read("out/keep.svg"), "mine");
    EXPECT_TRUE(std::filesystem::exists(dir / "out/01-one.svg"));
}

TEST(KelPlayProgram, ASessionThatLoggedErrorsSaysSoAndExitsNonZero) {
    kel::test::TempDir dir;
    std::filesystem::copy(KEL_DATA_DIR, dir / "data", std::filesystem::copy_options::recursive);
    dir.write("data/Configs/UI/gameui.cfg",
              "probe { class = text; size = 1 nan }\n" + dir.read("data/Configs/UI/gameui.cfg"));
    dir.write("ok.play", "wait 0.1\n");
    auto run = [&](const std::string& data) {
        return runProgram(dir, "--quiet --data " + data + " --out out --script ok.play");
    };
    EXPECT_EQ(run(KEL_DATA_DIR), 0) << dir.read("errors.txt");
    EXPECT_EQ(run((dir / "data").string()), 1) << "every command ran, but an error was logged";
    const std::string errors = dir.read("errors.txt");
    EXPECT_NE(errors.find("kel-play: logged: /Configs/UI/gameui.cfg:1:23: option 'size': 'nan' "
                          "is not a finite number"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("kel-play: FAILED: 1 command, 0 failed expectations, 1 logged error"),
              std::string::npos)
        << errors;
    // The transcript says when it came: while the layouts were read, before the main menu.
    const std::string transcript = dir.read("out/index.html");
    EXPECT_LT(transcript.find("error logged: /Configs/UI/gameui.cfg:1:23:"),
              transcript.find("state MAIN_MENU"));
}
#endif

} // namespace

#include "Session.h"
#include "Tour.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include "host/resource/ResourceManager.h"

#include <gtest/gtest.h>

#include <cstdlib>

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
        kelplay::ScriptError scriptError;
        EXPECT_TRUE(script.parse(text, "test.play", &scriptError)) << scriptError.describe();
        *ok = session.runScript(script, "test.play", &scriptError);
        EXPECT_TRUE(session.finish(&error)) << error;
        return transcript;
    }

    kel::test::LogCapture log;
    kel::test::TempDir profile;
    kel::test::TempDir out;
    std::filesystem::path savedProfile;
};

TEST_F(KelPlaySession, TheDefaultTourPlaysThroughWithEveryExpectationMet) {
    bool ok = false;
    const std::string transcript = play(kelplay::kDefaultTour, &ok);
    EXPECT_TRUE(ok) << transcript;
    EXPECT_EQ(transcript.find("FAILED"), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("state MAIN_MENU"), std::string::npos);
    EXPECT_NE(transcript.find("ok: expect answer NO"), std::string::npos);
    EXPECT_NE(transcript.find("ok: expect daytime 09:00"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(out / "index.html"));
    EXPECT_TRUE(std::filesystem::exists(out / "02-main-menu.svg"));
    // The roads out of the main menu end where they should.
    EXPECT_NE(transcript.find("event newgame mapName=Lighthouse"), std::string::npos);
    EXPECT_NE(transcript.find("event newgame mapName=Watermill"), std::string::npos);
    EXPECT_NE(transcript.find("event newgame mapName=Skirmish.lvx"), std::string::npos);
    EXPECT_NE(transcript.find("event endgame"), std::string::npos);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(KelPlaySession, AFailedExpectationStopsTheScriptAndNamesTheLine) {
    bool ok = true;
    const std::string transcript = play("wait 0.1\nexpect state GAME\nkey F2\n", &ok);
    EXPECT_FALSE(ok);
    EXPECT_NE(transcript.find("FAILED test.play:2: the state is MAIN_MENU, not GAME"),
              std::string::npos)
        << transcript;
}

#ifndef _WIN32
TEST(KelPlayProgram, ABadScriptIsRefusedWithItsLineAndANonZeroExit) {
    kel::test::TempDir dir;
    dir.write("bad.play", "wait 0.1\nwiggle 3\n");
    const std::string command =
        std::string(KEL_PLAY_EXE) + " --quiet --out " + (dir / "out").string() + " --script " +
        (dir / "bad.play").string() + " 2> " + (dir / "errors.txt").string() + " > /dev/null";
    const int status = std::system(command.c_str());
    EXPECT_NE(status, 0);
    EXPECT_NE(dir.read("errors.txt").find("bad.play:2: unknown command 'wiggle'"),
              std::string::npos)
        << dir.read("errors.txt");
}

TEST(KelPlayProgram, ASessionThatLoggedErrorsSaysSoAndExitsNonZero) {
    kel::test::TempDir dir;
    std::filesystem::copy(KEL_DATA_DIR, dir / "data", std::filesystem::copy_options::recursive);
    dir.write("data/Configs/UI/gameui.cfg",
              "probe { class = text; size = 1 nan }\n" + dir.read("data/Configs/UI/gameui.cfg"));
    dir.write("ok.play", "wait 0.1\n");
    auto run = [&](const std::string& data) {
        const std::string command = std::string(KEL_PLAY_EXE) + " --quiet --data " + data +
                                    " --out " + (dir / "out").string() + " --script " +
                                    (dir / "ok.play").string() + " 2> " +
                                    (dir / "errors.txt").string() + " > /dev/null";
        return std::system(command.c_str());
    };
    EXPECT_EQ(run(KEL_DATA_DIR), 0) << dir.read("errors.txt");
    EXPECT_NE(run((dir / "data").string()), 0) << "every command ran, but an error was logged";
    EXPECT_NE(dir.read("errors.txt")
                  .find("1 error was logged during the session:\n  /Configs/UI/gameui.cfg:1:23: "
                        "option 'size': 'nan' is not a finite number"),
              std::string::npos)
        << dir.read("errors.txt");
}
#endif

} // namespace

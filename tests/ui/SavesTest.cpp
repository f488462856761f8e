#include "ui/Saves.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"
#include "ui/KelDataStorage.h"

#include <gtest/gtest.h>

namespace {

using kel::ui::Saves;
using kel::ui::UserInfo;
using Level = kel::logic::HardLevel::Type;

class PlayerSaves : public ::testing::Test {
protected:
    void SetUp() override {
        roots.data.write("Configs/GameFlow/gameflow.cfg", "missions {\n"
                                                          "  mission00 = Lighthouse a.lvx\n"
                                                          "  mission01 = Watermill b.lvx\n"
                                                          "  mission02 = Garden c.lvx\n"
                                                          "}\n");
        storage.load();
        kel::ui::theKelDataStorage = &storage;
    }
    void TearDown() override { kel::ui::theKelDataStorage = nullptr; }

    std::vector<std::string> names() {
        std::list<UserInfo> users;
        saves.getUserList(users);
        std::vector<std::string> result;
        for (const auto& user : users)
            result.push_back(user.name);
        return result;
    }

    kel::test::TempRoots roots;
    kel::test::LogCapture log;
    kel::ui::KelDataStorage storage;
    Saves saves;
};

TEST_F(PlayerSaves, AFirstStartHasOnlyTheDefaultPlayerAndPlayStartsTheFirstMission) {
    saves.load();
    EXPECT_EQ(names(), (std::vector<std::string>{"default"}));
    EXPECT_EQ(saves.getCurrentUser(), "default");
    EXPECT_EQ(saves.getLevel(), Level::NORMAL);
    EXPECT_EQ(saves.getCurrentMission(), "Lighthouse");
    EXPECT_FALSE(saves.showCreateMenuAfterPlay());
    EXPECT_FALSE(saves.showPlayMenuAfterPlay());
    EXPECT_FALSE(std::filesystem::exists(roots.profile / "saves.cfg")) << "not written yet";
}

TEST_F(PlayerSaves, PlayersAreReadUpToTheFirstGapAndRenumberedWhenSaved) {
    roots.profile.write("saves.cfg", "save_000 { name = A; level = easy }\n"
                                     "save_002 { name = C }\n"
                                     "other { }\n"
                                     "save_001 { name = B }\n"
                                     "currentUser = B\n");
    saves.load();
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B", "C"}))
        << "three blocks besides 'other' give passes enough for the three numbers";
    roots.profile.write("saves.cfg", "save_000 { name = A }\nsave_002 { name = C }\n");
    saves.load();
    EXPECT_EQ(names(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(saves.getUserLevel("A"), Level::NORMAL) << "a missing level reads as normal";
    EXPECT_EQ(saves.getUserInfo("A")->level, "");

    saves.addUser("B", "easy");
    saves.addUser("C", "hard?");
    EXPECT_EQ(saves.getUserInfo("C")->level, "hard?");
    EXPECT_EQ(saves.getUserLevel("C"), Level::NORMAL);
    saves.removeUser("B");
    saves.save();
    const std::string written = roots.profile.read("saves.cfg");
    EXPECT_EQ(written, "save_000 {\n    name = A\n    currentmission = Lighthouse\n"
                       "    maximummission = Lighthouse\n    level = \"\"\n}\n"
                       "save_001 {\n    name = C\n    currentmission = Lighthouse\n"
                       "    maximummission = Lighthouse\n    level = hard?\n}\n"
                       "currentUser = C\n");
}

TEST_F(PlayerSaves, HostileNamesRoundTripUnchanged) {
    saves.load();
    const std::string hostile = "a\"b}\n{c\\";
    saves.addUser(hostile, Saves::TRIVIAL);
    saves.save();
    Saves again;
    again.load();
    ASSERT_NE(again.getUserInfo(hostile), nullptr);
    EXPECT_EQ(again.getCurrentUser(), hostile);
    EXPECT_EQ(again.getLevel(), Level::TRIVIAL);
}

TEST_F(PlayerSaves, RemovingTheCurrentPlayerMovesToTheFirstAndTheLastLeavesNoOne) {
    saves.load();
    saves.removeUser("default");
    saves.addUser("A", Saves::NORMAL);
    saves.addUser("B", Saves::EASY);
    saves.removeUser("B");
    EXPECT_EQ(saves.getCurrentUser(), "A");
    saves.removeUser("A");
    EXPECT_EQ(saves.getCurrentUser(), "A") << "nobody left to take over";
    EXPECT_EQ(saves.getUserCount(), 0);
    EXPECT_TRUE(saves.showCreateMenuAfterPlay());
    EXPECT_FALSE(saves.showPlayMenuAfterPlay());
    // With no current player the current-player operations are harmless.
    saves.setCurrentMission("Garden");
    saves.userReached("Garden");
    EXPECT_EQ(saves.getCurrentMission(), "Lighthouse");
    EXPECT_EQ(saves.getLevel(), Level::NORMAL);
}

TEST_F(PlayerSaves, ReachingAMissionOnlyEverRaisesTheFurthestAndAlwaysSaves) {
    saves.load();
    saves.userReached("Garden");
    EXPECT_EQ(saves.getMaximumMission(), "Garden");
    EXPECT_TRUE(saves.showPlayMenuAfterPlay());
    saves.userReached("Watermill");
    EXPECT_EQ(saves.getCurrentMission(), "Watermill");
    EXPECT_EQ(saves.getMaximumMission(), "Garden");
    saves.userReached("Eden");
    EXPECT_EQ(saves.getCurrentMission(), "Eden");
    EXPECT_EQ(saves.getMaximumMission(), "Garden");
    Saves again;
    again.load();
    EXPECT_EQ(again.getCurrentMission(), "Eden");
    EXPECT_EQ(again.getMaximumMission(), "Garden");
}

TEST_F(PlayerSaves, AFileThatDoesNotParseIsKeptAsideAndNeverSavedOver) {
    const std::string broken = "save_000 { name = Alice\ncurrentUser = Alice\n";
    roots.profile.write("saves.cfg", broken);
    saves.load();
    EXPECT_EQ(names(), (std::vector<std::string>{"default"}));
    auto records = log.take();
    ASSERT_EQ(records.size(), 2u) << "the syntax error, then what became of the file";
    EXPECT_EQ(records[1].filter, "kel-ui");
    EXPECT_EQ(records[1].file, "/Profile/saves.cfg");
    EXPECT_EQ(records[1].line, 3);
    EXPECT_NE(records[1].text.find("kept aside as /Profile/saves.cfg.corrupt-1"), std::string::npos)
        << records[1].text;
    EXPECT_EQ(roots.profile.read("saves.cfg.corrupt-1"), broken);

    EXPECT_TRUE(saves.save());
    EXPECT_EQ(roots.profile.read("saves.cfg.corrupt-1"), broken) << "the next save leaves it";
    roots.profile.write("saves.cfg", "}");
    saves.load();
    log.take();
    EXPECT_EQ(roots.profile.read("saves.cfg.corrupt-2"), "}") << "earlier copies survive";
    EXPECT_EQ(roots.profile.read("saves.cfg.corrupt-1"), broken);
}

TEST_F(PlayerSaves, AFileThatCannotBeReadIsReportedAndNotSavedOver) {
    std::filesystem::create_directories(roots.profile / "saves.cfg" / "inside");
    saves.load();
    EXPECT_EQ(names(), (std::vector<std::string>{"default"}));
    EXPECT_EQ(log.count("kel-ui"), 1u);
    EXPECT_FALSE(saves.save());
    EXPECT_TRUE(std::filesystem::exists(roots.profile / "saves.cfg" / "inside"));
    EXPECT_EQ(log.count("kel-ui"), 2u) << "the refused save is reported";
    log.take();
}

TEST_F(PlayerSaves, OnlyExactlyNumberedBlocksCountAndTheFirstOfANameWins) {
    roots.profile.write("saves.cfg", "save_0000 { name = Wrong }\n"
                                     "save_000 { name = A }\n"
                                     "save_000 { name = Shadowed }\n"
                                     "save_1 { name = Wrong }\n"
                                     "save_001 { name = B }\n");
    saves.load();
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"}));
}

} // namespace

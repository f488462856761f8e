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

    // Each player with his level, current and furthest mission.
    std::string players() {
        std::list<UserInfo> users;
        saves.getUserList(users);
        std::string text;
        for (const auto& user : users)
            text += user.name + "(" + user.level + " " + user.currentMission + " " +
                    user.maximumMission + ") ";
        return text;
    }
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

TEST_F(PlayerSaves, LoadingReadsNumberedPlayersUpToTheFirstGapOrAddsTheDefaultPlayer) {
    struct Row {
        const char* file; // null: no file
        const char* players;
        const char* currentUser;
    };
    const Row rows[] = {
        {nullptr, "default(normal Lighthouse Lighthouse) ", "default"},
        {"save_000 { level = easy; name = A; maximummission = Garden }\ncurrentUser = Z\n",
         "A(easy Lighthouse Garden) ", "Z"},
        {"save_000 { name = A }\nsave_002 { name = C }\ncurrentUser = A\n",
         "A( Lighthouse Lighthouse) ", "A"},
        {"save_000 { name = A }\nsave_002 { name = C }\nother { }\nsave_001 { name = B }\n"
         "currentUser = B\n",
         "A( Lighthouse Lighthouse) B( Lighthouse Lighthouse) C( Lighthouse Lighthouse) ", "B"},
        {"save_000 { name = A; currentmission = Watermill }\n", "A( Watermill Lighthouse) ",
         "before"},
        {"save_001 { name = B }\ncurrentUser = B\n", "default(normal Lighthouse Lighthouse) ",
         "default"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file ? row.file : "no file");
        std::filesystem::remove(roots.profile / "saves.cfg");
        if (row.file)
            roots.profile.write("saves.cfg", row.file);
        saves.setCurrentUser("before");
        saves.load();
        EXPECT_EQ(players(), row.players);
        EXPECT_EQ(saves.getCurrentUser(), row.currentUser);
        EXPECT_EQ(roots.profile.read("saves.cfg"), row.file ? row.file : "") << "not written";
    }
}

TEST_F(PlayerSaves, DifficultiesAreStoredAsTextAndReadBack) {
    saves.load();
    const std::pair<const char*, int> textToLevel[] = {{"normal", 0}, {"easy", 1}, {"trivial", 2},
                                                       {"", 0},       {"Easy", 0}, {"hard?", 0}};
    for (const auto& [text, level] : textToLevel) {
        saves.addUser(std::string("player ") + text, text);
        EXPECT_EQ(saves.getUserInfo(std::string("player ") + text)->level, text) << "unchanged";
        EXPECT_EQ(static_cast<int>(saves.getLevel()), level) << text;
    }
    const std::pair<int, const char*> levelToText[] = {
        {0, "normal"}, {1, "easy"}, {2, "trivial"}, {3, "normal"}};
    for (const auto& [level, text] : levelToText) {
        saves.setUserLevel("default", Level(level));
        EXPECT_EQ(saves.getUserInfo("default")->level, text) << level;
        saves.setLevel(Level(level));
        EXPECT_EQ(saves.getUserInfo("player hard?")->level, text) << "the current player";
    }
    EXPECT_EQ(saves.getUserLevel("nobody"), Level(0));
    saves.setUserLevel("nobody", Level(1));
    EXPECT_EQ(saves.getUserInfo("nobody"), nullptr);
}

TEST_F(PlayerSaves, SavingWritesEveryPlayerInOrderThenTheCurrentOneOverTheWholeFile) {
    roots.profile.write("saves.cfg", "other { kept = no }\nsave_000 { name = A; extra = 1 }\n"
                                     "save_001 { name = B }\n");
    saves.load();
    saves.addUser("C", "hard?");
    saves.addUser("D", Saves::EASY);
    saves.getUserInfo("D")->currentMission = "Garden";
    saves.removeUser("B");
    saves.setCurrentUser("C");
    EXPECT_EQ(roots.profile.read("saves.cfg").find("save_002"), std::string::npos)
        << "nothing is written before save";
    saves.save();
    EXPECT_EQ(roots.profile.read("saves.cfg"),
              "save_000 {\n    name = A\n    currentmission = Lighthouse\n"
              "    maximummission = Lighthouse\n    level = \"\"\n}\n"
              "save_001 {\n    name = C\n    currentmission = Lighthouse\n"
              "    maximummission = Lighthouse\n    level = hard?\n}\n"
              "save_002 {\n    name = D\n    currentmission = Garden\n"
              "    maximummission = Lighthouse\n    level = easy\n}\n"
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

TEST_F(PlayerSaves, ThePlayerAfterSave999IsSave1000) {
    saves.load();
    for (int i = 1; i <= 1000; ++i)
        saves.addUser("P" + std::to_string(i), Saves::NORMAL);
    saves.save();
    const std::string written = roots.profile.read("saves.cfg");
    EXPECT_NE(written.find("save_999 {\n    name = P999\n"), std::string::npos);
    EXPECT_NE(written.find("save_1000 {\n    name = P1000\n"), std::string::npos);
    Saves again;
    again.load();
    EXPECT_EQ(again.getUserCount(), 1001);
    EXPECT_EQ(again.getCurrentUser(), "P1000");
}

TEST_F(PlayerSaves, AddingAndRemovingPlayersChangesTheListAndTheCurrentOne) {
    struct Row {
        const char* what;
        std::vector<const char*> players;
        const char* current;
        const char* removed;
        std::vector<const char*> left;
        const char* currentAfter;
    };
    const Row rows[] = {
        {"the current one", {"A", "B", "C"}, "B", "B", {"A", "C"}, "A"},
        {"another one", {"A", "B", "C"}, "C", "A", {"B", "C"}, "C"},
        {"the first of two of a name", {"A", "B", "A"}, "A", "A", {"B", "A"}, "B"},
        {"the last one", {"A"}, "A", "A", {}, "A"},
        {"nobody", {"A", "B"}, "B", "Z", {"A", "B"}, "B"},
        {"a current one who is not there", {"A", "B"}, "Z", "Z", {"A", "B"}, "A"},
    };
    for (const Row& row : rows) {
        saves.load();
        saves.removeUser("default");
        for (const char* name : row.players) {
            saves.addUser(name, Saves::EASY);
            EXPECT_EQ(saves.getCurrentUser(), name) << "a new player becomes current";
        }
        EXPECT_EQ(saves.getUserInfo(row.players.back())->currentMission, "Lighthouse");
        EXPECT_EQ(saves.getUserInfo(row.players.back())->maximumMission, "Lighthouse");
        saves.setCurrentUser(row.current);
        saves.removeUser(row.removed);
        EXPECT_EQ(names(), std::vector<std::string>(row.left.begin(), row.left.end())) << row.what;
        EXPECT_EQ(saves.getCurrentUser(), row.currentAfter) << row.what;
    }
    EXPECT_FALSE(std::filesystem::exists(roots.profile / "saves.cfg")) << "nothing was saved";
}

TEST_F(PlayerSaves, AReachedMissionIsCurrentRaisesOnlyTheFurthestAndIsWritten) {
    struct Row {
        const char* furthest;
        const char* reached;
        const char* furthestAfter;
    };
    const Row rows[] = {
        {"Lighthouse", "Garden", "Garden"},   {"Garden", "Watermill", "Garden"},
        {"Watermill", "Garden", "Garden"},    {"Garden", "Garden", "Garden"},
        {"Garden", "Eden", "Garden"},         {"Lighthouse", "Eden", "Lighthouse"},
        {"Eden", "Lighthouse", "Lighthouse"},
    };
    saves.load();
    saves.addUser("A", Saves::NORMAL);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.furthest) + " then " + row.reached);
        saves.setMaximumMission(row.furthest);
        saves.setCurrentMission("Watermill");
        saves.userReached(row.reached);
        EXPECT_EQ(saves.getCurrentMission(), row.reached);
        EXPECT_EQ(saves.getMaximumMission(), row.furthestAfter);
        Saves onDisk;
        onDisk.load();
        ASSERT_TRUE(onDisk.userExists("A")) << "written at once";
        EXPECT_EQ(onDisk.getUserInfo("A")->currentMission, row.reached);
        EXPECT_EQ(onDisk.getUserInfo("A")->maximumMission, row.furthestAfter);
    }
}

TEST_F(PlayerSaves, PlayLeadsToCreationWithoutPlayersAndToTheMissionsPastTheFirst) {
    struct Row {
        std::vector<std::pair<const char*, const char*>> players; // name, furthest mission
        const char* current;
        bool create, missions;
    };
    const Row rows[] = {
        {{}, "A", true, false},
        {{{"A", "Lighthouse"}}, "A", false, false},
        {{{"A", "Watermill"}}, "A", false, true},
        {{{"A", "Watermill"}}, "Z", false, false},
        {{{"A", "Lighthouse"}, {"B", "Garden"}}, "B", false, true},
        {{{"A", "Lighthouse"}, {"B", "Garden"}}, "A", false, false},
    };
    for (const Row& row : rows) {
        saves.load();
        saves.removeUser("default");
        for (const auto& [name, furthest] : row.players) {
            saves.addUser(name, Saves::NORMAL);
            saves.setMaximumMission(furthest);
        }
        saves.setCurrentUser(row.current);
        EXPECT_EQ(saves.showCreateMenuAfterPlay(), row.create) << row.players.size();
        EXPECT_EQ(saves.showPlayMenuAfterPlay(), row.missions)
            << row.players.size() << " " << row.current;
    }
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

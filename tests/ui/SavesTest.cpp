#include "ui/Saves.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"
#include "ui/KelDataStorage.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using kel::ui::Saves;
using Level = kel::logic::HardLevel::Type;

class PlayerSaves : public ::testing::Test {
protected:
    void SetUp() override {
        roots.data.write("Configs/GameFlow/gameflow.cfg",
                         "missions {\n mission00 = Lighthouse a.lvx\n mission01 = Watermill b.lvx\n"
                         " mission02 = Garden c.lvx\n}\n");
        storage.load();
        kel::ui::theKelDataStorage = &storage;
    }
    void TearDown() override { kel::ui::theKelDataStorage = nullptr; }

    // Each player, with his level, current and furthest mission when `whole`.
    std::string players(bool whole = true) {
        std::list<kel::ui::UserInfo> users;
        saves.getUserList(users);
        std::string text;
        for (const auto& u : users)
            text += whole ? u.name + "(" + u.level + " " + u.currentMission + " " +
                                u.maximumMission + ") "
                          : u.name + " ";
        return text;
    }
    // Players from "A B:Garden" (each with his furthest mission, "Lighthouse" if none), then
    // the current one.
    void fill(const std::string& list, const char* current) {
        saves.load();
        saves.removeUser("default");
        std::istringstream words(list);
        for (std::string word; words >> word;) {
            const std::string name = word.substr(0, word.find(':'));
            saves.addUser(name, Saves::EASY);
            EXPECT_EQ(saves.getCurrentUser(), name) << "a new player becomes current";
            EXPECT_EQ(saves.getCurrentMission() + " " + saves.getMaximumMission(),
                      "Lighthouse Lighthouse");
            if (word.find(':') != std::string::npos)
                saves.setMaximumMission(word.substr(word.find(':') + 1));
        }
        saves.setCurrentUser(current);
    }

    kel::test::TempRoots roots;
    kel::test::LogCapture log;
    kel::ui::KelDataStorage storage;
    Saves saves;
};

TEST_F(PlayerSaves, LoadingReadsNumberedPlayersUpToTheFirstGapOrAddsTheDefaultPlayer) {
    const std::string none = "( Lighthouse Lighthouse) ";
    const std::string rows[][3] = {
        // file ("-": none), players, current player
        {"-", "default(normal Lighthouse Lighthouse) ", "default"},
        {"save_000 { level = easy; name = A; maximummission = Garden }\ncurrentUser = Z\n",
         "A(easy Lighthouse Garden) ", "Z"},
        {"save_000 { name = A }\nsave_002 { name = C }\ncurrentUser = A\n", "A" + none, "A"},
        {"save_000 { name = A }\nsave_002 { name = C }\nother { }\nsave_001 { name = B }\n"
         "currentUser = B\n",
         "A" + none + "B" + none + "C" + none, "B"},
        {"save_000 { name = A; currentmission = Watermill }\n", "A( Watermill Lighthouse) ",
         "before"},
        {"save_001 { name = B }\ncurrentUser = B\n", "default(normal Lighthouse Lighthouse) ",
         "default"},
        // Only exactly numbered blocks count, and the first of a name wins.
        {"save_0000 { name = W }\nsave_000 { name = A }\nsave_000 { name = S }\n"
         "save_1 { name = W }\nsave_001 { name = B }\n",
         "A" + none + "B" + none, "before"},
    };
    for (const auto& [file, players, current] : rows) {
        SCOPED_TRACE(file);
        std::filesystem::remove(roots.profile / "saves.cfg");
        if (file != "-")
            roots.profile.write("saves.cfg", file);
        saves.setCurrentUser("before");
        saves.load();
        EXPECT_EQ(this->players(), players);
        EXPECT_EQ(saves.getCurrentUser(), current);
        EXPECT_EQ(roots.profile.read("saves.cfg"), file == "-" ? "" : file) << "not written";
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
    // A current player the list does not hold: the setters change nothing and the answers are
    // a new player's.
    saves.setCurrentUser("nobody");
    saves.setLevel(Level(2));
    saves.setCurrentMission("Garden");
    saves.setMaximumMission("Garden");
    saves.userReached("Watermill");
    EXPECT_EQ(saves.getLevel(), Level(0));
    EXPECT_EQ(saves.getCurrentMission() + " " + saves.getMaximumMission(), "Lighthouse Lighthouse");
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

TEST_F(PlayerSaves, ThePlayerAfterSave999IsSave1000AndHostileNamesRoundTrip) {
    saves.load();
    for (int i = 1; i < 1000; ++i)
        saves.addUser("P" + std::to_string(i), Saves::NORMAL);
    const std::string hostile = "a\"b}\n{c\\";
    saves.addUser(hostile, Saves::TRIVIAL);
    saves.save();
    const std::string written = roots.profile.read("saves.cfg");
    EXPECT_NE(written.find("save_999 {\n    name = P999\n"), std::string::npos);
    EXPECT_NE(written.find("save_1000 {\n    name = "), std::string::npos);
    Saves again;
    again.load();
    EXPECT_EQ(again.getUserCount(), 1001);
    EXPECT_EQ(again.getCurrentUser(), hostile);
    ASSERT_TRUE(again.userExists(hostile));
    EXPECT_EQ(again.getLevel(), Level::TRIVIAL);
}

TEST_F(PlayerSaves, RemovingPlayersChangesTheListAndTheCurrentOne) {
    const char* const rows[][4] = {
        // players, current, removed, players left > current then
        {"A B C", "B", "B", "A C > A"}, // the current one
        {"A B C", "C", "A", "B C > C"}, // another one
        {"A B A", "A", "A", "B A > B"}, // the first of a name
        {"A", "A", "A", "> A"},         // the last one
        {"A B", "B", "Z", "A B > B"},   // nobody
        {"A B", "Z", "Z", "A B > A"},   // a current one who is not there
    };
    for (const auto& [list, current, removed, left] : rows) {
        fill(list, current);
        saves.removeUser(removed);
        EXPECT_EQ(players(false) + "> " + saves.getCurrentUser(), left)
            << list << " less " << removed;
    }
    EXPECT_FALSE(std::filesystem::exists(roots.profile / "saves.cfg")) << "nothing was saved";
}

TEST_F(PlayerSaves, AReachedMissionIsCurrentRaisesOnlyTheFurthestAndIsWritten) {
    const char* const rows[][3] = {
        // furthest, reached, furthest after
        {"Lighthouse", "Garden", "Garden"},   {"Garden", "Watermill", "Garden"},
        {"Watermill", "Garden", "Garden"},    {"Garden", "Garden", "Garden"},
        {"Garden", "Eden", "Garden"},         {"Lighthouse", "Eden", "Lighthouse"},
        {"Eden", "Lighthouse", "Lighthouse"},
    };
    saves.load();
    saves.addUser("A", Saves::NORMAL);
    for (const auto& [furthest, reached, furthestAfter] : rows) {
        saves.setMaximumMission(furthest);
        saves.setCurrentMission("Watermill");
        saves.userReached(reached);
        Saves onDisk;
        onDisk.load();
        const std::string expected = std::string(reached) + " " + furthestAfter;
        EXPECT_EQ(saves.getCurrentMission() + " " + saves.getMaximumMission(), expected)
            << furthest;
        EXPECT_EQ(onDisk.getCurrentMission() + " " + onDisk.getMaximumMission(), expected)
            << furthest << ": written at once";
    }
}

TEST_F(PlayerSaves, PlayLeadsToCreationWithoutPlayersAndToTheMissionsPastTheFirst) {
    // The players, the current one, and where "play" leads ("": into the game).
    const char* const rows[][3] = {{"", "A", "creation"},
                                   {"A", "A", ""},
                                   {"A:Watermill", "A", "missions"},
                                   {"A:Watermill", "Z", ""},
                                   {"A B:Garden", "B", "missions"},
                                   {"A B:Garden", "A", ""}};
    for (const auto& [list, current, leads] : rows) {
        fill(list, current);
        EXPECT_EQ(std::string(saves.showCreateMenuAfterPlay() ? "creation" : "") +
                      (saves.showPlayMenuAfterPlay() ? "missions" : ""),
                  leads)
            << list << ", " << current;
    }
}

TEST_F(PlayerSaves, AFileThatDoesNotParseIsKeptAsideAndNeverSavedOver) {
    const std::string broken = "save_000 { name = Alice\ncurrentUser = Alice\n";
    roots.profile.write("saves.cfg", broken);
    saves.load();
    EXPECT_EQ(players(false), "default ");
    auto records = log.take();
    ASSERT_EQ(records.size(), 2u) << "the syntax error, then what became of the file";
    EXPECT_EQ(records[1].filter, "kel-ui");
    EXPECT_EQ(records[1].file + ":" + std::to_string(records[1].line), "/Profile/saves.cfg:3");
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
    EXPECT_EQ(players(false), "default ");
    EXPECT_EQ(log.count("kel-ui"), 1u);
    EXPECT_FALSE(saves.save());
    EXPECT_TRUE(std::filesystem::exists(roots.profile / "saves.cfg" / "inside"));
    EXPECT_EQ(log.count("kel-ui"), 2u) << "the refused save is reported";
    log.take();
}

} // namespace

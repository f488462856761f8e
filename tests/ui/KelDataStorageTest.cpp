#include "ui/KelDataStorage.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using kel::ui::KelDataStorage;

class DataTables : public ::testing::Test {
protected:
    void write(const std::string& file, const std::string& text) {
        roots.data.write("Configs/" + file, text);
    }
    // Loads the tables; the "kel-ui" messages of the load.
    std::vector<debug::LogRecord> load() {
        storage.load();
        return log.take();
    }
    void missions(const std::string& entries) {
        write("GameFlow/gameflow.cfg", "missions {\n" + entries + "}\n");
    }
    std::vector<std::string> missionList() {
        std::vector<std::string> list;
        for (int i = 0; i < storage.getMissionCount(); ++i)
            list.push_back(storage.getMission(i));
        return list;
    }

    kel::test::TempRoots roots;
    kel::test::LogCapture log;
    KelDataStorage storage;
};

using Strings = std::vector<std::string>;

TEST_F(DataTables, TitleFilesGiveTheFirstValueOfTopLevelPropertiesTheLastOneWinning) {
    struct Table {
        const char* file;
        std::function<std::string(KelDataStorage&, const std::string&)> lookUp;
    };
    const Table tables[] = {
        {"UI/units.cfg", &KelDataStorage::getUnitTitle},
        {"UI/objects.cfg", &KelDataStorage::getObjectTitle},
        {"UI/statuses.cfg", &KelDataStorage::getStatusTitle},
        {"UI/strings.cfg", &KelDataStorage::uiString},
    };
    for (const Table& table : tables)
        write(table.file, std::string("own = \"") + table.file + "\"\n" +
                              "knight = Knight\nknight = \"Sir Knight\" Extra\n"
                              "inner { hidden = Hidden }\n");
    EXPECT_EQ(load().size(), 1u) << "no game flow; the title files are read silently";
    for (const Table& table : tables) {
        SCOPED_TRACE(table.file);
        EXPECT_EQ(table.lookUp(storage, "own"), table.file) << "each file fills its own table";
        EXPECT_EQ(table.lookUp(storage, "knight"), "Sir Knight");
        EXPECT_EQ(table.lookUp(storage, "hidden"), "") << "sub-blocks are not read";
        EXPECT_EQ(table.lookUp(storage, "inner"), "");
        EXPECT_EQ(table.lookUp(storage, "Knight"), "") << "names are case-sensitive";
        EXPECT_EQ(table.lookUp(storage, "nobody"), "");
    }
    EXPECT_EQ(::ui::theDataStorage->uiString("knight"), "Sir Knight") << "the toolkit's store";
}

TEST_F(DataTables, TilesTakePlainTitlesForVariant0ThenTheNumberedVariantsOfTheirBlocks) {
    write("UI/tiles.cfg", "water { number_0 = Block }\n" // blocks win wherever they stand
                          "grass = A\n"
                          "grass { number_2 = B; number_10 = Ten }\n"
                          "water = Plain\n"
                          "rock { number_3 = C }\n"
                          "sand { number_1 = S; number_x = Skipped }\n");
    const auto messages = load();
    struct Row {
        const char* tile;
        int number;
        const char* title;
    };
    const Row rows[] = {
        {"grass", 2, "B"},     {"grass", 0, "A"}, {"grass", 5, "A"}, {"grass", 10, "Ten"},
        {"water", 0, "Block"}, {"rock", 3, "C"},  {"rock", 0, ""},   {"rock", 1, ""},
        {"sand", 1, "S"},      {"lava", 0, ""},   {"Grass", 0, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(storage.getTileTitle(row.tile, row.number), row.title)
            << row.tile << " " << row.number;
    ASSERT_EQ(messages.size(), 2u) << "number_x, and the missing game flow";
    EXPECT_EQ(messages[0].filter, "kel-ui");
    EXPECT_EQ(messages[0].file, "/Configs/UI/tiles.cfg");
    EXPECT_EQ(messages[0].line, 6);
}

TEST_F(DataTables, ImagesToLocaleNameImagesByValue) {
    write("UI/imagesToLocale.cfg", "anything = /Images/UI/title.tga\nsecond = /Images/UI/b.tga\n");
    load();
    EXPECT_TRUE(storage.doesImageNeedLocale("/Images/UI/title.tga"));
    EXPECT_TRUE(::ui::theDataStorage->doesImageNeedLocale("/Images/UI/b.tga"));
    EXPECT_FALSE(storage.doesImageNeedLocale("anything"));
    EXPECT_FALSE(storage.doesImageNeedLocale("/Images/UI/other.tga"));
}

TEST_F(DataTables, MissionsAreLookedUpByTheirGeneratedNamesInNumericOrder) {
    // mission00 ... mission100, written last first.
    std::string entries;
    for (int i = 100; i >= 0; --i)
        entries += "mission" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " = M" +
                   std::to_string(i) + " m" + std::to_string(i) + ".lvx\n";
    missions(entries);
    EXPECT_TRUE(load().empty());
    ASSERT_EQ(storage.getMissionCount(), 101);
    EXPECT_EQ(storage.getMission(0), "M0");
    EXPECT_EQ(storage.getMission(11), "M11");
    EXPECT_EQ(storage.getMission(100), "M100");
    EXPECT_EQ(storage.missionIndex("M100"), 100);
    EXPECT_EQ(storage.mapFile("M100"), "m100.lvx");
}

TEST_F(DataTables, MissionLookUps) {
    missions("mission01 = Watermill mill.lvx\n"
             "mission00 = Lighthouse Lighthouse.lvx\n"
             "mission02 = Garden mill.lvx\n");
    EXPECT_TRUE(load().empty());
    EXPECT_EQ(missionList(), (Strings{"Lighthouse", "Watermill", "Garden"}));
    struct Row {
        const char* name;
        int index;
        const char* mapFile;
    };
    const Row missionRows[] = {{"Lighthouse", 0, "Lighthouse.lvx"},
                               {"Watermill", 1, "mill.lvx"},
                               {"Garden", 2, "mill.lvx"},
                               {"lighthouse", -1, ""},
                               {"Eden", -1, ""},
                               {"", -1, ""}};
    for (const Row& row : missionRows) {
        EXPECT_EQ(storage.missionIndex(row.name), row.index) << row.name;
        EXPECT_EQ(storage.mapFile(row.name), row.mapFile) << row.name;
    }
    const std::pair<const char*, const char*> mapRows[] = {
        {"mill.lvx", "Garden"}, // two missions play it: the name that sorts first
        {"Lighthouse.lvx", "Lighthouse"}, {"Mill.lvx", ""}, {"mill", ""}, {"nowhere.lvx", ""},
    };
    for (const auto& [file, mission] : mapRows)
        EXPECT_EQ(storage.mapName(file), mission) << file;
}

// A gap or an entry without a map file ends the list there: the missions before it are kept
// and the place is reported with its file and line.
TEST_F(DataTables, BadMissionEntriesEndTheListWhereTheyStand) {
    struct Row {
        const char* entries;
        Strings list;
        int line; // of the report; 1 is the "missions" block
        const char* mentions;
    };
    const Row rows[] = {
        {"mission00 = A a.lvx\nmission01 = B\nmission02 = C c.lvx\n", {"A"}, 3, "mission01"},
        {"mission00 = A a.lvx\nmission02 = C c.lvx\n", {"A"}, 1, "mission01"},
        {"mission00 = A a.lvx\nnote = x\n", {"A"}, 1, "mission01"},
        {"mission01 = B b.lvx\n", {}, 1, "mission00"},
    };
    for (const Row& row : rows) {
        missions(row.entries);
        const auto messages = load();
        EXPECT_EQ(missionList(), row.list) << row.entries;
        ASSERT_EQ(messages.size(), 1u) << row.entries;
        EXPECT_EQ(messages[0].file, "/Configs/GameFlow/gameflow.cfg");
        EXPECT_EQ(messages[0].line, row.line) << row.entries;
        EXPECT_NE(messages[0].text.find(row.mentions), std::string::npos) << messages[0].text;
    }
    write("GameFlow/gameflow.cfg", "campaign { mission00 = A a.lvx }\n");
    EXPECT_EQ(load().size(), 1u) << "no missions block";
    EXPECT_EQ(storage.getMissionCount(), 0);
}

TEST_F(DataTables, LoadingAgainGivesTheSameTablesAndForgetsWhatIsGone) {
    write("UI/units.cfg", "knight = Knight\n");
    write("UI/tiles.cfg", "grass = Grass\n");
    write("UI/imagesToLocale.cfg", "a = /Images/a.tga\n");
    missions("mission00 = Lighthouse Lighthouse.lvx\nmission01 = Garden Garden.lvx\n");
    auto check = [&](bool loaded) {
        EXPECT_EQ(storage.getUnitTitle("knight"), loaded ? "Knight" : "");
        EXPECT_EQ(storage.getTileTitle("grass", 0), loaded ? "Grass" : "");
        EXPECT_EQ(storage.doesImageNeedLocale("/Images/a.tga"), loaded);
        EXPECT_EQ(missionList(), (loaded ? Strings{"Lighthouse", "Garden"} : Strings{}));
        EXPECT_EQ(storage.mapName("Garden.lvx"), loaded ? "Garden" : "");
    };
    load();
    check(true);
    load();
    check(true);
    storage.reset();
    check(false);

    std::filesystem::remove(roots.data / "Configs/UI/units.cfg");
    load();
    EXPECT_EQ(storage.getUnitTitle("knight"), "") << "a missing file leaves its table empty";
    EXPECT_EQ(storage.getMissionCount(), 2);
}

TEST(ShippedData, TheGameFlowStartsWithLighthouseAndNamesShippedMaps) {
    kel::test::LogCapture log;
    KelDataStorage storage;
    storage.load();
    ASSERT_GE(storage.getMissionCount(), 3);
    EXPECT_EQ(storage.getMission(0), "Lighthouse");
    for (int i = 0; i < storage.getMissionCount(); ++i)
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(KEL_DATA_DIR) / "Maps" /
                                            storage.mapFile(storage.getMission(i))))
            << storage.getMission(i);
    EXPECT_TRUE(log.take().empty());
}

} // namespace

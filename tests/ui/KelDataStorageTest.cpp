#include "ui/KelDataStorage.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using kel::ui::KelDataStorage;
using Strings = std::vector<std::string>;

class DataTables : public ::testing::Test {
protected:
    void write(const std::string& file, const std::string& text) {
        roots.data.write("Configs/" + file, text);
    }
    // Loads the tables; where each message of the load was given, as "filter file:line".
    Strings load() {
        storage.load();
        Strings where;
        for (const auto& record : log.take())
            where.push_back(record.filter + " " + record.file + ":" + std::to_string(record.line));
        return where;
    }
    void missions(const std::string& entries) {
        write("GameFlow/gameflow.cfg", "missions {\n" + entries + "}\n");
    }
    Strings missionList() {
        Strings list;
        for (int i = 0; i < storage.getMissionCount(); ++i)
            list.push_back(storage.getMission(i));
        return list;
    }

    kel::test::TempRoots roots;
    kel::test::LogCapture log;
    KelDataStorage storage;
};

const char* const kNoGameFlow = "kel-ui /Configs/GameFlow/gameflow.cfg:0";

TEST_F(DataTables, TitleFilesGiveTheFirstValueOfTopLevelPropertiesTheLastOneWinning) {
    const std::pair<const char*, std::function<std::string(KelDataStorage&, const std::string&)>>
        tables[] = {{"UI/units.cfg", &KelDataStorage::getUnitTitle},
                    {"UI/objects.cfg", &KelDataStorage::getObjectTitle},
                    {"UI/statuses.cfg", &KelDataStorage::getStatusTitle},
                    {"UI/strings.cfg", &KelDataStorage::uiString}};
    for (const auto& [file, lookUp] : tables)
        write(file, std::string("own = \"") + file + "\"\nknight = Knight\n" +
                        "knight = \"Sir Knight\" Extra\ninner { hidden = Hidden }\n");
    // Images are named by the values; the names of the properties mean nothing.
    write("UI/imagesToLocale.cfg", "anything = /Images/UI/title.tga\nsecond = /Images/UI/b.tga\n");
    EXPECT_EQ(load(), Strings{kNoGameFlow}) << "the title files are read silently";
    for (const auto& [file, lookUp] : tables) {
        SCOPED_TRACE(file);
        EXPECT_EQ(lookUp(storage, "own"), file) << "each file fills its own table";
        EXPECT_EQ(lookUp(storage, "knight"), "Sir Knight");
        for (const char* missing : {"hidden", "inner", "Knight", "nobody"})
            EXPECT_EQ(lookUp(storage, missing), "") << missing;
    }
    EXPECT_EQ(::ui::theDataStorage->uiString("knight"), "Sir Knight") << "the toolkit's store";
    EXPECT_TRUE(storage.doesImageNeedLocale("/Images/UI/title.tga"));
    EXPECT_TRUE(::ui::theDataStorage->doesImageNeedLocale("/Images/UI/b.tga"));
    EXPECT_FALSE(storage.doesImageNeedLocale("anything"));
    EXPECT_FALSE(storage.doesImageNeedLocale("/Images/UI/other.tga"));

    std::filesystem::remove(roots.data / "Configs/UI/units.cfg");
    EXPECT_EQ(load(), Strings{kNoGameFlow}) << "loading again";
    EXPECT_EQ(storage.getUnitTitle("knight"), "") << "a missing file leaves its table empty";
    EXPECT_EQ(storage.getObjectTitle("knight"), "Sir Knight");
    EXPECT_TRUE(storage.doesImageNeedLocale("/Images/UI/b.tga"));
    storage.reset();
    EXPECT_EQ(storage.getObjectTitle("knight") + storage.uiString("knight"), "");
    EXPECT_FALSE(storage.doesImageNeedLocale("/Images/UI/b.tga"));
}

TEST_F(DataTables, TilesTakePlainTitlesForVariant0ThenTheNumberedVariantsOfTheirBlocks) {
    write("UI/tiles.cfg", "water { number_0 = Block }\n" // blocks win wherever they stand
                          "grass = A\ngrass { number_2 = B; number_10 = Ten }\nwater = Plain\n"
                          "rock { number_3 = C }\nsand { number_1 = S; number_x = Skipped }\n");
    EXPECT_EQ(load(), (Strings{"kel-ui /Configs/UI/tiles.cfg:6", kNoGameFlow})) << "number_x";
    const std::tuple<const char*, int, const char*> rows[] = {
        {"grass", 2, "B"},     {"grass", 0, "A"}, {"grass", 5, "A"}, {"grass", 10, "Ten"},
        {"water", 0, "Block"}, {"rock", 3, "C"},  {"rock", 0, ""},   {"rock", 1, ""},
        {"sand", 1, "S"},      {"lava", 0, ""},   {"Grass", 0, ""},
    };
    for (const auto& [tile, number, title] : rows)
        EXPECT_EQ(storage.getTileTitle(tile, number), title) << tile << " " << number;
    storage.reset();
    EXPECT_EQ(storage.getTileTitle("grass", 2) + storage.getTileTitle("grass", 0), "");
}

TEST_F(DataTables, MissionsAreLookedUpByTheirGeneratedNamesInNumericOrder) {
    std::string entries; // mission00 ... mission100, written last first
    for (int i = 100; i >= 0; --i)
        entries += "mission" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " = M" +
                   std::to_string(i) + " m" + std::to_string(i) + ".lvx\n";
    missions(entries);
    EXPECT_EQ(load(), Strings{});
    ASSERT_EQ(storage.getMissionCount(), 101);
    EXPECT_EQ(storage.getMission(0) + storage.getMission(11) + storage.getMission(100),
              "M0M11M100");
    EXPECT_EQ(storage.missionIndex("M100"), 100);
    EXPECT_EQ(storage.mapFile("M100"), "m100.lvx");

    missions("mission01 = Watermill mill.lvx\nmission00 = Lighthouse Lighthouse.lvx\n"
             "mission02 = Garden mill.lvx\n");
    EXPECT_EQ(load(), Strings{});
    EXPECT_EQ(missionList(), (Strings{"Lighthouse", "Watermill", "Garden"}));
    const std::tuple<const char*, int, const char*> missionRows[] = {
        {"Lighthouse", 0, "Lighthouse.lvx"},
        {"Watermill", 1, "mill.lvx"},
        {"Garden", 2, "mill.lvx"},
        {"lighthouse", -1, ""},
        {"Eden", -1, ""},
        {"", -1, ""}};
    for (const auto& [name, index, mapFile] : missionRows) {
        EXPECT_EQ(storage.missionIndex(name), index) << name;
        EXPECT_EQ(storage.mapFile(name), mapFile) << name;
    }
    const std::pair<const char*, const char*> mapRows[] = {
        {"mill.lvx", "Garden"}, // two missions play it: the name that sorts first
        {"Lighthouse.lvx", "Lighthouse"}, {"Mill.lvx", ""}, {"mill", ""}, {"nowhere.lvx", ""},
    };
    for (const auto& [file, mission] : mapRows)
        EXPECT_EQ(storage.mapName(file), mission) << file;
    storage.reset();
    EXPECT_EQ(missionList(), Strings{});
    EXPECT_EQ(storage.mapName("mill.lvx") + storage.mapFile("Garden"), "");
}

// A gap or an entry without a map file ends the list there: the missions before it are kept
// and the place is reported with its file and line.
TEST_F(DataTables, BadMissionEntriesEndTheListWhereTheyStand) {
    const std::tuple<const char*, Strings, int, const char*> rows[] = {
        // entries, missions kept, line of the report (1: the block), what it names
        {"mission00 = A a.lvx\nmission01 = B\nmission02 = C c.lvx\n", {"A"}, 3, "mission01"},
        {"mission00 = A a.lvx\nmission02 = C c.lvx\n", {"A"}, 1, "mission01"},
        {"mission00 = A a.lvx\nnote = x\n", {"A"}, 1, "mission01"},
        {"mission01 = B b.lvx\n", {}, 1, "mission00"},
    };
    for (const auto& [entries, list, line, mentions] : rows) {
        missions(entries);
        storage.load();
        EXPECT_EQ(missionList(), list) << entries;
        const auto messages = log.take();
        ASSERT_EQ(messages.size(), 1u) << entries;
        EXPECT_EQ(messages[0].file + ":" + std::to_string(messages[0].line),
                  "/Configs/GameFlow/gameflow.cfg:" + std::to_string(line));
        EXPECT_NE(messages[0].text.find(mentions), std::string::npos) << messages[0].text;
    }
    write("GameFlow/gameflow.cfg", "campaign { mission00 = A a.lvx }\n");
    EXPECT_EQ(load(), Strings{"kel-ui /Configs/GameFlow/gameflow.cfg:1"}) << "no missions block";
    EXPECT_EQ(storage.getMissionCount(), 0);
}

} // namespace

#include "ui/KelDataStorage.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

namespace {

using kel::ui::KelDataStorage;

class DataTables : public ::testing::Test {
protected:
    kel::test::TempRoots roots;
    kel::test::LogCapture log;
    KelDataStorage storage;
};

TEST_F(DataTables, TilesAreReadInTwoPassesSoBlocksWinOverPlainTitles) {
    roots.data.write("Configs/UI/tiles.cfg", "grass = A\n"
                                             "grass { number_2 = B }\n"
                                             "water = Plain\n"
                                             "water { number_0 = Block; number_x = skipped }\n");
    storage.load();
    EXPECT_EQ(storage.getTileTitle("grass", 2), "B");
    EXPECT_EQ(storage.getTileTitle("grass", 0), "A");
    EXPECT_EQ(storage.getTileTitle("grass", 5), "A") << "a missing variant falls back to 0";
    EXPECT_EQ(storage.getTileTitle("water", 0), "Block");
    EXPECT_EQ(storage.getTileTitle("lava", 0), "");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 2u) << "number_x, and the missing game flow";
    EXPECT_EQ(records[0].filter, "kel-ui");
    EXPECT_EQ(records[0].file, "/Configs/UI/tiles.cfg");
    EXPECT_EQ(records[0].line, 4);
}

TEST_F(DataTables, MissionsFollowTheirGeneratedNamesNotTheFileOrder) {
    roots.data.write("Configs/GameFlow/gameflow.cfg", "missions {\n"
                                                      "  mission01 = Watermill mill.lvx\n"
                                                      "  mission00 = Lighthouse light.lvx\n"
                                                      "  mission02 = Garden mill.lvx\n"
                                                      "}\n");
    roots.data.write("Configs/UI/imagesToLocale.cfg", "anything = /Images/UI/title.tga\n");
    roots.data.write("Configs/UI/units.cfg", "knight = Knight\nknight = \"Sir Knight\"\n");
    storage.load();
    ASSERT_EQ(storage.getMissionCount(), 3);
    EXPECT_EQ(storage.getMission(0), "Lighthouse");
    EXPECT_EQ(storage.missionIndex("Garden"), 2);
    EXPECT_EQ(storage.missionIndex("Eden"), -1);
    EXPECT_EQ(storage.mapFile("Watermill"), "mill.lvx");
    EXPECT_EQ(storage.mapName("mill.lvx"), "Garden") << "missions are searched in name order";
    EXPECT_EQ(storage.mapName("nowhere.lvx"), "");
    EXPECT_TRUE(storage.doesImageNeedLocale("/Images/UI/title.tga"));
    EXPECT_FALSE(storage.doesImageNeedLocale("anything"));
    EXPECT_EQ(storage.getUnitTitle("knight"), "Sir Knight") << "a later property wins";

    storage.load(); // twice gives the same tables
    EXPECT_EQ(storage.getMissionCount(), 3);
    EXPECT_EQ(storage.getUnitTitle("knight"), "Sir Knight");
    EXPECT_TRUE(log.take().empty());
}

TEST_F(DataTables, BadMissionDataIsReportedAndKeepsWhatWasRead) {
    roots.data.write("Configs/GameFlow/gameflow.cfg", "missions {\n"
                                                      "  mission00 = Lighthouse light.lvx\n"
                                                      "  mission01 = Watermill\n"
                                                      "  mission02 = Garden garden.lvx\n"
                                                      "}\n");
    storage.load();
    EXPECT_EQ(storage.getMissionCount(), 1);
    auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].line, 3);

    roots.data.write("Configs/GameFlow/gameflow.cfg", "missions {\n"
                                                      "  mission00 = Lighthouse light.lvx\n"
                                                      "  mission02 = Garden garden.lvx\n"
                                                      "}\n");
    storage.load();
    EXPECT_EQ(storage.getMissionCount(), 1) << "the list ends at the gap";
    records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].text.find("mission01"), std::string::npos);
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

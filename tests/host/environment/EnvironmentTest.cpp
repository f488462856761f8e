#include "host/environment/Environment.h"
#include "host/config/Config.h"
#include "host/engine/Camera.h"
#include "host/engine/View.h"
#include "support/LogCapture.h"
#include "support/TempRoots.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

config::Config configuration(const std::string& text) {
    config::Config block;
    EXPECT_TRUE(block.readString(text, "/Maps/Test.lvx")) << block.getLastError().describe();
    return block;
}

class Sky : public ::testing::Test {
protected:
    Camera camera;
    View menu{&camera, Viewport(), "uisky"};
    View board{&camera, Viewport(), "gameboard"};
    kel::test::LogCapture log;
    Environment environment;
};

TEST_F(Sky, ItsViewsFollowActivateAndDeactivate) {
    EXPECT_TRUE(environment.getViews().empty());
    environment.activate(&menu);
    environment.activate(&menu);
    environment.activate(&board);
    EXPECT_EQ(environment.getViews(), (std::vector<View*>{&menu, &board}));
    EXPECT_EQ(menu.getObjects().size(), 1u) << "registered once";
    EXPECT_TRUE(board.hasObject(&environment));
    environment.deactivate(&menu);
    EXPECT_FALSE(environment.isActiveIn(&menu) || menu.hasObject(&environment));
    environment.deactivate(&menu); // not in it any more: nothing happens
    EXPECT_EQ(environment.getViews(), std::vector<View*>{&board});

    // A view snapshot sees the sky as it is now.
    environment.setDayTime(DayTime(9 * 60 + 5));
    EXPECT_EQ(board.getObjects()[0]->describe(), "sky Default 09:05 clear");
    static_cast<SkyTimeControl&>(environment).setDayTime(DayTime(1500));
    EXPECT_EQ(environment.getDayTime().minutes, 1500) << "kept as given";
    EXPECT_EQ(board.getObjects()[0]->describe(), "sky Default 01:00 clear");

    // The sky takes itself out of the views it is still in when it goes.
    auto temporary = std::make_unique<Environment>();
    temporary->activate(&menu);
    temporary.reset();
    EXPECT_TRUE(menu.getObjects().empty());
    environment.deactivate(&board);
}

TEST_F(Sky, AConfigurationSetsWhatItSaysAndKeepsTheRest) {
    const config::Config first = configuration("sky = Eden\ndayTime = 09:30\nweather = rain\n"
                                               "fogColor = 0.5 0.5 0.6\n");
    environment.loadConfiguration(&first);
    EXPECT_EQ(environment.describe(), "sky Eden 09:30 rain");
    EXPECT_EQ(environment.getDayTime().minutes, 570);
    EXPECT_EQ(environment.getFogColor(), config::Color(0.5f, 0.5f, 0.6f, 1));
    EXPECT_EQ(environment.getLook().clouds, 0) << "Eden has no clouds";

    const config::Config second = configuration("dayTime = 1260\n");
    environment.loadConfiguration(&second);
    EXPECT_EQ(environment.describe(), "sky Eden 21:00 rain");
    EXPECT_EQ(environment.getLoadCount(), 2);
    std::string recorded;
    EXPECT_TRUE(environment.getLoadedConfiguration().getProperty("dayTime", &recorded));
    EXPECT_EQ(recorded, "1260");
    EXPECT_FALSE(environment.getLoadedConfiguration().hasProperty("sky"))
        << "the record is the last configuration as given";
    EXPECT_EQ(log.take().size(), 0u);
}

TEST_F(Sky, MistakesAreReportedWithTheirLineAndTheRestStillApplies) {
    const config::Config bad = configuration("sky = Nowhere\ndayTime = 25:00\nweather = hail\n"
                                             "fogColor = grey\nweather = snow\n");
    environment.loadConfiguration(&bad);
    std::string places;
    for (const auto& record : log.take())
        places += record.filter + " " + record.file + ":" + std::to_string(record.line) + "\n";
    const std::string at = "environment /Maps/Test.lvx:";
    EXPECT_EQ(places, at + "1\n" + at + "2\n" + at + "3\n" + at + "4\n");
    // The first of a repeated key counts.
    EXPECT_EQ(environment.describe(), "sky Default 12:00 clear");
    EXPECT_EQ(environment.getFogColor(), config::Color(0, 0, 0, 1));
}

TEST_F(Sky, SkiesAreSelectedByNameFromTheCatalogue) {
    EXPECT_TRUE(environment.selectSky("Eden"));
    EXPECT_EQ(environment.getLook().horizon, config::Color(1, 0.88f, 0.65f, 1));
    EXPECT_FALSE(environment.selectSky("Mars"));
    EXPECT_EQ(environment.getSkyName(), "Eden");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file, "/Configs/Environment/skies.cfg");
    EXPECT_TRUE(environment.selectSky("Default"));
    EXPECT_TRUE(environment.getLook().stars);
}

TEST(SkyCatalogue, AMissingCatalogueIsReportedAndChangesNothing) {
    kel::test::TempRoots roots;
    kel::test::LogCapture log;
    Environment environment;
    EXPECT_FALSE(environment.selectSky("Eden"));
    EXPECT_EQ(environment.getSkyName(), "Default");
    EXPECT_EQ(log.count("environment"), 1u);
    roots.data.write("Configs/Environment/skies.cfg", "Eden {\n  clouds = 3\n}\n");
    EXPECT_TRUE(environment.selectSky("Eden"));
    EXPECT_EQ(environment.getLook().clouds, 1) << "out of range: reported and clamped";
    const auto records = log.take();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].line, 2);
}

} // namespace

#include "ui/Sky.h"
#include "support/UiFixture.h"

#include "host/config/Config.h"
#include "host/engine/Camera.h"
#include "host/engine/SEFading.h"
#include "host/engine/SphereVertexFogManager.h"
#include "host/engine/View.h"
#include "host/environment/Environment.h"

namespace {

class SkyTest : public kel::test::UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        sky = new kel::ui::Sky();
        ui->addComponent(sky);
    }
    View* ownView() { return sky->getScene().getView(); }
    kel::ui::Sky* sky = nullptr;
    Camera boardCamera;
    View board{&boardCamera, Viewport(), "board"};
};

TEST_F(SkyTest, FadesFollowTheirPatternsAndLeaveNothingBehindAtZero) {
    sky->setVisible(true);
    sky->startFading(2);
    ASSERT_TRUE(sky->isFadingRegistered());
    EXPECT_FLOAT_EQ(sky->getFading()->getValue(), 0.6f) << "type 2 starts at the fade level";
    EXPECT_TRUE(ownView()->hasObject(sky->getFading()));
    sky->doFading(0.5f);
    EXPECT_FLOAT_EQ(sky->getFading()->getValue(), 0.8f);

    sky->startFading(4);
    EXPECT_FLOAT_EQ(sky->getFading()->getValue(), 1.0f);
    sky->doFading(2.0f);
    EXPECT_FALSE(sky->isFadingRegistered()) << "opacity 0 leaves the view";
    EXPECT_FALSE(ownView()->hasObject(sky->getFading()));
    EXPECT_EQ(sky->getFadingType(), 0);
    sky->doFading(0.5f);
    EXPECT_FALSE(sky->isFadingRegistered()) << "a finished fade changes nothing more";

    sky->startFading(3);
    sky->doFading(0.25f);
    EXPECT_FLOAT_EQ(sky->getFading()->getValue(), 0.45f);
}

TEST_F(SkyTest, TheDrawingFollowsTheShownStateTheCustomViewAndTheEnvironmentSwitch) {
    Environment* environment = sky->getEnvironment();
    sky->setEnvironmentVisible(false); // while hidden: nothing happens in any view
    EXPECT_TRUE(environment->getViews().empty());
    sky->setVisible(true);
    EXPECT_TRUE(sky->getScene().isActive());
    EXPECT_TRUE(environment->getViews().empty()) << "only the scene, the environment is off";
    sky->setEnvironmentVisible(true);
    EXPECT_TRUE(environment->isActiveIn(ownView()));

    sky->startFading(1);
    sky->doFading(0.5f);
    ASSERT_TRUE(ownView()->hasObject(sky->getFading()));
    sky->setCustomView(&board);
    EXPECT_FALSE(ownView()->hasObject(sky->getFading())) << "the fade leaves the old view";
    EXPECT_FALSE(sky->getScene().isActive());
    EXPECT_TRUE(environment->isActiveIn(&board));
    EXPECT_FALSE(environment->isActiveIn(ownView()));
    sky->doFading(0.75f);
    EXPECT_TRUE(board.hasObject(sky->getFading())) << "the next opacity goes to the new view";

    sky->setVisible(false);
    EXPECT_FALSE(environment->isActiveIn(&board));
    sky->setCustomView(nullptr);
    board.unregisterObject(sky->getFading());
}

TEST_F(SkyTest, AMapSkyKeepsItsConfigurationAndSetsTheFogColour) {
    config::Config map;
    ASSERT_TRUE(map.readString("sky = Eden\ndayTime = 600\n", "map.cfg"));
    theSphereVertexFogManager->setFogColor(config::Color(1, 1, 1, 1));
    sky->loadConfiguration(&map);
    EXPECT_EQ(theSphereVertexFogManager->getFogColor(), config::Color(0, 0, 0, 1));
    EXPECT_EQ(sky->getEnvironment()->getSkyName(), "Eden");
    config::Block back;
    sky->saveConfiguration(&back);
    int minutes = 0;
    EXPECT_TRUE(back.getProperty("dayTime", &minutes));
    EXPECT_EQ(minutes, 600);
}

} // namespace

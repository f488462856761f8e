#include "KelInputFixture.h"

#include <cmath>

using kel::test::KelInputTest;
using Camera = kelinput::DeviceToCamera::Camera;

namespace {

TEST_F(KelInputTest, HeldKeysMoveAndTurnTheCameraOverTime) {
    press("W");
    EXPECT_TRUE(camera()->isActive("moveforward"));
    camera()->advance(0.5f);
    EXPECT_NEAR(camera()->getCamera().z, 5.0f, 1e-4) << "north at yaw 0, 10 units a second";
    EXPECT_NEAR(camera()->getCamera().x, 0.0f, 1e-4);
    press("Up"); // the same control by a second binding: no faster
    camera()->advance(0.5f);
    EXPECT_NEAR(camera()->getCamera().z, 10.0f, 1e-4);
    release("W");
    EXPECT_TRUE(camera()->isActive("moveforward")) << "Up still holds it";
    release("Up");
    camera()->advance(1.0f);
    EXPECT_NEAR(camera()->getCamera().z, 10.0f, 1e-4);

    press("Q");
    camera()->advance(1.0f);
    release("Q");
    EXPECT_NEAR(camera()->getCamera().yaw, 270.0f, 1e-3) << "90 degrees a second, wrapped";
    press("W");
    camera()->advance(1.0f);
    release("W");
    EXPECT_NEAR(camera()->getCamera().x, -10.0f, 1e-3) << "forward follows the yaw";

    press("R");
    camera()->advance(10.0f);
    EXPECT_FLOAT_EQ(camera()->getCamera().pitch, 15.0f) << "pitch stops at its limit";
}

TEST_F(KelInputTest, MouseAxesActOnlyWhileTheirKeysAreHeld) {
    motion(40, 0);
    EXPECT_EQ(camera()->getCamera(), Camera()) << "no button held";

    press("MiddleClick");
    EXPECT_EQ(camera()->getActiveControls(),
              (std::vector<std::string>{"rotatepitchaxis", "rotateyawaxis"}));
    motion(40, -20);
    EXPECT_NEAR(camera()->getCamera().yaw, 10.0f, 1e-4);
    EXPECT_NEAR(camera()->getCamera().pitch, 40.0f, 1e-4);
    release("MiddleClick");
    motion(40, 0);
    EXPECT_NEAR(camera()->getCamera().yaw, 10.0f, 1e-4);

    // Control and the middle button drag the board instead of turning it.
    camera()->setCamera(Camera());
    press("LeftControl");
    press("MiddleClick");
    EXPECT_FALSE(camera()->isActive("rotateyawaxis"));
    motion(100, 0);
    EXPECT_NEAR(camera()->getCamera().x, -5.0f, 1e-4);
    EXPECT_FLOAT_EQ(camera()->getCamera().yaw, 0.0f);
    release("LeftControl");
    EXPECT_FALSE(camera()->isActive("movehaxis-")) << "releasing any of its keys ends it";
}

TEST_F(KelInputTest, MouseSensitivityComesFromTheProfile) {
    profile::InputSettings* settings = nullptr;
    theProfile->getSettings(&settings);
    settings->mouseSensitivity = 2.0f;
    EXPECT_FLOAT_EQ(theKelInput->getMouseMultiplier(), 1.0f) << "not taken yet";
    theKelInput->updateProfileSettings();
    EXPECT_FLOAT_EQ(theKelInput->getMouseMultiplier(), 2.0f);
    press("MiddleClick");
    motion(40, 0);
    EXPECT_NEAR(camera()->getCamera().yaw, 20.0f, 1e-4);

    theKelInput->setMousePosition(320, 240);
    EXPECT_FLOAT_EQ(theKelInput->getMouseX(), 320);
    EXPECT_FLOAT_EQ(theKelInput->getMouseY(), 240);
}

TEST_F(KelInputTest, ZoomStepsOncePerPressWithinItsLimits) {
    tap("WheelUp");
    EXPECT_FLOAT_EQ(camera()->getCamera().zoom, 14.0f);
    press("NumpadPlus");
    camera()->advance(5.0f);
    EXPECT_FLOAT_EQ(camera()->getCamera().zoom, 12.0f) << "holding does not repeat";
    release("NumpadPlus");
    for (int i = 0; i < 10; ++i)
        tap("WheelUp");
    EXPECT_FLOAT_EQ(camera()->getCamera().zoom, 4.0f);
    tap("Home");
    EXPECT_EQ(camera()->getCamera(), Camera());
}

TEST_F(KelInputTest, UnitFreelookTurnsWithTheMouseAndKeepsThePlace) {
    camera()->setUnitFreelook(true);
    EXPECT_TRUE(camera()->getUnitFreelook());
    motion(20, 8);
    EXPECT_NEAR(camera()->getCamera().yaw, 5.0f, 1e-4);
    EXPECT_NEAR(camera()->getCamera().pitch, 47.0f, 1e-4);
    press("W");
    camera()->advance(1.0f);
    tap("WheelUp");
    EXPECT_FLOAT_EQ(camera()->getCamera().z, 0.0f);
    EXPECT_FLOAT_EQ(camera()->getCamera().zoom, 16.0f);

    camera()->setUnitFreelook(false);
    camera()->advance(1.0f);
    EXPECT_NEAR(camera()->getCamera().z, 10.0f * std::cos(5.0f * 3.14159265f / 180), 1e-3);
}

TEST_F(KelInputTest, CleanLetsGoOfEveryHeldControl) {
    press("W");
    press("MiddleClick");
    camera()->clean();
    EXPECT_TRUE(camera()->getActiveControls().empty());
    camera()->advance(1.0f);
    motion(40, 40);
    EXPECT_EQ(camera()->getCamera(), Camera());
    // The key counts as up now, so the next press acts again.
    press("W");
    camera()->advance(1.0f);
    EXPECT_NEAR(camera()->getCamera().z, 10.0f, 1e-4);
}

} // namespace

#include "KelInputFixture.h"

#include <cmath>

using kel::test::KelInputTest;
using Camera = kelinput::DeviceToCamera::Camera;

namespace {

TEST_F(KelInputTest, HeldKeysMoveAndTurnTheCameraOverTime) {
    EXPECT_EQ(view(), "0 45 0 0 16");
    press("W");
    EXPECT_TRUE(camera()->isActive("moveforward"));
    camera()->advance(0.5f);
    EXPECT_EQ(view(), "0 45 0 5 16") << "north at yaw 0, 10 units a second";
    press("Up"); // the same control by a second binding: no faster
    camera()->advance(0.5f);
    EXPECT_EQ(view(), "0 45 0 10 16");
    release("W");
    EXPECT_TRUE(camera()->isActive("moveforward")) << "Up still holds it";
    release("Up");
    camera()->advance(1.0f);
    press("Q");
    camera()->advance(1.0f);
    release("Q");
    EXPECT_EQ(view(), "270 45 0 10 16") << "90 degrees a second, wrapped";
    press("W");
    camera()->advance(1.0f);
    release("W");
    EXPECT_EQ(view(), "270 45 -10 10 16") << "forward follows the yaw";
    press("F");
    camera()->advance(0.5f);
    EXPECT_EQ(view(), "270 67.5 -10 10 16") << "tilting 45 degrees a second";
    press("R");
    camera()->advance(10.0f);
    EXPECT_EQ(view(), "270 67.5 -10 10 16") << "tilting both ways at once stands still";
    release("F");
    camera()->advance(10.0f);
    EXPECT_EQ(view(), "270 15 -10 10 16") << "pitch stops at its limit";
}

TEST_F(KelInputTest, MouseAxesActOnlyWhileTheirKeysAreHeld) {
    motion(40, 0);
    EXPECT_EQ(camera()->getCamera(), Camera()) << "no button held";
    press("MiddleClick");
    EXPECT_EQ(camera()->getActiveControls(),
              (std::vector<std::string>{"rotatepitchaxis", "rotateyawaxis"}));
    motion(40, -20);
    EXPECT_EQ(view(), "10 40 0 0 16") << "0.25 degrees a unit";
    release("MiddleClick");
    motion(40, 0);
    EXPECT_EQ(view(), "10 40 0 0 16");

    // Control and the middle button drag the board instead of turning it.
    camera()->setCamera(Camera());
    press("LeftControl");
    press("MiddleClick");
    EXPECT_FALSE(camera()->isActive("rotateyawaxis"));
    motion(100, 0);
    EXPECT_EQ(view(), "0 45 -5 0 16") << "0.05 units a unit, against the mouse";
    release("LeftControl");
    EXPECT_FALSE(camera()->isActive("movehaxis-")) << "releasing any of its keys ends it";
}

TEST_F(KelInputTest, MouseSensitivityAndStrafeSpeedComeFromTheProfile) {
    profile::InputSettings* settings = nullptr;
    theProfile->getSettings(&settings);
    settings->mouseSensitivity = 2.0f;
    settings->mouseStrafeSpeed = 3.0f;
    EXPECT_FLOAT_EQ(theKelInput->getMouseMultiplier(), 1.0f) << "not taken yet";
    theKelInput->updateProfileSettings();
    EXPECT_FLOAT_EQ(theKelInput->getMouseMultiplier(), 2.0f);
    press("MiddleClick");
    motion(40, 0);
    EXPECT_EQ(view(), "20 45 0 0 16");
    release("MiddleClick");
    press("LeftAlt");
    press("MiddleClick");
    motion(10, 0);
    EXPECT_EQ(view(), "20 45 1.41 -0.513 16") << "1.5 units along the turned view";

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
    for (int i = 0; i < 20; ++i)
        tap("WheelDown");
    EXPECT_FLOAT_EQ(camera()->getCamera().zoom, 40.0f);
    camera()->setCamera(Camera{100, 80, 3, 4, 20});
    tap("Home");
    EXPECT_EQ(view(), "0 45 3 4 16") << "yaw, pitch and distance back";
}

TEST_F(KelInputTest, UnitFreelookTurnsWithTheMouseAndKeepsThePlace) {
    camera()->setUnitFreelook(true);
    EXPECT_TRUE(camera()->getUnitFreelook());
    motion(20, 8);
    press("W");
    camera()->advance(1.0f);
    tap("WheelUp");
    EXPECT_EQ(view(), "5 47 0 0 16");

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
    EXPECT_EQ(view(), "0 45 0 10 16");
}

} // namespace

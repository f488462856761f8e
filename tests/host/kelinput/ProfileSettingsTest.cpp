#include "KelInputFixture.h"

#include "host/engine/RenderDriver.h"

#include <sstream>

namespace {

using profile::InputSettings;

// kel-input as the profile's input settings, taken with updateProfileSettings, make it.
class TakenSettings : public kel::test::KelInputTest {
protected:
    void SetUp() override {
        KelInputTest::SetUp();
        theProfile->getSettings(&input);
        theRenderDriver->setScreenSize(640, 480);
    }
    void TearDown() override {
        theKelInput->setMousePosition(320, 240);
        KelInputTest::TearDown();
    }
    InputSettings* input = nullptr;
};

// The pointer at a spot of the 640 x 480 screen for a second: where the camera slides.
TEST_F(TakenSettings, EdgeScrollingAndItsSpeedSlideTheCameraAtTheEdges) {
    const struct {
        bool on;
        float speed, x, y;
        const char* view;
    } rows[] = {
        {true, 1, 0, 240, "0 45 -10 0 16"},     {true, 1, 639, 0, "0 45 10 10 16"},
        {true, 1, 320, 479, "0 45 0 -10 16"},   {true, 1, 1, 478, "0 45 0 0 16"},
        {false, 1, 0, 240, "0 45 0 0 16"},      {true, 4, 0, 240, "0 45 -40 0 16"},
        {true, 0.25f, 320, 0, "0 45 0 2.5 16"},
    };
    for (const auto& row : rows) {
        camera()->setCamera(kelinput::DeviceToCamera::Camera());
        input->edgeAutoScrolling = row.on;
        input->autoScrollingSpeed = row.speed;
        theKelInput->updateProfileSettings();
        theKelInput->setMousePosition(row.x, row.y);
        camera()->advance(1.0f);
        theKelInput->setMousePosition(320, 240);
        camera()->advance(1.0f);
        EXPECT_EQ(view(), row.view) << row.on << " " << row.speed << " " << row.x << "," << row.y;
    }
}

// With the buttons of accept, cancel, move/act and drag camera, a physical mouse button (with a
// modifier held) sends these control-source states and holds these camera controls.
TEST_F(TakenSettings, MouseButtonsPlayTheRolesTheProfileGivesThem) {
    const char* const rows[][5] = {
        {"left right none middle", "", "LeftClick", "22 ", ""},
        {"left right none middle", "", "MiddleClick", "", "rotatepitchaxis rotateyawaxis "},
        {"right left none middle", "", "RightClick", "22 ", ""},
        {"right left none middle", "", "LeftClick", "23 ", ""},
        {"right left none middle", "LeftControl", "RightClick", "33 ", ""},
        {"left right middle none", "", "MiddleClick", "23 ", ""},
        {"left right none left", "LeftControl", "LeftClick", "33 ", "movehaxis- movevaxis- "},
        {"none right middle left", "", "LeftClick", "", "rotatepitchaxis rotateyawaxis "},
        {"left right right middle", "", "RightClick", "23 ", ""},
    };
    for (const auto& [buttons, modifier, button, states, held] : rows) {
        std::istringstream names(buttons);
        for (auto field : {&InputSettings::acceptButton, &InputSettings::cancelButton,
                           &InputSettings::moveActButton, &InputSettings::dragCameraButton}) {
            std::string name;
            names >> name;
            input->*field = InputSettings::fromStringToMouseButton(name);
        }
        theKelInput->updateProfileSettings();
        for (int twice = 0; twice < 2; ++twice) {
            if (*modifier)
                press(modifier);
            press(button);
            std::string sent, active;
            for (const auto& control : camera()->getActiveControls())
                active += control + " ";
            release(button);
            if (*modifier)
                release(modifier);
            for (int state : recorder.take())
                sent += std::to_string(state) + " ";
            EXPECT_EQ(sent + "/ " + active, std::string(states) + "/ " + held)
                << buttons << ": " << modifier << " " << button;
        }
        EXPECT_TRUE(camera()->getActiveControls().empty());
    }
}

// What the player chose on the input page, saved, acts again after the game starts anew.
TEST_F(TakenSettings, SavedSettingsActAgainAfterARestart) {
    input->acceptButton = InputSettings::RightButton;
    input->cancelButton = InputSettings::LeftButton;
    input->edgeAutoScrolling = false;
    input->autoScrollingSpeed = 2;
    ASSERT_TRUE(theProfile->save());
    restart();
    EXPECT_FALSE(camera()->getEdgeScrolling());
    EXPECT_FLOAT_EQ(camera()->getEdgeScrollingSpeed(), 2);
    tap("RightClick");
    EXPECT_EQ(recorder.take(), std::vector<int>{22}) << "the right button accepts";
}

} // namespace

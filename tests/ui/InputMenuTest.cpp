#include "ui/InputMenu.h"
#include "support/ScreenUnderTest.h"
#include "ui/RedefineMenu.h"
// After the fixtures: inside namespace kel, "input" then names kel::input.
#include "host/kelinput/KelInputFixture.h"

#include "host/ui/CheckBox.h"
#include "host/ui/HSlider.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/RadioContainer.h"

namespace {

using profile::InputSettings;

InputSettings* settings() {
    InputSettings* input = nullptr;
    theProfile->getSettings(&input);
    return input;
}

// The shipped page, opened from the main ring; kel-input's control-source states are recorded.
class InputPage : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        theKelInput->getDeviceToCS()->getOutput()->attach(&states);
    }
    void TearDown() override {
        theKelInput->getDeviceToCS()->getOutput()->detach(&states);
        RootFixture::TearDown();
    }
    void open() { kel::test::choose(root.get(), "controls"); }
    template <class T = ::ui::Component> T* part(const std::string& name) {
        auto* page = dynamic_cast<::ui::Container*>(root->getDescendant("inputmenu"));
        return dynamic_cast<T*>(page->getDescendant(name));
    }
    // Clicks at the left of the part, where a box's or radio's mark is.
    void click(const std::string& name) {
        const ::ui::Component* c = part(name);
        clickAt(c->getAbsoluteX() + 6, c->getAbsoluteY() + c->getHeight() / 2);
    }
    // The buttons of accept, cancel, move/act and drag camera in the profile, then as the radios
    // show them.
    std::string buttons() {
        std::string profile, shown;
        for (auto [action, field] : {std::pair{"accept", &InputSettings::acceptButton},
                                     {"cancel", &InputSettings::cancelButton},
                                     {"moveact", &InputSettings::moveActButton},
                                     {"dragcamera", &InputSettings::dragCameraButton}}) {
            profile += InputSettings::fromMouseButtonToString(settings()->*field) + " ";
            const std::string radio = dynamic_cast<::ui::RadioContainer*>(
                                          part<::ui::Container>(std::string("mouse_") + action)
                                              ->getComponent("radiocontainer"))
                                          ->get();
            shown += radio.substr(radio.rfind('_') + 1) + " ";
        }
        return profile + "/ " + shown;
    }
    // The control-source states a click of a physical mouse button sends in battle now.
    std::vector<int> battleClick(const std::string& button) {
        for (bool down : {true, false})
            theKelInput->getDeviceToCS()->processEvent(::input::makeButton(button, down));
        return states.take();
    }

    kel::test::CSRecorder states;
};

// Sliders run from -3 (four times slower) through 0 to 3 (four times faster).
TEST_F(InputPage, SlidersShowAndStoreTheSpeedsOnTheirScale) {
    for (auto [speed, shown] : {std::pair{0.25f, -3.f}, {0.5f, -1.f}, {1.f, 0.f}, {4.f, 3.f}}) {
        settings()->mouseStrafeSpeed = settings()->autoScrollingSpeed = speed;
        open();
        for (const char* name : {"scroll_mousestrafespeed", "scroll_autoscrollingspeed"})
            EXPECT_FLOAT_EQ(part<::ui::HSlider>(name)->getValue(), shown) << name << speed;
        tap("Escape");
    }
    open();
    auto* slider = part<::ui::HSlider>("scroll_autoscrollingspeed");
    root->setFocusedComponent(slider);
    for (auto [value, speed] : {std::pair{-1.f, 0.5f}, {2.f, 3.f}, {-3.f, 0.25f}, {0.f, 1.f}}) {
        while (slider->getValue() != value) // half a unit a key
            tap(slider->getValue() < value ? "Right" : "Left");
        EXPECT_FLOAT_EQ(settings()->autoScrollingSpeed, speed) << value;
        EXPECT_FLOAT_EQ(theKelInput->getDeviceToCamera()->getEdgeScrollingSpeed(), speed);
    }
    EXPECT_EQ(slider->getMin() + slider->getMax(), 0);
}

TEST_F(InputPage, EdgeScrollingEnablesItsSpeedWhenShownAndAtOnceWhenTicked) {
    for (bool on : {true, false}) {
        settings()->edgeAutoScrolling = on;
        open();
        EXPECT_EQ(part("scroll_autoscrollingspeed")->getEnabled(), on);
        for (bool now : {!on, on}) {
            click("check_edgeautoscrolling");
            EXPECT_EQ(part("scroll_autoscrollingspeed")->getEnabled(), now);
            EXPECT_EQ(theKelInput->getDeviceToCamera()->getEdgeScrolling(), now);
        }
        tap("Escape");
    }
}

// Buttons for accept, cancel, move/act and drag camera before; the radio chosen; after. Only the
// accept button accepts in battle, at once.
TEST_F(InputPage, AButtonTakenByAnotherOfAcceptCancelOrMoveActSwapsButDragNever) {
    const char* const rows[][3] = {
        {"left right none middle", "radio_cancel_left", "right left none middle"},
        {"none left middle right", "radio_accept_left", "left none middle right"},
        {"left right none middle", "radio_moveact_right", "left none right middle"},
        {"left right none middle", "radio_dragcamera_left", "left right none left"},
        {"left right none middle", "radio_accept_middle", "middle right none middle"},
        {"left right none middle", "radio_accept_none", "none right none middle"},
    };
    for (const auto& [before, radio, after] : rows) {
        std::istringstream names(before);
        for (auto field : {&InputSettings::acceptButton, &InputSettings::cancelButton,
                           &InputSettings::moveActButton, &InputSettings::dragCameraButton}) {
            std::string name;
            names >> name;
            settings()->*field = InputSettings::fromStringToMouseButton(name);
        }
        open();
        click(radio);
        EXPECT_EQ(buttons(), std::string(after) + " / " + after + " ") << radio;
        const std::string accept(after, 0, std::string(after).find(' '));
        for (auto [button, side] :
             {std::pair{"LeftClick", "left"}, {"MiddleClick", "middle"}, {"RightClick", "right"}}) {
            const auto sent = battleClick(button);
            EXPECT_EQ(std::count(sent.begin(), sent.end(), 22), side == accept) << radio << button;
        }
        tap("Escape");
    }
}

TEST_F(InputPage, ResetBringsBackEveryDefaultAndTheKeysPageLeadsThereAndBack) {
    auto* bindings = dynamic_cast<kel::ui::RedefineMenu*>(root->getDescendant("redefinemenu"));
    ASSERT_NE(bindings, nullptr);
    auto* table = theKelInput->getDeviceToCS()->getRedefineControls();
    ASSERT_TRUE(table->setEventData("endturn", {{"E"}}));
    bindings->getData();
    ASSERT_EQ(bindings->getKeysColumn()->getText("endturn"), "E");
    root->getMousePointer()->setHardwareSupport(true);
    open();
    click("check_edgeautoscrolling");
    click("radio_accept_right");
    settings()->mouseSensitivity = 3;
    click("reset");
    EXPECT_TRUE(*settings() == InputSettings());
    EXPECT_EQ(buttons(), "left right none middle / left right none middle ");
    EXPECT_TRUE(part<::ui::CheckBox>("check_edgeautoscrolling")->getValue());
    EXPECT_TRUE(part("scroll_autoscrollingspeed")->getEnabled());
    EXPECT_EQ(battleClick("LeftClick"), std::vector<int>{22});
    EXPECT_FLOAT_EQ(theKelInput->getMouseMultiplier(), 1);
    std::list<std::list<std::string>> endTurn;
    table->getEventData("endturn", endTurn);
    EXPECT_EQ(endTurn, (std::list<std::list<std::string>>{{"Return"}, {"NumpadEnter"}}));
    EXPECT_FALSE(root->getMousePointer()->getHardwareSupport());
    EXPECT_EQ(bindings->getKeysColumn()->getText("endturn"), "RETURN,NUMPADENTER")
        << "the hidden key bindings page reads the defaults again";

    click("customizecontrols");
    EXPECT_TRUE(bindings->isShowed() && !shown("inputmenu"));
    ::ui::NotifyEvent back(bindings);
    back.setSValue("action", "cancel");
    bindings->notify(back);
    EXPECT_TRUE(shown("inputmenu") && !bindings->isShowed());
}

// The profile's settings reach kel-input with any notification of the page; closing saves the
// profile only when they differ from those shown.
TEST_F(InputPage, EveryNotificationPushesAndClosingSavesOnlyChanges) {
    open();
    settings()->mouseSensitivity = 2;
    click("radio_accept_left"); // chosen already
    EXPECT_FLOAT_EQ(theKelInput->getMouseMultiplier(), 2);
    tap("Escape");
    const std::pair<std::vector<const char*>, int> rows[] = {
        {{}, 0},
        {{"check_clickoutsideofmzdeselectunit"}, 1},
        {{"check_clickoutsideofmzdeselectunit", "check_clickoutsideofmzdeselectunit"}, 0},
        {{"radio_cancel_left", "radio_cancel_right"}, 0}};
    for (const auto& [clicks, saves] : rows) {
        open();
        const int saved = theProfile->getSaveCount();
        for (const char* name : clicks)
            click(name);
        EXPECT_EQ(theProfile->getSaveCount(), saved) << "not while the page is open";
        tap("Escape");
        EXPECT_TRUE(shown("mainroundmenu"));
        EXPECT_EQ(theProfile->getSaveCount(), saved + saves) << clicks.size();
    }
}

} // namespace

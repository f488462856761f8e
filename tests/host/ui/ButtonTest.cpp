#include "host/ui/Button.h"
#include "NotifyTrace.h"
#include "host/ui/Factory.h"
#include "host/ui/Font.h"
#include "host/ui/ImageButton.h"
#include "host/ui/TextButton.h"
#include "host/ui/TextureButton.h"
#include "host/ui/UI.h"
#include "host/ui/UniversalButton.h"
#include "support/UiFixture.h"

namespace {

using kel::test::NotifyTrace;
using kel::test::UiFixture;

// A screen with one button of each kind, side by side on a row at y 100..130.
class Buttons : public UiFixture {
protected:
    void SetUp() override {
        UiFixture::SetUp();
        screen = new NotifyTrace();
        ui->addComponent(screen);
        layout("plain { class = button; position = 10 100; size = 100 30 }\n"
               "caption { class = textbutton; position = 120 100; size = 100 30; text = Play\n"
               "          font = first_blue }\n"
               "arrow { class = texturebutton; position = 230 100; size = 48 30\n"
               "        image = /Images/UI/arrow_left.tga }\n"
               "endturn { class = imagebutton; position = 290 100; image = /Images/UI/endturn.tga\n"
               "          flybyImage = /Images/UI/endturn_flyby.tga }\n"
               "yes { class = universalbutton; position = 400 100; size = 80 30; text = Yes }\n"
               "no { class = universalbutton; position = 500 100; size = 80 30; text = No }\n",
               screen);
        screen->setVisible(true);
    }

    NotifyTrace* screen = nullptr;
};

TEST_F(Buttons, ALeftClickReleasedOnTheButtonIsItsJobAndOtherButtonsAMouseclick) {
    clickAt(50, 115);
    clickAt(150, 110);
    EXPECT_EQ(screen->take(), "plain:job caption:job ") << "the left button is the button's own";
    clickAt(150, 110, "RightClick");
    EXPECT_EQ(screen->take(), "caption:mouseclick=5 ");
    // Released off the button, or pressed elsewhere and dragged onto it: no click.
    moveTo(50, 115);
    press("LeftClick");
    moveTo(50, 200);
    release("LeftClick");
    press("LeftClick");
    moveTo(50, 115);
    release("LeftClick");
    EXPECT_EQ(screen->take(), "");
    // Disabled or silent: nothing.
    ui::Component* plain = screen->getComponent("plain");
    plain->setEnabled(false);
    clickAt(50, 115);
    plain->setEnabled(true);
    plain->setNotify(false);
    clickAt(50, 115);
    EXPECT_EQ(screen->take(), "");
}

TEST_F(Buttons, ATextureButtonReportsThePressAtOnceAndTheClickOnRelease) {
    moveTo(240, 110);
    press("LeftClick");
    EXPECT_EQ(screen->take(), "arrow:down ");
    release("LeftClick");
    EXPECT_EQ(screen->take(), "arrow:job ");
}

TEST_F(Buttons, AnImageButtonTakesItsPictureSizeAndShowsTheFlybyPicture) {
    ui::ImageButton* endturn = nullptr;
    ASSERT_TRUE(ui::getFactory()->getComponent("endturn", &endturn, screen, false));
    EXPECT_FLOAT_EQ(endturn->getWidth(), 64) << "from the image catalogue";
    EXPECT_FLOAT_EQ(endturn->getHeight(), 64);
    EXPECT_EQ(endturn->getShownImage(), "normal");
    moveTo(300, 120);
    EXPECT_EQ(endturn->getShownImage(), "flyby");
    press("LeftClick");
    EXPECT_EQ(endturn->getShownImage(), "flyby") << "no pressed picture: the flyby one stays";
    release("LeftClick");
    endturn->setEnabled(false);
    EXPECT_EQ(endturn->getShownImage(), "normal");
    EXPECT_EQ(screen->take(), "endturn:job ");
}

TEST_F(Buttons, TheConfirmKeyClicksOnlyTheFocusedUniversalButton) {
    // Shown while nobody had the focus, the screen gave it to its first button.
    EXPECT_EQ(ui->getFocusedComponent(), screen->getComponent("yes"));
    ui->setFocusedComponent(nullptr);
    tap("Return");
    EXPECT_EQ(screen->take(), "") << "nothing focused";
    ui->setFocusedComponent(screen->getComponent("yes"));
    tap("Return");
    tap("NumpadEnter");
    EXPECT_EQ(screen->take(), "yes:job yes:job ");
    tap("Space");
    EXPECT_EQ(screen->take(), "");
    // Clicking the other one moves the focus there: the key follows it.
    clickAt(540, 115);
    EXPECT_EQ(ui->getFocusedComponent(), screen->getComponent("no"));
    screen->take();
    tap("Return");
    EXPECT_EQ(screen->take(), "no:job ");
}

TEST_F(Buttons, ATextButtonsCaptionIsMeasuredWithItsFont) {
    ui::TextButton* caption = nullptr;
    ASSERT_TRUE(ui::getFactory()->getComponent("caption", &caption, nullptr, true));
    const ui::Font* font = ui->getFont("first_blue");
    EXPECT_FLOAT_EQ(caption->getTextWidth(), font->getTextWidth("Play"));
    caption->setText("Create");
    EXPECT_EQ(caption->getText(), "Create");
    EXPECT_FLOAT_EQ(caption->getTextWidth(), font->getTextWidth("Create"));
}

} // namespace

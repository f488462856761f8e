#include "host/ui/EditBox.h"
#include "host/ui/Factory.h"
#include "host/ui/RadioButton.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/Snapshot.h"
#include "host/ui/TextButton.h"
#include "support/UiFixture.h"

#include <sstream>

namespace {

using kel::test::UiFixture;

class WidgetFactory : public UiFixture {};

TEST_F(WidgetFactory, EveryClassIsMadeByItsNameAndSurvivesFramesResolutionsAndASnapshot) {
    int count = 0;
    const std::string* names = ui::Factory::knownClasses(&count);
    auto* screen = new ui::Container(ui.get(), 0, 0, 640, 480);
    ui->addComponent(screen);
    std::string seen = " ";
    for (int i = 0; i < count; ++i) {
        ui::Component* made = ui::getFactory()->createComponent(names[i]);
        ASSERT_NE(made, nullptr) << names[i];
        EXPECT_EQ(made->getClassName(), names[i]);
        EXPECT_EQ(made->getMaster(), nullptr) << "the factory adds nothing to the tree";
        EXPECT_EQ(seen.find(" " + names[i] + " "), std::string::npos) << "listed twice";
        seen += names[i] + " ";
        made->setName(names[i]);
        made->setPosition(static_cast<float>(i % 6) * 100, static_cast<float>(i / 6) * 60);
        made->setSize(90, 50);
        screen->addComponent(made);
        made->init();
        made->setVisible(true);
    }
    // The widgets the game module's screens rely on by class name.
    std::istringstream needed(
        "button textbutton imagebutton texturebutton universalbutton checkbox hslider radio "
        "radiocontainer listbox editbox text textcomponent planecomponent spritecomponent "
        "texturecomponent bothtextsprite spritetext dformattedspritetext multitextcomponent ramka "
        "modelcomponent");
    for (std::string name; needed >> name;)
        EXPECT_NE(seen.find(" " + name + " "), std::string::npos) << name;
    EXPECT_EQ(ui::getFactory()->createComponent("SpriteText"), nullptr) << "names are exact";

    screen->setVisible(true);
    for (auto size : {std::pair<float, float>{640, 480}, {800, 600}, {1920, 1080}}) {
        ui->setResolution(size.first, size.second);
        ui->updateResolution();
        clickAt(size.first / 3, size.second / 5);
        tap("Down");
        frame();
        EXPECT_FALSE(ui::Snapshot().render({}).empty());
    }
    screen->term();
    screen->setVisible(false);
}

TEST_F(WidgetFactory, TypedLookupsFindEachWidgetOnlyAsItsOwnKind) {
    layout("panel { class = container; visible = true\n"
           "  choice { class = radiocontainer; visible = true\n"
           "    one { class = radio; visible = true } }\n"
           "  name { class = editbox; visible = true }\n"
           "}\n");
    ui::Factory* factory = ui::getFactory();
    ui::RadioContainer* group = nullptr;
    ui::RadioButton* radio = nullptr;
    ui::EditBox* edit = nullptr;
    ui::TextButton* notAButton = nullptr;
    ui::Button* button = nullptr;
    EXPECT_TRUE(factory->getComponent("choice", &group, nullptr, true));
    EXPECT_FALSE(factory->getComponent("one", &radio, nullptr, false)) << "not a direct child";
    EXPECT_EQ(radio, nullptr);
    EXPECT_TRUE(factory->getComponent("one", &radio, group, false));
    EXPECT_TRUE(factory->getComponent("one", &button, nullptr, true)) << "a radio is a button";
    EXPECT_TRUE(factory->getComponent("name", &edit, nullptr, true));
    EXPECT_FALSE(factory->getComponent("name", &notAButton, nullptr, true));
    EXPECT_EQ(notAButton, nullptr);
}

} // namespace

#include "host/engine/RenderDriver.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/CheckBox.h"
#include "host/ui/DFormattedSpriteText.h"
#include "host/ui/EditBox.h"
#include "host/ui/Factory.h"
#include "host/ui/HSlider.h"
#include "host/ui/ImageButton.h"
#include "host/ui/ListBox.h"
#include "host/ui/ModelComponent.h"
#include "host/ui/MultiTextComponent.h"
#include "host/ui/RadioButton.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/Ramka.h"
#include "host/ui/Snapshot.h"
#include "host/ui/SpriteComponent.h"
#include "host/ui/SpriteText.h"
#include "host/ui/TextComponent.h"
#include "host/ui/TextureButton.h"
#include "host/ui/TextureComponent.h"
#include "host/ui/UniversalButton.h"
#include "support/UiFixture.h"

#include <memory>
#include <set>

namespace {

using kel::test::UiFixture;

class WidgetFactory : public UiFixture {};

TEST_F(WidgetFactory, EveryClassOfTheTableIsMadeAndCallsItselfByItsTableName) {
    int count = 0;
    const std::string* names = ui::Factory::knownClasses(&count);
    std::set<std::string> seen;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<ui::Component> made(ui::getFactory()->createComponent(names[i]));
        ASSERT_NE(made, nullptr) << names[i];
        EXPECT_EQ(made->getClassName(), names[i]);
        EXPECT_TRUE(seen.insert(names[i]).second) << "listed twice: " << names[i];
        EXPECT_EQ(made->getMaster(), nullptr) << "the factory adds nothing to the tree";
    }
    // The widgets the game module's screens rely on by class name.
    for (const char* needed : {"button",
                               "textbutton",
                               "imagebutton",
                               "texturebutton",
                               "universalbutton",
                               "checkbox",
                               "hslider",
                               "radio",
                               "radiocontainer",
                               "listbox",
                               "editbox",
                               "text",
                               "textcomponent",
                               "planecomponent",
                               "spritecomponent",
                               "texturecomponent",
                               "bothtextsprite",
                               "spritetext",
                               "dformattedspritetext",
                               "multitextcomponent",
                               "ramka",
                               "modelcomponent"})
        EXPECT_EQ(seen.count(needed), 1u) << needed;
    EXPECT_EQ(ui::getFactory()->createComponent("SpriteText"), nullptr) << "names are exact";
}

TEST_F(WidgetFactory, ShownWidgetsSurviveFramesResolutionsAndASnapshotWithoutMessages) {
    int count = 0;
    const std::string* names = ui::Factory::knownClasses(&count);
    auto* screen = new ui::Container(ui.get(), 0, 0, 640, 480);
    ui->addComponent(screen);
    for (int i = 0; i < count; ++i) {
        ui::Component* made = ui::getFactory()->createComponent(names[i]);
        made->setName(names[i]);
        made->setPosition(static_cast<float>(i % 6) * 100, static_cast<float>(i / 6) * 60);
        made->setSize(90, 50);
        screen->addComponent(made);
        made->init();
        made->setVisible(true);
    }
    screen->setVisible(true);
    for (auto size : {std::pair<float, float>{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}}) {
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

#include "support/RootFixture.h"
#include "ui/CreateMenu.h"
#include "ui/GameMenu.h"
#include "ui/KELFactory.h"
#include "ui/NewGameDialog.h"
#include "ui/PlayMenu.h"
#include "ui/Saves.h"

#include "host/config/Config.h"
#include "host/input/Device.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/EditBox.h"
#include "host/ui/ListBox.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureComponent.h"

namespace {

using kel::ui::Saves;
using kel::ui::theSaves;

class PlayerMenus : public kel::test::RootFixture {
protected:
    // What the main round menu reports when the player chooses an entry.
    void choose(const std::string& item) {
        ::ui::Component* ring = root->getDescendant("mainroundmenu");
        ::ui::NotifyEvent event(ring);
        const std::string roundMenu = "roundmenu";
        event.setProperty("class", &roundMenu);
        event.setSValue("menuName", "mainroundmenu");
        event.setSValue("action", "command");
        event.setSValue("itemName", item);
        root->notify(event);
    }
    // Screens share child names ("list", "button_ok"): a child is looked up in its screen.
    template <class T> T* find(const char* name, const char* screen = nullptr) {
        ::ui::Container* parent = nullptr;
        if (screen)
            kel::ui::theFactory->getComponent(screen, &parent, nullptr, true);
        T* found = nullptr;
        kel::ui::theFactory->getComponent(name, &found, parent, true);
        return found;
    }
    void clickOn(const char* screen, const char* name) {
        ::ui::Component* c = find<::ui::Component>(name, screen);
        ASSERT_NE(c, nullptr) << name;
        ASSERT_TRUE(c->isShowed()) << name;
        clickAt(c->getAbsoluteX() + c->getWidth() / 2, c->getAbsoluteY() + c->getHeight() / 2);
    }
    void typeName(const std::string& name) {
        for (char c : name)
            theKelInput->feed(counting_ptr<::input::Event>(new ::input::events::Character(
                ::input::devices::PCKeyboard::instance(), std::string(1, c))));
    }
    std::string currentPlayerText() {
        return find<::ui::BothTextSprite>("currentplayervalue")->getText();
    }
    void players(std::initializer_list<std::pair<const char*, const char*>> list,
                 const char* current) {
        theSaves.load();
        theSaves.removeUser("default");
        for (const auto& [name, level] : list)
            theSaves.addUser(name, level);
        theSaves.setCurrentUser(current);
    }
};

TEST_F(PlayerMenus, DeletingTheCurrentPlayerSelectsTheFirstAndTheLastLeavesNoGame) {
    players({{"A", "easy"}, {"B", "trivial"}}, "B");
    choose("options_play");
    EXPECT_TRUE(shown("gamemenu"));
    EXPECT_FALSE(shown("mainroundmenu"));
    EXPECT_EQ(currentPlayerText(), "B");

    clickOn("gamemenu", "button_delete");
    EXPECT_TRUE(shown("suretodelete"));
    clickOn("gamemenu", "suretodelete_button_ok");
    EXPECT_FALSE(shown("suretodelete"));
    EXPECT_EQ(theSaves.getCurrentUser(), "A");
    EXPECT_EQ(find<::ui::ListBox>("list", "gamemenu")->getSelectedString(), "A");
    EXPECT_EQ(currentPlayerText(), "A");
    EXPECT_EQ(find<::ui::RadioContainer>("radiocontainer", "gamemenu")->get(), "easy");

    clickOn("gamemenu", "button_delete");
    clickOn("gamemenu", "suretodelete_button_ok");
    EXPECT_EQ(currentPlayerText(), "No game");
    EXPECT_EQ(theSaves.getUserCount(), 0);

    clickOn("gamemenu", "button_delete"); // nobody left: no confirmation
    EXPECT_FALSE(shown("suretodelete"));
}

TEST_F(PlayerMenus, CancellingThePlayerMenuStillWritesTheSelection) {
    players({{"A", "easy"}, {"B", "normal"}}, "B");
    choose("options_play");
    auto* list = find<::ui::ListBox>("list", "gamemenu");
    ::ui::Component* firstRow = list;
    clickAt(firstRow->getAbsoluteX() + 10, firstRow->getAbsoluteY() + 8);
    EXPECT_EQ(theSaves.getCurrentUser(), "A");
    tap("Escape");
    EXPECT_FALSE(shown("gamemenu"));
    EXPECT_TRUE(shown("mainroundmenu"));
    Saves again;
    again.load();
    EXPECT_EQ(again.getCurrentUser(), "A");
}

TEST_F(PlayerMenus, CreatingInPlayModeStartsTheFirstMissionAndInCreateModeReturns) {
    players({}, "");
    ASSERT_TRUE(theSaves.showCreateMenuAfterPlay());
    choose("play");
    EXPECT_TRUE(shown("createmenu"));
    EXPECT_EQ(root->getFocusedComponent()->getName(), "editname");
    EXPECT_FALSE(find<::ui::Component>("button_play", "createmenu")->getEnabled()) << "no name yet";
    typeName("Alice");
    EXPECT_TRUE(find<::ui::Component>("button_play", "createmenu")->getEnabled());
    clickOn("createmenu", "button_play");
    EXPECT_EQ(events.take(), "newgame mapName=Lighthouse; ");
    EXPECT_FALSE(shown("createmenu"));
    EXPECT_EQ(theSaves.getCurrentUser(), "Alice");
    Saves onDisk;
    onDisk.load();
    EXPECT_TRUE(onDisk.userExists("Alice")) << "saved before the mission starts";

    // From the player menu: mode Create, and the new player is listed and selected.
    choose("options_play");
    clickOn("gamemenu", "button_create");
    EXPECT_TRUE(shown("createmenu"));
    EXPECT_EQ(find<kel::ui::CreateMenu>("createmenu")->getMode(), kel::ui::CreateMenu::Create);
    typeName("Bob");
    tap("Return");
    EXPECT_TRUE(shown("gamemenu"));
    EXPECT_EQ(find<::ui::ListBox>("list", "gamemenu")->getSelectedString(), "Bob");
    EXPECT_EQ(currentPlayerText(), "Bob");
}

TEST_F(PlayerMenus, ADuplicateNameShowsTheNoticeAndAddsNothing) {
    players({{"Alice", "easy"}}, "Alice");
    choose("options_play");
    clickOn("gamemenu", "button_create");
    typeName("Alice");
    clickOn("createmenu", "button_play");
    EXPECT_TRUE(shown("gamealreadyexists"));
    EXPECT_EQ(theSaves.getUserCount(), 1);
    clickOn("createmenu", "gamealreadyexists_button_ok");
    EXPECT_FALSE(shown("gamealreadyexists"));
    EXPECT_TRUE(shown("createmenu"));
    tap("Escape");
    EXPECT_TRUE(shown("gamemenu")) << "cancel in mode Create goes back to the player menu";
}

TEST_F(PlayerMenus, AQuestionOrNoticeLeftOpenIsGoneWhenTheMenuComesBack) {
    players({{"A", "easy"}, {"B", "normal"}}, "B");
    choose("options_play");
    clickOn("gamemenu", "button_delete");
    ASSERT_TRUE(shown("suretodelete"));
    tap("Escape");
    ASSERT_FALSE(shown("gamemenu"));
    choose("options_play");
    EXPECT_FALSE(shown("suretodelete")) << "its Delete would remove whoever is selected";
    EXPECT_EQ(theSaves.getUserCount(), 2);

    clickOn("gamemenu", "button_create");
    typeName("A");
    clickOn("createmenu", "button_play");
    ASSERT_TRUE(shown("gamealreadyexists"));
    tap("Escape");
    ASSERT_TRUE(shown("gamemenu"));
    clickOn("gamemenu", "button_create");
    EXPECT_FALSE(shown("gamealreadyexists"));
}

TEST_F(PlayerMenus, TheMissionMenuStepsOnlyUpToTheFurthestMissionAndCrossFades) {
    players({{"A", "normal"}}, "A");
    theSaves.setMaximumMission("Watermill");
    ASSERT_TRUE(theSaves.showPlayMenuAfterPlay());
    choose("play");
    auto* menu = find<kel::ui::PlayMenu>("playmenu");
    ASSERT_TRUE(menu->isShowed());
    EXPECT_EQ(menu->getMission(), "Lighthouse");
    clickOn("playmenu", "button_left");
    EXPECT_FALSE(menu->isInSlowMotion()) << "nothing before the first mission";
    clickOn("playmenu", "button_right");
    EXPECT_EQ(menu->getMission(), "Watermill");
    EXPECT_TRUE(menu->isInSlowMotion());
    auto* first = find<::ui::TextureComponent>("missionpicture1");
    auto* second = find<::ui::TextureComponent>("missionpicture2");
    wait(0.4); // half of the shipped 0.8 s
    EXPECT_NEAR(first->getTexture()->getOpacity(), 0.5f, 0.05f);
    EXPECT_NEAR(second->getTexture()->getOpacity(), 0.5f, 0.05f);
    tap("Left"); // code 56: ignored while the pictures fade
    wait(0.5);
    EXPECT_FALSE(menu->isInSlowMotion());
    EXPECT_FALSE(first->getVisible());
    EXPECT_TRUE(second->getVisible());
    EXPECT_EQ(theSaves.getCurrentMission(), "Watermill");
    clickOn("playmenu", "button_right"); // the furthest mission: no further
    EXPECT_EQ(menu->getMission(), "Watermill");
    clickOn("playmenu", "button_play");
    EXPECT_EQ(events.take(), "newgame mapName=Watermill; ");
}

TEST_F(PlayerMenus, TheMapDialogListsPlainMapFilesOnceAndNamesMissionMaps) {
    kel::test::TempDir data;
    data.write("Maps/beta.lvx", "");
    data.write("Maps/alpha.lvx", "");
    data.write("Maps/notes.txt", "");
    data.write("Maps/a.lvx.lvx", "");
    data.write("Maps/Lighthouse.lvx", "");
    data.write("Maps/x", "");
    data.write("Maps/old.lvx/inside.lvx", "");
    const auto shipped = resource::theResourceManager->getDataRoot();
    resource::theResourceManager->setDataRoot(data.get());

    choose("selectmap");
    auto* dialog = find<kel::ui::NewGameDialog>("newgamedialog");
    auto* list = find<::ui::ListBox>("list", "newgamedialog");
    ASSERT_TRUE(dialog->isShowed());
    std::vector<std::string> names;
    for (int i = 0; i < list->getCount(); ++i)
        names.push_back(list->getString(i));
    EXPECT_EQ(names, (std::vector<std::string>{"Lighthouse", "a.lvx", "alpha", "beta"}));
    EXPECT_EQ(dialog->getMap(), "Lighthouse") << "a mission's map gives the mission";
    EXPECT_EQ(resource::theResourceManager->getCurrentDirectory(), "/");

    list->selectString("alpha");
    ::ui::NotifyEvent changed(list);
    changed.setSValue("action", "selchanged");
    list->notify(changed);
    EXPECT_EQ(dialog->getMap(), "alpha.lvx");

    dialog->setVisible(false);
    dialog->setVisible(true);
    EXPECT_EQ(list->getCount(), 4) << "shown twice, listed once";
    resource::theResourceManager->setDataRoot(shipped);

    clickOn("newgamedialog", "button_ok");
    EXPECT_EQ(events.take(), "newgame mapName=Lighthouse; ");
}

TEST_F(PlayerMenus, WithoutAnyMapTheMapDialogStartsNothing) {
    kel::test::TempDir data;
    const auto shipped = resource::theResourceManager->getDataRoot();
    resource::theResourceManager->setDataRoot(data.get());
    data.write("notes.lvx", ""); // in the root, where a failed change of folder would look

    choose("selectmap"); // no /Maps at all
    auto* dialog = find<kel::ui::NewGameDialog>("newgamedialog");
    auto* list = find<::ui::ListBox>("list", "newgamedialog");
    ASSERT_TRUE(dialog->isShowed());
    EXPECT_EQ(list->getCount(), 0);
    EXPECT_EQ(dialog->getMap(), "");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file, "/Configs/UI/mainui.cfg");
    EXPECT_NE(records[0].text.find("/Maps"), std::string::npos) << records[0].text;
    clickOn("newgamedialog", "button_ok");
    tap("Return");
    EXPECT_EQ(events.take(), "") << "no game on \".lvx\"";
    EXPECT_TRUE(dialog->isShowed());

    resource::theResourceManager->setDataRoot(shipped);
    tap("Escape");
    resource::theResourceManager->setDataRoot(data.get());
    std::filesystem::create_directories(data / "Maps"); // there, but empty
    choose("selectmap");
    EXPECT_EQ(list->getCount(), 0);
    clickOn("newgamedialog", "button_ok");
    EXPECT_EQ(events.take(), "");
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(resource::theResourceManager->getCurrentDirectory(), "/");
    resource::theResourceManager->setDataRoot(shipped);
}

} // namespace

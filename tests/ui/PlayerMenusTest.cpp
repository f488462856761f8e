#include "support/ScreenUnderTest.h"
#include "ui/CreateMenu.h"
#include "ui/GameMenu.h"
#include "ui/NewGameDialog.h"
#include "ui/PlayMenu.h"
#include "ui/Saves.h"

#include "host/ui/BothTextSprite.h"
#include "host/ui/EditBox.h"
#include "host/ui/ListBox.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/TextButton.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureComponent.h"

#include <cstdio>
#include <optional>
#include <sstream>

namespace {

using kel::ui::CreateMenu;
using kel::ui::Saves;
using kel::ui::theSaves;
using Strings = std::vector<std::string>;

class PlayerMenus : public kel::test::ScreenUnderTest {
protected:
    void TearDown() override {
        resource::theResourceManager->changeDirectory("/");
        if (shipped)
            resource::theResourceManager->setDataRoot(*shipped);
        ScreenUnderTest::TearDown();
    }
    // The players, each with his level, and the current one.
    void players(std::initializer_list<std::pair<const char*, const char*>> list,
                 const char* current) {
        theSaves.load();
        theSaves.removeUser("default");
        for (const auto& [name, level] : list)
            theSaves.addUser(name, level);
        theSaves.setCurrentUser(current);
    }
    // What the saves hold: each player with his level, the current one marked.
    std::string savesNow() {
        std::list<kel::ui::UserInfo> users;
        theSaves.getUserList(users);
        std::string text;
        for (const auto& user : users)
            text += (user.name == theSaves.getCurrentUser() ? "*" : "") + user.name + "(" +
                    user.level + ") ";
        return text;
    }
    Strings listed() {
        auto* box = part<::ui::ListBox>("list");
        Strings strings;
        for (int i = 0; i < box->getCount(); ++i)
            strings.push_back(box->getString(i));
        return strings;
    }
    // A press of the left button on the row of the list that shows `text`.
    void clickRow(const std::string& text) {
        auto* list = part<::ui::ListBox>("list");
        const float x = list->getAbsoluteX() + 10;
        for (float y = list->getAbsoluteY(); y < list->getAbsoluteY() + list->getHeight(); ++y)
            if (int row = list->itemAt(x, y); row >= 0 && list->getString(row) == text)
                return clickAt(x, y);
        ADD_FAILURE() << "no row " << text;
    }
    // One step of a player: "key:Name" (a key pressed and released), "release:Name" (a key
    // released only), "mouse:code" (a mouse button of that code pressed off every part),
    // "type:text", "row:text" (a click on a list row), "down:name" (the left button pressed on
    // a part and held), "name=action" (what a part reports by itself), or a part to click.
    void act(const std::string& step) {
        const size_t colon = step.find(':'), equals = step.find('=');
        const std::string what = step.substr(0, colon), rest = step.substr(colon + 1);
        if (what == "key") {
            tap(rest);
        } else if (what == "release") {
            release(rest);
        } else if (what == "mouse") {
            moveTo(1, 1);
            feed(::input::devices::PCMouse::instance(), std::stoi(rest), true);
        } else if (what == "type") {
            typeText(rest);
        } else if (what == "row") {
            clickRow(rest);
        } else if (what == "down") {
            pointAt(part(rest));
            press("LeftClick");
        } else if (equals != std::string::npos) {
            report(part(step.substr(0, equals)), step.substr(equals + 1));
        } else {
            clickOn(step);
        }
    }
    // Steps separated by spaces.
    void actAll(const std::string& steps) {
        std::istringstream words(steps);
        for (std::string step; words >> step;)
            act(step);
    }
    // The main round menu's choice, as the root hears it.
    void choose(const std::string& item) {
        ::ui::NotifyEvent event(root->getDescendant("mainroundmenu"));
        const std::string roundMenu = "roundmenu";
        event.setProperty("class", &roundMenu);
        event.setSValue("menuName", "mainroundmenu");
        event.setSValue("action", "command");
        event.setSValue("itemName", item);
        root->notify(event);
    }
    // Points the data root at a directory of the test's own (the layouts are built before).
    // Takes the screen away as its owner would.
    void drop() {
        screen->setVisible(false);
        screen->term();
        trace->deleteComponent(screen);
        screen = nullptr;
    }
    // Shows the module's own screens again, for the roads through the root.
    void onTheRoads() { root->getComponent("mainui")->setVisible(true); }
    ::ui::Container* shownScreen(const char* name) {
        screen = dynamic_cast<::ui::Container*>(root->getDescendant(name));
        EXPECT_TRUE(screen && screen->isShowed()) << name;
        return screen;
    }
    void dataRoot(const kel::test::TempDir& dir) {
        shipped = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(dir.get());
    }

    std::optional<std::filesystem::path> shipped;
};

// ---------------------------------------------------------------------------------------------
// The player menu

class PlayerMenu : public PlayerMenus {
protected:
    // The menu as the player sees it: list (selection in brackets), the current player's
    // name, the chosen difficulty, and whether the deletion question is open.
    std::string menuNow() {
        auto* list = part<::ui::ListBox>("list");
        std::string text = "list";
        for (int i = 0; i < list->getCount(); ++i)
            text += i == list->getSelectedIndex() ? " [" + list->getString(i) + "]"
                                                  : " " + list->getString(i);
        text += " | shows " + part<::ui::BothTextSprite>("currentplayervalue")->getText();
        text += " | " + part<::ui::RadioContainer>("radiocontainer")->get();
        return text + (part("suretodelete")->isShowed() ? " | asks" : "");
    }
};

TEST_F(PlayerMenu, EveryChildOfTheMenuIsAnswered) {
    struct Row {
        const char* steps;
        const char* heard;
        const char* saves;
        const char* menu;
    };
    const char* const untouched = "list A [B] | shows B | trivial";
    const Row rows[] = {
        {"", "", "A(easy) *B(trivial) ", untouched},
        {"button_create", "button_create:job gamemenu:create ", "A(easy) *B(trivial) ", untouched},
        {"button_ok", "button_ok:job gamemenu:ok ", "A(easy) *B(trivial) ", untouched},
        {"button_delete", "button_delete:job ", "A(easy) *B(trivial) ",
         "list A [B] | shows B | trivial | asks"},
        {"normal", "normal:job ", "A(easy) *B(normal) ", "list A [B] | shows B | normal"},
        {"easy", "easy:job ", "A(easy) *B(easy) ", "list A [B] | shows B | easy"},
        {"row:A", "list:selchanged list:mouseclick ", "*A(easy) B(trivial) ",
         "list [A] B | shows A | easy"},
        {"row:A trivial", "list:selchanged list:mouseclick trivial:job ", "*A(trivial) B(trivial) ",
         "list [A] B | shows A | trivial"},
        {"button_delete suretodelete_button_ok", "button_delete:job suretodelete_button_ok:job ",
         "*A(easy) ", "list [A] | shows A | easy"},
        {"button_delete suretodelete=ok", "button_delete:job suretodelete:ok ", "*A(easy) ",
         "list [A] | shows A | easy"},
        {"button_delete suretodelete_button_cancel",
         "button_delete:job suretodelete_button_cancel:job ", "A(easy) *B(trivial) ", untouched},
        {"button_delete suretodelete=cancel", "button_delete:job suretodelete:cancel ",
         "A(easy) *B(trivial) ", untouched},
        {"row:A button_delete suretodelete_button_ok",
         "list:selchanged list:mouseclick button_delete:job suretodelete_button_ok:job ",
         "*B(trivial) ", "list [B] | shows B | trivial"},
        // Deleting both; then neither a question nor a difficulty for nobody.
        {"button_delete suretodelete=ok button_delete suretodelete=ok button_delete easy",
         "button_delete:job suretodelete:ok button_delete:job suretodelete:ok button_delete:job "
         "easy:job ",
         "", "list | shows No game | easy"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        players({{"A", "easy"}, {"B", "trivial"}}, "B");
        build<kel::ui::GameMenu>("mainui", "gamemenu")->setVisible(true);
        actAll(row.steps);
        EXPECT_EQ(trace->take(), row.heard);
        EXPECT_EQ(savesNow(), row.saves);
        EXPECT_EQ(menuNow(), row.menu);
        EXPECT_FALSE(std::filesystem::exists(profile / "saves.cfg")) << "not while shown";
        drop();
        std::filesystem::remove(profile / "saves.cfg");
    }
}

TEST_F(PlayerMenu, HidingWritesTheSavesAndShowingAgainStartsAfresh) {
    players({{"A", "easy"}, {"B", "trivial"}}, "B");
    auto* menu = build<kel::ui::GameMenu>("mainui", "gamemenu");
    menu->setVisible(true);
    act("row:A");
    act("button_delete");
    menu->setVisible(false);
    Saves onDisk;
    onDisk.load();
    EXPECT_EQ(onDisk.getCurrentUser(), "A") << "written when hidden";
    theSaves.addUser("C", Saves::NORMAL);
    menu->setVisible(true);
    EXPECT_EQ(menuNow(), "list A B [C] | shows C | normal") << "each player listed once";
}

// ---------------------------------------------------------------------------------------------
// The player creation menu

TEST_F(PlayerMenus, TheCreationMenuAddsANewNameAndReportsByItsMode) {
    struct Row {
        CreateMenu::Mode mode;
        const char* steps;
        const char* heard;
        const char* saves;
        const char* menu; // whether the play button works and the notice is up
    };
    const CreateMenu::Mode play = CreateMenu::Play, create = CreateMenu::Create;
    const char* const before = "*Alice(easy) ";
    const Row rows[] = {
        {play, "", "", before, ""},
        {play, "type:Bob button_play", "createmenu:play ", "Alice(easy) *Bob(normal) ", "play"},
        {create, "type:Bob button_play", "createmenu:create ", "Alice(easy) *Bob(normal) ", "play"},
        {play, "trivial type:Bob key:Return", "createmenu:play ", "Alice(easy) *Bob(trivial) ",
         "play"},
        {create, "type:Bob key:NumpadEnter", "createmenu:create ", "Alice(easy) *Bob(normal) ",
         "play"},
        {play, "key:Return", "createmenu:ok ", before, ""},
        {create, "type:Bob key:Escape", "createmenu:cancel ", before, "play"},
        {play, "type:Bo key:Backspace key:Backspace", "", before, ""},
        {play, "type:Bo key:Backspace", "", before, "play"},
        {create, "type:Alice button_play", "", before, "play notice"},
        {create, "type:Alice key:Return", "", before, "play notice"},
        {create, "type:Alice button_play gamealreadyexists_button_ok", "", before, "play"},
        {create, "type:Alice button_play gamealreadyexists=ok", "", before, "play"},
        {create, "type:Alice button_play gamealreadyexists=cancel", "", before, "play"},
        {create, "type:Alice button_play gamealreadyexists=job", "", before, "play notice"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.steps);
        players({{"Alice", "easy"}}, "Alice");
        auto* menu = build<CreateMenu>("mainui", "createmenu");
        menu->setMode(row.mode);
        EXPECT_EQ(part<::ui::TextButton>("button_play")->getText(),
                  row.mode == play ? "Play" : "Create");
        menu->setVisible(true);
        root->setFocusedComponent(menu);
        EXPECT_EQ(root->getFocusedComponent(), part("editname")) << "the name takes the focus";
        actAll(row.steps);
        EXPECT_EQ(trace->take(), row.heard);
        EXPECT_EQ(savesNow(), row.saves);
        EXPECT_EQ(std::string(part("button_play")->getEnabled() ? "play" : "") +
                      (part("gamealreadyexists")->isShowed() ? " notice" : ""),
                  row.menu);
        EXPECT_FALSE(std::filesystem::exists(profile / "saves.cfg")) << "nothing is saved";

        menu->setVisible(false);
        menu->setVisible(true);
        EXPECT_EQ(part<::ui::EditBox>("editname")->getText(), "") << "shown afresh";
        EXPECT_EQ(part<::ui::RadioContainer>("radiocontainer")->get(), "normal");
        drop();
    }
}

// ---------------------------------------------------------------------------------------------
// The mission menu

class MissionMenu : public PlayerMenus {
protected:
    ::ui::TextureComponent* picture(int pair) {
        return part<::ui::TextureComponent>("missionpicture" + std::to_string(pair));
    }
    ::ui::TextureComponent* name(int pair) {
        return part<::ui::TextureComponent>("missionname" + std::to_string(pair));
    }
    // The pairs as the player sees them: "1:Watermill" for a visible pair and its image, with
    // the opacity when it is not whole, and whether the three buttons work.
    std::string pairsNow() {
        std::string text;
        for (int pair : {1, 2}) {
            if (!picture(pair)->getVisible())
                continue;
            const std::string image = picture(pair)->getTexture()->getImageName();
            EXPECT_EQ(name(pair)->getTexture()->getImageName(), image);
            EXPECT_EQ(name(pair)->getVisible(), true);
            const float opacity = picture(pair)->getTexture()->getOpacity();
            EXPECT_FLOAT_EQ(name(pair)->getTexture()->getOpacity(), opacity);
            text += std::to_string(pair) + ":" + image;
            if (opacity != 1.0f) {
                char value[16];
                std::snprintf(value, sizeof value, "@%.3g", opacity);
                text += value;
            }
            text += " ";
        }
        bool enabled = true;
        for (const char* button : {"button_left", "button_right", "button_play"})
            enabled = enabled && part(button)->getEnabled();
        return text + (enabled ? "buttons" : "no buttons");
    }
    kel::ui::PlayMenu* open(const char* current, const char* furthest, const std::string& changes) {
        players({{"A", "normal"}}, "A");
        theSaves.setCurrentMission(current);
        theSaves.setMaximumMission(furthest);
        auto* menu = build<kel::ui::PlayMenu>("mainui", "playmenu", changes);
        menu->setVisible(true);
        return menu;
    }
};

TEST_F(MissionMenu, StepsGoFromTheFirstMissionUpToTheFurthestReached) {
    struct Row {
        const char* current;
        const char* furthest;
        const char* step;
        const char* mission;
        const char* heard;
    };
    const Row rows[] = {
        // Key 56 ("Left") steps to the next mission, key 55 ("Right") to the one before.
        {"Lighthouse", "Garden", "key:Left", "Watermill", ""},
        {"Garden", "Garden", "key:Right", "Watermill", ""},
        {"Lighthouse", "Garden", "key:Right", "Lighthouse", ""},
        {"Garden", "Garden", "key:Left", "Garden", ""},
        {"Watermill", "Watermill", "key:Left", "Watermill", ""},
        {"Eden", "Garden", "key:Left", "Lighthouse", ""},
        {"Eden", "Garden", "key:Right", "Eden", ""},
        {"Eden", "Eden", "key:Left", "Eden", ""},
        {"Watermill", "Garden", "down:button_left", "Lighthouse", ""},
        {"Watermill", "Garden", "down:button_right", "Garden", ""},
        {"Garden", "Garden", "down:button_right", "Garden", ""},
        {"Watermill", "Garden", "down:button_play", "Watermill", "playmenu:ok "},
        {"Watermill", "Garden", "mouse:56", "Watermill", ""}, // keys of the keyboard only
        {"Watermill", "Garden", "mouse:55", "Watermill", ""},
        {"Watermill", "Garden", "release:Left", "Watermill", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.current) + " " + row.step);
        auto* menu = open(row.current, row.furthest, "slowmotion = false");
        for (const auto& record : log.take()) // no picture of a mission not in the list
            EXPECT_NE(record.text.find("'Eden'"), std::string::npos) << record.text;
        act(row.step);
        EXPECT_EQ(trace->take(), row.heard) << "while the button is held";
        EXPECT_EQ(menu->getMission(), row.mission);
        EXPECT_EQ(theSaves.getCurrentMission(), row.mission);
        EXPECT_EQ(pairsNow(), std::string("1:") + row.mission + " buttons") << "swapped at once";
        release("LeftClick");
        drop();
    }
}

TEST_F(MissionMenu, AChangeCrossFadesThePairsOnTheClockAndIgnoresKeysMeanwhile) {
    struct Row {
        const char* step;
        const char* atOnce;
        std::vector<std::pair<double, const char*>> frames; // time passed, pairs then
    };
    const Row rows[] = {
        {"key:Left",
         "1:Lighthouse 2:Watermill no buttons",
         {{0.5, "1:Lighthouse@0.75 2:Watermill@0.25 no buttons"},
          {0.5, "1:Lighthouse@0.5 2:Watermill@0.5 no buttons"},
          {0.75, "1:Lighthouse@0.125 2:Watermill@0.875 no buttons"},
          {0.3, "2:Watermill buttons"}}},
        {"down:button_right",
         "1:Garden 2:Watermill no buttons",
         {{0.5, "1:Garden@0.25 2:Watermill@0.75 no buttons"},
          {1.0, "1:Garden@0.75 2:Watermill@0.25 no buttons"},
          {0.6, "1:Garden buttons"}}},
    };
    auto* menu = open("Lighthouse", "Garden", "motiontime = 2.0");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        act(row.step);
        release("LeftClick");
        const std::string mission = menu->getMission();
        EXPECT_EQ(theSaves.getCurrentMission(), mission);
        EXPECT_EQ(pairsNow(), row.atOnce);
        for (const auto& [seconds, pairs] : row.frames) {
            frame(seconds);
            EXPECT_EQ(pairsNow(), pairs) << "after " << seconds;
            if (part("button_left")->getEnabled())
                continue;
            tap("Left");
            tap("Right");
            clickOn("button_left");
            EXPECT_EQ(menu->getMission(), mission) << "keys and buttons wait for the fade";
        }
    }
}

TEST_F(MissionMenu, AFadeCutOffByHidingEndsOnTheFirstFrameBackOnScreen) {
    auto* menu = open("Lighthouse", "Garden", "");
    tap("Left");
    frame(0.2);
    menu->setVisible(false);
    frame(3);
    menu->setVisible(true);
    EXPECT_NE(pairsNow().find("no buttons"), std::string::npos) << "until a frame comes";
    frame();
    EXPECT_EQ(pairsNow(), "2:Watermill buttons");
    tap("Left");
    EXPECT_EQ(menu->getMission(), "Garden") << "the keys work again";
}

// ---------------------------------------------------------------------------------------------
// The map dialog

class MapDialog : public PlayerMenus {
protected:
    void SetUp() override {
        PlayerMenus::SetUp();
        dialog = build<kel::ui::NewGameDialog>("mainui", "newgamedialog");
        for (const char* file : {"beta.lvx", "Alpha.lvx", "notes.txt", "x", "lvx", "a.lvx.lvx",
                                 "a.lvx.bak", "Watermill.lvx", "upper.LVX", "old.lvx/in.lvx"})
            maps.write(std::string("Maps/") + file, "");
        dataRoot(maps);
    }
    kel::test::TempDir maps;
    kel::ui::NewGameDialog* dialog = nullptr;
};

TEST_F(MapDialog, ListsPlainMapFilesAndTellsTheMissionOrFileChosen) {
    resource::theResourceManager->changeDirectory("/Maps/old.lvx");
    dialog->setVisible(true);
    EXPECT_EQ(resource::theResourceManager->getCurrentDirectory(), "/Maps/old.lvx");
    EXPECT_EQ(listed(), (Strings{"Alpha", "Watermill", "a.lvx", "beta"}));
    EXPECT_EQ(part<::ui::EditBox>("edit")->getText(), "Alpha");
    EXPECT_EQ(dialog->getMap(), "Alpha.lvx");
    EXPECT_EQ(root->getFocusedComponent(), part("list"));

    const std::pair<const char*, const char*> selections[] = {
        {"Watermill", "Watermill"}, // the map of a mission: the mission
        {"a.lvx", "a.lvx.lvx"},
        {"beta", "beta.lvx"},
    };
    for (const auto& [row, map] : selections) {
        tap("Down");
        EXPECT_EQ(trace->take(), "list:selchanged ");
        EXPECT_EQ(part<::ui::ListBox>("list")->getSelectedString(), row);
        EXPECT_EQ(dialog->getMap(), map);
        EXPECT_EQ(part<::ui::EditBox>("edit")->getText(), map);
    }
    clickOn("edit");
    typeText("Garden");
    EXPECT_EQ(dialog->getMap(), "beta.lvx") << "typing chooses nothing";

    dialog->setVisible(false);
    EXPECT_EQ(resource::theResourceManager->getCurrentDirectory(), "/Maps/old.lvx");
    EXPECT_EQ(listed().size(), 4u) << "hiding leaves the list";
    dialog->setVisible(true);
    EXPECT_EQ(listed(), (Strings{"Alpha", "Watermill", "a.lvx", "beta"})) << "listed once";
    trace->take();
    clickOn("button_ok");
    EXPECT_EQ(trace->take(), "button_ok:job newgamedialog:ok ");
    clickOn("button_cancel");
    EXPECT_EQ(trace->take(), "button_cancel:job newgamedialog:cancel ");
}

TEST_F(MapDialog, WithoutAMapFolderItListsNothingAndStartsNothing) {
    std::filesystem::remove_all(maps / "Maps");
    maps.write("notes.lvx", ""); // in the root, where a failed change of folder would look
    dialog->setVisible(true);
    EXPECT_EQ(listed(), Strings{});
    EXPECT_EQ(dialog->getMap(), "");
    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].file, "/Configs/UI/mainui.cfg");
    clickOn("button_ok");
    tap("Return");
    EXPECT_EQ(trace->take(), "button_ok:job ");
    clickOn("button_cancel");
    EXPECT_EQ(trace->take(), "button_cancel:job newgamedialog:cancel ");
}

// ---------------------------------------------------------------------------------------------
// The menus on the roads of the game, as the root shows them

TEST_F(PlayerMenus, TheFirstPlayerIsCreatedAndPlaysTheFirstMission) {
    onTheRoads();
    players({}, "");
    choose("play");
    ASSERT_TRUE(shownScreen("createmenu"));
    EXPECT_EQ(root->getFocusedComponent(), part("editname"));
    typeText("Alice");
    clickOn("button_play");
    EXPECT_EQ(events.take(), "newgame mapName=Lighthouse; ");
    EXPECT_EQ(theSaves.getCurrentUser(), "Alice");
    Saves onDisk;
    onDisk.load();
    EXPECT_TRUE(onDisk.userExists("Alice")) << "saved before the mission starts";
}

TEST_F(PlayerMenus, APlayerCreatedFromThePlayerMenuIsListedAndASelectionIsWrittenOnLeaving) {
    onTheRoads();
    players({{"A", "easy"}, {"B", "normal"}}, "B");
    choose("options_play");
    ASSERT_TRUE(shownScreen("gamemenu"));
    act("button_create");
    ASSERT_TRUE(shownScreen("createmenu"));
    typeText("Carl");
    tap("Return");
    ASSERT_TRUE(shownScreen("gamemenu"));
    EXPECT_EQ(listed(), (Strings{"A", "B", "Carl"}));
    EXPECT_EQ(part<::ui::ListBox>("list")->getSelectedString(), "Carl");
    act("row:A");
    tap("Escape");
    EXPECT_FALSE(screen->isShowed());
    Saves onDisk;
    onDisk.load();
    EXPECT_EQ(onDisk.getCurrentUser(), "A");
}

TEST_F(PlayerMenus, TheChosenMissionOrMapStartsTheGame) {
    onTheRoads();
    players({{"A", "normal"}}, "A");
    theSaves.setMaximumMission("Watermill");
    choose("play");
    ASSERT_TRUE(shownScreen("playmenu"));
    tap("Left");
    wait(1);
    act("button_play");
    EXPECT_EQ(events.take(), "newgame mapName=Watermill; ");

    choose("selectmap");
    ASSERT_TRUE(shownScreen("newgamedialog"));
    act("row:Watermill");
    act("button_ok");
    EXPECT_EQ(events.take(), "newgame mapName=Watermill; ");
}

} // namespace

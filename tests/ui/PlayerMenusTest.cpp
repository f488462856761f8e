#include "support/ScreenUnderTest.h"
#include "ui/CreateMenu.h"
#include "ui/GameMenu.h"
#include "ui/NewGameDialog.h"
#include "ui/PlayMenu.h"
#include "ui/Saves.h"

#include "host/ui/BothTextSprite.h"
#include "host/ui/Canvas.h"
#include "host/ui/EditBox.h"
#include "host/ui/ListBox.h"
#include "host/ui/RadioContainer.h"
#include "host/ui/TextButton.h"
#include "host/ui/Texture.h"
#include "host/ui/TextureComponent.h"

#include <cctype>
#include <cstdio>
#include <sstream>

namespace {

using kel::ui::CreateMenu;
using kel::ui::Saves;
using kel::ui::theSaves;
using Strings = std::vector<std::string>;

class PlayerMenus : public kel::test::ScreenUnderTest {
protected:
    // The players, each with his level, and the current one.
    void players(std::initializer_list<std::pair<const char*, const char*>> list,
                 const char* current) {
        theSaves.load();
        theSaves.removeUser("default");
        for (const auto& [name, level] : list)
            theSaves.addUser(name, level);
        theSaves.setCurrentUser(current);
    }
    // What saves hold: each player with his level, the current one marked.
    static std::string savesNow(const Saves& saves = theSaves) {
        std::list<kel::ui::UserInfo> users;
        saves.getUserList(users);
        std::string text;
        for (const auto& user : users)
            text += (user.name == saves.getCurrentUser() ? "*" : "") + user.name + "(" +
                    user.level + ") ";
        return text;
    }
    static std::string onDisk() {
        Saves disk;
        disk.load();
        return savesNow(disk);
    }
    // The player menu as the player sees it: list (selection in brackets), the current player's
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
    void actAll(const std::string& steps) {
        std::istringstream words(steps);
        for (std::string step; words >> step;)
            act(step);
    }
    // Takes the screen away as its owner would.
    void drop() {
        screen->setVisible(false);
        screen->term();
        trace->deleteComponent(screen);
        screen = nullptr;
    }
    // A screen the root shows on the roads of the game, made the screen under test.
    ::ui::Container* shownScreen(const char* name) {
        screen = dynamic_cast<::ui::Container*>(root->getDescendant(name));
        EXPECT_TRUE(screen && screen->isShowed()) << name;
        return screen;
    }
};

// ---------------------------------------------------------------------------------------------
// The player menu

TEST_F(PlayerMenus, EveryChildOfThePlayerMenuIsAnswered) {
    const char* const untouched = "list A [B] | shows B | trivial";
    const char* const rows[][4] = {
        // steps, heard, saves, menu
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
    for (const auto& [steps, heard, saves, menu] : rows) {
        SCOPED_TRACE(steps);
        players({{"A", "easy"}, {"B", "trivial"}}, "B");
        build<kel::ui::GameMenu>("mainui", "gamemenu")->setVisible(true);
        actAll(steps);
        EXPECT_EQ(trace->take(), heard);
        EXPECT_EQ(savesNow(), saves);
        EXPECT_EQ(menuNow(), menu);
        EXPECT_FALSE(std::filesystem::exists(profile / "saves.cfg")) << "not while shown";
        drop();
        std::filesystem::remove(profile / "saves.cfg");
    }
}

// ---------------------------------------------------------------------------------------------
// The player creation menu

TEST_F(PlayerMenus, TheCreationMenuAddsANewNameAndReportsByItsMode) {
    const char *const before = "*Alice(easy) ", *const bob = "Alice(easy) *Bob(normal) ";
    const char* const rows[][5] = {
        // mode, steps, heard, saves, play button then and notice
        {"Play", "", "", before, "Play off"},
        {"Play", "type:Bob button_play", "createmenu:play ", bob, "Play"},
        {"Create", "type:Bob button_play", "createmenu:create ", bob, "Create"},
        {"Play", "trivial type:Bob key:Return", "createmenu:play ", "Alice(easy) *Bob(trivial) ",
         "Play"},
        {"Create", "type:Bob key:NumpadEnter", "createmenu:create ", bob, "Create"},
        {"Play", "key:Return", "createmenu:ok ", before, "Play off"},
        {"Create", "type:Bob key:Escape", "createmenu:cancel ", before, "Create"},
        {"Play", "type:Bo key:Backspace key:Backspace", "", before, "Play off"},
        {"Play", "type:Bo key:Backspace", "", before, "Play"},
        {"Create", "type:Alice button_play", "", before, "Create notice"},
        {"Create", "type:Alice key:Return", "", before, "Create notice"},
        {"Create", "type:Alice button_play gamealreadyexists_button_ok", "", before, "Create"},
        {"Create", "type:Alice button_play gamealreadyexists=ok", "", before, "Create"},
        {"Create", "type:Alice button_play gamealreadyexists=cancel", "", before, "Create"},
        {"Create", "type:Alice button_play gamealreadyexists=job", "", before, "Create notice"},
    };
    for (const auto& [mode, steps, heard, saves, play] : rows) {
        SCOPED_TRACE(steps);
        players({{"Alice", "easy"}}, "Alice");
        auto* menu = build<CreateMenu>("mainui", "createmenu");
        menu->setMode(std::string(mode) == "Play" ? CreateMenu::Play : CreateMenu::Create);
        menu->setVisible(true);
        root->setFocusedComponent(menu);
        EXPECT_EQ(root->getFocusedComponent(), part("editname")) << "the name takes the focus";
        actAll(steps);
        EXPECT_EQ(trace->take(), heard);
        EXPECT_EQ(savesNow(), saves);
        EXPECT_EQ(part<::ui::TextButton>("button_play")->getText() +
                      (part("button_play")->getEnabled() ? "" : " off") +
                      (part("gamealreadyexists")->isShowed() ? " notice" : ""),
                  play);
        EXPECT_FALSE(std::filesystem::exists(profile / "saves.cfg")) << "nothing is saved";
        menu->setVisible(false);
        menu->setVisible(true);
        EXPECT_EQ(part<::ui::EditBox>("editname")->getText() + " " +
                      part<::ui::RadioContainer>("radiocontainer")->get() +
                      (part("gamealreadyexists")->isShowed() ? " notice" : ""),
                  " normal")
            << "shown afresh";
        drop();
    }
}

// ---------------------------------------------------------------------------------------------
// The mission menu

class MissionMenu : public PlayerMenus {
protected:
    // The opacity of the image a component's drawing shows (-1 for none).
    static float drawnOpacity(const ::ui::Component* component) {
        struct : ::ui::Canvas {
            void fillRect(const Rect&, const config::Color&, float) override {}
            void strokeRect(const Rect&, const config::Color&, float, float) override {}
            void line(float, float, float, float, const config::Color&, float) override {}
            void text(const TextRun&) override {}
            void image(const ImageRun& run) override { opacity = run.opacity; }
            float opacity = -1;
        } canvas;
        component->draw(canvas);
        return canvas.opacity;
    }
    // The pairs as the player sees them: "1:Watermill" for a visible pair and its image, with
    // the opacity its picture is drawn with when it is not whole, and whether the three buttons
    // work.
    std::string pairsNow() {
        std::string text;
        for (const std::string pair : {"1", "2"}) {
            auto* picture = part<::ui::TextureComponent>("missionpicture" + pair)->getTexture();
            auto* name = part<::ui::TextureComponent>("missionname" + pair);
            if (!part("missionpicture" + pair)->getVisible())
                continue;
            EXPECT_TRUE(name->getVisible());
            // Both were given the mission's name; the plate's layout maps it to its own file.
            const ::ui::Texture* plate = name->getTexture();
            EXPECT_EQ(plate->getKey(plate->getImage()), picture->getKey(picture->getImage()));
            // The shipped campaign's missions have plates of their own.
            for (const char* shipped : {"Lighthouse", "Watermill", "Garden"})
                if (picture->getKey(picture->getImage()) == shipped) {
                    std::string file = shipped;
                    file[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(file[0])));
                    EXPECT_EQ(plate->getImageName(), "/Images/Missions/names/" + file + ".tga");
                }
            // The opacity the drawing shows, not only the texture's: a fade the pictures do
            // not follow would leave the screen still.
            const float seen = drawnOpacity(part("missionpicture" + pair));
            EXPECT_FLOAT_EQ(drawnOpacity(name), seen);
            char opacity[16];
            std::snprintf(opacity, sizeof opacity, "@%.3g", seen);
            text += pair + ":" + picture->getImageName() + (seen != 1.0f ? opacity : "") + " ";
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
    // Key 56 ("Left") steps to the next mission, key 55 ("Right") to the one before.
    const char* const rows[][5] = {
        // current, furthest, step, mission then, heard
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
    for (const auto& [current, furthest, step, mission, heard] : rows) {
        SCOPED_TRACE(std::string(current) + " " + step);
        auto* menu = open(current, furthest, "slowmotion = false");
        for (const auto& record : log.take()) // no picture of a mission not in the list
            EXPECT_NE(record.text.find("'Eden'"), std::string::npos) << record.text;
        act(step);
        EXPECT_EQ(trace->take(), heard) << "while the button is held";
        EXPECT_EQ(menu->getMission(), mission);
        EXPECT_EQ(theSaves.getCurrentMission(), mission);
        EXPECT_EQ(pairsNow(), std::string("1:") + mission + " buttons") << "swapped at once";
        release("LeftClick");
        drop();
    }
}

// A fade cut off by hiding the menu ends on the first frame back on screen.
TEST_F(MissionMenu, AChangeCrossFadesThePairsOnTheClockAndIgnoresKeysMeanwhile) {
    const std::pair<const char*, const char*> steps[] = {
        // a step, the time passed, "hide" or "show"; the pairs then
        {"key:Left", "1:Lighthouse 2:Watermill no buttons"},
        {"0.5", "1:Lighthouse@0.75 2:Watermill@0.25 no buttons"},
        {"0.5", "1:Lighthouse@0.5 2:Watermill@0.5 no buttons"},
        {"0.75", "1:Lighthouse@0.125 2:Watermill@0.875 no buttons"},
        {"0.3", "2:Watermill buttons"},
        {"down:button_right", "1:Garden 2:Watermill no buttons"},
        {"0.5", "1:Garden@0.25 2:Watermill@0.75 no buttons"},
        {"1.0", "1:Garden@0.75 2:Watermill@0.25 no buttons"},
        {"0.6", "1:Garden buttons"},
        {"key:Right", "1:Garden 2:Watermill no buttons"},
        {"0.2", "1:Garden@0.9 2:Watermill@0.1 no buttons"},
        {"hide", "1:Garden@0.9 2:Watermill@0.1 no buttons"},
        {"3", "1:Garden@0.9 2:Watermill@0.1 no buttons"},
        {"show", "1:Watermill@0.9 2:Watermill@0.1 no buttons"},
        {"0.01", "2:Watermill buttons"},
        {"key:Left", "1:Garden 2:Watermill no buttons"},
    };
    auto* menu = open("Lighthouse", "Garden", "motiontime = 2.0");
    for (const auto& [step, pairs] : steps) {
        if (std::isdigit(static_cast<unsigned char>(step[0])))
            frame(std::stod(step));
        else if (std::string(step) == "hide" || std::string(step) == "show")
            menu->setVisible(std::string(step) == "show");
        else
            act(step), release("LeftClick");
        EXPECT_EQ(pairsNow(), pairs) << step;
        const std::string mission = menu->getMission();
        EXPECT_EQ(theSaves.getCurrentMission(), mission);
        if (part("button_left")->getEnabled() || !menu->isShowed())
            continue;
        actAll("key:Left key:Right button_left");
        EXPECT_EQ(menu->getMission(), mission) << "keys and buttons wait for the fade";
    }
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
        shipped = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(maps.get());
    }
    void TearDown() override {
        resource::theResourceManager->changeDirectory("/");
        resource::theResourceManager->setDataRoot(shipped);
        PlayerMenus::TearDown();
    }
    kel::test::TempDir maps;
    std::filesystem::path shipped;
    kel::ui::NewGameDialog* dialog = nullptr;
};

TEST_F(MapDialog, ListsPlainMapFilesAndTellsTheMissionOrFileChosen) {
    const Strings all = {"Alpha", "Watermill", "a.lvx", "beta"};
    resource::theResourceManager->changeDirectory("/Maps/old.lvx");
    dialog->setVisible(true);
    EXPECT_EQ(resource::theResourceManager->getCurrentDirectory(), "/Maps/old.lvx");
    EXPECT_EQ(listed(), all);
    EXPECT_EQ(part<::ui::EditBox>("edit")->getText() + " " + dialog->getMap(), "Alpha Alpha.lvx");
    EXPECT_EQ(root->getFocusedComponent(), part("list"));
    // The map of a mission stands for the mission.
    for (const auto& [row, map] :
         {std::pair{"Watermill", "Watermill"}, {"a.lvx", "a.lvx.lvx"}, {"beta", "beta.lvx"}}) {
        tap("Down");
        EXPECT_EQ(trace->take(), "list:selchanged ");
        EXPECT_EQ(part<::ui::ListBox>("list")->getSelectedString(), row);
        EXPECT_EQ(part<::ui::EditBox>("edit")->getText() + " " + dialog->getMap(),
                  std::string(map) + " " + map);
    }
    clickOn("edit");
    typeText("Garden");
    EXPECT_EQ(dialog->getMap(), "beta.lvx") << "typing chooses nothing";

    dialog->setVisible(false);
    EXPECT_EQ(resource::theResourceManager->getCurrentDirectory(), "/Maps/old.lvx");
    EXPECT_EQ(listed(), all) << "hiding leaves the list";
    dialog->setVisible(true);
    EXPECT_EQ(listed(), all) << "listed once";
    trace->take();
    actAll("button_ok button_cancel");
    EXPECT_EQ(trace->take(),
              "button_ok:job newgamedialog:ok button_cancel:job newgamedialog:cancel ");
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
    actAll("button_ok key:Return button_cancel");
    EXPECT_EQ(trace->take(), "button_ok:job button_cancel:job newgamedialog:cancel ");
}

// ---------------------------------------------------------------------------------------------
// The menus on the roads of the game, as the root shows them

TEST_F(PlayerMenus, TheFirstPlayerIsCreatedAndSavedBeforeTheFirstMission) {
    root->getComponent("mainui")->setVisible(true);
    players({}, "");
    kel::test::choose(root.get(), "play");
    ASSERT_TRUE(shownScreen("createmenu"));
    EXPECT_EQ(root->getFocusedComponent(), part("editname"));
    actAll("type:Alice button_play");
    EXPECT_EQ(events.take(), "newgame mapName=Lighthouse; ");
    EXPECT_EQ(onDisk(), "*Alice(normal) ") << "saved before the mission starts";
}

// Leaving the player menu writes the saves; back on it, the players are listed once, the
// question left open is closed, and a player created from it is listed and selected.
TEST_F(PlayerMenus, APlayerMenuLeftAndShownAgainStartsAfreshAndListsANewPlayer) {
    root->getComponent("mainui")->setVisible(true);
    players({{"A", "easy"}, {"B", "normal"}}, "B");
    kel::test::choose(root.get(), "options_play");
    ASSERT_TRUE(shownScreen("gamemenu"));
    actAll("row:A button_delete key:Escape");
    EXPECT_FALSE(screen->isShowed());
    EXPECT_EQ(onDisk(), "*A(easy) B(normal) ");
    kel::test::choose(root.get(), "options_play");
    ASSERT_TRUE(shownScreen("gamemenu"));
    EXPECT_EQ(menuNow(), "list [A] B | shows A | easy");
    act("button_create");
    ASSERT_TRUE(shownScreen("createmenu"));
    actAll("type:Carl key:Return");
    ASSERT_TRUE(shownScreen("gamemenu"));
    EXPECT_EQ(menuNow(), "list A B [Carl] | shows Carl | normal");
}

} // namespace

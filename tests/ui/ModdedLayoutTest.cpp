#include "support/RootFixture.h"
#include "ui/KELFactory.h"
#include "ui/RoundMenu.h"
#include "ui/Saves.h"

#include "host/logic/Game.h"
#include "host/ui/NotifyEvent.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace {

using kel::ui::Command;
using kel::ui::RoundMenu;
using kel::ui::theSaves;

// The shipped game with one layout file changed, as a modder would: a copy of the data root
// where `edit` replaces a piece of text of a file.
class ModdedLayout : public kel::test::RootFixture {
protected:
    bool bootToMainMenu() override { return false; }

    void boot(const std::string& file, const std::string& pattern, const std::string& with) {
        std::filesystem::copy(KEL_DATA_DIR, data.get(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        const auto path = data.get() / file;
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        const std::string changed = std::regex_replace(text.str(), std::regex(pattern), with,
                                                       std::regex_constants::format_first_only);
        ASSERT_NE(changed, text.str()) << "the edit found nothing to change";
        std::ofstream(path, std::ios::trunc) << changed;
        shipped = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(data.get());
        root->command(Command::LOAD_INTERFACE);
        root->command(Command::SHOW_MAIN_MENU);
    }
    void TearDown() override {
        RootFixture::TearDown();
        if (!shipped.empty())
            resource::theResourceManager->setDataRoot(shipped);
    }

    // What the main ring reports when the player chooses an entry.
    void choose(const std::string& item, const char* ring = "mainroundmenu") {
        ::ui::NotifyEvent event(root->getDescendant(ring));
        const std::string roundMenu = "roundmenu";
        event.setProperty("class", &roundMenu);
        event.setSValue("menuName", ring);
        event.setSValue("action", "command");
        event.setSValue("itemName", item);
        root->notify(event);
    }
    // The messages of the module's log, as "file:line: text".
    std::vector<std::string> moduleErrors() {
        std::vector<std::string> lines;
        for (const auto& record : log.take())
            if (record.filter == "kel-ui")
                lines.push_back(record.file + ":" + std::to_string(record.line) + ": " +
                                record.text);
        return lines;
    }
    RoundMenu* mainRing() { return dynamic_cast<RoundMenu*>(root->getDescendant("main")); }

    kel::test::TempDir data;
    std::filesystem::path shipped;
};

TEST_F(ModdedLayout, WithoutACreationMenuPlayAndNewPlayerStayWhereTheyAre) {
    boot("Configs/UI/mainui.cfg", R"(createmenu \{\n        class = createmenu)",
         "createmenu_gone {\n        class = container");
    const auto errors = moduleErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "/Configs/UI/mainui.cfg:2: 'mainui' has no screen 'createmenu': the "
                         "game goes on without it (a 'createmenu')")
        << "the place it was looked for: mainui's block in the layout";

    theSaves.removeUser("default"); // no player: "play" asks for one
    wait(0.6);
    choose("play");
    EXPECT_TRUE(shown("mainroundmenu")) << "back on the ring";
    EXPECT_EQ(mainRing()->getPhase(), RoundMenu::START);
    EXPECT_EQ(events.take(), "");

    choose("options_play");
    ASSERT_TRUE(shown("gamemenu"));
    ::ui::Component* create = root->getDescendant("button_create");
    clickAt(create->getAbsoluteX() + 5, create->getAbsoluteY() + 5);
    EXPECT_TRUE(shown("gamemenu")) << "the player menu stays";
    EXPECT_TRUE(moduleErrors().empty()) << "reported once";
}

TEST_F(ModdedLayout, ACreationMenuOfAnotherClassIsReportedAndItsCancelStillLeadsBack) {
    boot("Configs/UI/mainui.cfg", R"(createmenu \{\n        class = createmenu)",
         "createmenu {\n        class = menu");
    const auto errors = moduleErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("/Configs/UI/mainui.cfg:"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find("'createmenu' is a 'menu' where the game needs a 'createmenu'"),
              std::string::npos)
        << errors[0];

    theSaves.removeUser("default");
    choose("play");
    EXPECT_TRUE(shown("mainroundmenu"));
    root->getDescendant("createmenu")->setVisible(true);
    root->setFocusedComponent(root->getDescendant("createmenu"));
    tap("Escape");
    EXPECT_FALSE(shown("createmenu"));
    EXPECT_TRUE(shown("mainroundmenu"));
    EXPECT_TRUE(moduleErrors().empty());
}

TEST_F(ModdedLayout, ARoutedScreenThatIsMissingIsAnErrorOnceAndTheRingComesBack) {
    boot("Configs/UI/commonui.cfg", R"(soundmenu \{)", "soundpage {");
    auto errors = moduleErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "/Configs/UI/commonui.cfg:3: 'commonui' has no screen 'soundmenu': the "
                         "game goes on without it (a 'soundmenu')");
    wait(0.6);
    for (const char* item : {"sound", "video", "controls", "video"}) {
        choose(item);
        EXPECT_TRUE(shown("mainroundmenu")) << item;
        EXPECT_EQ(mainRing()->getPhase(), RoundMenu::START) << item;
        wait(0.6);
    }
    errors = moduleErrors();
    ASSERT_EQ(errors.size(), 2u) << "the pages not built yet, once each";
    EXPECT_NE(errors[0].find("no screen 'videomenu'"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("no screen 'inputmenu'"), std::string::npos) << errors[1];
}

} // namespace

#include "support/ScreenUnderTest.h"
#include "ui/RoundMenu.h"
#include "ui/Saves.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace {

using kel::ui::RoundMenu;
using Strings = std::vector<std::string>;

// The shipped game with one layout file changed, as a modder would: a copy of the data root
// where the first match of `pattern` in `file` is replaced.
class ModdedLayout : public kel::test::RootFixture {
protected:
    bool bootToMainMenu() override { return false; }

    void boot(const std::string& file, const std::string& pattern, const std::string& with) {
        std::filesystem::copy(KEL_DATA_DIR, data.get(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        std::stringstream text;
        text << std::ifstream(data / file).rdbuf();
        const std::string changed = std::regex_replace(text.str(), std::regex(pattern), with,
                                                       std::regex_constants::format_first_only);
        ASSERT_NE(changed, text.str()) << "the edit found nothing to change";
        std::ofstream(data / file, std::ios::trunc) << changed;
        shipped = resource::theResourceManager->getDataRoot();
        resource::theResourceManager->setDataRoot(data.get());
        root->command(kel::ui::Command::LOAD_INTERFACE);
        root->command(kel::ui::Command::SHOW_MAIN_MENU);
    }
    void TearDown() override {
        RootFixture::TearDown();
        if (!shipped.empty())
            resource::theResourceManager->setDataRoot(shipped);
    }
    // The messages of the module's log, as "file:line: text".
    Strings moduleErrors() {
        Strings lines;
        for (const auto& record : log.take())
            if (record.filter == "kel-ui")
                lines.push_back(record.file + ":" + std::to_string(record.line) + ": " +
                                record.text);
        return lines;
    }
    // The player chooses `item` on the main ring, which leads nowhere: the ring comes back.
    void chooseAndComeBack(const char* item) {
        kel::test::choose(root.get(), item);
        EXPECT_TRUE(shown("mainroundmenu")) << item;
        EXPECT_EQ(dynamic_cast<RoundMenu*>(root->getDescendant("main"))->getPhase(),
                  RoundMenu::START)
            << item;
        EXPECT_EQ(events.take(), "") << item;
        wait(0.6);
    }

    kel::test::TempDir data;
    std::filesystem::path shipped;
};

TEST_F(ModdedLayout, WithoutACreationMenuPlayAndNewPlayerStayWhereTheyAre) {
    boot("Configs/UI/mainui.cfg", R"(createmenu \{\n        class = createmenu)",
         "createmenu_gone {\n        class = container");
    // The place it was looked for: mainui's block in the layout.
    EXPECT_EQ(moduleErrors(),
              Strings{"/Configs/UI/mainui.cfg:2: 'mainui' has no screen "
                      "'createmenu': the game goes on without it (a 'createmenu')"});
    kel::ui::theSaves.removeUser("default"); // no player: "play" asks for one
    wait(0.6);
    chooseAndComeBack("play");
    kel::test::choose(root.get(), "options_play");
    ASSERT_TRUE(shown("gamemenu"));
    ::ui::Component* create = root->getDescendant("button_create");
    clickAt(create->getAbsoluteX() + 5, create->getAbsoluteY() + 5);
    EXPECT_TRUE(shown("gamemenu")) << "the player menu stays";
    EXPECT_EQ(moduleErrors(), Strings{}) << "reported once";
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
    kel::ui::theSaves.removeUser("default");
    wait(0.6);
    chooseAndComeBack("play");
    root->getDescendant("createmenu")->setVisible(true);
    root->setFocusedComponent(root->getDescendant("createmenu"));
    tap("Escape");
    EXPECT_FALSE(shown("createmenu"));
    EXPECT_TRUE(shown("mainroundmenu"));
    EXPECT_EQ(moduleErrors(), Strings{});
}

TEST_F(ModdedLayout, ARoutedScreenThatIsMissingIsAnErrorOnceAndTheRingComesBack) {
    boot("Configs/UI/commonui.cfg", R"(soundmenu \{)", "soundpage {");
    EXPECT_EQ(moduleErrors(), Strings{"/Configs/UI/commonui.cfg:3: 'commonui' has no screen "
                                      "'soundmenu': the game goes on without it (a 'soundmenu')"});
    wait(0.6);
    for (const char* item : {"sound", "sound"})
        chooseAndComeBack(item);
    EXPECT_EQ(moduleErrors(), Strings{}) << "reported once";
    for (auto [item, page] : {std::pair{"video", "videomenu"}, {"controls", "inputmenu"}}) {
        kel::test::choose(root.get(), item);
        EXPECT_TRUE(shown(page)) << "the other pages are there";
        tap("Escape");
        EXPECT_TRUE(shown("mainroundmenu")) << page;
        wait(0.6);
    }
}

// A settings page that lacks some of its controls: reported once where its block starts, and the
// page still opens, takes clicks on what it has and closes.
TEST_F(ModdedLayout, ASettingsPageWithoutSomeControlsIsReportedAndStillWorks) {
    const struct {
        const char *pattern, *with, *item, *page, *missing, *click;
    } rows[] = {
        {R"(mouse_cancel \{)", "mouse_cancelled {", "controls", "inputmenu",
         "has no mouse_cancel.radiocontainer", "radio_accept_right"},
        {R"(shadows \{ class = checkbox)", "shadows { class = text", "video", "videomenu",
         "has no 'shadows'", "mipmaps"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.page);
        TearDown();
        SetUp();
        boot("Configs/UI/commonui.cfg", row.pattern, row.with);
        std::ifstream layout(data / "Configs/UI/commonui.cfg");
        std::string line;
        int number = 0, column = 0;
        while (!column && std::getline(layout, line)) {
            ++number;
            column = line.find(std::string(row.page) + " {") != std::string::npos
                         ? int(line.find_first_not_of(' ')) + 1
                         : 0;
        }
        const auto records = log.take();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].file, "/Configs/UI/commonui.cfg");
        EXPECT_EQ(std::pair(records[0].line, records[0].column), std::pair(number, column));
        EXPECT_NE(records[0].text.find(row.missing), std::string::npos) << records[0].text;
        wait(0.6);
        kel::test::choose(root.get(), row.item);
        ASSERT_TRUE(shown(row.page));
        const ::ui::Component* part = root->getDescendant(row.click);
        clickAt(part->getAbsoluteX() + 6, part->getAbsoluteY() + part->getHeight() / 2);
        tap("Escape");
        EXPECT_TRUE(shown("mainroundmenu"));
        EXPECT_EQ(moduleErrors(), Strings{}) << "reported once";
    }
}

} // namespace

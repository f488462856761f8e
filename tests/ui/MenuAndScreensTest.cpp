#include "support/ScreenUnderTest.h"
#include "ui/KELFactory.h"
#include "ui/Loading.h"
#include "ui/Menu.h"
#include "ui/RedefineMenu.h"

#include "host/logic/Game.h"
#include "host/ui/BothTextSprite.h"
#include "host/ui/SpriteText.h"
#include "host/ui/Text.h"
#include "host/ui/TextButton.h"

#include <set>
#include <sstream>

namespace {

// A page of the menu base with a button that takes the confirm key and an edit field that does
// not, below a trace.
class MenuBase : public kel::test::ScreenUnderTest {
protected:
    void SetUp() override {
        ScreenUnderTest::SetUp();
        buildOwn(
            "page {\n class = menu\n"
            " okbutton { class = universalbutton; text = OK; position = 100 100; size = 100 30 }\n"
            " name { class = editbox; position = 100 200; size = 200 30 }\n"
            "}\n");
        screen = dynamic_cast<::ui::Container*>(trace->getComponent("page"));
        ASSERT_NE(dynamic_cast<kel::ui::Menu*>(screen), nullptr);
        trace->take();
    }
};

TEST_F(MenuBase, PressesOfTheCancelAndConfirmCodesAndRightClicksBecomeCancelAndOk) {
    // What happens: "key|mouse code [up]" a button of that device, pressed (then released) or
    // only released; "report action value": what the edit field reports by itself.
    const char* const rows[][4] = {
        // what happens, focus, the pointer on, heard
        {"key 102", "", "", "page:cancel "},
        {"key 102 up", "", "", ""},
        {"mouse 102", "", "", "page:cancel "},
        {"mouse 5", "", "", "page:cancel "},
        {"mouse 5 up", "", "", ""},
        {"key 5", "", "", ""},
        // On a child: its click, its cancel, and the button's own cancel.
        {"mouse 5", "", "okbutton", "okbutton:mouseclick page:cancel page:cancel "},
        {"mouse 4", "", "okbutton", "okbutton:mouseclick "},
        {"mouse 3", "", "", ""},
        {"key 51", "", "", "page:ok "},
        {"key 51", "name", "", "page:ok "},
        {"key 51", "okbutton", "", "okbutton:job "},
        {"key 51 up", "", "", ""},
        {"key 101", "", "", "page:ok "},
        {"key 101", "name", "", "page:ok "},
        {"key 101", "okbutton", "", "okbutton:job "},
        {"mouse 51", "", "", "page:ok "},
        {"key 55", "", "", ""},
        {"report mouseclick 5", "", "", "name:mouseclick page:cancel "},
        {"report mouseclick 3", "", "", "name:mouseclick "},
        {"report mouseclick 4", "", "", "name:mouseclick "},
        {"report changed 5", "", "", "name:changed "},
    };
    for (const auto& [what, focus, pointerOn, heard] : rows) {
        root->setFocusedComponent(*focus ? part(focus) : nullptr);
        *pointerOn ? pointAt(part(pointerOn)) : moveTo(600, 400);
        std::istringstream words(what);
        std::string kind, action;
        int code = 0;
        words >> kind;
        ::input::Device* device = ::input::devices::PCMouse::instance();
        if (kind == "key")
            device = ::input::devices::PCKeyboard::instance();
        if (kind == "report") {
            words >> action >> code;
            ::ui::NotifyEvent event(part("name"));
            event.setSValue("action", action);
            event.setIValue("value", code);
            part("name")->notify(event);
        } else {
            words >> code >> action;
            feed(device, code, action != "up");
        }
        EXPECT_EQ(trace->take(), heard) << what << " focus=" << focus << " on=" << pointerOn;
        if (kind != "report" && action != "up")
            feed(device, code, false);
        trace->take();
    }
    theKelInput->feed(counting_ptr<::input::Event>(
        new ::input::events::Motion(::input::devices::PCMouse::instance(), 5, 51)));
    EXPECT_EQ(trace->take(), "") << "motion is no button";
}

// Whether `inner` lies within `outer` (absolute rectangles, half a unit of slack).
::testing::AssertionResult inside(const ::ui::Component* inner, const ::ui::Component* outer) {
    const float x = inner->getAbsoluteX() - outer->getAbsoluteX();
    const float y = inner->getAbsoluteY() - outer->getAbsoluteY();
    if (x >= -0.5f && y >= -0.5f && x + inner->getWidth() <= outer->getWidth() + 0.5f &&
        y + inner->getHeight() <= outer->getHeight() + 0.5f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << inner->getName() << " at " << x << " " << y << " size " << inner->getWidth() << " "
           << inner->getHeight() << " is not within " << outer->getName();
}

void everyShownPartInside(const ::ui::Component* part, const ::ui::Component* dialog) {
    if (const auto* container = dynamic_cast<const ::ui::Container*>(part))
        for (const ::ui::Component* child : container->getChildren())
            if (child->isShowed()) {
                EXPECT_TRUE(inside(child, dialog));
                everyShownPartInside(child, dialog);
            }
}

// The size of the text a component shows, for the kinds that show one (0 x 0 for the others).
std::pair<float, float> textSize(const ::ui::Component* c) {
    if (const auto* text = dynamic_cast<const ::ui::Text*>(c))
        return {text->getTextWidth(), text->getTextHeight()};
    if (const auto* text = dynamic_cast<const ::ui::SpriteText*>(c))
        return {text->getTextWidth(), text->getTextHeight()};
    if (const auto* text = dynamic_cast<const ::ui::TextButton*>(c))
        return {text->getTextWidth(), 0.0f};
    if (const auto* text = dynamic_cast<const ::ui::BothTextSprite*>(c))
        return {text->getTextWidth(), 0.0f};
    return {0.0f, 0.0f};
}

// Shows every screen of the shipped game in turn, as the player reaches them: the main menu's
// pages, then a battle (loading, the HUD, the goal and the results). At each stop every shown
// component must lie on the screen, show its text within its own rectangle, and the log must
// have stayed quiet; dialogs stand centred with their parts inside. The classes of everything
// shown are collected in `seen`.
class Screens : public kel::test::RootFixture {
protected:
    void TearDown() override {
        if (root)
            root->resetGameBoard();
        RootFixture::TearDown();
    }

    void walk(float w, float h) {
        root->setResolution(w, h);
        root->updateResolution();
        for (const char* name : kMenuScreens) {
            ::ui::Component* screen = root->getDescendant(name);
            ASSERT_NE(screen, nullptr) << name;
            screen->setVisible(true);
            wait(0.7);
            checkScreen(name);
            if (std::string(name).find("roundmenu") == std::string::npos)
                checkDialog(dynamic_cast<::ui::Container*>(screen), w, h);
            screen->setVisible(false);
            wait(0.6);
        }
        const ::ui::Component* description = root->getDescendant("description");
        EXPECT_TRUE(inside(description, root.get()));
        EXPECT_NEAR(description->getAbsoluteX() * 2 + description->getWidth(), w, 1.0f);
        // The battle, as the host starts it: the loading screen while the map loads.
        root->command(kel::ui::Command::BEGIN_LOADING);
        kel::ui::Loading* loading = kel::ui::theAccessor.getLoading();
        ASSERT_NE(loading, nullptr);
        loading->preStartLoading("Lighthouse");
        loading->startLoading(&game.getBoard(), {20, 30, 50});
        ASSERT_TRUE(game.loadMap("/Maps/Lighthouse.lvx"));
        checkScreen("loading");
        loading->finishLoading(&game.getBoard());
        root->setGameBoard(&game.getBoard());
        root->command(kel::ui::Command::BEGIN_GAME);
        wait(0.7);
        checkScreen("the battle");
        for (const char* name : {"gamegoal", "gameresults"}) {
            root->getDescendant(name)->setVisible(true);
            wait(0.1);
            checkScreen(name);
            root->getDescendant(name)->setVisible(false);
        }
        root->command(kel::ui::Command::END_GAME);
        root->resetGameBoard();
        wait(0.6);
    }

    // What the player sees of a dialog, its frame, stands in the middle of the screen with every
    // part shown inside the dialog, also with its questions open.
    void checkDialog(const ::ui::Container* screen, float w, float h) {
        ASSERT_NE(screen, nullptr);
        const ::ui::Component* frame = screen->getComponent("frame");
        ASSERT_NE(frame, nullptr) << screen->getName();
        const float left = frame->getAbsoluteX(), top = frame->getAbsoluteY();
        EXPECT_NEAR(left, w - left - frame->getWidth(), 1.0f) << screen->getName() << " across";
        EXPECT_NEAR(top, h - top - frame->getHeight(), 1.0f) << screen->getName() << " down";
        everyShownPartInside(screen, screen);
        for (const char* box : {"suretodelete", "gamealreadyexists", "entering"})
            if (::ui::Component* question = root->getDescendant(box)) {
                question->setVisible(true);
                everyShownPartInside(screen, screen);
                checkScreen(box);
                question->setVisible(false);
            }
    }
    void checkScreen(const std::string& name) {
        check(root.get(), name);
        for (const auto& record : log.take())
            ADD_FAILURE() << name << " logged [" << record.filter << "] " << record.text;
    }
    void check(const ::ui::Component* c, const std::string& screen) {
        if (!c->isShowed())
            return;
        seen.emplace(c->getClassName());
        EXPECT_TRUE(inside(c, root.get())) << screen;
        // The key-bindings page's keys column has a fixed width and shows the player's own keys,
        // right-aligned: a long binding runs left into the gap before the names column.
        const bool playersKeys = c->getMaster() && dynamic_cast<const kel::ui::RedefineMenu*>(
                                                       c->getMaster()->getMaster());
        const auto [textWidth, textHeight] = textSize(c);
        if (!playersKeys) {
            EXPECT_LE(textWidth, c->getWidth() + 0.5f) << screen << ": " << c->getName();
        }
        EXPECT_LE(textHeight, c->getHeight() + 0.5f) << screen << ": " << c->getName();
        if (const auto* container = dynamic_cast<const ::ui::Container*>(c))
            for (const ::ui::Component* child : container->getChildren())
                check(child, screen);
    }

    // The pages of the main and in-game menus, each shown alone.
    static constexpr const char* kMenuScreens[] = {
        "gamemenu",     "createmenu", "playmenu",  "newgamedialog", "soundmenu",
        "redefinemenu", "inputmenu",  "videomenu", "mainroundmenu", "gameroundmenu"};

    kel::logic::Game game; // outlives the board's use by the root: reset in TearDown
    std::set<std::string> seen;
};

TEST_F(Screens, EveryScreenFitsTheScreenAndShowsItsTextsWithinTheirFramesAtEveryResolution) {
    for (auto [w, h] :
         std::vector<std::pair<float, float>>{{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}}) {
        SCOPED_TRACE(std::to_string(int(w)) + "x" + std::to_string(int(h)));
        walk(w, h);
    }
}

// Every class of the module's factory is shown somewhere on the walk, so a new screen cannot be
// left out of it: add it to the walk (kMenuScreens, or the battle's part), or, when it cannot be
// shown by itself, here with the reason.
TEST_F(Screens, EveryClassOfTheFactoryIsShownOnTheWalk) {
    const std::set<std::string> notShownAlone = {
        "menu",           // the base of the pages; a layout names the page itself
        "entiremenu",     // the base of the two round menus, mainroundmenu and gameroundmenu
        "loadgamedialog", // no road of the game opens them yet: not in the shipped layout
        "savegamedialog",
    };
    walk(640, 480);
    int count = 0;
    const std::string* names = kel::ui::KELFactory::moduleClasses(&count);
    ASSERT_GT(count, 10);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(seen.count(names[i]) || notShownAlone.count(names[i])) << names[i];
}

} // namespace

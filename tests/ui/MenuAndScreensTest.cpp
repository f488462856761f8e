#include "support/ScreenUnderTest.h"
#include "ui/KELFactory.h"
#include "ui/Menu.h"

#include "host/config/Config.h"
#include "host/ui/NotifyEvent.h"

#include <set>

namespace {

using ::input::devices::PCKeyboard;
using ::input::devices::PCMouse;

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

TEST_F(MenuBase, PressesOfTheCancelAndConfirmCodesBecomeCancelAndOk) {
    struct Row {
        const char* what;
        ::input::Device* device;
        int code;
        bool pressed;
        const char* focus;     // "" for none
        const char* pointerOn; // the mouse pointer's place: "" for a bare part of the page
        const char* heard;
    };
    ::input::Device* key = PCKeyboard::instance();
    ::input::Device* mouse = PCMouse::instance();
    const Row rows[] = {
        {"Escape", key, 102, true, "", "", "page:cancel "},
        {"Escape released", key, 102, false, "", "", ""},
        {"102 from the mouse", mouse, 102, true, "", "", "page:cancel "},
        {"right button", mouse, 5, true, "", "", "page:cancel "},
        {"right button released", mouse, 5, false, "", "", ""},
        {"5 from the keyboard", key, 5, true, "", "", ""},
        {"right button on a child: its click, its cancel, the button's", mouse, 5, true, "",
         "okbutton", "okbutton:mouseclick page:cancel page:cancel "},
        {"middle button on a child", mouse, 4, true, "", "okbutton", "okbutton:mouseclick "},
        {"left button", mouse, 3, true, "", "", ""},
        {"Return, nothing focused", key, 51, true, "", "", "page:ok "},
        {"Return, edit field focused", key, 51, true, "name", "", "page:ok "},
        {"Return, button focused", key, 51, true, "okbutton", "", "okbutton:job "},
        {"Return released", key, 51, false, "", "", ""},
        {"NumpadEnter, nothing focused", key, 101, true, "", "", "page:ok "},
        {"NumpadEnter, edit field focused", key, 101, true, "name", "", "page:ok "},
        {"NumpadEnter, button focused", key, 101, true, "okbutton", "", "okbutton:job "},
        {"51 from the mouse", mouse, 51, true, "", "", "page:ok "},
        {"another key", key, 55, true, "", "", ""},
    };
    for (const Row& row : rows) {
        root->setFocusedComponent(*row.focus ? part(row.focus) : nullptr);
        if (*row.pointerOn)
            pointAt(part(row.pointerOn));
        else
            moveTo(600, 400);
        feed(row.device, row.code, row.pressed);
        EXPECT_EQ(trace->take(), row.heard) << row.what;
        if (row.pressed)
            feed(row.device, row.code, false);
        trace->take();
    }
    theKelInput->feed(counting_ptr<::input::Event>(new ::input::events::Motion(mouse, 5, 51)));
    EXPECT_EQ(trace->take(), "") << "motion is no button";
}

TEST_F(MenuBase, AChildsMouseclickWithValue5BecomesCancelAfterTheChildsOwnEvent) {
    struct Row {
        const char* action;
        int value;
        const char* heard;
    };
    const Row rows[] = {
        {"mouseclick", 5, "name:mouseclick page:cancel "},
        {"mouseclick", 3, "name:mouseclick "},
        {"mouseclick", 4, "name:mouseclick "},
        {"changed", 5, "name:changed "},
    };
    for (const Row& row : rows) {
        ::ui::NotifyEvent event(part("name"));
        event.setSValue("action", row.action);
        event.setIValue("value", row.value);
        part("name")->notify(event);
        EXPECT_EQ(trace->take(), row.heard) << row.action << " " << row.value;
    }
}

class Screens : public kel::test::RootFixture {};

// Every screen of the shipped layout, shown, run for a while and hidden at the resolutions the
// game offers; every class of the module's table stands in the layout but those listed here.
TEST_F(Screens, EveryScreenShowsRunsAndHidesAtEveryResolution) {
    const std::set<std::string> notInTheLayout = {
        "menu",           // the base of the pages; a layout names the page itself
        "entiremenu",     // the layout names its two kinds, mainroundmenu and gameroundmenu
        "loadgamedialog", // no road of the game opens them yet
        "savegamedialog",
    };
    std::set<std::string> seen;
    std::function<void(::ui::Component*)> collect = [&](::ui::Component* c) {
        seen.insert(c->getClassName());
        if (auto* container = dynamic_cast<::ui::Container*>(c))
            for (::ui::Component* child : container->getChildren())
                collect(child);
    };
    collect(root.get());
    int count = 0;
    const std::string* names = kel::ui::KELFactory::moduleClasses(&count);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(seen.count(names[i]) || notInTheLayout.count(names[i]))
            << names[i] << " is in no screen of the shipped layout";

    const std::vector<std::string> screens = {"mainroundmenu", "gamemenu",      "createmenu",
                                              "playmenu",      "newgamedialog", "soundmenu",
                                              "gameroundmenu"};
    for (auto [w, h] :
         std::vector<std::pair<float, float>>{{640, 480}, {800, 600}, {1024, 768}, {1920, 1080}}) {
        root->setResolution(w, h);
        root->updateResolution();
        for (const std::string& name : screens) {
            ::ui::Component* screen = root->getDescendant(name);
            ASSERT_NE(screen, nullptr) << name;
            screen->setVisible(true);
            EXPECT_TRUE(screen->isShowed()) << name << " at " << w << "x" << h;
            wait(0.7);
            screen->setVisible(false);
            wait(0.6);
        }
    }
}

// Whether `inner` lies within `outer` (absolute rectangles, half a unit of slack).
::testing::AssertionResult inside(const ::ui::Component* inner, const ::ui::Component* outer) {
    const float x = inner->getAbsoluteX(), y = inner->getAbsoluteY();
    const float ox = outer->getAbsoluteX(), oy = outer->getAbsoluteY();
    if (x >= ox - 0.5f && y >= oy - 0.5f &&
        x + inner->getWidth() <= ox + outer->getWidth() + 0.5f &&
        y + inner->getHeight() <= oy + outer->getHeight() + 0.5f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << inner->getName() << " (" << x << ", " << y << ", " << inner->getWidth() << " x "
           << inner->getHeight() << ") is not within " << outer->getName() << " (" << ox << ", "
           << oy << ", " << outer->getWidth() << " x " << outer->getHeight() << ")";
}

void everyShownPartInside(const ::ui::Component* part, const ::ui::Component* dialog) {
    const auto* container = dynamic_cast<const ::ui::Container*>(part);
    if (!container)
        return;
    for (const ::ui::Component* child : container->getChildren()) {
        if (!child->isShowed())
            continue;
        EXPECT_TRUE(inside(child, dialog));
        everyShownPartInside(child, dialog);
    }
}

TEST_F(Screens, EveryDialogIsCentredWithItsPartsInsideAtAnyResolution) {
    const std::vector<std::string> dialogs = {"gamemenu", "createmenu", "playmenu", "newgamedialog",
                                              "soundmenu"};
    // The smallest screen the profile takes, the usual ones, and a very large one.
    for (auto [w, h] : std::vector<std::pair<float, float>>{
             {640, 480}, {1024, 768}, {1280, 720}, {1920, 1080}, {7680, 4320}}) {
        SCOPED_TRACE(std::to_string(int(w)) + "x" + std::to_string(int(h)));
        root->setResolution(w, h);
        root->updateResolution();
        for (const std::string& name : dialogs) {
            auto* dialog = dynamic_cast<::ui::Container*>(root->getDescendant(name));
            dialog->setVisible(true);
            EXPECT_TRUE(inside(dialog, root.get()));
            // What the player sees of it, its frame, stands in the middle of the screen.
            const ::ui::Component* frame = dialog->getComponent("frame");
            ASSERT_NE(frame, nullptr) << name;
            const float left = frame->getAbsoluteX();
            const float right = w - left - frame->getWidth();
            EXPECT_NEAR(left, right, 1.0f) << name << " centred across";
            const float top = frame->getAbsoluteY();
            EXPECT_NEAR(top, h - top - frame->getHeight(), 1.0f) << name << " centred down";
            everyShownPartInside(dialog, dialog);
            for (const char* box : {"suretodelete", "gamealreadyexists"})
                if (::ui::Component* question = root->getDescendant(box)) {
                    question->setVisible(true);
                    everyShownPartInside(dialog, dialog);
                    question->setVisible(false);
                }
            dialog->setVisible(false);
        }
        root->getDescendant("gameui")->setVisible(true);
        EXPECT_TRUE(inside(root->getDescendant("endturnbutton"), root.get()));
        root->getDescendant("gameui")->setVisible(false);
        const ::ui::Component* description = root->getDescendant("description");
        EXPECT_TRUE(inside(description, root.get()));
        EXPECT_NEAR(description->getAbsoluteX() * 2 + description->getWidth(), w, 1.0f);
    }
}

} // namespace

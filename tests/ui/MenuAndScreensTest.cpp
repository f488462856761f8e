#include "support/ScreenUnderTest.h"
#include "ui/Menu.h"

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
           << inner->getName() << " is not within " << outer->getName();
}

void everyShownPartInside(const ::ui::Component* part, const ::ui::Component* dialog) {
    if (const auto* container = dynamic_cast<const ::ui::Container*>(part))
        for (const ::ui::Component* child : container->getChildren())
            if (child->isShowed()) {
                EXPECT_TRUE(inside(child, dialog));
                everyShownPartInside(child, dialog);
            }
}

class Screens : public kel::test::RootFixture {};

// Every screen of the shipped layout, shown, run for a while and hidden at the resolutions the
// game offers, from the smallest screen the profile takes to a very large one; what the player
// sees of a dialog, its frame, stands in the middle with every part shown inside the dialog.
TEST_F(Screens, EveryScreenRunsAndEveryDialogIsCentredWithItsPartsInsideAtAnyResolution) {
    for (auto [w, h] : std::vector<std::pair<float, float>>{
             {640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}, {7680, 4320}}) {
        SCOPED_TRACE(std::to_string(int(w)) + "x" + std::to_string(int(h)));
        root->setResolution(w, h);
        root->updateResolution();
        for (const char* name :
             {"gamemenu", "createmenu", "playmenu", "newgamedialog", "soundmenu", "redefinemenu",
              "inputmenu", "videomenu", "mainroundmenu", "gameroundmenu"}) {
            auto* screen = dynamic_cast<::ui::Container*>(root->getDescendant(name));
            ASSERT_NE(screen, nullptr) << name;
            screen->setVisible(true);
            EXPECT_TRUE(screen->isShowed()) << name;
            wait(0.7);
            if (std::string(name).find("roundmenu") == std::string::npos) {
                EXPECT_TRUE(inside(screen, root.get()));
                const ::ui::Component* frame = screen->getComponent("frame");
                ASSERT_NE(frame, nullptr) << name;
                const float left = frame->getAbsoluteX(), top = frame->getAbsoluteY();
                EXPECT_NEAR(left, w - left - frame->getWidth(), 1.0f) << name << " across";
                EXPECT_NEAR(top, h - top - frame->getHeight(), 1.0f) << name << " down";
                everyShownPartInside(screen, screen);
                for (const char* box : {"suretodelete", "gamealreadyexists", "entering"})
                    if (::ui::Component* question = root->getDescendant(box)) {
                        question->setVisible(true);
                        everyShownPartInside(screen, screen);
                        question->setVisible(false);
                    }
            }
            screen->setVisible(false);
            wait(0.6);
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

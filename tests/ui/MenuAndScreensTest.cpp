#include "support/RootFixture.h"
#include "ui/KELFactory.h"
#include "ui/Menu.h"

#include "host/config/Config.h"
#include "host/ui/NotifyEvent.h"

#include <set>

namespace {

// Records what reaches it from below.
class Recorder : public ::ui::Container {
public:
    explicit Recorder(::ui::UI* ui) : Container(ui) {}
    void notify(::ui::NotifyEvent& event) override {
        std::string name, action;
        event.getProperty("name", &name);
        event.getProperty("action", &action);
        trace += name + ":" + action + " ";
    }
    std::string take() { return std::exchange(trace, ""); }
    std::string trace;
};

class MenuBase : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        root->getComponent("mainui")->setVisible(false);
        recorder = new Recorder(root.get());
        root->addComponent(recorder);
        recorder->setVisible(true);
        config::Config layout;
        ASSERT_TRUE(
            layout.readString("page {\n class = menu\n"
                              " okbutton { class = universalbutton; text = OK;"
                              " position = 100 100; size = 100 30 }\n"
                              " name { class = editbox; position = 100 200; size = 200 30 }\n"
                              "}\n",
                              "page.cfg"));
        recorder->readConfig(&layout);
        page = dynamic_cast<kel::ui::Menu*>(recorder->getComponent("page"));
        ASSERT_NE(page, nullptr);
        recorder->take();
    }
    Recorder* recorder = nullptr;
    kel::ui::Menu* page = nullptr;
};

TEST_F(MenuBase, CancelAndConfirmKeysBecomeNotificationsUnlessAButtonTakesTheKey) {
    press("Escape");
    EXPECT_EQ(recorder->take(), "page:cancel ");
    release("Escape");
    EXPECT_EQ(recorder->take(), "") << "a release sends nothing";

    root->setFocusedComponent(page->getComponent("okbutton"));
    tap("Return");
    EXPECT_EQ(recorder->take(), "okbutton:job ") << "the focused button takes Return itself";
    root->setFocusedComponent(page->getComponent("name"));
    tap("NumpadEnter");
    EXPECT_EQ(recorder->take(), "page:ok ");
    root->setFocusedComponent(nullptr);
    tap("Return");
    EXPECT_EQ(recorder->take(), "page:ok ");
}

TEST_F(MenuBase, TheRightButtonCancelsAndAChildsRightClickCancelsToo) {
    clickAt(600, 400, "RightClick");
    EXPECT_EQ(recorder->take(), "page:cancel ");
    clickAt(150, 115, "RightClick"); // on the button: its mouseclick, then the menu's cancel
    EXPECT_EQ(recorder->take(), "okbutton:mouseclick page:cancel page:cancel ");
    clickAt(150, 115, "MiddleClick");
    EXPECT_EQ(recorder->take(), "okbutton:mouseclick ") << "only the right button cancels";
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

} // namespace

#include "ui/RoundMenu.h"
#include "support/RootFixture.h"
#include "ui/EntireMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/ItemDescription.h"
#include "ui/KELFactory.h"
#include "ui/RoundMenuContainer.h"

#include "host/config/Config.h"
#include "host/engine/Model.h"
#include "host/engine/SEContour.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/sound/Manager.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Texture.h"

#include <cmath>
#include <functional>
#include <future>
#include <set>
#include <thread>

namespace {

using kel::ui::EntireMenu;
using kel::ui::EntireMenuItem;
using kel::ui::RoundMenu;
using kel::ui::RoundMenuContainer;

constexpr float kTwoPi = 6.28318530718f;

// Sits between the root and a round-menu screen and records what leaves the screen, in order.
class Recorder : public ::ui::Container {
public:
    Recorder() : Container(::ui::theUI, 0, 0, 0, 0) {}
    void notify(::ui::NotifyEvent& event) override {
        events.push_back(event);
        if (onEvent)
            onEvent(event);
        Container::notify(event);
    }
    // One token per notification, the frame-by-frame ones left out: action(itemName),
    // action(menu[,escape]), action(phase).
    std::string take() {
        static const std::set<std::string> noisy = {"startphase", "endphase", "updatecontour",
                                                    "tracein", "traceout"};
        std::string trace;
        for (const config::Block& event : events) {
            std::string action, value;
            int phase = 0;
            bool escape = false;
            event.getProperty("action", &action);
            if (noisy.count(action))
                continue;
            trace += trace.empty() ? action : " " + action;
            if (event.getProperty("itemName", &value))
                trace += "(" + value + ")";
            if (event.getProperty("menu", &value))
                trace += "(" + value +
                         (event.getProperty("escape", &escape) && escape ? ",escape" : "") + ")";
            if (event.getProperty("phase", &phase))
                trace += "(" + std::to_string(phase) + ")";
        }
        events.clear();
        return trace;
    }
    std::vector<config::Block> events;
    std::function<void(::ui::NotifyEvent&)> onEvent;
};

// Entries named after pictures the image catalogue knows, since the description shows them.
const char* const kNames[] = {"play",  "options_play", "selectmap", "controls",
                              "video", "sound",        "exit",      "back"};

std::string entries(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += std::string(kNames[i % 8]) + " { class = entiremenuitem; model = menu_" +
                (i % 8 == 1 ? std::string("options") : kNames[i % 8]) + " }\n";
    return text;
}

// The module booted on the shipped data, its own screens hidden, and a round-menu screen
// "testmenu" of our own below a recorder.
class RoundMenuScreen : public kel::test::RootFixture {
protected:
    void SetUp() override {
        RootFixture::SetUp();
        root->getComponent("mainui")->setVisible(false);
        recorder = new Recorder();
        root->addComponent(recorder);
        recorder->setVisible(true);
    }

    // `rings` are the blocks inside the container; the first is "ring".
    void build(const std::string& rings) {
        const std::string text = "testmenu {\n class = entiremenu\n visible = false\n"
                                 " description { class = itemdescription; size = 256 64 }\n"
                                 " rings {\n class = roundmenucontainer\n firstMenu = ring\n"
                                 " visible = true\n" +
                                 rings + "}\n}\n";
        config::Config block;
        ASSERT_TRUE(block.readString(text, "test.cfg")) << block.getLastError().describe();
        recorder->readConfig(&block);
        kel::ui::theFactory->getComponent("testmenu", &screen, recorder, false);
        kel::ui::theFactory->getComponent("rings", &rings_, screen, false);
        kel::ui::theFactory->getComponent("ring", &ring, rings_, false);
        ASSERT_TRUE(ring);
        recorder->take();
    }
    void buildRing(int count, const std::string& options = "") {
        build("ring { class = roundmenu; visible = false\n" + options + "\n" + entries(count) +
              "}\n");
    }
    // Shows the screen and lets the ring appear; the trace starts empty.
    void open() {
        screen->setVisible(true);
        wait(0.6);
        ASSERT_EQ(ring->getPhase(), RoundMenu::WORK);
        recorder->take();
    }
    std::string trace() { return recorder->take(); }
    EntireMenuItem* item(int i) { return ring->getItem(i); }
    // Puts the pointer on an entry and lets frames trace what is under it: a frame places the
    // entries before the engine traces, so the model under the pointer counts from the next.
    void pointAt(int i) {
        moveTo(item(i)->getProjectedX(), item(i)->getProjectedY());
        frame();
        frame();
    }

    Recorder* recorder = nullptr; // the root owns it
    EntireMenu* screen = nullptr;
    RoundMenuContainer* rings_ = nullptr;
    RoundMenu* ring = nullptr;
};

TEST_F(RoundMenuScreen, TheFactoryBuildsEveryRoundMenuClassWhichSurvivesShowingAndGoing) {
    const char* const names[] = {"entiremenu",         "mainroundmenu", "gameroundmenu",
                                 "roundmenucontainer", "roundmenu",     "entiremenuitem",
                                 "itemdescription"};
    for (const char* name : names) {
        ::ui::Component* made = kel::ui::theFactory->createComponent(name);
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(made->getClassName(), name);
        made->setName(std::string("made_") + name);
        recorder->addComponent(made);
        made->setVisible(true);
        wait(0.1);
        made->setVisible(false);
        made->term();
        recorder->deleteComponent(made);
        wait(0.1); // nothing made is left among the frame or view listeners
    }
    EXPECT_EQ(kel::ui::theFactory->createComponent("RoundMenu"), nullptr);
    kel::ui::RoundMenu* typed = nullptr;
    EXPECT_FALSE(kel::ui::theFactory->getComponent("mainui", &typed, nullptr, false));
    EXPECT_EQ(typed, nullptr);
}

TEST_F(RoundMenuScreen, ARingDeletedWithoutTermLeavesTheFramesAndItsEffects) {
    buildRing(4);
    open();
    ASSERT_TRUE(item(0)->getModel()->getAnimator()->hasEffect(ring->getHighlight()));
    const size_t views = theRenderDriver->getViews().size();
    const RenderDriverListener* gone = ring; // compared, never used
    ring->getMaster()->deleteComponent(ring);
    ring = nullptr;
    EXPECT_FALSE(theRenderDriver->hasListener(gone));
    EXPECT_EQ(theRenderDriver->getViews().size(), views - 1);
    wait(0.1);
}

TEST_F(RoundMenuScreen, TheRingIsArrangedInFrontOfTheCameraWithTheFrontEntryLowAndNear) {
    buildRing(4);
    EXPECT_EQ(ring->getView()->getRenderPriority(), -1);
    EXPECT_FLOAT_EQ(ring->getCamera().getAngle(), 1.7f);
    EXPECT_NEAR(ring->getRingCentre().x, 0.5625f, 1e-4);
    EXPECT_NEAR(ring->getRingCentre().z, 2.74524f, 1e-4);
    EXPECT_FLOAT_EQ(ring->getLight().getColor()[0], 0.7f);
    open();
    const Vector front = item(0)->getModel()->getAnimator()->getPosition();
    EXPECT_NEAR(front.x, -0.6257f, 1e-3);
    EXPECT_NEAR(front.y, 0.0f, 1e-5);
    EXPECT_NEAR(front.z, 1.8297f, 1e-3);
    // Entry 1 stands a quarter turn along: to the screen's left, since turning up brings it in.
    const Vector next = item(1)->getModel()->getAnimator()->getPosition();
    EXPECT_LT(next.y, -1.0f);
    EXPECT_LT(item(1)->getProjectedX(), item(0)->getProjectedX());
    // The front entry is nearest, so it looks biggest, and it lands below the ring's middle.
    EXPECT_GT(item(0)->getProjectedSize(), item(2)->getProjectedSize());
    EXPECT_GT(item(0)->getProjectedY(), item(2)->getProjectedY());
    EXPECT_TRUE(item(0)->isHighlighted());
    EXPECT_TRUE(ring->getContour()->isAttached(item(0)->getModel()->getAnimator()));
    EXPECT_EQ(item(0)->getModel()->getAnimator()->getAnimation(), "Walk");
}

TEST_F(RoundMenuScreen, AppearingSpinsInForHalfASecondThenSettlesAtHome) {
    buildRing(4);
    screen->setVisible(true);
    EXPECT_EQ(ring->getPhase(), RoundMenu::START);
    frame(); // takes the start time
    EXPECT_FLOAT_EQ(ring->getRadius(), 0.5f);
    EXPECT_FLOAT_EQ(ring->getCamera().getAngle(), 2.4f);
    frame(0.25);
    EXPECT_NEAR(ring->getRadius(), 1.0f, 1e-4);
    EXPECT_NEAR(ring->getAngle(), kTwoPi * 0.7f * 0.5f, 1e-4);
    frame(0.24);
    EXPECT_EQ(ring->getPhase(), RoundMenu::START);
    frame(0.02);
    EXPECT_EQ(ring->getPhase(), RoundMenu::WORK);
    EXPECT_FLOAT_EQ(ring->getAngle(), 0.0f);
    EXPECT_FLOAT_EQ(ring->getRadius(), 1.5f);
    EXPECT_EQ(trace(), "setphase(1) setphase(2) itemfocuschanged(play)");
}

TEST_F(RoundMenuScreen, ReleasingWhileTurningKeepsTurningToTheNextSlotAndSnapsExactly) {
    buildRing(4);
    open();
    press("Right");
    wait(0.1);     // up to 0.5 rad
    press("Left"); // right then left: left wins
    EXPECT_EQ(ring->getKeys(), 3);
    frame(0.08); // down to about 0.1
    release("Right");
    release("Left");
    EXPECT_EQ(ring->getKeys(), 0);
    EXPECT_NEAR(ring->getAngle(), 0.1f, 0.01);
    frame();
    EXPECT_EQ(ring->getRotation(), RoundMenu::DECREASING) << "no slot crossed yet";
    EXPECT_GT(ring->getAngle(), 0.0f);
    frame();
    EXPECT_EQ(ring->getRotation(), RoundMenu::STOPPED);
    EXPECT_EQ(ring->getAngle(), 0.0f);
    wait(0.2);
    EXPECT_EQ(ring->getAngle(), 0.0f);
    EXPECT_EQ(ring->getFocusedItem(), 0);
    EXPECT_EQ(ring->getHighlighted(), 0);
}

TEST_F(RoundMenuScreen, HoldingLeftPassesEveryEntryDownwardsButNotTheOneItRestsOn) {
    buildRing(4);
    open();
    press("Left");
    wait(1.35); // 6.75 rad: past entries 3, 2, 1 and 0, on the way back to 3
    release("Left");
    wait(0.5);
    EXPECT_EQ(trace(),
              "itemfocuschanged() pass(controls) pass(selectmap) pass(options_play) pass(play) "
              "itemfocuschanged(controls)");
    EXPECT_FLOAT_EQ(ring->getAngle(), kTwoPi * 3 / 4);
    EXPECT_EQ(ring->findCurrentItem(), 3);
}

TEST_F(RoundMenuScreen, LeftThenRightThenReleasingRightTurnsDownUpAndDownAgain) {
    buildRing(8);
    open();
    const auto turnedBy = [this] {
        const float before = ring->getAngle();
        frame();
        float moved = ring->getAngle() - before;
        if (moved > kTwoPi / 2)
            moved -= kTwoPi;
        if (moved < -kTwoPi / 2)
            moved += kTwoPi;
        return moved;
    };
    press("Left");
    EXPECT_LT(turnedBy(), 0.0f);
    press("Right");
    EXPECT_EQ(ring->getKeys(), 4);
    EXPECT_GT(turnedBy(), 0.0f);
    release("Right");
    EXPECT_EQ(ring->getKeys(), 1);
    EXPECT_LT(turnedBy(), 0.0f);
    release("Left");
    EXPECT_EQ(ring->getKeys(), 0);
}

TEST_F(RoundMenuScreen, AFrameThatFindsTheUiBusyOnAnotherThreadCatchesUpOnTheNext) {
    buildRing(8);
    open();
    press("Left");
    const float before = ring->getAngle();
    std::promise<void> locked, released;
    std::thread host([&] {
        thread::Lock hold(*root); // a host thread asking a question holds the UI
        locked.set_value();
        released.get_future().wait();
    });
    locked.get_future().wait();
    frame();
    EXPECT_EQ(ring->getAngle(), before) << "the step did not wait for the UI";
    released.set_value();
    host.join();
    frame();
    float moved = before - ring->getAngle();
    if (moved < 0)
        moved += kTwoPi;
    EXPECT_NEAR(moved, 2 * 5.0f / 60, 1e-3) << "both frames' turning, in one step";
}

TEST_F(RoundMenuScreen, ChoicesWhileTurningAreIgnored) {
    buildRing(4);
    open();
    press("Left");
    frame();
    tap("Return");
    tap("Space");
    clickAt(item(0)->getProjectedX(), item(0)->getProjectedY());
    EXPECT_EQ(trace(), "itemfocuschanged()");
    EXPECT_EQ(ring->getPhase(), RoundMenu::WORK);
}

TEST_F(RoundMenuScreen, AnExitFlyOutEndsInExactlyOneCommandWithNoItemName) {
    buildRing(4, "escapeFlyOut = true");
    open();
    // Leaving a battle draws a frame at once from inside the command: it must not repeat it.
    int commands = 0;
    recorder->onEvent = [&](::ui::NotifyEvent& event) {
        std::string action;
        event.getProperty("action", &action);
        if (action == "command" && ++commands == 1)
            theRenderDriver->drawFrameAtOnce();
    };
    tap("Escape");
    wait(1.0);
    EXPECT_EQ(trace(), "setphase(3) itemfocuschanged() exit setphase(4) command()");
    EXPECT_EQ(commands, 1);
    EXPECT_FALSE(ring->isShowed());
    EXPECT_EQ(ring->getPhase(), RoundMenu::FINISHED);
}

TEST_F(RoundMenuScreen, EscapeWithoutAnEventOrFlyOutDoesNothing) {
    buildRing(4);
    open();
    tap("Escape");
    wait(1.0);
    EXPECT_EQ(trace(), "");
    // The right button is the mouse's escape: the mouse now counts (nothing under it, so no
    // focus), but nothing leaves.
    clickAt(5, 5, "RightClick");
    wait(1.0);
    EXPECT_EQ(trace(), "itemfocuschanged()");
    EXPECT_EQ(ring->getPhase(), RoundMenu::WORK);
    EXPECT_TRUE(ring->isShowed());
}

TEST_F(RoundMenuScreen, TheHitAreaIsStrictlyInsideAndTheModelsTraceCountsAsWell) {
    buildRing(4, "escapeFlyOut = true");
    open();
    EntireMenuItem* entry = item(2);
    entry->setProjection(300, 200, 40);
    const auto over = [&](float x, float y) {
        moveTo(x, y);
        return entry->getFlyby();
    };
    EXPECT_FALSE(over(260, 200));
    EXPECT_TRUE(over(260.5f, 200));
    EXPECT_TRUE(over(339.5f, 200));
    EXPECT_FALSE(over(340, 200));
    EXPECT_FALSE(over(300, 160));
    EXPECT_TRUE(over(300, 239.5f));
    EXPECT_FALSE(over(300, 240));

    entry->getModel()->traceIn(nullptr); // the pointer's ray is on the mesh
    EXPECT_TRUE(entry->isTraced());
    EXPECT_TRUE(over(600, 600));
    entry->getModel()->traceOut(nullptr);
    entry->reFlyby();
    EXPECT_FALSE(entry->getFlyby());

    config::Config narrow;
    ASSERT_TRUE(narrow.readString(
        "model = menu_video\nprojectionWidth = 0.5\nprojectionHeight = 2\n", "n.cfg"));
    entry->readConfig(&narrow);
    entry->setProjection(300, 200, 40);
    EXPECT_FALSE(over(325, 200));
    EXPECT_TRUE(over(319, 279));
}

TEST_F(RoundMenuScreen, AClickChoosesTheEntryUnderThePointerAndItComesBackInFront) {
    buildRing(4);
    open();
    pointAt(2);
    tap("LeftClick");
    EXPECT_EQ(ring->getPhase(), RoundMenu::END);
    wait(0.6);
    EXPECT_EQ(
        trace(),
        "setphase(3) itemfocuschanged() precommand(selectmap) setphase(4) command(selectmap)");
    EXPECT_FALSE(ring->getItem(2)->isHighlighted());
    EXPECT_FALSE(ring->getContour()->isAttached(item(2)->getModel()->getAnimator()));

    ring->setVisible(true);
    wait(0.6);
    EXPECT_EQ(ring->findCurrentItem(), 2);
    EXPECT_FLOAT_EQ(ring->getAngle(), kTwoPi / 2);
}

TEST_F(RoundMenuScreen, ADoubleClickSendsTheCommandAtOnceWithoutAFlyOut) {
    buildRing(4);
    open();
    pointAt(1);
    trace();
    ring->mouseDoubleClicked();
    EXPECT_EQ(trace(), "command(options_play)");
    EXPECT_EQ(ring->getPhase(), RoundMenu::WORK);
}

TEST_F(RoundMenuScreen, ChangeEventsSwitchRingsAndEscapeComesBack) {
    build("ring { class = roundmenu; visible = false\n" + entries(3) +
          "options { class = entiremenuitem; model = menu_campaign; changeEvent = second } }\n"
          "second { class = roundmenu; visible = false; escapeEvent = ring\n" +
          entries(2) + "}\n");
    RoundMenu* second = nullptr;
    kel::ui::theFactory->getComponent("second", &second, rings_, false);
    open();
    tap("Left"); // 0 -> 3, the change entry
    wait(0.4);
    trace();
    tap("Return");
    EXPECT_EQ(rings_->getCurrentMenu(), "second");
    EXPECT_EQ(root->getFocusedComponent(), second);
    wait(0.6);
    EXPECT_EQ(trace(), "changemenu(second) setphase(3) itemfocuschanged() setphase(1) "
                       "currentmenuchanged setphase(4) setphase(2) itemfocuschanged(play)");
    EXPECT_FALSE(ring->isShowed());
    EXPECT_TRUE(second->isShowed());

    tap("Escape");
    wait(0.6);
    // Both animations end on the same frame; the ring was made first, so it hears it first.
    EXPECT_EQ(trace(), "changemenu(ring,escape) setphase(3) itemfocuschanged() setphase(1) "
                       "currentmenuchanged setphase(2) itemfocuschanged(options) setphase(4)");
    EXPECT_TRUE(ring->isShowed());
    EXPECT_FALSE(second->isShowed());
    EXPECT_EQ(ring->findCurrentItem(), 3) << "the ring comes back on the entry chosen";
}

TEST_F(RoundMenuScreen, AChangeToAMissingMenuLeavesNoRingAndNoFocus) {
    build("ring { class = roundmenu; visible = false\n"
          "back { class = entiremenuitem; model = menu_back; changeEvent = nowhere } }\n");
    open();
    tap("Return");
    wait(0.6);
    EXPECT_EQ(trace(), "changemenu(nowhere) setphase(3) itemfocuschanged() setphase(4)");
    EXPECT_FALSE(ring->isShowed());
    EXPECT_EQ(root->getFocusedComponent(), nullptr);
    EXPECT_EQ(rings_->getCurrentMenu(), "nowhere");

    // An empty name only flies the current one out.
    rings_->setCurrentMenu("ring");
    wait(0.6);
    trace();
    rings_->setCurrentMenu("");
    wait(0.6);
    EXPECT_EQ(trace(), "setphase(3) itemfocuschanged() setphase(4)");
    EXPECT_FALSE(ring->isShowed());
}

TEST_F(RoundMenuScreen, EveryNotificationLeavingTheScreenNamesIt) {
    buildRing(4, "escapeFlyOut = true");
    open();
    tap("Right");
    wait(0.4);
    pointAt(0);
    tap("LeftClick");
    wait(0.6);
    ring->setVisible(true);
    wait(0.6);
    tap("Escape");
    wait(0.6);
    recorder->onEvent = nullptr;
    ASSERT_GT(recorder->events.size(), 20u);
    for (const config::Block& event : recorder->events) {
        std::string menuName, action;
        event.getProperty("action", &action);
        EXPECT_TRUE(event.getProperty("menuName", &menuName)) << action;
        EXPECT_EQ(menuName, "testmenu") << action;
    }
}

TEST_F(RoundMenuScreen, TheDescriptionFollowsTheFocusWithTheFocusSound) {
    buildRing(4, "escapeFlyOut = true");
    kel::ui::ItemDescription* description = nullptr;
    ASSERT_TRUE(kel::ui::theFactory->getComponent("description", &description, screen, false));
    EXPECT_FALSE(description->getTexture()->isResolutionSensitive());
    open();
    EXPECT_TRUE(description->isShowed());
    EXPECT_EQ(description->getTexture()->getImageName(), "play");
    ASSERT_EQ(sound::MANAGER->getPlayed("ui").size(), 1u);
    EXPECT_EQ(sound::MANAGER->getPlayed("ui")[0].name, "focus");

    // Turning by keyboard: the description stays and follows the passing entries.
    press("Left");
    wait(0.35);
    EXPECT_TRUE(description->isShowed());
    EXPECT_EQ(description->getTexture()->getImageName(), "controls");
    release("Left");
    wait(0.3);

    // The mouse on nothing: the description goes.
    moveTo(5, 5);
    frame();
    frame();
    tap("LeftClick");
    EXPECT_EQ(ring->getFocusedItem(), -1);
    EXPECT_FALSE(description->isShowed());
    pointAt(1);
    EXPECT_TRUE(description->isShowed());
    EXPECT_EQ(description->getTexture()->getImageName(), "options_play");
    EXPECT_EQ(sound::MANAGER->getPlayed("ui").size(), 3u);

    tap("Escape");
    EXPECT_FALSE(description->isShowed()) << "the fly-out hides it";
}

} // namespace

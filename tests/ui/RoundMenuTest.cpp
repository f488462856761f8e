#include "support/RoundMenuScreen.h"
#include "ui/ItemDescription.h"

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

using kel::test::EntireMenuItem;
using kel::test::entries;
using kel::test::kTwoPi;
using kel::test::Recorder;
using kel::test::RoundMenu;
using kel::test::RoundMenuScreen;

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
          "options { class = entiremenuitem; model = menu_options; changeEvent = second } }\n"
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

} // namespace

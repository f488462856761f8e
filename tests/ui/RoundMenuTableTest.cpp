#include "support/Near.h"
#include "support/RootFixture.h"
#include "ui/EntireMenu.h"
#include "ui/EntireMenuItem.h"
#include "ui/ItemDescription.h"
#include "ui/KELFactory.h"
#include "ui/RoundMenu.h"
#include "ui/RoundMenuContainer.h"

#include "host/config/Config.h"
#include "host/engine/Model.h"
#include "host/engine/SEDirectHighlight.h"
#include "host/input/Device.h"
#include "host/sound/Manager.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/Texture.h"

#include <cmath>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using kel::ui::EntireMenuItem;
using kel::ui::RoundMenu;

constexpr float kTwoPi = 6.28318530718f;
constexpr float kPi = kTwoPi / 2;

// Sits between the root and the round-menu screen under test. Every notification that leaves the
// screen must name it; each is kept, in order, as action(itemName), action(menu[,escape]),
// action(phase) or action(progress in hundredths).
class Recorder : public ::ui::Container {
public:
    Recorder() : Container(::ui::theUI, 0, 0, 0, 0) {}
    void notify(::ui::NotifyEvent& event) override {
        std::string menuName, action, value;
        int phase = 0;
        float progress = 0;
        bool escape = false;
        event.getProperty("action", &action);
        EXPECT_TRUE(event.getProperty("menuName", &menuName) && menuName == "testmenu") << action;
        std::string token = action;
        if (event.getProperty("progress", &progress))
            token += "(" + std::to_string(std::lround(progress * 100)) + ")";
        if (event.getProperty("itemName", &value))
            token += "(" + value + ")";
        if (event.getProperty("menu", &value))
            token +=
                "(" + value + (event.getProperty("escape", &escape) && escape ? ",escape)" : ")");
        if (event.getProperty("phase", &phase))
            token += "(" + std::to_string(phase) + ")";
        heard.emplace_back(action, token);
        if (onEvent)
            onEvent(event);
        Container::notify(event);
    }
    std::vector<std::pair<std::string, std::string>> heard; // action, token
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

// Choices, exits and changes of menu.
const char* const kChoices = "precommand command exit changemenu";

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

    // `rings` are the blocks inside the container; the first is "ring". A screen built before
    // goes first.
    void build(const std::string& rings) {
        if (screen) {
            screen->setVisible(false);
            screen->term();
            recorder->deleteComponent(screen);
            screen = nullptr;
        }
        config::Config block;
        ASSERT_TRUE(block.readString("testmenu {\n class = entiremenu\n visible = false\n"
                                     " description { class = itemdescription; size = 256 64 }\n"
                                     " rings {\n class = roundmenucontainer\n firstMenu = ring\n"
                                     " visible = true\n" +
                                         rings + "}\n}\n",
                                     "test.cfg"))
            << block.getLastError().describe();
        recorder->readConfig(&block);
        kel::ui::theFactory->getComponent("testmenu", &screen, recorder, false);
        kel::ui::theFactory->getComponent("rings", &rings_, screen, false);
        ring = ringNamed("ring");
        ASSERT_TRUE(ring);
        recorder->heard.clear();
    }
    void buildRing(int count, const std::string& options = "") {
        build("ring { class = roundmenu; visible = false\n" + options + "\n" + entries(count) +
              "}\n");
    }
    // "ring" with three entries and `inRing`, and "second" with two and `options`.
    RoundMenu* buildTwo(const std::string& inRing = "", const std::string& options = "") {
        build("ring { class = roundmenu; visible = false\n" + entries(3) + inRing +
              "}\nsecond { class = roundmenu; visible = false\n" + options + "\n" + entries(2) +
              "}\n");
        return ringNamed("second");
    }
    RoundMenu* ringNamed(const std::string& name) {
        RoundMenu* found = nullptr;
        kel::ui::theFactory->getComponent(name, &found, rings_, false);
        return found;
    }
    // Shows the screen and lets the ring appear; the trace starts empty.
    void open() {
        screen->setVisible(true);
        wait(0.6);
        ASSERT_EQ(ring->getPhase(), RoundMenu::WORK);
        recorder->heard.clear();
    }
    // The notifications heard since the last look: only the actions named in `only`; by default
    // all but the entries' own and, unless `frames`, the frame-by-frame ones.
    std::string trace(const std::string& only = "", bool frames = false) {
        const std::string noisy = frames ? " updatecontour tracein traceout "
                                         : " startphase endphase updatecontour tracein traceout ";
        std::string all;
        for (const auto& [action, token] : recorder->heard)
            if (only.empty() ? noisy.find(" " + action + " ") == std::string::npos
                             : (" " + only + " ").find(" " + action + " ") != std::string::npos)
                all += (all.empty() ? "" : " ") + token;
        recorder->heard.clear();
        return all;
    }
    EntireMenuItem* item(int i) { return ring->getItem(i); }
    // Puts the pointer on an entry and lets frames trace what is under it: a frame places the
    // entries before the engine traces, so the model under the pointer counts from the next.
    void pointAt(int i) {
        moveTo(item(i)->getProjectedX(), item(i)->getProjectedY());
        frame();
        frame();
    }
    // The mouse becomes the device used last, without a button.
    void mouseMoved() {
        theKelInput->feed(counting_ptr<::input::Event>(
            new ::input::events::Motion(::input::devices::PCMouse::instance(), 0, 0)));
    }
    void settle() {
        for (int frames = 0; frames < 300 && ring->getRotation() != RoundMenu::STOPPED; ++frames)
            frame();
    }
    // The ring turned with single taps of Left until `entry` is in front, at rest.
    void turnLeftTo(int entry) {
        for (int i = 0; i < ring->getItemCount() && ring->findCurrentItem() != entry; ++i) {
            tap("Left");
            settle();
        }
        ASSERT_EQ(ring->findCurrentItem(), entry);
        recorder->heard.clear();
    }
    static void expectNear(const Vector& got, const Vector& want, const std::string& why) {
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(got[i], want[i], 2e-4) << why << " [" << i << "]";
    }

    Recorder* recorder = nullptr; // the root owns it
    kel::ui::EntireMenu* screen = nullptr;
    kel::ui::RoundMenuContainer* rings_ = nullptr;
    RoundMenu* ring = nullptr;
};

// The arrangement at construction (view angle 1.7, aspect 4/3, so h = 0.68300) and where the
// entries stand and land at rest: entry i at ring angle angle - i * step on the ring of centre
// (0.5625, 0, 2.74524) tilted along d = (-0.79210, 0, -0.61039), the one at ring angle 0 in front
// (lowest, nearest), all turned by (0, -pi/2, 3pi/2); at work each is told its projection and
// the screen length of 0.5 horizontal units there.
TEST_F(RoundMenuScreen, TheRingIsArrangedAndEntriesAreToldWhereTheyLand) {
    buildRing(4);
    EXPECT_EQ(ring->getView()->getRenderPriority(), -1);
    const float* light = ring->getLight().getColor();
    const Viewport& view = ring->getViewport();
    // the view angle, the light, the viewport
    EXPECT_TRUE(kel::test::near({ring->getCamera().getAngle(), light[0], light[1], light[2], view.x,
                                 view.y, view.width, view.height},
                                {1.7f, 0.7f, 0.7f, 0.7f, 0.05f, 0.05f, 0.89f, 0.8f}, 1e-6f));
    const Matrix3& upright = ring->getItemOrientation();
    expectNear(upright.row(0), Vector(0, 0, 1), "item row 0");
    expectNear(upright.row(1), Vector(-1, 0, 0), "item row 1");
    expectNear(upright.row(2), Vector(0, -1, 0), "item row 2");
    open();
    // Each row one tap of Right on from the row before: the ring angle, the entry in front.
    for (const auto& [angle, front] : {std::pair{0.0f, 0}, {kPi / 2, 1}, {kPi, 2}}) {
        if (front > 0)
            tap("Right"), settle();
        ASSERT_FLOAT_EQ(ring->getAngle(), angle);
        EXPECT_EQ(ring->findCurrentItem(), front);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE("angle " + std::to_string(angle) + " entry " + std::to_string(i));
            Animator* model = item(i)->getModel()->getAnimator();
            const float c = 1.5f * std::cos(angle - i * kPi / 2);
            const Vector at(0.5625f - 0.79210f * c, 1.5f * std::sin(angle - i * kPi / 2),
                            2.74524f - 0.61039f * c);
            expectNear(model->getPosition(), at, "position");
            EXPECT_TRUE(model->getOrientation() == upright);
            float x = 0, y = 0, aside = 0, unused = 0;
            ring->projectVector(at, x, y);
            ring->projectVector(at + Vector(0, 0.5f, 0), aside, unused);
            EXPECT_NEAR(item(i)->getProjectedX(), x, 0.05);
            EXPECT_NEAR(item(i)->getProjectedY(), y, 0.05);
            EXPECT_NEAR(item(i)->getProjectedSize(), aside - x, 0.05);
        }
        expectNear(item(front)->getModel()->getAnimator()->getPosition(),
                   Vector(-0.6257f, 0, 1.8297f), "the front entry");
    }
    // Turning up moved the next entry in from the screen's left.
    EXPECT_LT(item(3)->getProjectedX(), item(2)->getProjectedX());
}

struct Step {
    double dt;
    const char* heard;
    float angle; // < 0: not looked at
    float view, radius;
    RoundMenu::Phase phase;
};
constexpr float kLast = kPi + kTwoPi * 0.7f * 0.96f - kTwoPi; // where the fly-out left the ring
const Step kFlyOut[] = {
    {0.1, "", kPi, 1.7f, 1.5f, RoundMenu::END},
    {0.1, "endphase(20)", kPi + kTwoPi * 0.7f * 0.2f, 1.84f, 1.3f, RoundMenu::END},
    {0.25, "endphase(70)", kPi + kTwoPi * 0.7f * 0.7f, 2.19f, 0.8f, RoundMenu::END},
    {0.13, "endphase(96)", kLast, 2.372f, 0.54f, RoundMenu::END},
    {0.05, "endphase(106) setphase(4)", kLast, 2.372f, 0.54f, RoundMenu::FINISHED},
    {0.05, "command(selectmap)", kLast, 2.372f, 0.54f, RoundMenu::FINISHED},
    {0.05, "", kLast, 2.372f, 0.54f, RoundMenu::FINISHED},
};
const Step kAppear[] = {
    {0.1, "", -1, 2.4f, 0.5f, RoundMenu::START},
    {0.1, "startphase(20)", kPi + kTwoPi * 0.7f * 0.8f - kTwoPi, 2.26f, 0.7f, RoundMenu::START},
    {0.25, "startphase(70)", kPi + kTwoPi * 0.7f * 0.3f, 1.91f, 1.2f, RoundMenu::START},
    {0.13, "startphase(96)", kPi + kTwoPi * 0.7f * 0.04f, 1.728f, 1.46f, RoundMenu::START},
    {0.05, "startphase(106) setphase(2) itemfocuschanged(selectmap)", kPi, 1.7f, 1.5f,
     RoundMenu::WORK},
};

// The fly-out of a choice from entry 2 of 4 (angle pi) and the next appearance, frame by frame,
// with the progress p = (now - start) / 0.5 in hundredths. Flying out: angle start + 2pi * 0.7p,
// view angle 1.7 + 0.7p, radius 1.5 - p; appearing (it settles with the chosen entry in front, at
// pi): angle pi + 2pi * 0.7(1 - p), view angle 2.4 - 0.7p, radius 0.5 + p; angles kept in
// [0, 2pi]. The frame that takes the start time sends nothing; the first with p > 1 ends the
// phase; the command comes on the frame after the ring hid. Entries learn where they land at
// work only.
TEST_F(RoundMenuScreen, FlyingOutAndAppearingFollowTheirProgress) {
    buildRing(4);
    open();
    turnLeftTo(2);
    const auto follow = [this](const auto& steps) {
        const float projected = item(0)->getProjectedX();
        for (const Step& step : steps) {
            SCOPED_TRACE(step.heard);
            frame(step.dt);
            EXPECT_EQ(trace("", true), step.heard);
            if (step.angle >= 0) {
                EXPECT_NEAR(ring->getAngle(), step.angle, 1e-3);
            }
            EXPECT_NEAR(ring->getCamera().getAngle(), step.view, 1e-4);
            EXPECT_NEAR(ring->getRadius(), step.radius, 1e-4);
            EXPECT_EQ(ring->getPhase(), step.phase);
            EXPECT_EQ(ring->isShowed(), step.phase != RoundMenu::FINISHED);
            if (step.phase != RoundMenu::WORK) {
                EXPECT_EQ(item(0)->getProjectedX(), projected);
            }
        }
    };
    tap("Return");
    EXPECT_EQ(trace("", true), "setphase(3) itemfocuschanged() precommand(selectmap)");
    follow(kFlyOut);
    ring->setVisible(true);
    EXPECT_EQ(trace("", true), "setphase(1)");
    follow(kAppear);
    EXPECT_EQ(ring->getHighlighted(), 2);
}

// Holding a key from rest on a slot: "pass" for each slot the ring crosses while the key is
// held, in order; after the release the ring turns on to the next slot, rests there exactly,
// without a "pass" for it, and highlights the entry in front, even when the mouse has moved
// meanwhile (and focuses nothing then, the pointer being on no entry).
TEST_F(RoundMenuScreen, HeldKeysPassEntriesAndTheRingRestsOnASlot) {
    // entries, the entry in front before, key, seconds held, passes, the entry it rests on, the
    // mouse moved after the release
    const std::tuple<int, int, const char*, double, const char*, int, bool> rows[] = {
        // 6.75 rad down: 3pi/2, pi, pi/2 and 0 crossed, then on to 3pi/2.
        {4, 0, "Left", 1.35, "pass(controls) pass(selectmap) pass(options_play) pass(play)", 3,
         false},
        {4, 0, "Left", 0.2, "", 3, false},                    // 1 rad down: rests on 3pi/2
        {4, 0, "Right", 0.5, "pass(options_play)", 2, false}, // 2.5 rad up: pi/2 crossed
        {4, 0, "Right", 0.5, "pass(options_play)", 2, true},
        {4, 3, "Right", 0.2, "", 0, false},                   // from 3pi/2, 1 rad up: rests on 2pi
        {4, 3, "Right", 0.5, "pass(play)", 1, false},         // from 3pi/2, 2.5 rad up: 2pi crossed
        {8, 0, "Right", 0.3, "pass(options_play)", 2, false}, // 1.5 rad up: pi/4 crossed
        // 3.5 rad down: 7pi/4, 3pi/2, 5pi/4 and pi crossed; rests on 3pi/4.
        {8, 0, "Left", 0.7, "pass(back) pass(exit) pass(sound) pass(video)", 3, false},
    };
    for (const auto& [count, start, key, held, passes, rest, mouse] : rows) {
        SCOPED_TRACE(std::to_string(count) + " entries from " + std::to_string(start) + ", " + key +
                     " " + std::to_string(held) + " s" + (mouse ? ", mouse moved" : ""));
        buildRing(count);
        open();
        turnLeftTo(start);
        moveTo(5, 5);
        press(key);
        wait(held);
        EXPECT_EQ(trace("pass"), passes);
        release(key);
        if (mouse)
            mouseMoved();
        wait(1.0);
        EXPECT_EQ(trace("pass"), "") << "no pass after the release";
        EXPECT_EQ(ring->getRotation(), RoundMenu::STOPPED);
        EXPECT_FLOAT_EQ(ring->getAngle(), rest * kTwoPi / count);
        EXPECT_EQ(ring->findCurrentItem(), rest);
        EXPECT_EQ(ring->getHighlighted(), rest);
        EXPECT_EQ(ring->getFocusedItem(), mouse ? -1 : rest);
    }
}

// The held-key state: how each key press and release changes it (0 none, 1 left, 2 right, 3
// right then left, 4 left then right), and the way it turns the ring: down while left was held
// last (1, 3), up while right was (2, 4).
TEST_F(RoundMenuScreen, TheHeldKeysDecideTheTurn) {
    // Left or Right, pressed (+) or released (-), the state after: every row of the key table.
    std::istringstream steps("L+1 L-0 L+1 R+4 R-1 R+4 L-2 R-0 R+2 L+3 R-1 R+4 L-2 L+3 L-2 R-0");
    buildRing(8);
    open();
    for (std::string step; steps >> step;) {
        SCOPED_TRACE(step);
        send(step[0] == 'L' ? "Left" : "Right", step[1] == '+');
        const int keys = step[2] - '0';
        EXPECT_EQ(ring->getKeys(), keys);
        const float angle = ring->getAngle();
        frame();
        float moved = ring->getAngle() - angle;
        moved += moved > kPi ? -kTwoPi : (moved < -kPi ? kTwoPi : 0);
        if (keys != 0) {
            const bool down = keys == 1 || keys == 3;
            EXPECT_EQ(moved < 0, down);
            EXPECT_EQ(ring->getRotation(), down ? RoundMenu::DECREASING : RoundMenu::INCREASING);
        }
    }
}

// The frame step holds the UI lock for its whole step and takes the driver's inside it, as a
// key press does: a frame that meets a host thread holding the UI (and the driver's lock inside
// it) waits for it and then takes its whole step; it is never skipped.
TEST_F(RoundMenuScreen, AFrameWaitsForAThreadHoldingTheUiAndTakesItsWholeStep) {
    buildRing(8);
    open();
    press("Left");
    const float before = ring->getAngle();
    std::thread frames;
    {
        thread::Lock hold(*root);
        frames = std::thread([&] { frame(); });
        thread::Lock driver(*theRenderDriver);
    }
    frames.join();
    const float moved = before - ring->getAngle();
    EXPECT_NEAR(moved < 0 ? moved + kTwoPi : moved, 5.0f / 60, 1e-3) << "one frame's turn";
}

// The buttons a round menu answers, sent as the player's devices send them. The ring has 4
// entries at rest with entry 0 in front, an escape event, and the pointer on entry 2; "mouse
// first" means the mouse was the last device used (it moved) before the button.
TEST_F(RoundMenuScreen, EachButtonDoesItsOneThing) {
    // key, pressed, mouse first, the choices, exits and changes of menu heard, held-key state,
    // mouse used last after
    const std::tuple<const char*, bool, bool, const char*, int, bool> rows[] = {
        {"LeftClick", true, false, "precommand(selectmap)", 0, true},
        {"LeftClick", false, false, "", 0, true},
        {"RightClick", true, false, "changemenu(elsewhere,escape)", 0, true},
        {"RightClick", false, false, "", 0, true},
        {"Space", true, false, "precommand(play)", 0, false},
        {"Space", false, false, "", 0, false},
        {"Return", true, false, "precommand(play)", 0, false},
        {"NumpadEnter", true, false, "precommand(play)", 0, false},
        {"NumpadEnter", false, false, "", 0, false},
        // With the mouse used last, the keys choose only the focused entry: entry 2 is
        // focused, entry 0 in front.
        {"Return", true, true, "", 0, true},
        {"Space", true, true, "", 0, true},
        {"Escape", true, true, "changemenu(elsewhere,escape)", 0, false},
        {"Escape", false, true, "", 0, false},
        {"Right", true, true, "", 2, false},
        {"Left", true, true, "", 1, false},
        {"Left", false, true, "", 0, false},
        {"MiddleClick", true, false, "", 0, true},
        {"Up", true, true, "", 0, true},
    };
    for (const auto& [key, pressed, mouseFirst, heard, keys, mouseLastUsed] : rows) {
        SCOPED_TRACE(std::string(key) + (pressed ? " pressed" : " released") +
                     (mouseFirst ? ", mouse first" : ""));
        buildRing(4, "escapeEvent = elsewhere");
        open();
        pointAt(2);
        if (mouseFirst)
            mouseMoved();
        ASSERT_EQ(rings_->isMouseLastUsed(), mouseFirst);
        ASSERT_EQ(ring->getFocusedItem(), mouseFirst ? 2 : 0);
        recorder->heard.clear();
        send(key, pressed);
        EXPECT_EQ(trace(kChoices), heard);
        EXPECT_EQ(ring->getKeys(), keys);
        EXPECT_EQ(rings_->isMouseLastUsed(), mouseLastUsed);
    }
}

// A choice needs the ring at rest in the work phase: neither while a key turns it nor while it
// runs on to its slot after the release, nor while it appears; and a click none while a key is
// held, even on the frame the ring arrives at work before the key turns it.
TEST_F(RoundMenuScreen, ChoicesAreIgnoredUnlessTheRingRests) {
    enum Situation { KEY_HELD, RUNNING_ON, APPEARING, ARRIVING_HELD };
    const std::pair<Situation, const char*> rows[] = {
        {KEY_HELD, "Return"},        {KEY_HELD, "Space"},         {KEY_HELD, "LeftClick"},
        {RUNNING_ON, "Return"},      {RUNNING_ON, "NumpadEnter"}, {RUNNING_ON, "LeftClick"},
        {APPEARING, "Return"},       {APPEARING, "LeftClick"},    {APPEARING, "Escape"},
        {ARRIVING_HELD, "LeftClick"}};
    for (const auto& [situation, key] : rows) {
        SCOPED_TRACE(std::to_string(situation) + " " + key);
        buildRing(4, "escapeFlyOut = true");
        open();
        pointAt(0);
        if (situation == APPEARING || situation == ARRIVING_HELD) {
            ring->setVisible(false);
            ring->setVisible(true);
        }
        if (situation == APPEARING) {
            frame(), frame();
            ASSERT_EQ(ring->getPhase(), RoundMenu::START);
        } else if (situation == ARRIVING_HELD) {
            press("Right");
            for (int frames = 0; frames < 60 && ring->getPhase() != RoundMenu::WORK; ++frames)
                frame();
            moveTo(item(0)->getProjectedX() + 1, item(0)->getProjectedY());
            ASSERT_TRUE(item(0)->getFlyby());
            ASSERT_EQ(ring->getRotation(), RoundMenu::STOPPED);
        } else {
            press("Right");
            frame();
            if (situation == RUNNING_ON)
                release("Right");
            ASSERT_NE(ring->getRotation(), RoundMenu::STOPPED);
        }
        recorder->heard.clear();
        tap(key);
        EXPECT_EQ(trace(kChoices), "");
        EXPECT_NE(ring->getPhase(), RoundMenu::END);
        release("Right");
    }
}

// Escape in the work phase: an escape event asks for that menu, else with escapeFlyOut the ring
// flies out as the exit and exactly one empty command follows, even when the command draws a
// frame at once (leaving a battle does); else nothing. The container flies a ring out when
// another is asked for.
TEST_F(RoundMenuScreen, EscapeAsksForItsMenuOrExitsOrDoesNothing) {
    // options, heard at once, heard in the second after
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"", "", ""},
        {"escapeFlyOut = true", "setphase(3) itemfocuschanged() exit", "setphase(4) command()"},
        {"escapeEvent = elsewhere", "changemenu(elsewhere,escape) setphase(3) itemfocuschanged()",
         "setphase(4)"},
        {"escapeEvent = elsewhere; escapeFlyOut = true",
         "changemenu(elsewhere,escape) setphase(3) itemfocuschanged()", "setphase(4)"},
    };
    for (const auto& [options, heard, later] : rows) {
        SCOPED_TRACE(options);
        buildRing(4, options);
        open();
        bool drawn = false;
        recorder->onEvent = [&drawn](::ui::NotifyEvent& event) {
            std::string action;
            if (event.getProperty("action", &action) && action == "command" && !drawn) {
                drawn = true;
                theRenderDriver->drawFrameAtOnce();
            }
        };
        tap("Escape");
        EXPECT_EQ(trace(), heard);
        wait(1.0);
        EXPECT_EQ(trace(), later);
        recorder->onEvent = nullptr;
    }
}

// A double click sends the command of the entry under the mouse at once, without a fly-out; only
// in the work phase.
TEST_F(RoundMenuScreen, ADoubleClickSendsTheCommandAtOnceWithoutAFlyOut) {
    buildRing(4);
    open();
    pointAt(1);
    trace();
    ring->mouseDoubleClicked();
    EXPECT_EQ(trace(), "command(options_play)");
    EXPECT_EQ(ring->getPhase(), RoundMenu::WORK);
    ring->setVisible(false);
    ring->setVisible(true);
    frame();
    moveTo(item(1)->getProjectedX() + 1, item(1)->getProjectedY());
    ASSERT_TRUE(item(1)->getFlyby());
    trace();
    ring->mouseDoubleClicked();
    EXPECT_EQ(trace(), "");
}

// What the entire menu does with its description for each notification from below.
TEST_F(RoundMenuScreen, TheDescriptionFollowsTheNotificationsFromBelow) {
    buildRing(4);
    kel::ui::ItemDescription* description = screen->getDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_FALSE(description->getTexture()->isResolutionSensitive());
    open();
    // action, itemName (null: none), hidedescription (-1: none), phase (-1: none), shown before,
    // shown after, picture after, focus sound played
    const std::tuple<const char*, const char*, int, int, bool, bool, const char*, bool> rows[] = {
        {"itemfocuschanged", "video", -1, -1, false, true, "video", true},
        {"itemfocuschanged", "sound", 1, -1, true, true, "sound", true},
        {"itemfocuschanged", "", 1, -1, true, false, "play", false},
        {"itemfocuschanged", "", 0, -1, true, true, "play", false},
        {"itemfocuschanged", "", 0, -1, false, false, "play", false},
        {"itemfocuschanged", "", -1, -1, true, true, "play", false},
        {"pass", "exit", -1, -1, false, true, "exit", false},
        {"pass", "", -1, -1, false, false, "play", false},
        {"setphase", nullptr, -1, 3, true, false, "play", false},
        {"setphase", nullptr, -1, 1, true, true, "play", false},
        {"setphase", nullptr, -1, 2, true, true, "play", false},
        {"setphase", nullptr, -1, 4, true, true, "play", false},
        {"precommand", "video", -1, -1, true, true, "play", false},
        {"command", "video", -1, -1, false, false, "play", false},
    };
    for (const auto& [action, itemName, hide, phase, before, after, picture, sound] : rows) {
        SCOPED_TRACE(std::string(action) + "(" + (itemName ? itemName : "") + ") hide " +
                     std::to_string(hide) + " phase " + std::to_string(phase));
        description->setImage("play");
        description->setVisible(before);
        const size_t sounds = sound::MANAGER->getPlayed("ui").size();
        ::ui::NotifyEvent event(ring);
        event.setSValue("action", action);
        if (itemName)
            event.setSValue("itemName", itemName);
        if (hide >= 0)
            event.setBValue("hidedescription", hide == 1);
        if (phase >= 0)
            event.setIValue("phase", phase);
        screen->notify(event);
        EXPECT_EQ(description->getVisible(), after);
        EXPECT_EQ(description->getTexture()->getImageName(), picture);
        const auto played = sound::MANAGER->getPlayed("ui");
        ASSERT_EQ(played.size(), sounds + (sound ? 1 : 0));
        if (sound) {
            EXPECT_TRUE(played.back().name == "focus" && !played.back().loop);
        }
    }
}

// The container's switch: the current ring flies out; a ring of the new name appears, takes the
// keyboard focus and is announced; a name without a ring leaves none and the focus on nothing;
// an empty name only flies out.
TEST_F(RoundMenuScreen, TheContainerSwitchesToTheRingOfTheName) {
    // name, heard, "second" shown, focus after (s: second, n: none, r: ring, unchanged)
    const std::tuple<const char*, const char*, bool, char> rows[] = {
        {"second", "setphase(3) itemfocuschanged() setphase(1) currentmenuchanged", true, 's'},
        {"nowhere", "setphase(3) itemfocuschanged()", false, 'n'},
        {"", "setphase(3) itemfocuschanged()", false, 'r'},
    };
    for (const auto& [name, heard, secondShown, focus] : rows) {
        SCOPED_TRACE(name);
        RoundMenu* second = buildTwo();
        open();
        ASSERT_EQ(root->getFocusedComponent(), ring);
        rings_->setCurrentMenu(name);
        EXPECT_EQ(trace(), heard);
        EXPECT_EQ(ring->getPhase(), RoundMenu::END);
        EXPECT_EQ(rings_->getCurrentMenu(), name);
        EXPECT_EQ(second->isShowed(), secondShown);
        EXPECT_EQ(root->getFocusedComponent(), focus == 's'   ? second
                                               : focus == 'r' ? ring
                                                              : nullptr);
        wait(0.6);
        EXPECT_FALSE(ring->isShowed());
    }
}

// An entry with a change event switches rings at once; the screen shown again comes back on the
// ring it was left on; escape on the second ring asks for the first again, which comes back on
// the entry chosen.
TEST_F(RoundMenuScreen, ChangeEventsSwitchRingsWhichLastAndEscapeComesBack) {
    RoundMenu* second =
        buildTwo("options { class = entiremenuitem; model = menu_options; changeEvent = second }\n",
                 "escapeEvent = ring");
    open();
    turnLeftTo(3); // the change entry
    tap("Return");
    EXPECT_EQ(rings_->getCurrentMenu(), "second");
    EXPECT_EQ(root->getFocusedComponent(), second);
    wait(0.6);
    EXPECT_EQ(trace(), "changemenu(second) setphase(3) itemfocuschanged() setphase(1) "
                       "currentmenuchanged setphase(4) setphase(2) itemfocuschanged(play)");
    EXPECT_FALSE(ring->isShowed());
    EXPECT_TRUE(second->isShowed());

    // Shown again, the screen comes back on the ring it was left on, with the keyboard counting
    // as used last.
    rings_->setMouseLastUsed(true);
    screen->setVisible(false);
    EXPECT_FALSE(second->isShowed());
    screen->setVisible(true);
    EXPECT_FALSE(rings_->isMouseLastUsed());
    EXPECT_EQ(second->getPhase(), RoundMenu::START);
    EXPECT_FALSE(ring->isShowed());
    EXPECT_EQ(root->getFocusedComponent(), second);
    wait(0.6);
    trace();

    tap("Escape");
    wait(0.6);
    // Both animations end on the same frame; the ring was made first, so it hears it first.
    EXPECT_EQ(trace(), "changemenu(ring,escape) setphase(3) itemfocuschanged() setphase(1) "
                       "currentmenuchanged setphase(2) itemfocuschanged(options) setphase(4)");
    EXPECT_TRUE(ring->isShowed());
    EXPECT_FALSE(second->isShowed());
    EXPECT_EQ(ring->findCurrentItem(), 3);

    // Gone for good after a command, the ring comes back with the focus when its screen is
    // shown anew.
    tap("Right");
    wait(0.6);
    tap("Return");
    wait(0.7);
    ASSERT_FALSE(ring->isShowed());
    screen->setVisible(false);
    screen->setVisible(true);
    EXPECT_TRUE(ring->isShowed());
    EXPECT_EQ(root->getFocusedComponent(), ring);
}

// Choosing an entry sets where the ring settles when it next appears: with the focused entry in
// front. With the keyboard used last the focused entry is the one in front even when the mouse
// clicks another; once the mouse moved, it is the one under the pointer.
TEST_F(RoundMenuScreen, TheNextAppearanceSettlesOnTheFocusedEntry) {
    // mouse moved, key, the entry chosen, the entry in front on the next appearance
    const std::tuple<bool, const char*, int, int> rows[] = {
        {true, "LeftClick", 2, 2}, {false, "LeftClick", 2, 1}, {false, "Return", 1, 1}};
    for (const auto& [moved, key, chosen, settles] : rows) {
        SCOPED_TRACE(std::string(moved ? "mouse moved, " : "") + key);
        buildRing(4);
        open();
        tap("Right");
        settle();
        pointAt(2);
        if (moved)
            mouseMoved();
        tap(key);
        wait(0.7);
        EXPECT_EQ(trace("command"), "command(" + ring->getItemName(chosen) + ")");
        ring->setVisible(true);
        wait(0.6);
        EXPECT_EQ(ring->findCurrentItem(), settles);
        EXPECT_FLOAT_EQ(ring->getAngle(), settles * kTwoPi / 4);
    }
}

// The entry's hit area: strictly inside size * projectionWidth to each side and
// size * projectionHeight up and down of its projection; the model's ray trace counts too.
TEST_F(RoundMenuScreen, TheHitAreaIsStrictlyInsideOrOnTheModel) {
    // projectionWidth, projectionHeight, traced, mouse x, y, under the mouse
    const std::tuple<float, float, bool, float, float, bool> rows[] = {
        {1, 1, false, 300, 200, true},          {1, 1, false, 260, 200, false},
        {1, 1, false, 260.5f, 200, true},       {1, 1, false, 339.5f, 200, true},
        {1, 1, false, 340, 200, false},         {1, 1, false, 300, 160, false},
        {1, 1, false, 300, 160.5f, true},       {1, 1, false, 300, 239.5f, true},
        {1, 1, false, 300, 240, false},         {1, 1, false, 339.5f, 239.5f, true},
        {1, 1, false, 340, 240, false},         {0.5f, 2, false, 320, 200, false},
        {0.5f, 2, false, 319.5f, 279.5f, true}, {0.5f, 2, false, 300, 280, false},
        {0.5f, 2, false, 280.5f, 120.5f, true}, {0.5f, 2, false, 280, 200, false},
        {1, 1, true, 600, 600, true},           {0.5f, 2, true, 5, 5, true},
    };
    buildRing(4);
    open();
    EntireMenuItem* entry = item(2);
    for (const auto& [width, height, traced, mx, my, under] : rows) {
        const std::string size = std::to_string(width) + " x " + std::to_string(height);
        SCOPED_TRACE(size + (traced ? " traced" : "") + " at " + std::to_string(mx) + ", " +
                     std::to_string(my));
        config::Config block;
        ASSERT_TRUE(
            block.readString("model = menu_selectmap\nprojectionWidth = " + std::to_string(width) +
                                 "\nprojectionHeight = " + std::to_string(height) + "\n",
                             "entry.cfg"));
        entry->readConfig(&block);
        if (traced)
            entry->getModel()->traceIn(nullptr); // the pointer's ray is on the mesh
        moveTo(mx, my);
        entry->setProjection(300, 200, 40);
        EXPECT_EQ(entry->getFlyby(), under);
        if (traced)
            entry->getModel()->traceOut(nullptr);
    }
}

// A ring deleted without term leaves the frames and the views, and its highlight goes with it.
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

} // namespace

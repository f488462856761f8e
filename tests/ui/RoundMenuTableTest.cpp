#include "support/RoundMenuScreen.h"
#include "ui/ItemDescription.h"

#include "host/engine/Model.h"
#include "host/input/Device.h"
#include "host/sound/Manager.h"
#include "host/ui/Texture.h"

#include <cmath>
#include <sstream>

namespace {

using kel::test::EntireMenuItem;
using kel::test::kTwoPi;
using kel::test::RoundMenu;
using kel::test::RoundMenuScreen;

constexpr float kPi = kTwoPi / 2;

class RoundMenuTable : public RoundMenuScreen {
protected:
    // The ring turned with single taps of Left until `entry` is in front, at rest.
    void turnLeftTo(int entry) {
        for (int i = 0; i < ring->getItemCount() && ring->findCurrentItem() != entry; ++i) {
            tap("Left");
            settle();
        }
        ASSERT_EQ(ring->findCurrentItem(), entry);
    }
    void settle() {
        for (int frames = 0; frames < 300 && ring->getRotation() != RoundMenu::STOPPED; ++frames)
            frame();
    }
    // Every notification that left the screen since the last look, with the frame-by-frame ones.
    std::string everything() { return recorder->take(true); }
    // Of everything(), only the choices, exits and changes of menu.
    std::string decisive() {
        std::string kept;
        std::istringstream all(everything());
        for (std::string token; all >> token;)
            if (token.rfind("precommand", 0) == 0 || token.rfind("command", 0) == 0 ||
                token.rfind("exit", 0) == 0 || token.rfind("changemenu", 0) == 0)
                kept += (kept.empty() ? "" : " ") + token;
        return kept;
    }
    void expectNear(const Vector& got, const Vector& want, const std::string& why) {
        EXPECT_NEAR(got.x, want.x, 2e-4) << why;
        EXPECT_NEAR(got.y, want.y, 2e-4) << why;
        EXPECT_NEAR(got.z, want.z, 2e-4) << why;
    }
    // Where an entry stands on the ring of the arrangement: centre (0.5625, 0, 2.74524), the
    // ring's plane tilted along d = (-0.79210, 0, -0.61039).
    static Vector onRing(float ringAngle, float radius) {
        const float c = radius * std::cos(ringAngle), s = radius * std::sin(ringAngle);
        return Vector(0.5625f - 0.79210f * c, s, 2.74524f - 0.61039f * c);
    }
};

// The arrangement at construction: view angle 1.7, aspect 4/3, so h = 0.68300, the near point
// P = (-0.625, 0, 1.83016), the far point Q = (1.75, 0, 3.66032), their middle the ring's centre
// and d = normalised(P - Q) = (-0.79210, 0, -0.61039) its tilt.
TEST_F(RoundMenuTable, TheSceneIsArrangedByItsNumbers) {
    buildRing(4);
    EXPECT_EQ(ring->getView()->getRenderPriority(), -1);
    EXPECT_FLOAT_EQ(ring->getCamera().getAngle(), 1.7f);
    for (int i = 0; i < 3; ++i)
        EXPECT_FLOAT_EQ(ring->getLight().getColor()[i], 0.7f);
    EXPECT_NEAR(ring->getViewport().x, 0.05f, 1e-6);
    EXPECT_NEAR(ring->getViewport().y, 0.05f, 1e-6);
    EXPECT_NEAR(ring->getViewport().width, 0.89f, 1e-6);
    EXPECT_NEAR(ring->getViewport().height, 0.8f, 1e-6);
    EXPECT_FLOAT_EQ(ring->getRadius(), 1.5f);
    expectNear(ring->getRingCentre(), Vector(0.5625f, 0, 2.74524f), "centre = (P + Q) / 2");
    const float d0 = -0.79210f, d1 = 0, d2 = -0.61039f;
    const Matrix3& tilt = ring->getRingOrientation();
    expectNear(tilt.row(0), Vector(d0, 0, -d2), "ring row 0");
    expectNear(tilt.row(1), Vector(d1, 1, d1), "ring row 1");
    expectNear(tilt.row(2), Vector(d2, 0, d0), "ring row 2");
    // The rotation of (0, -pi/2, 3pi/2).
    const Matrix3& upright = ring->getItemOrientation();
    expectNear(upright.row(0), Vector(0, 0, 1), "item row 0");
    expectNear(upright.row(1), Vector(-1, 0, 0), "item row 1");
    expectNear(upright.row(2), Vector(0, -1, 0), "item row 2");
}

// Where the entries stand and land on screen at rest: entry i at ring angle angle - i * step,
// the one at ring angle 0 in front (lowest, nearest); all with the same orientation; in the
// work phase each is told its projection and the screen length of 0.5 horizontal units there.
TEST_F(RoundMenuTable, EntriesStandOnTheRingAndAreToldWhereTheyLand) {
    buildRing(4);
    open();
    struct Row {
        int rightTaps; // from rest at angle 0
        float angle;
        int front;
    };
    const Row rows[] = {{0, 0, 0}, {1, kPi / 2, 1}, {1, kPi, 2}};
    for (const Row& row : rows) {
        for (int i = 0; i < row.rightTaps; ++i) {
            tap("Right");
            settle();
        }
        ASSERT_FLOAT_EQ(ring->getAngle(), row.angle);
        EXPECT_EQ(ring->findCurrentItem(), row.front);
        for (int i = 0; i < 4; ++i) {
            const std::string why =
                "angle " + std::to_string(row.angle) + " entry " + std::to_string(i);
            EntireMenuItem* entry = item(i);
            Animator* model = entry->getModel()->getAnimator();
            const Vector at = onRing(row.angle - i * kPi / 2, 1.5f);
            expectNear(model->getPosition(), at, why);
            EXPECT_TRUE(model->getOrientation() == ring->getItemOrientation()) << why;
            float x = 0, y = 0, aside = 0, unused = 0;
            ring->projectVector(at, x, y);
            ring->projectVector(at + Vector(0, 0.5f, 0), aside, unused);
            EXPECT_NEAR(entry->getProjectedX(), x, 0.05) << why;
            EXPECT_NEAR(entry->getProjectedY(), y, 0.05) << why;
            EXPECT_NEAR(entry->getProjectedSize(), aside - x, 0.05) << why;
        }
        expectNear(item(row.front)->getModel()->getAnimator()->getPosition(),
                   Vector(-0.6257f, 0, 1.8297f), "the front entry");
    }
    // Turning up moved the next entry in from the screen's left.
    EXPECT_LT(item(3)->getProjectedX(), item(2)->getProjectedX());
}

// The appear animation, frame by frame. The ring comes back after entry 2 of 4 was chosen, so it
// settles at home = pi: over p = (now - start) / 0.5 the angle is home + 2pi * 0.7 * (1 - p)
// (kept in [0, 2pi]), the view angle 2.4 - 0.7p and the radius 0.5 + p; the frame that takes
// the start time sends nothing, and the first with p > 1 ends the phase.
TEST_F(RoundMenuTable, AppearingFollowsItsProgress) {
    buildRing(4);
    open();
    turnLeftTo(2);
    tap("Return");
    wait(0.7);
    ASSERT_FALSE(ring->isShowed());
    ASSERT_FLOAT_EQ(ring->getHomeAngle(), kPi);
    recorder->events.clear();
    const float projectedBefore = item(0)->getProjectedX();

    ring->setVisible(true);
    EXPECT_EQ(everything(), "setphase(1)");
    struct Row {
        double dt;
        const char* heard;
        float angle; // < 0: not looked at
        float viewAngle;
        float radius;
        RoundMenu::Phase phase;
    };
    const Row rows[] = {
        {0.1, "", -1, 2.4f, 0.5f, RoundMenu::START},
        {0.1, "startphase(0.20)", kPi + kTwoPi * 0.7f * 0.8f - kTwoPi, 2.26f, 0.7f,
         RoundMenu::START},
        {0.25, "startphase(0.70)", kPi + kTwoPi * 0.7f * 0.3f, 1.91f, 1.2f, RoundMenu::START},
        {0.13, "startphase(0.96)", kPi + kTwoPi * 0.7f * 0.04f, 1.728f, 1.46f, RoundMenu::START},
        {0.05, "startphase(1.06) setphase(2) itemfocuschanged(selectmap)", kPi, 1.7f, 1.5f,
         RoundMenu::WORK},
    };
    for (const Row& row : rows) {
        frame(row.dt);
        EXPECT_EQ(everything(), row.heard) << row.heard;
        if (row.angle >= 0) {
            EXPECT_NEAR(ring->getAngle(), row.angle, 1e-3) << row.heard;
        }
        EXPECT_NEAR(ring->getCamera().getAngle(), row.viewAngle, 1e-4) << row.heard;
        EXPECT_NEAR(ring->getRadius(), row.radius, 1e-4) << row.heard;
        EXPECT_EQ(ring->getPhase(), row.phase) << row.heard;
        if (row.phase == RoundMenu::START) {
            EXPECT_EQ(item(0)->getProjectedX(), projectedBefore) << "projected at work only";
        }
    }
    EXPECT_EQ(ring->findCurrentItem(), 2);
    EXPECT_EQ(ring->getHighlighted(), 2);
}

// The fly-out of a choice, frame by frame, from entry 2 of 4 (angle pi): the angle is
// start + 2pi * 0.7 * p (kept in [0, 2pi]), the view angle 1.7 + 0.7p, the radius 1.5 - p; the
// first frame with p > 1 hides the ring, and the frame after it sends the command once.
TEST_F(RoundMenuTable, FlyingOutFollowsItsProgressAndTheCommandComesOnTheNextFrame) {
    buildRing(4);
    open();
    turnLeftTo(2);
    recorder->events.clear();
    tap("Return");
    EXPECT_EQ(everything(), "setphase(3) itemfocuschanged() precommand(selectmap)");
    struct Row {
        double dt;
        const char* heard;
        float angle;
        float viewAngle;
        float radius;
        RoundMenu::Phase phase;
        bool showed;
    };
    const Row rows[] = {
        {0.1, "", kPi, 1.7f, 1.5f, RoundMenu::END, true},
        {0.1, "endphase(0.20)", kPi + kTwoPi * 0.7f * 0.2f, 1.84f, 1.3f, RoundMenu::END, true},
        {0.25, "endphase(0.70)", kPi + kTwoPi * 0.7f * 0.7f, 2.19f, 0.8f, RoundMenu::END, true},
        {0.13, "endphase(0.96)", kPi + kTwoPi * 0.7f * 0.96f - kTwoPi, 2.372f, 0.54f,
         RoundMenu::END, true},
        {0.05, "endphase(1.06) setphase(4)", kPi + kTwoPi * 0.7f * 0.96f - kTwoPi, 2.372f, 0.54f,
         RoundMenu::FINISHED, false},
        {0.05, "command(selectmap)", kPi + kTwoPi * 0.7f * 0.96f - kTwoPi, 2.372f, 0.54f,
         RoundMenu::FINISHED, false},
        {0.05, "", kPi + kTwoPi * 0.7f * 0.96f - kTwoPi, 2.372f, 0.54f, RoundMenu::FINISHED, false},
    };
    for (const Row& row : rows) {
        frame(row.dt);
        EXPECT_EQ(everything(), row.heard) << row.heard;
        EXPECT_NEAR(ring->getAngle(), row.angle, 1e-3) << row.heard;
        EXPECT_NEAR(ring->getCamera().getAngle(), row.viewAngle, 1e-4) << row.heard;
        EXPECT_NEAR(ring->getRadius(), row.radius, 1e-4) << row.heard;
        EXPECT_EQ(ring->getPhase(), row.phase) << row.heard;
        EXPECT_EQ(ring->isShowed(), row.showed) << row.heard;
    }
}

// Holding a key from rest on a slot: "pass" for each slot the ring crosses while the key is
// held, in order; after the release the ring turns on to the next slot and rests there exactly,
// without a "pass" for it.
TEST_F(RoundMenuTable, HeldKeysPassEntriesAndTheRingRestsOnASlot) {
    struct Row {
        int entries;
        int start; // the entry in front before
        const char* key;
        double held;
        const char* passes;
        int rest;
    };
    const Row rows[] = {
        // 6.75 rad down: 3pi/2, pi, pi/2 and 0 crossed, then on to 3pi/2.
        {4, 0, "Left", 1.35, "pass(controls) pass(selectmap) pass(options_play) pass(play)", 3},
        // 1 rad down: no slot crossed while held; rests on 3pi/2.
        {4, 0, "Left", 0.2, "", 3},
        // 2.5 rad up: pi/2 crossed; rests on pi.
        {4, 0, "Right", 0.5, "pass(options_play)", 2},
        // From 3pi/2, 1 rad up: rests on 2pi, that is slot 0.
        {4, 3, "Right", 0.2, "", 0},
        // From 3pi/2, 2.5 rad up: 2pi crossed (slot 0); rests on pi/2.
        {4, 3, "Right", 0.5, "pass(play)", 1},
        // 8 entries, 1.5 rad up: pi/4 crossed; rests on pi/2.
        {8, 0, "Right", 0.3, "pass(options_play)", 2},
        // 8 entries, 3.5 rad down: 7pi/4, 3pi/2, 5pi/4 and pi crossed; rests on 3pi/4.
        {8, 0, "Left", 0.7, "pass(back) pass(exit) pass(sound) pass(video)", 3},
    };
    for (const Row& row : rows) {
        const std::string why = std::to_string(row.entries) + " entries from " +
                                std::to_string(row.start) + ", " + row.key + " " +
                                std::to_string(row.held) + " s";
        buildRing(row.entries);
        open();
        turnLeftTo(row.start);
        std::string passes;
        recorder->onEvent = [&](::ui::NotifyEvent& event) {
            std::string action, name;
            event.getProperty("action", &action);
            event.getProperty("itemName", &name);
            if (action == "pass")
                passes += (passes.empty() ? "" : " ") + action + "(" + name + ")";
        };
        press(row.key);
        wait(row.held);
        EXPECT_EQ(passes, row.passes) << why;
        release(row.key);
        wait(1.0);
        recorder->onEvent = nullptr;
        EXPECT_EQ(passes, row.passes) << why << ": no pass after the release";
        EXPECT_EQ(ring->getRotation(), RoundMenu::STOPPED) << why;
        EXPECT_FLOAT_EQ(ring->getAngle(), row.rest * kTwoPi / row.entries) << why;
        EXPECT_EQ(ring->findCurrentItem(), row.rest) << why;
        EXPECT_EQ(ring->getHighlighted(), row.rest) << why;
        EXPECT_EQ(ring->getFocusedItem(), row.rest) << why;
    }
}

// The held-key state: how each key press and release changes it, and the way it turns the
// ring (left held last: down; right held last: up).
TEST_F(RoundMenuTable, TheHeldKeysDecideTheTurn) {
    struct Row {
        const char* before; // keys pressed in this order
        int keysBefore;
        const char* key;
        bool pressed;
        int keysAfter;
    };
    const Row rows[] = {
        {"", 0, "Left", true, 1},     {"R", 2, "Left", true, 3},   {"L", 1, "Left", false, 0},
        {"LR", 4, "Left", false, 2},  {"RL", 3, "Left", false, 2}, {"", 0, "Right", true, 2},
        {"L", 1, "Right", true, 4},   {"R", 2, "Right", false, 0}, {"LR", 4, "Right", false, 1},
        {"RL", 3, "Right", false, 1},
    };
    buildRing(8);
    open();
    for (const Row& row : rows) {
        const std::string why =
            std::string(row.before) + " then " + row.key + (row.pressed ? " pressed" : " released");
        for (const char* held = row.before; *held; ++held)
            press(*held == 'L' ? "Left" : "Right");
        frame();
        ASSERT_EQ(ring->getKeys(), row.keysBefore) << why;
        send(row.key, row.pressed);
        EXPECT_EQ(ring->getKeys(), row.keysAfter) << why;
        const float before = ring->getAngle();
        frame();
        if (row.keysAfter != 0) {
            float moved = ring->getAngle() - before;
            moved += moved > kPi ? -kTwoPi : (moved < -kPi ? kTwoPi : 0);
            if (row.keysAfter == 1 || row.keysAfter == 3) {
                EXPECT_LT(moved, 0.0f) << why;
                EXPECT_EQ(ring->getRotation(), RoundMenu::DECREASING) << why;
            } else {
                EXPECT_GT(moved, 0.0f) << why;
                EXPECT_EQ(ring->getRotation(), RoundMenu::INCREASING) << why;
            }
        }
        release("Left");
        release("Right");
        settle();
    }
}

// The buttons a round menu answers, sent as the player's devices send them. The ring has 4
// entries at rest with entry 0 in front, an escape event, and the pointer on entry 2; "mouse
// first" means the mouse was the last device used (it moved) before the button.
TEST_F(RoundMenuTable, EachButtonDoesItsOneThing) {
    struct Row {
        const char* key;
        bool pressed;
        bool mouseFirst;
        const char* heard; // choices, escapes and changes of menu
        int keys;
        bool mouseLastUsed;
    };
    const Row rows[] = {
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
    for (const Row& row : rows) {
        const std::string why = std::string(row.key) + (row.pressed ? " pressed" : " released") +
                                (row.mouseFirst ? ", mouse first" : "");
        buildRing(4, "escapeEvent = elsewhere");
        open();
        pointAt(2);
        if (row.mouseFirst)
            theKelInput->feed(counting_ptr<::input::Event>(
                new ::input::events::Motion(::input::devices::PCMouse::instance(), 0, 0)));
        ASSERT_EQ(rings_->isMouseLastUsed(), row.mouseFirst) << why;
        ASSERT_EQ(ring->getFocusedItem(), row.mouseFirst ? 2 : 0) << why;
        recorder->events.clear();
        send(row.key, row.pressed);
        EXPECT_EQ(decisive(), row.heard) << why;
        EXPECT_EQ(ring->getKeys(), row.keys) << why;
        EXPECT_EQ(rings_->isMouseLastUsed(), row.mouseLastUsed) << why;
    }
}

// A choice needs the ring at rest in the work phase: neither while a key turns it nor while it
// runs on to its slot after the release, nor while it appears.
TEST_F(RoundMenuTable, ChoicesAreIgnoredUnlessTheRingRests) {
    enum Situation { KEY_HELD, RUNNING_ON, APPEARING };
    struct Row {
        Situation situation;
        const char* key;
    };
    const Row rows[] = {
        {KEY_HELD, "Return"},   {KEY_HELD, "Space"},         {KEY_HELD, "LeftClick"},
        {RUNNING_ON, "Return"}, {RUNNING_ON, "NumpadEnter"}, {RUNNING_ON, "LeftClick"},
        {APPEARING, "Return"},  {APPEARING, "LeftClick"},    {APPEARING, "Escape"},
    };
    for (const Row& row : rows) {
        const std::string why = std::to_string(row.situation) + " " + row.key;
        buildRing(4, "escapeFlyOut = true");
        open();
        pointAt(0);
        if (row.situation == APPEARING) {
            ring->setVisible(false);
            ring->setVisible(true);
            frame();
            frame();
            ASSERT_EQ(ring->getPhase(), RoundMenu::START) << why;
        } else {
            press("Right");
            frame();
            if (row.situation == RUNNING_ON)
                release("Right");
            ASSERT_NE(ring->getRotation(), RoundMenu::STOPPED) << why;
        }
        recorder->events.clear();
        tap(row.key);
        EXPECT_EQ(decisive(), "") << why;
        EXPECT_NE(ring->getPhase(), RoundMenu::END) << why;
        release("Right");
    }
}

// Escape (and the mouse's right button) in the work phase: an escape event asks for that menu,
// else with escapeFlyOut the ring flies out as the exit and one empty command follows; else
// nothing. The container flies a ring out when another is asked for.
TEST_F(RoundMenuTable, EscapeAsksForItsMenuOrExitsOrDoesNothing) {
    struct Row {
        const char* options;
        const char* heard;
        const char* later; // in the second after
    };
    const Row rows[] = {
        {"", "", ""},
        {"escapeFlyOut = true", "setphase(3) itemfocuschanged() exit", "setphase(4) command()"},
        {"escapeEvent = elsewhere", "changemenu(elsewhere,escape) setphase(3) itemfocuschanged()",
         "setphase(4)"},
        {"escapeEvent = elsewhere; escapeFlyOut = true",
         "changemenu(elsewhere,escape) setphase(3) itemfocuschanged()", "setphase(4)"},
    };
    for (const Row& row : rows) {
        buildRing(4, row.options);
        open();
        tap("Escape");
        EXPECT_EQ(trace(), row.heard) << row.options;
        wait(1.0);
        EXPECT_EQ(trace(), row.later) << row.options;
    }
}

// What the entire menu does with its description for each notification from below.
TEST_F(RoundMenuTable, TheDescriptionFollowsTheNotificationsFromBelow) {
    buildRing(4);
    kel::ui::ItemDescription* description = screen->getDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_FALSE(description->getTexture()->isResolutionSensitive());
    open();
    enum Hide { UNSET, NO, YES };
    struct Row {
        const char* action;
        const char* itemName; // null: none
        Hide hide;
        int phase; // -1: none
        bool shownBefore;
        bool shownAfter;
        const char* picture;
        bool focusSound;
    };
    const Row rows[] = {
        {"itemfocuschanged", "video", UNSET, -1, false, true, "video", true},
        {"itemfocuschanged", "sound", YES, -1, true, true, "sound", true},
        {"itemfocuschanged", "", YES, -1, true, false, "play", false},
        {"itemfocuschanged", "", NO, -1, true, true, "play", false},
        {"itemfocuschanged", "", NO, -1, false, false, "play", false},
        {"itemfocuschanged", "", UNSET, -1, true, true, "play", false},
        {"pass", "exit", UNSET, -1, false, true, "exit", false},
        {"pass", "", UNSET, -1, false, false, "play", false},
        {"setphase", nullptr, UNSET, 3, true, false, "play", false},
        {"setphase", nullptr, UNSET, 1, true, true, "play", false},
        {"setphase", nullptr, UNSET, 2, true, true, "play", false},
        {"setphase", nullptr, UNSET, 4, true, true, "play", false},
        {"precommand", "video", UNSET, -1, true, true, "play", false},
        {"command", "video", UNSET, -1, false, false, "play", false},
    };
    for (const Row& row : rows) {
        const std::string why = std::string(row.action) + "(" + (row.itemName ? row.itemName : "") +
                                ") hide " + std::to_string(row.hide) + " phase " +
                                std::to_string(row.phase);
        description->setImage("play");
        description->setVisible(row.shownBefore);
        const size_t sounds = sound::MANAGER->getPlayed("ui").size();
        ::ui::NotifyEvent event(ring);
        event.setSValue("action", row.action);
        if (row.itemName)
            event.setSValue("itemName", row.itemName);
        if (row.hide != UNSET)
            event.setBValue("hidedescription", row.hide == YES);
        if (row.phase >= 0)
            event.setIValue("phase", row.phase);
        screen->notify(event);
        EXPECT_EQ(description->getVisible(), row.shownAfter) << why;
        EXPECT_EQ(description->getTexture()->getImageName(), row.picture) << why;
        const auto played = sound::MANAGER->getPlayed("ui");
        ASSERT_EQ(played.size(), sounds + (row.focusSound ? 1 : 0)) << why;
        if (row.focusSound) {
            EXPECT_EQ(played.back().name, "focus") << why;
            EXPECT_FALSE(played.back().loop) << why;
        }
        std::string menuName;
        EXPECT_TRUE(event.getProperty("menuName", &menuName)) << why;
        EXPECT_EQ(menuName, "testmenu") << why;
    }
}

// The container's switch: the current ring flies out; a ring of the new name appears, takes the
// keyboard focus and is announced; a name without a ring leaves none and the focus on nothing;
// an empty name only flies out.
TEST_F(RoundMenuTable, TheContainerSwitchesToTheRingOfTheName) {
    struct Row {
        const char* name;
        const char* heard;
        bool secondShown;
        bool focusOnSecond;
        bool focusUnchanged;
    };
    const Row rows[] = {
        {"second", "setphase(3) itemfocuschanged() setphase(1) currentmenuchanged", true, true,
         false},
        {"nowhere", "setphase(3) itemfocuschanged()", false, false, false},
        {"", "setphase(3) itemfocuschanged()", false, false, true},
    };
    for (const Row& row : rows) {
        build("ring { class = roundmenu; visible = false\n" + kel::test::entries(3) +
              "}\n"
              "second { class = roundmenu; visible = false\n" +
              kel::test::entries(2) + "}\n");
        RoundMenu* second = nullptr;
        kel::ui::theFactory->getComponent("second", &second, rings_, false);
        ASSERT_NE(second, nullptr);
        open();
        ::ui::Component* focused = root->getFocusedComponent();
        ASSERT_EQ(focused, ring);
        rings_->setCurrentMenu(row.name);
        EXPECT_EQ(trace(), row.heard) << row.name;
        EXPECT_EQ(ring->getPhase(), RoundMenu::END) << row.name;
        EXPECT_EQ(rings_->getCurrentMenu(), row.name);
        EXPECT_EQ(second->isShowed(), row.secondShown) << row.name;
        ::ui::Component* expected = row.focusOnSecond ? second : nullptr;
        if (row.focusUnchanged)
            expected = focused;
        EXPECT_EQ(root->getFocusedComponent(), expected) << row.name;
        wait(0.6);
        EXPECT_FALSE(ring->isShowed()) << row.name;
    }
}

// Showing the screen again shows the ring it was left on, with the keyboard counting as used
// last.
TEST_F(RoundMenuTable, TheScreenComesBackOnItsCurrentRingWithTheKeyboardFirst) {
    build("ring { class = roundmenu; visible = false\n" + kel::test::entries(3) +
          "}\n"
          "second { class = roundmenu; visible = false\n" +
          kel::test::entries(2) + "}\n");
    RoundMenu* second = nullptr;
    kel::ui::theFactory->getComponent("second", &second, rings_, false);
    open();
    rings_->setCurrentMenu("second");
    wait(0.6);
    rings_->setMouseLastUsed(true);
    screen->setVisible(false);
    EXPECT_FALSE(second->isShowed());
    screen->setVisible(true);
    EXPECT_FALSE(rings_->isMouseLastUsed());
    EXPECT_EQ(second->getPhase(), RoundMenu::START);
    EXPECT_TRUE(second->isShowed());
    EXPECT_FALSE(ring->isShowed());
    EXPECT_EQ(root->getFocusedComponent(), second);
}

// Choosing an entry sets where the ring settles when it next appears: with the focused entry in
// front. With the keyboard used last the focused entry is the one in front even when the mouse
// clicks another; once the mouse moved, it is the one under the pointer.
TEST_F(RoundMenuTable, TheNextAppearanceSettlesOnTheFocusedEntry) {
    struct Row {
        bool mouseMoved;
        const char* key;
        int chosen;  // by the command
        int settles; // in front on the next appearance
    };
    const Row rows[] = {
        {true, "LeftClick", 2, 2},
        {false, "LeftClick", 2, 1},
        {false, "Return", 1, 1},
    };
    for (const Row& row : rows) {
        const std::string why = std::string(row.mouseMoved ? "mouse moved, " : "") + row.key;
        buildRing(4);
        open();
        tap("Right");
        settle();
        pointAt(2);
        if (row.mouseMoved)
            theKelInput->feed(counting_ptr<::input::Event>(
                new ::input::events::Motion(::input::devices::PCMouse::instance(), 0, 0)));
        tap(row.key);
        wait(0.7);
        EXPECT_NE(trace().find("command(" + ring->getItemName(row.chosen) + ")"), std::string::npos)
            << why;
        ring->setVisible(true);
        wait(0.6);
        EXPECT_EQ(ring->findCurrentItem(), row.settles) << why;
        EXPECT_FLOAT_EQ(ring->getAngle(), row.settles * kTwoPi / 4) << why;
    }
}

// The entry's hit area: strictly inside size * projectionWidth to each side and
// size * projectionHeight up and down of its projection; the model's ray trace counts too.
TEST_F(RoundMenuTable, TheHitAreaIsStrictlyInsideOrOnTheModel) {
    struct Row {
        float width, height; // projectionWidth, projectionHeight
        bool traced;
        float mx, my;
        bool under;
    };
    const Row rows[] = {
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
    for (const Row& row : rows) {
        const std::string why = std::to_string(row.width) + " x " + std::to_string(row.height) +
                                (row.traced ? " traced" : "") + " at " + std::to_string(row.mx) +
                                ", " + std::to_string(row.my);
        config::Config block;
        ASSERT_TRUE(block.readString(
            "model = menu_selectmap\nprojectionWidth = " + std::to_string(row.width) +
                "\nprojectionHeight = " + std::to_string(row.height) + "\n",
            "entry.cfg"));
        entry->readConfig(&block);
        if (row.traced)
            entry->getModel()->traceIn(nullptr); // the pointer's ray is on the mesh
        moveTo(row.mx, row.my);
        entry->setProjection(300, 200, 40);
        EXPECT_EQ(entry->getFlyby(), row.under) << why;
        if (row.traced)
            entry->getModel()->traceOut(nullptr);
    }
}

} // namespace

// The developer keys: the thirteen registered with kel-input by the root's init and removed by
// its term, what each key does when pressed, and what the three unregistered codes do when the
// capturer is called with them anyway.
#include "support/RootFixture.h"
#include "support/RootWorld.h"
#include "ui/DebugInput.h"

#include "host/debug/Filter.h"
#include "host/environment/Environment.h"
#include "host/input/Device.h"

#include <sstream>

namespace {

using kel::test::RootWorld;

struct KeyRow {
    unsigned long key;
    // "press": the key pressed on the keyboard; "call": the capturer called with the code.
    const char* how;
    // "day=N", "scale=S", "timers=PD|P-|-D|--" before the key.
    const char* given;
    const char* changes;
};

std::ostream& operator<<(std::ostream& out, const KeyRow& row) {
    return out << "0x" << std::hex << row.key << " " << row.how << " " << row.given;
}

struct ExitCalled {};

class DebugKeys : public kel::test::RootFixture, public ::testing::WithParamInterface<KeyRow> {
protected:
    // The sky's time of day, the delayed timer's scale, the render timers, the two components
    // the keys show or hide, the sky and whether the program was ended.
    RootWorld::Snapshot world() {
        RootWorld::Snapshot s;
        Environment* environment = kel::ui::theAccessor.getSky()->getEnvironment();
        std::ostringstream scale;
        scale << theDelayedRenderTimer->getTimeScale();
        s.emplace_back("day", std::to_string(environment->getDayTime().minutes));
        s.emplace_back("scale", scale.str());
        s.emplace_back("timers", std::string(thePausedRenderTimer->isPaused() ? "P" : "-") +
                                     (theDelayedRenderTimer->isPaused() ? "D" : "-"));
        for (const char* name : {"endturnbutton", "screenshot"})
            s.emplace_back(name, root->getDescendant(name)->getVisible() ? "+" : "-");
        s.emplace_back("sky", environment->getSkyName());
        s.emplace_back("exit", exited ? "yes" : "no");
        return s;
    }
    bool exited = false;
};

TEST_P(DebugKeys, DoWhatTheirKeyAsks) {
    const KeyRow& row = GetParam();
    std::istringstream given(row.given);
    for (std::string token; given >> token;) {
        const std::string key = token.substr(0, token.find('='));
        const std::string value = token.substr(token.find('=') + 1);
        if (key == "day")
            kel::ui::theAccessor.getSky()->getEnvironment()->setDayTime(DayTime(std::stoi(value)));
        else if (key == "scale")
            theDelayedRenderTimer->setTimeScale(std::stof(value));
        else if (key == "timers")
            for (auto [timer, paused] : {std::pair{thePausedRenderTimer, value[0] == 'P'},
                                         std::pair{theDelayedRenderTimer, value[1] == 'D'}})
                paused ? timer->pause() : timer->resume();
    }
    const bool press = std::string(row.how) == "press";
    const std::string name = input::keyName(input::devices::PCKeyboard::instance(), int(row.key));
    ASSERT_TRUE(!press || !name.empty()) << "no key with the code " << row.key;
    debug::setExitHandler([](int) { throw ExitCalled{}; });
    const RootWorld::Snapshot before = world();
    try {
        if (press) {
            tap(name);
        } else {
            kel::ui::debugInput.onShortcut(row.key, 0);
        }
    } catch (const ExitCalled&) {
        exited = true;
    }
    debug::setExitHandler(nullptr);
    EXPECT_EQ(RootWorld::diff(before, world()), RootWorld::sorted(row.changes));
}

const KeyRow kKeys[] = {
    {0x0F, "press", "day=600", "day=1260"},
    {0x17, "press", "day=600", "day=540"},
    {0x1E, "press", "", "-endturnbutton"},
    {0x2F, "press", "day=600", "day=660"},
    {0x2F, "press", "day=1379", "day=1439"},
    {0x2F, "press", "day=1380", "day=0"},
    {0x2F, "press", "day=1400", "day=20"},
    {0x30, "press", "day=600", "day=540"},
    {0x30, "press", "day=60", "day=0"},
    {0x30, "press", "day=59", "day=1439"},
    {0x30, "press", "day=30", "day=1410"},
    {0x34, "press", "scale=4", "scale=1"},
    {0x34, "press", "scale=0.25", "scale=1"},
    {0x36, "press", "scale=1", "scale=2"},
    {0x36, "press", "scale=0.25", "scale=0.5"},
    {0x3C, "press", "scale=1", "scale=0.5"},
    {0x3C, "press", "scale=4", "scale=2"},
    {0x49, "press", "timers=--", "timers=PD"},
    {0x49, "press", "timers=-D", "timers=PD"},
    {0x49, "press", "timers=PD", "timers=--"},
    {0x49, "press", "timers=P-", "timers=--"},
    // Registered without an action.
    {0x4D, "press", "", ""},
    {0x4F, "press", "", ""},
    {0x50, "press", "", ""},
    {0x51, "call", "", ""},
    // Acting, but not registered: a key press never reaches them.
    {0x54, "press", "", ""},
    {0x54, "call", "", "sky=Eden"},
    {0x55, "press", "", ""},
    {0x55, "call", "", "exit=yes"},
    {0x5D, "press", "", ""},
    {0x5D, "call", "", "+screenshot"},
    {0x10, "call", "", ""},
};
INSTANTIATE_TEST_SUITE_P(EveryKey, DebugKeys, ::testing::ValuesIn(kKeys));

class DebugKeyRegistration : public kel::test::RootFixture {
protected:
    bool bootToMainMenu() override { return false; }
    // The changes of the shortcut registry since `from`, as "+key"/"-key" in hex, with the
    // capturer and modifier checked.
    std::string changes(size_t from) {
        const auto all = theKelInput->getShortcutChanges();
        std::ostringstream out;
        for (size_t i = from; i < all.size(); ++i) {
            EXPECT_EQ(all[i].capturer, &kel::ui::debugInput);
            EXPECT_EQ(all[i].modifier, 0);
            out << (all[i].added ? "+" : "-") << std::hex << all[i].key << " ";
        }
        return out.str();
    }
};

TEST_F(DebugKeyRegistration, InitRegistersTheThirteenInOrderAndTermRemovesThem) {
    EXPECT_EQ(changes(0), "+1e +3c +34 +36 +49 +2f +30 +17 +4d +4f +50 +51 +f ");
    EXPECT_TRUE(kel::ui::debugInput.isRegistered());
    const size_t registered = theKelInput->getShortcutChanges().size();
    root->removeUIListener(&events);
    root->term();
    EXPECT_EQ(changes(registered), "-1e -3c -34 -36 -49 -2f -30 -17 -4d -4f -50 -51 -f ");
    EXPECT_FALSE(kel::ui::debugInput.isRegistered());
    root.reset(); // already terminated: the fixture has nothing left to take down
}

} // namespace

// The developer keys: the thirteen registered with kel-input by the root's init and removed by
// its term, what each key does when pressed, and what the three unregistered codes do when the
// capturer is called with them anyway.
#include "support/RootWorld.h"
#include "ui/DebugInput.h"

#include "host/debug/Filter.h"
#include "host/input/Device.h"

namespace {

using kel::test::RootWorld;

struct KeyRow {
    unsigned long key;
    const char* how; // "press": pressed on the keyboard; "call": the capturer called with it
    // "world before > what the key changes", for each case: "day=N", "scale=S",
    // "timers=PD|P-|-D|--" before the key, cases apart by ";".
    const char* cases;
};

std::ostream& operator<<(std::ostream& out, const KeyRow& row) {
    return out << "0x" << std::hex << row.key << " " << row.how;
}

struct ExitCalled {};

class DebugKeys : public kel::test::RootWorldFixture,
                  public ::testing::WithParamInterface<KeyRow> {};

TEST_P(DebugKeys, DoWhatTheirKeyAsks) {
    const KeyRow& row = GetParam();
    given("MAIN_MENU");
    const bool press = std::string(row.how) == "press";
    const std::string name = input::keyName(input::devices::PCKeyboard::instance(), int(row.key));
    ASSERT_TRUE(!press || !name.empty()) << "no key with the code " << row.key;
    debug::setExitHandler([](int) { throw ExitCalled{}; });
    std::istringstream cases(row.cases);
    for (std::string step; std::getline(cases, step, ';');) {
        SCOPED_TRACE(step);
        set(step.substr(0, step.find('>')));
        RootWorld::Snapshot before = RootWorld::take(root.get()), after;
        bool exited = false;
        try {
            press ? tap(name) : kel::ui::debugInput.onShortcut(row.key, 0);
        } catch (const ExitCalled&) {
            exited = true;
        }
        after = RootWorld::take(root.get());
        after.emplace_back("exit", exited ? "yes" : "no"); // whether the program was ended
        before.emplace_back("exit", "no");
        EXPECT_EQ(RootWorld::diff(before, after),
                  RootWorld::sorted(step.substr(step.find('>') + 1)));
    }
    debug::setExitHandler(nullptr);
}

const KeyRow kKeys[] = {
    {0x0F, "press", "day=600 > day=1260"},
    {0x17, "press", "day=600 > day=540"},
    {0x1E, "press", "> endturn=disabled"},
    {0x2F, "press", "day=600 > day=660; day=1379 > day=1439; day=1380 > day=0; day=1400 > day=20"},
    {0x30, "press", "day=600 > day=540; day=60 > day=0; day=59 > day=1439; day=30 > day=1410"},
    {0x34, "press", "scale=4 > scale=1; scale=0.25 > scale=1"},
    {0x36, "press", "scale=1 > scale=2; scale=0.25 > scale=0.5"},
    {0x3C, "press", "scale=1 > scale=0.5; scale=4 > scale=2"},
    {0x49, "press",
     "timers=-- > timers=PD; timers=-D > timers=PD; timers=PD > timers=--; timers=P- > timers=--"},
    // Registered without an action.
    {0x4D, "press", ">"},
    {0x4F, "press", ">"},
    {0x50, "press", ">"},
    {0x51, "call", ">"},
    // Acting, but not registered: a key press never reaches them.
    {0x54, "press", ">"},
    {0x54, "call", "> skyname=Eden"},
    {0x55, "press", ">"},
    {0x55, "call", "> exit=yes"},
    {0x5D, "press", ">"},
    {0x5D, "call", "> +screenshot"},
    {0x10, "call", ">"},
};
INSTANTIATE_TEST_SUITE_P(EveryKey, DebugKeys, ::testing::ValuesIn(kKeys));

class DebugKeyRegistration : public kel::test::RootWorldFixture {};

TEST_F(DebugKeyRegistration, InitRegistersTheThirteenInOrderAndTermRemovesThem) {
    // The changes of the shortcut registry from `from` on, as "+key"/"-key" in hex.
    auto changes = [](size_t from) {
        const auto all = theKelInput->getShortcutChanges();
        std::ostringstream out;
        for (size_t i = from; i < all.size(); ++i) {
            EXPECT_EQ(all[i].capturer, &kel::ui::debugInput);
            EXPECT_EQ(all[i].modifier, 0);
            out << (all[i].added ? "+" : "-") << std::hex << all[i].key << " ";
        }
        return out.str();
    };
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

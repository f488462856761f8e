#include "host/input/Keys.h"
#include "host/kelinput/DebugInputCapturer.h"
#include "host/kelinput/KelInput.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

using kelinput::DebugInputCapturer;

namespace {

class Recorder final : public DebugInputCapturer {
public:
    void onShortcut(unsigned long key, int modifier) override {
        calls.push_back(std::to_string(key) + "/" + std::to_string(modifier));
        if (onCall)
            onCall();
    }
    std::vector<std::string> calls;
    std::function<void()> onCall;
};

struct RootListener : input::Listener {
    void event(const counting_ptr<input::Event>&) override { ++events; }
    int events = 0;
};

void feed(const std::string& name, bool down) {
    theKelInput->feed(input::makeButton(name, down));
}
void tap(const std::string& name) {
    feed(name, true);
    feed(name, false);
}

class DebugShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        theKelInput->reset();
        theKelInput->getRootBroadcaster()->attach(&root);
    }
    void TearDown() override {
        theKelInput->getRootBroadcaster()->detach(&root);
        theKelInput->reset();
    }
    RootListener root;
};

TEST_F(DebugShortcutTest, ShortcutsFireOnlyForTheRegisteredKeyAndModifiers) {
    Recorder capturer;
    EXPECT_FALSE(capturer.isRegistered());
    capturer.addShortcut(30, DebugInputCapturer::NoModifier); // F3
    capturer.addShortcut(47,
                         DebugInputCapturer::ShiftModifier | DebugInputCapturer::ControlModifier);
    EXPECT_TRUE(capturer.isRegistered());

    tap("F3");
    tap("F4"); // registered only with Shift+Control
    feed("LeftShift", true);
    tap("F3"); // registered only without modifiers
    feed("RightControl", true);
    tap("F4");
    feed("LeftShift", false);
    feed("RightControl", false);
    tap("F3");
    theKelInput->feed(input::makeButton("LeftClick", true));
    EXPECT_EQ(capturer.calls, (std::vector<std::string>{"30/0", "47/3", "30/0"}));
    EXPECT_EQ(root.events, 15) << "every event still reaches the root broadcaster";
    for (const auto& [key, bit] : std::vector<std::pair<const char*, int>>{{"LeftShift", 1},
                                                                           {"RightShift", 1},
                                                                           {"LeftControl", 2},
                                                                           {"RightControl", 2},
                                                                           {"LeftAlt", 4},
                                                                           {"RightAlt", 4}}) {
        feed(key, true);
        EXPECT_EQ(theKelInput->getModifiers(), bit) << key;
        feed(key, false);
    }
}

TEST_F(DebugShortcutTest, ACapturerLeavesWhenItHasNoShortcutsOrIsDestroyed) {
    auto capturer = std::make_unique<Recorder>();
    capturer->addShortcut(73, 0);
    capturer->addShortcut(73, 0);
    capturer->addShortcut(77, 0);
    capturer->delShortcut(73, 0);
    EXPECT_FALSE(capturer->hasShortcut(73, 0)) << "adding twice registers once";
    EXPECT_TRUE(capturer->isRegistered());
    capturer->delShortcut(77, 0);
    EXPECT_FALSE(capturer->isRegistered());
    tap("F10");
    EXPECT_TRUE(capturer->calls.empty());

    capturer->addShortcut(77, 0);
    Recorder other;
    other.addShortcut(77, 0);
    capturer.reset(); // destroyed while registered
    tap("F10");
    EXPECT_EQ(other.calls, std::vector<std::string>{"77/0"});
}

TEST_F(DebugShortcutTest, ACapturerMayChangeItsShortcutsFromItsCallback) {
    Recorder first;
    Recorder second;
    first.addShortcut(15, 0);
    second.addShortcut(15, 0);
    first.onCall = [&] {
        first.delShortcut(15, 0);
        second.delShortcut(15, 0);
    };
    tap("F1");
    EXPECT_EQ(first.calls.size(), 1u);
    EXPECT_TRUE(second.calls.empty()) << "removed before its turn";
    tap("F1");
    EXPECT_EQ(first.calls.size(), 1u);
}

TEST_F(DebugShortcutTest, ShortcutsMayBeRegisteredWhileAnotherThreadFeedsKeys) {
    Recorder capturer;
    capturer.addShortcut(23, 0);
    std::thread registering([] {
        for (int i = 0; i < 300; ++i) {
            Recorder passing;
            passing.addShortcut(23, 0);
            passing.addShortcut(static_cast<unsigned long>(i), 0);
            // Another thread may be calling it: it leaves before it starts to go.
            passing.delShortcut(23, 0);
            passing.delShortcut(static_cast<unsigned long>(i), 0);
        }
    });
    for (int i = 0; i < 300; ++i)
        tap("F2");
    registering.join();
    EXPECT_EQ(capturer.calls.size(), 300u);
}

} // namespace

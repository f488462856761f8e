// The goal and results screens: the scrolling goal text, the keys and buttons that close them,
// a real host thread waiting in doModal, and the results listeners' deliveries.
#include "support/Near.h"
#include "support/ScreenUnderTest.h"
#include "ui/Goal.h"
#include "ui/Results.h"

#include "host/ui/DFormattedSpriteText.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <tuple>

namespace {

using kel::ui::Goal;
using kel::ui::Results;

// A host thread showing a screen modally. However the test ends, a screen still up is closed by
// a Return and the thread joined, so a failed assertion never leaves a waiting thread behind.
template <class Screen> class HostShows {
public:
    explicit HostShows(Screen* screen)
        : screen(screen), host([this] {
              this->screen->doModal();
              back = true;
          }) {}
    ~HostShows() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!back) {
            if (std::chrono::steady_clock::now() > deadline) {
                // The host thread cannot be released from here: stop rather than hang.
                std::fprintf(stderr, "doModal never returned\n");
                std::abort();
            }
            {
                thread::Lock hold(*screen->getUI());
                if (screen->getVisible())
                    screen->getUI()->processInputEvent(input::makeButton("Return", true));
            }
            std::this_thread::yield();
        }
        host.join();
    }
    // Waits until the screen is up (true) or ten seconds have passed.
    bool up() {
        return until([this] {
            thread::Lock hold(*screen->getUI());
            return screen->getVisible();
        });
    }
    bool isBack() const { return back; }
    // Waits until doModal returned (true) or ten seconds have passed.
    bool returned() {
        return until([this] { return back.load(); });
    }

private:
    template <class F> static bool until(F done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done())
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            else
                std::this_thread::yield();
        return true;
    }

    Screen* screen;
    std::atomic<bool> back{false};
    std::thread host;
};

class GoalAndResults : public kel::test::ScreenUnderTest {
protected:
    void input(::input::Device* device, int code, bool pressed) {
        thread::Lock hold(*root);
        feed(device, code, pressed);
    }
};

TEST_F(GoalAndResults, TheGoalShowsItsTextCentredAndScrollsOneUnitPerDrawing) {
    Goal* goal = build<Goal>("gameui", "gamegoal");
    ASSERT_NE(goal, nullptr);
    goal->setText("Hold the lighthouse");
    goal->setVisible(true);
    ::ui::DFormattedSpriteText* text = goal->getText();
    EXPECT_EQ(text->getText(), "Not implemented");
    const float x = (goal->getWidth() - text->getWidth()) / 2;
    const float y = (goal->getHeight() - text->getHeight()) / 2;
    EXPECT_TRUE(kel::test::near({text->getXPosition(), text->getYPosition()}, {x, y}));
    frame();
    frame();
    EXPECT_FLOAT_EQ(text->getYPosition(), y - 2);
    EXPECT_EQ(trace->take(), "");
}

// Rows: device, code, press or release, whether it closes the goal. Each row runs with a host
// thread waiting in doModal: a closing input hides the goal, reports once to its master and
// lets the thread return; any other leaves all three as they were.
TEST_F(GoalAndResults, ExactlyTheListedPressesCloseTheGoalAndReleaseItsWaiter) {
    Goal* goal = build<Goal>("gameui", "gamegoal");
    ASSERT_NE(goal, nullptr);
    auto* keyboard = ::input::devices::PCKeyboard::instance();
    auto* mouse = ::input::devices::PCMouse::instance();
    // device, code, pressed, closes
    const std::tuple<::input::Device*, int, bool, bool> kRows[] = {
        {keyboard, 102, true, true},  {keyboard, 51, true, true},  {keyboard, 101, true, true},
        {mouse, 3, true, true},       {mouse, 4, true, true},      {mouse, 5, true, true},
        {keyboard, 51, false, false}, {mouse, 3, false, false},    {mouse, 2, true, false},
        {keyboard, 3, true, false},   {keyboard, 55, true, false}, {mouse, 102, true, false},
    };
    for (const auto& [device, code, pressed, closes] : kRows) {
        SCOPED_TRACE(::input::keyName(device, code) + (pressed ? "" : " up"));
        HostShows<Goal> host(goal);
        ASSERT_TRUE(host.up());
        trace->take();
        input(device, code, pressed);
        if (closes) {
            EXPECT_TRUE(host.returned());
        }
        EXPECT_EQ(goal->getVisible(), !closes);
        EXPECT_EQ(trace->take(), closes ? "gamegoal: " : "");
    }
}

// A goal left to scroll off the top closes by itself, releases its waiter and reports once,
// not again on later drawings.
TEST_F(GoalAndResults, AGoalThatScrollsOffReleasesItsWaiterOnce) {
    Goal* goal = build<Goal>("gameui", "gamegoal");
    ASSERT_NE(goal, nullptr);
    {
        HostShows<Goal> host(goal);
        ASSERT_TRUE(host.up());
        for (int i = 0; i < 1000 && !host.isBack(); ++i) {
            thread::Lock hold(*root);
            frame();
        }
        EXPECT_TRUE(host.returned());
        // on the drawing that takes the text's bottom above the top of the screen
        const float bottom = goal->getText()->getYPosition() + goal->getText()->getHeight();
        EXPECT_TRUE(bottom < 0 && bottom >= -1) << bottom;
        frame();
        EXPECT_EQ(trace->take(), "gamegoal: ");
    }
    // Shown and closed with nobody waiting (as the scenario shows it): the next doModal waits.
    goal->setVisible(true);
    input(::input::devices::PCKeyboard::instance(), 102, true);
    HostShows<Goal> again(goal);
    ASSERT_TRUE(again.up());
    frame();
    EXPECT_FALSE(again.isBack()) << "an earlier closing does not end this showing";
    input(::input::devices::PCKeyboard::instance(), 51, true);
    EXPECT_TRUE(again.returned());
}

TEST_F(GoalAndResults, DoModalOnTheUIThreadIsRefusedInsteadOfHanging) {
    Goal* goal = build<Goal>("gameui", "gamegoal");
    ASSERT_NE(goal, nullptr);
    goal->doModal();
    EXPECT_FALSE(goal->getVisible());
    EXPECT_EQ(log.take().size(), 1u);
}

// Counts each listener's calls, and does what a test asks from inside them.
struct Told : kel::ui::ResultsListener {
    void resultsShown() override {
        ++shown;
        if (onShown)
            onShown();
    }
    void resultsHidden() override {
        ++hidden;
        if (onHidden)
            onHidden();
    }
    int shown = 0;
    int hidden = 0;
    std::function<void()> onShown, onHidden;
};

TEST_F(GoalAndResults, EachResultsListenerIsToldOncePerShowingAndHiding) {
    Results* results = build<Results>("gameui", "gameresults");
    ASSERT_NE(results, nullptr);
    Told a, b, c;
    for (Told* l : {&a, &b, &c})
        results->subscribe(l);
    // a's showing hides the screen again (a delivery inside the delivery), and while that is
    // told b unsubscribes a, which stood before it.
    a.onShown = [&] { results->setVisible(false); };
    b.onHidden = [&] { results->unsubscribe(&a); };
    results->setVisible(true);
    for (Told* l : {&a, &b, &c})
        EXPECT_TRUE(l->shown == 1 && l->hidden == 1) << l->shown << " " << l->hidden;
    // c unsubscribes itself, then b: neither is called twice and nothing is skipped.
    b.onHidden = nullptr;
    a.onShown = nullptr;
    results->subscribe(&a);
    c.onShown = [&] { results->unsubscribe(&c); };
    results->setVisible(true);
    EXPECT_TRUE(a.shown == 2 && b.shown == 2 && c.shown == 2);
    results->setVisible(false);
    EXPECT_TRUE(a.hidden == 2 && b.hidden == 2 && c.hidden == 1);
}

TEST_F(GoalAndResults, TheResultsCloseOnTheGoalsKeysAndReleaseTheirWaiter) {
    Results* results = build<Results>("gameui", "gameresults");
    ASSERT_NE(results, nullptr);
    Told l;
    results->subscribe(&l);
    HostShows<Results> host(results);
    ASSERT_TRUE(host.up());
    results->setText("Victory");
    input(::input::devices::PCKeyboard::instance(), 51, false);
    EXPECT_TRUE(results->getVisible()) << "a release does nothing";
    input(::input::devices::PCMouse::instance(), 5, true);
    EXPECT_TRUE(host.returned());
    EXPECT_EQ(trace->take(), "gameresults: ");
    EXPECT_TRUE(l.shown == 1 && l.hidden == 1);
    results->unsubscribe(&l);
}

} // namespace

#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/thread/Event.h"
#include "host/thread/SynchronizedObject.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

TEST(Threads, AnEventSetOnOneThreadReleasesAWaiterOnAnother) {
    thread::Event manual(true, false);
    EXPECT_FALSE(manual.waitFor(0));
    std::thread waiter([&] { manual.wait(); });
    manual.set();
    waiter.join();
    EXPECT_TRUE(manual.waitFor(0) && manual.isSet()) << "a manual-reset event stays set";
    manual.reset();
    EXPECT_FALSE(manual.isSet());

    // An auto-reset event lets one wait through per set.
    thread::Event automatic(false, true);
    EXPECT_TRUE(automatic.waitFor(0));
    EXPECT_FALSE(automatic.waitFor(0));
    std::thread other([&] { automatic.wait(); });
    automatic.set();
    other.join();
    EXPECT_FALSE(automatic.isSet()) << "the waiter took the signal";
}

TEST(Threads, SynchronizedObjectIsReentrantAndExcludesOtherThreads) {
    thread::SynchronizedObject object;
    thread::Lock outer(object);
    {
        thread::Lock inner(object);
        std::atomic<bool> other{true};
        std::thread([&] { other = object.tryLock(); }).join();
        EXPECT_FALSE(other);
    }
}

TEST(Threads, SynchronizedObjectTakenInTurnByManyThreadsLosesNoUpdateAndNoWaiter) {
    // Four threads take the lock, twice nested, 20,000 times each, and some hold it across a
    // yield so that the others find it taken and go to sleep behind it. A lost wake-up hangs;
    // a broken exclusion loses increments of the plain counter.
    thread::SynchronizedObject object;
    long counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 20000; ++i) {
                thread::Lock outer(object);
                thread::Lock inner(&object);
                const long seen = counter;
                if ((i + t) % 64 == 0)
                    std::this_thread::sleep_for(std::chrono::microseconds(50));
                counter = seen + 1;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(counter, 4 * 20000);
    // And it is free again: another thread takes it at once.
    std::atomic<bool> taken{false};
    std::thread([&] {
        taken = object.tryLock();
        if (taken)
            object.unlock();
    }).join();
    EXPECT_TRUE(taken);
}

TEST(DebugLog, AFilterWritesPassingMessagesAndObserversSeeAll) {
    kel::test::LogCapture log;
    std::vector<std::string> seen;
    const int id =
        debug::addErrorObserver([&](const debug::Error& e) { seen.push_back(e.getMessage()); });
    debug::Filter on("kel-ui", true);
    debug::Filter off("quiet", false);
    debug::Error first(debug::Context("ui/KELUI", 471), "reassign GameBoard");
    debug::report(on, first);
    debug::Error second(debug::Context("/Configs/x.cfg", 3, 7), "hidden");
    debug::report(off, second);
    debug::removeErrorObserver(id);

    const auto records = log.take();
    ASSERT_EQ(records.size(), 1u);
    const auto& r = records[0];
    EXPECT_EQ(r.filter + " " + r.file + ":" + std::to_string(r.line) + ":" +
                  std::to_string(r.column) + " " + r.text,
              "kel-ui ui/KELUI:471:0 reassign GameBoard");
    EXPECT_EQ(seen, (std::vector<std::string>{"ui/KELUI:471: reassign GameBoard",
                                              "/Configs/x.cfg:3:7: hidden"}));
    EXPECT_TRUE(first.isDispatched());
    EXPECT_TRUE(first.isLogged());
    EXPECT_FALSE(second.isLogged()) << "its filter is off";
}

TEST(DebugLog, ExitGoesThroughTheInstalledHandler) {
    struct Exited {
        int code;
    };
    debug::setExitHandler([](int code) { throw Exited{code}; });
    try {
        debug::exit(3);
    } catch (const Exited& exited) {
        EXPECT_EQ(exited.code, 3);
    }
    debug::setExitHandler(nullptr);
}

} // namespace

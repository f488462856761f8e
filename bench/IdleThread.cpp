// With KEL_BENCH_IDLE_THREAD=1 the benchmark process starts one idle thread before any benchmark
// runs. A game always has several threads, while this process has one; glibc's mutexes and the
// host's locks take and free a lock without atomic operations until a second thread is started.
// Run both ways to see what that is worth.

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

class IdleThread {
public:
    IdleThread() {
        const char* on = std::getenv("KEL_BENCH_IDLE_THREAD");
        if (on && *on && std::strcmp(on, "0") != 0)
            thread = std::thread([this] {
                std::unique_lock<std::mutex> hold(mutex);
                wake.wait(hold, [this] { return done; });
            });
    }
    ~IdleThread() {
        if (!thread.joinable())
            return;
        {
            std::lock_guard<std::mutex> hold(mutex);
            done = true;
        }
        wake.notify_one();
        thread.join();
    }
    IdleThread(const IdleThread&) = delete;
    IdleThread& operator=(const IdleThread&) = delete;

private:
    std::mutex mutex;
    std::condition_variable wake;
    bool done = false;
    std::thread thread;
};

IdleThread idle;

} // namespace

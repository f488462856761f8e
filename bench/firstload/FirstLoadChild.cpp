// A fresh process's first layout load: the root UI is set up, then the 1,000-component layout
// is parsed and built once, timed here, in the process itself. It prints one line for the
// benchmark that spawns it:
//     components=1000 before_main_ns=... setup_ns=... load_ns=... load_cpu_ns=...
// before_main_ns is the processor time spent before main (loading, relocation, static
// initialisation), setup_ns the root UI's set-up, load_ns the parse and build, and load_cpu_ns
// the processor time of the same (what the load costs on a machine busy with other work).

#include "bench/BigLayout.h"

#include "host/config/Config.h"
#include "host/ui/UI.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

long long processCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long long since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                start)
        .count();
}

} // namespace

int main() {
    const long long beforeMain = processCpuNanoseconds();
    const std::string text = bench::bigLayout();

    auto start = std::chrono::steady_clock::now();
    ui::UI root;
    root.setResolution(640, 480);
    root.init();
    root.setVisible(true);
    const long long setup = since(start);

    const long long cpuBefore = processCpuNanoseconds();
    start = std::chrono::steady_clock::now();
    int components = -1;
    {
        config::Config layout;
        if (layout.readString(text, "bench-layout.cfg")) {
            auto* top = new ui::Container(&root, 0, 0, 640, 480);
            root.addComponent(top);
            top->readConfig(&layout);
            components = bench::countBelow(top);
        }
    }
    const long long load = since(start);
    const long long loadCpu = processCpuNanoseconds() - cpuBefore;

    std::printf("components=%d before_main_ns=%lld setup_ns=%lld load_ns=%lld load_cpu_ns=%lld\n",
                components, beforeMain, setup, load, loadCpu);
    std::fflush(stdout);
    root.term();
    return components == 1000 ? 0 : 1;
}

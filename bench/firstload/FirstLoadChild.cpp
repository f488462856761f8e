// A fresh process's first layout load: the root UI is set up, then the 1,000-component layout
// is parsed and built once, timed here, in the process itself. It prints one line for the
// benchmark that spawns it:
//     components=1000 before_main_ns=... setup_ns=... load_ns=... load_cpu_ns=... again_ns=...
// before_main_ns is the processor time spent before main (loading, relocation, static
// initialisation), setup_ns the root UI's set-up, load_ns the parse and build, load_cpu_ns the
// processor time of the same (what the load costs on a machine busy with other work), and
// again_ns the same load done a second time in the process.

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

    // The first load, then the same again in this process, once everything is warm: what the
    // first one costs beyond the second is what a fresh process pays for.
    long long load[2] = {}, loadCpu[2] = {};
    int components[2] = {-1, -1};
    for (int round = 0; round < 2; ++round) {
        const long long cpuBefore = processCpuNanoseconds();
        start = std::chrono::steady_clock::now();
        config::Config layout;
        ui::Container* top = nullptr;
        if (layout.readString(text, "bench-layout.cfg")) {
            top = new ui::Container(&root, 0, 0, 640, 480);
            root.addComponent(top);
            top->readConfig(&layout);
            components[round] = bench::countBelow(top);
        }
        load[round] = since(start);
        loadCpu[round] = processCpuNanoseconds() - cpuBefore;
        root.deleteComponent(top);
    }

    std::printf("components=%d before_main_ns=%lld setup_ns=%lld load_ns=%lld load_cpu_ns=%lld "
                "again_ns=%lld\n",
                components[0] == components[1] ? components[0] : -1, beforeMain, setup, load[0],
                loadCpu[0], load[1]);
    std::fflush(stdout);
    root.term();
    return components[0] == 1000 && components[1] == 1000 ? 0 : 1;
}

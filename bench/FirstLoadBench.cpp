// The first layout load of a fresh process: each iteration spawns kel-first-load, which sets up
// the root UI and then parses and builds the 1,000-component layout once, timing that itself.
// The time measured is the one the child reports for its load; the counters add what it spent
// before main, on the root's set-up and the processor time of the load, the time of the same
// load done again in the child, and the whole process's life as seen from here. Every
// child must have built 1,000 components.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct ChildReport {
    int components = -1;
    long long beforeMain = 0, setup = 0, load = 0, loadCpu = 0, again = 0;
};

// Runs the child once; false with `error` set when it could not be run or its line is wrong.
bool runChild(ChildReport* report, std::string* error) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        *error = "no pipe";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    char program[] = KEL_FIRST_LOAD_CHILD;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        *error = std::string("cannot run ") + program;
        return false;
    }
    std::string line;
    char buffer[256];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        line.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (std::sscanf(line.c_str(),
                    "components=%d before_main_ns=%lld setup_ns=%lld load_ns=%lld load_cpu_ns=%lld "
                    "again_ns=%lld",
                    &report->components, &report->beforeMain, &report->setup, &report->load,
                    &report->loadCpu, &report->again) != 6) {
        *error = "the child said '" + line + "'";
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || report->components != 1000) {
        *error = "the child built " + std::to_string(report->components) + " components";
        return false;
    }
    return true;
}

void BM_FirstLoadOf1000ComponentsInAFreshProcess(benchmark::State& state) {
    double beforeMain = 0, setup = 0, loadCpu = 0, again = 0, process = 0;
    for (auto _ : state) {
        ChildReport report;
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        if (!runChild(&report, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        process += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(static_cast<double>(report.load) * 1e-9);
        beforeMain += static_cast<double>(report.beforeMain) * 1e-6;
        setup += static_cast<double>(report.setup) * 1e-6;
        loadCpu += static_cast<double>(report.loadCpu) * 1e-6;
        again += static_cast<double>(report.again) * 1e-6;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["before_main_ms"] = beforeMain / runs;
    state.counters["setup_ms"] = setup / runs;
    state.counters["load_cpu_ms"] = loadCpu / runs;
    state.counters["again_ms"] = again / runs;
    state.counters["process_ms"] = process * 1e3 / runs;
    state.counters["components"] = 1000;
}
BENCHMARK(BM_FirstLoadOf1000ComponentsInAFreshProcess)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

} // namespace

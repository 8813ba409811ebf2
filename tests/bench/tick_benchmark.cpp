// Time and instructions of one engine tick, with the stand-in joystick and a
// SendInput that only records. Run plain for Google Benchmark's timings, or
// with --callgrind=<scenario> <ticks> to run a fixed number of ticks for
// valgrind's instruction count.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "alloc_counter.h"
#include "fake_win32.h"
#include "input/controllers.h"
#include "tick_scenarios.h"

namespace {

void benchmarkTick(benchmark::State& run, TickScenario scenario) {
    prepareScenario(scenario);
    long tick = 0;
    stageTick(scenario, tick);
    emulationTick();
    size_t allocationsBefore = allocationCount();
    for (auto _ : run) {
        stageTick(scenario, ++tick);
        emulationTick();
    }
    run.counters["allocations"] = static_cast<double>(allocationCount() - allocationsBefore);
    run.counters["events/tick"] = static_cast<double>(fakeWin32().inputCount);
}

int runFixedTicks(const char* name, long ticks) {
    for (TickScenario scenario : kTickScenarios) {
        if (std::strcmp(name, scenarioName(scenario)) != 0) {
            continue;
        }
        prepareScenario(scenario);
        for (long tick = 0; tick < ticks; ++tick) {
            stageTick(scenario, tick);
            emulationTick();
        }
        return 0;
    }
    std::fprintf(stderr, "unknown scenario %s\n", name);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strncmp(argv[1], "--callgrind=", 12) == 0) {
        return runFixedTicks(argv[1] + 12, std::atol(argv[2]));
    }
    for (TickScenario scenario : kTickScenarios) {
        benchmark::RegisterBenchmark(scenarioName(scenario), benchmarkTick, scenario);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

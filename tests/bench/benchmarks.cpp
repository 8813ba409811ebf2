// The engine tick, idle and busy, and the render at scales 1 to 4 beside a
// memcpy of the same output. With --callgrind=idle|busy N RATE it runs N
// ticks at RATE polls a second and nothing else, for an instruction count.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/view_surface.h"
#include "input/engine.h"
#include "view/render.h"

static long gAllocations = 0;

void* operator new(size_t size) {
    ++gAllocations;
    return std::malloc(size);
}
// The sized delete forwards here.
void operator delete(void* p) noexcept {
    std::free(p);
}

namespace {

// Controller 0 with a hat, every input mapped to a key and every group on
// Auto; busy ticks flip all sixteen inputs and deflect the stick.
AppState& engineState(AppState& s) {
    publishAppState(&s);
    s.controllers[0] = {1, JOYCAPS_HASPOV, 12, 4, 0, 65535, 0, 65535, 0, 65535, 0, 65535};
    concludeDiscovery(1);
    std::memset(s.profiles[0].mappingCodes, 0x41, kInputCount);
    s.triggerModes = 0x111;
    return s;
}

void tick(AppState& s, bool busy, long n, int32_t rate) {
    s.joyInfo.dwButtons = busy && (n & 1) ? 0xFFF : 0;
    s.joyInfo.dwPOV = busy && (n & 1) ? 4500 : 22500;
    s.joyInfo.dwXpos = s.joyInfo.dwRpos = busy ? 60000 : 32767;
    decideTick(true, pollPeriodMs(rate));
    s.pendingInputCount = 0;
}

// Also counts the paints the window would do after each tick (a paint renders
// and clears viewDirty): a hidden window paints nothing, and none paints more
// than once a 20 ms step, whatever the poll rate.
void tickBenchmark(benchmark::State& state, bool busy, bool hidden, int32_t rate) {
    AppState s;
    engineState(s);
    s.windowHidden = hidden ? 1 : 0;
    long n = 0, paints = 0;
    long before = gAllocations;
    for (auto _ : state) {
        tick(s, busy, n++, rate);
        paints += s.stepDue != 0 && viewNeedsPaint(s) ? 1 : 0;
        s.viewDirty = 0;
    }
    state.counters["allocations per tick"] = double(gAllocations - before) / double(n);
    state.counters["paints per tick"] = double(paints) / double(n);
}

// The render at a scale, or beside it a memcpy of the same output.
void renderBenchmark(benchmark::State& state, bool memcpyOnly) {
    AppState s;
    publishAppState(&s);
    int32_t scale = static_cast<int32_t>(state.range(0));
    s.canvasBuffer.create(kViewWidth, kViewHeight, 4);
    s.pictureBuffer.create(484, 175, 4);
    std::memset(s.pictureBuffer.data, 0x5A, s.pictureBuffer.byteSize);
    s.inputBits = 0x10000555;
    std::vector<uint8_t> out(size_t(scale) * scale * kViewWidth * kViewHeight * 4), from(out);
    for (auto _ : state) {
        if (memcpyOnly) {
            std::memcpy(out.data(), from.data(), out.size());
        } else {
            composeView();
            writeScaledView(out.data(), s.canvasBuffer, s.layoutRects[kWholeView], scale);
        }
        benchmark::DoNotOptimize(out.data());
    }
}

} // namespace

BENCHMARK_CAPTURE(tickBenchmark, idle, false, false, 50);
BENCHMARK_CAPTURE(tickBenchmark, busy, true, false, 50);
BENCHMARK_CAPTURE(tickBenchmark, busy_hidden, true, true, 50);
BENCHMARK_CAPTURE(tickBenchmark, busy_500, true, false, 500);
BENCHMARK_CAPTURE(renderBenchmark, render, false)->DenseRange(1, 4);
BENCHMARK_CAPTURE(renderBenchmark, memcpy, true)->DenseRange(1, 4);

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]).rfind("--callgrind=", 0) == 0) {
        AppState s;
        engineState(s);
        bool busy = std::string(argv[1]) == "--callgrind=busy";
        for (long n = 0, ticks = std::atol(argv[2]); n < ticks; ++n) {
            tick(s, busy, n, std::atoi(argv[3]));
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

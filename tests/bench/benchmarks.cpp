// The engine tick, idle and busy, and the render at scales 1 to 4 beside a
// memcpy of the same output. With --callgrind=idle|busy N it runs N ticks
// and nothing else, for an instruction count.
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
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
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

void tick(AppState& s, bool busy, long n) {
    s.joyInfo.dwButtons = busy && (n & 1) ? 0xFFF : 0;
    s.joyInfo.dwPOV = busy && (n & 1) ? 4500 : 22500;
    s.joyInfo.dwXpos = s.joyInfo.dwRpos = busy ? 60000 : 32767;
    decideTick(true);
    s.pendingInputCount = 0;
}

// Also counts the paints the window would do after each tick (a paint renders
// and clears viewDirty): a hidden window paints nothing.
void tickBenchmark(benchmark::State& state, bool busy, bool hidden) {
    AppState s;
    engineState(s);
    s.windowHidden = hidden ? 1 : 0;
    long n = 0, paints = 0;
    long before = gAllocations;
    for (auto _ : state) {
        tick(s, busy, n++);
        paints += viewNeedsPaint(s) ? 1 : 0;
        s.viewDirty = 0;
    }
    state.counters["allocations per tick"] = double(gAllocations - before) / double(n);
    state.counters["paints per tick"] = double(paints) / double(n);
}

void renderBenchmark(benchmark::State& state) {
    AppState s;
    publishAppState(&s);
    int32_t scale = static_cast<int32_t>(state.range(0));
    s.canvasBuffer.create(kViewWidth, kViewHeight, 4);
    s.pictureBuffer.create(484, 175, 4);
    std::memset(s.pictureBuffer.data, 0x5A, s.pictureBuffer.byteSize);
    s.inputBits = 0x10000555;
    std::vector<uint8_t> out(size_t(scale) * scale * kViewWidth * kViewHeight * 4);
    for (auto _ : state) {
        composeView();
        writeScaledView(out.data(), s.canvasBuffer, s.layoutRects[kWholeView], scale);
        benchmark::DoNotOptimize(out.data());
    }
}

void memcpyBenchmark(benchmark::State& state) {
    size_t bytes = size_t(state.range(0)) * state.range(0) * kViewWidth * kViewHeight * 4;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    }
}

} // namespace

BENCHMARK_CAPTURE(tickBenchmark, idle, false, false);
BENCHMARK_CAPTURE(tickBenchmark, busy, true, false);
BENCHMARK_CAPTURE(tickBenchmark, busy_hidden, true, true);
BENCHMARK(renderBenchmark)->DenseRange(1, 4);
BENCHMARK(memcpyBenchmark)->DenseRange(1, 4);

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]).rfind("--callgrind=", 0) == 0) {
        AppState s;
        engineState(s);
        bool busy = std::string(argv[1]) == "--callgrind=busy";
        for (long n = 0, ticks = std::atol(argv[2]); n < ticks; ++n) {
            tick(s, busy, n);
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

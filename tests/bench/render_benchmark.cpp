// Time of one render of the view at scales 1 to 4, through the stand-in's
// DIB section, beside a plain memcpy of the same number of output bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

#include "alloc_counter.h"
#include "app/app_state.h"
#include "fake_win32.h"
#include "view/render.h"

namespace {

constexpr uint32_t kThreeInputsHeld = kDpadUp | 0x001u | 0x800u;

AppState* prepareRender(int32_t scale) {
    resetFakeWin32();
    auto* state = new AppState();
    publishAppState(state);
    state->canvasBuffer.create(494, 185, 4);
    state->pictureBuffer.create(484, 175, 3);
    for (uint32_t i = 0; i < state->pictureBuffer.byteSize; ++i) {
        state->pictureBuffer.data[i] = static_cast<uint8_t>(i * 7);
    }
    state->pictureBuffer.expandToFourChannels();
    state->windowScale = scale;
    state->windowActive = 1;
    state->inputBits = kThreeInputsHeld;
    return state;
}

HDC paintDc() { return reinterpret_cast<HDC>(static_cast<uintptr_t>(0xB100)); }

void benchmarkRender(benchmark::State& run) {
    auto scale = static_cast<int32_t>(run.range(0));
    AppState* state = prepareRender(scale);
    renderView(paintDc());
    size_t allocationsBefore = allocationCount();
    for (auto _ : run) {
        fakeWin32().callCount = 0;
        renderView(paintDc());
        benchmark::DoNotOptimize(state->viewSurface.bits);
    }
    run.counters["allocations"] = static_cast<double>(allocationCount() - allocationsBefore);
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations()) * state->viewSurface.width *
                          state->viewSurface.height * 4);
    delete state;
}

void benchmarkMemcpy(benchmark::State& run) {
    auto scale = static_cast<size_t>(run.range(0));
    size_t bytes = scale * 494 * scale * 185 * 4;
    auto* from = static_cast<uint8_t*>(std::malloc(bytes));
    auto* to = static_cast<uint8_t*>(std::malloc(bytes));
    std::memset(from, 0x5A, bytes);
    for (auto _ : run) {
        std::memcpy(to, from, bytes);
        benchmark::DoNotOptimize(to);
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(static_cast<int64_t>(run.iterations() * bytes));
    std::free(from);
    std::free(to);
}

} // namespace

BENCHMARK(benchmarkRender)->Name("render")->DenseRange(1, 4);
BENCHMARK(benchmarkMemcpy)->Name("memcpy")->DenseRange(1, 4);
BENCHMARK_MAIN();

// The program's own cost, natively and without a screen: the whole start-up (version gate and
// every loader, toolbar policy on) against the in-memory store, and single click handlers.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/headless_window.h"
#include "bench/startup_trace.h"
#include "registry/memory_registry.h"

namespace {

// Each iteration: a fresh window, created untimed (the platform does that), and its load.
void BM_Startup(benchmark::State& state) {
    registry::MemoryRegistry store;
    bench::SeedToolbarOn(store);
    bench::RecordStartup(store);  // into the steady state every later start finds
    std::size_t calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        store.ClearJournal();
        auto window = std::make_unique<bench::HeadlessWindow>(store);
        state.ResumeTiming();
        window->form.Form_Load();
        benchmark::DoNotOptimize(window->form.controls());
        state.PauseTiming();
        calls = store.journal().size();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["registry_calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMicrosecond);

// One click on a switch: its handler writes one REG_DWORD.
void BM_ClickPasswordCaching(benchmark::State& state) {
    registry::MemoryRegistry store;
    bench::SeedToolbarOn(store);
    bench::RecordStartup(store);
    bench::HeadlessWindow window(store);
    window.form.Form_Load();
    auto& box = window.form.controls().checkBox("chkPassCach");
    std::size_t clicks = 0;
    for (auto _ : state) {
        box.UserClick();
        if (++clicks % 4096 == 0) {
            state.PauseTiming();
            store.ClearJournal();
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(box.value());
}
BENCHMARK(BM_ClickPasswordCaching)->Unit(benchmark::kMicrosecond);

// One click on the toolbar switch: on a tick it reloads and rewrites all 22 buttons.
void BM_ClickToolbarSwitch(benchmark::State& state) {
    registry::MemoryRegistry store;
    bench::SeedToolbarOn(store);
    bench::RecordStartup(store);
    bench::HeadlessWindow window(store);
    window.form.Form_Load();
    auto& box = window.form.controls().checkBox("chkSelect");
    std::size_t clicks = 0;
    for (auto _ : state) {
        box.UserClick();
        if (++clicks % 256 == 0) {
            state.PauseTiming();
            store.ClearJournal();
            state.ResumeTiming();
        }
    }
    benchmark::DoNotOptimize(box.value());
}
BENCHMARK(BM_ClickToolbarSwitch)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// The whole start-up, then closing the window, on a registry holding anything at all under
// each value the program reads. Beyond not crashing: the program changes only its own values,
// closes every handle, leaves the toolbar values 1 or 2 when the policy is on, shows no box
// that its last write contradicts, and reports only type mismatches and overflows.
#include <cstddef>
#include <cstdint>

#include "bench/headless_window.h"
#include "fuzz/invariants.h"
#include "fuzz/registry_state.h"
#include "fuzz/require.h"
#include "registry/memory_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader input(data, size);
    registry::MemoryRegistry store;
    fuzz::SeedRegistry(input, store, {1u << 20});

    bench::HeadlessWindow window(store);
    fuzz::JournalWatcher watcher;
    window.form.Form_Load();
    fuzz::CheckAll(window, store, watcher);
    if (window.form.unloadRequested()) {
        fuzz::Require(store.Changes().empty(), "a refused start changed the registry");
    }

    std::int16_t cancel = 0;
    window.form.Form_Unload(cancel);
    fuzz::Require(cancel == 0, "closing was refused");
    fuzz::CheckAll(window, store, watcher);
    if (window.form.unloadRequested()) {
        fuzz::Require(store.Changes().empty(), "closing after a refused start wrote");
    }
    return 0;
}

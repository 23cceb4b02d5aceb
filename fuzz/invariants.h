// What must hold after any start-up and after any user event, whatever the registry held.
// Each check aborts the fuzz run with a message when it does not hold.
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "bench/headless_window.h"
#include "registry/memory_registry.h"

namespace fuzz {

// Follows one store's journal as it grows: checks each new change against the program's
// footprint, and keeps the last attempted write or deletion of every value.
class JournalWatcher {
public:
    JournalWatcher();

    // Takes in the entries added since the last call; aborts on a change outside the
    // footprint.
    void Update(const registry::MemoryRegistry& store);

    // The last write or deletion of a value taken in so far, or nullptr.
    const registry::JournalEntry* LastChange(const registry::MemoryRegistry& store,
                                             std::uint32_t root, std::string_view keyPath,
                                             std::string_view valueName) const;

private:
    std::size_t seen_ = 0;
    std::map<std::string, std::size_t> last_;  // folded root, key path and name: entry index
    std::set<std::string> mayWrite_;
    std::set<std::string> mayDelete_;
    std::set<std::string> mayDeleteKey_;
};

// Every key handle opened has been closed.
void CheckHandlesClosed(const registry::MemoryRegistry& store);

// While chkSelect is ticked, every button value is the REG_DWORD 1 or 2 (unless HKCU refuses
// writes, which no run here does).
void CheckToolbarValues(bench::HeadlessWindow& window, const registry::MemoryRegistry& store);

// No box shows a state that the last write (or deletion) of its value contradicts.
void CheckBoxesAgreeWithLastWrites(bench::HeadlessWindow& window,
                                   const registry::MemoryRegistry& store,
                                   const JournalWatcher& watcher);

// Every message box shown is the version refusal, the restart notice or an error report of a
// known procedure with a type mismatch or an overflow.
void CheckMessages(const bench::HeadlessWindow& window);

// All of the above; `watcher` takes in the journal first.
void CheckAll(bench::HeadlessWindow& window, const registry::MemoryRegistry& store,
              JournalWatcher& watcher);

}  // namespace fuzz

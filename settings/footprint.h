// Everything in the registry the program may change, gathered once from the settings tables:
// the values it writes or deletes, and the keys it deletes. A key the program may create is
// one that holds a value it writes, or any level above such a key.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace settings {

struct FootprintEntry {
    enum class Change { Write, Delete, DeleteKey };
    Change change;
    std::uint32_t root;
    std::string_view keyPath;
    std::string_view valueName;  // empty for DeleteKey
};

// Every change any loader or handler can make, from the switch, toolbar, text and history
// tables, built once. Entries may repeat where two procedures change the same value.
const std::vector<FootprintEntry>& ProgramFootprint();

// Whether the program may make that change; key paths and value names compare as the
// registry does, without regard to case.
bool MayWriteValue(std::uint32_t root, std::string_view keyPath, std::string_view valueName);
bool MayDeleteValue(std::uint32_t root, std::string_view keyPath, std::string_view valueName);
bool MayDeleteKey(std::uint32_t root, std::string_view keyPath);
bool MayCreateKey(std::uint32_t root, std::string_view keyPath);

}  // namespace settings

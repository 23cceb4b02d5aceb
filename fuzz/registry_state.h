// A registry state made from fuzzer bytes: under each value the program reads, nothing or a
// value of any type code with any bytes of any size, and HKLM refusing writes or not.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz/input_reader.h"
#include "registry/memory_registry.h"

namespace fuzz {

struct ReadValue {
    std::uint32_t root;
    std::string_view keyPath;
    std::string_view valueName;
};

// Every value a start-up or a handler reads, from the settings tables, and the version.
std::vector<ReadValue> ProgramReads();

struct StateLimits {
    std::size_t largestSize;  // the size a "huge" value gets
};

// Fills `store` from `input`; returns whether HKLM refuses writes.
bool SeedRegistry(InputReader& input, registry::MemoryRegistry& store, const StateLimits& limits);

}  // namespace fuzz

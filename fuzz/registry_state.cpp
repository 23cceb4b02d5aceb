#include "fuzz/registry_state.h"

#include "settings/switch_table.h"
#include "settings/text_settings.h"
#include "settings/toolbar_table.h"

namespace fuzz {

namespace {

constexpr auto kHkcu = static_cast<std::uint32_t>(registry::kCurrentUser);
constexpr auto kHklm = static_cast<std::uint32_t>(registry::kLocalMachine);

// The type codes worth most; any other 32-bit code is reached through the last choice.
constexpr std::uint32_t kTypes[] = {
    registry::kRegNone,    registry::kRegSz,    registry::kRegExpandSz,
    registry::kRegBinary,  registry::kRegDword, registry::kRegDwordBigEndian,
    registry::kRegMultiSz, registry::kRegQword,
};

// The sizes worth most: empty, shorter, exact and longer than a DWORD, and huge.
constexpr std::size_t kSizes[] = {0, 1, 3, 4, 5, 8};

// Version texts: three that pass the gate (one of them a 5, which disables two boxes) and
// two that are refused.
constexpr std::string_view kVersions[] = {"9.11.9600.18231", "6.0.2800.1106", "5.50.4807.2300",
                                          "4.72.3110.8", "11.0.9600.16428"};

registry::Bytes Data(InputReader& input, const StateLimits& limits) {
    const std::size_t choice = input.Pick(9);
    if (choice < std::size(kSizes)) {
        return input.Bytes(kSizes[choice]);
    }
    if (choice == std::size(kSizes)) {
        return input.ShortBytes();
    }
    // Huge: the next few input bytes repeated (zeros when the input has run out).
    const auto pattern = input.Bytes(1 + input.Pick(4));
    registry::Bytes data(choice == 7 ? limits.largestSize : limits.largestSize / 64);
    for (std::size_t i = 0; i < data.size() && !pattern.empty(); ++i) {
        data[i] = pattern[i % pattern.size()];
    }
    return data;
}

}  // namespace

std::vector<ReadValue> ProgramReads() {
    std::vector<ReadValue> reads;
    reads.push_back({kHklm, "Software\\Microsoft\\Internet Explorer", "Version"});
    reads.push_back({kHkcu, settings::kToolbarPolicyKey, settings::kNoToolbarCustomize});
    for (const auto& button : settings::kToolbarButtons) {
        reads.push_back({kHkcu, settings::kToolbarPolicyKey, button.valueName});
    }
    for (const auto& row : settings::kSwitches) {
        reads.push_back({static_cast<std::uint32_t>(row.root), row.keyPath, row.readName});
    }
    for (const auto& value : settings::kTextValues) {
        reads.push_back({value.root, value.keyPath, value.valueName});
    }
    return reads;
}

bool SeedRegistry(InputReader& input, registry::MemoryRegistry& store, const StateLimits& limits) {
    const bool refuseMachine = input.Byte() % 4 == 3;
    for (const auto& read : ProgramReads()) {
        const std::uint8_t choice = input.Byte();
        // A zero byte gives the common case: a version that passes the gate, other values
        // missing.
        if (read.valueName == "Version") {
            if (choice % 4 == 0) {
                store.PutText(read.root, read.keyPath, read.valueName,
                              kVersions[input.Pick(std::size(kVersions))]);
                continue;
            }
            if (choice % 4 == 1) {
                continue;
            }
        } else if (choice % 3 == 0) {
            continue;
        }
        const std::uint8_t typeChoice = input.Byte();
        const std::uint32_t type =
            typeChoice < 240 ? kTypes[typeChoice % std::size(kTypes)] : input.Uint32();
        store.Put(read.root, read.keyPath, read.valueName, type, Data(input, limits));
    }
    store.SetWritesRefused(registry::kLocalMachine, refuseMachine);
    return refuseMachine;
}

}  // namespace fuzz

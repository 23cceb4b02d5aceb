// The registry layer against raw advapi32 under Wine: the registry calls of one start-up with
// the toolbar policy on, replayed through modRegistry over AdvapiRegistry and made directly
// with the same ANSI entry points, alternating, in one process. HKCU and HKLM lead into a
// scratch key for the whole run, so the prefix's real values are never touched.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/startup_trace.h"
#include "bench/timing.h"
#include "registry/memory_registry.h"
#include "registry/mod_registry.h"
#include "registry/win32/advapi_registry.h"
#include "tests/win32/registry_override.h"
#include "toolkit/scripted_services.h"

namespace {

using bench::RegistryCall;

HKEY RootKey(std::uint32_t root) {
    return root == registry::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Writes the store's steady state into the (redirected) real registry.
void SeedRealRegistry(const std::vector<bench::StoredEntry>& entries) {
    for (const auto& entry : entries) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(RootKey(entry.root), entry.path.c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot seed " + entry.path);
        }
        RegSetValueExA(key, entry.name.c_str(), 0, entry.value.type, entry.value.data.data(),
                       static_cast<DWORD>(entry.value.data.size()));
        RegCloseKey(key);
    }
}

void ThroughLayer(registry::modRegistry& layer, const std::vector<RegistryCall>& calls) {
    for (const auto& call : calls) {
        switch (call.op) {
            case RegistryCall::Op::Get:
                layer.RegistryGetKeyValue(call.root, call.path, call.name);
                break;
            case RegistryCall::Op::Set:
                layer.RegistrySetKeyValue(call.root, call.path, call.name, call.value, call.type);
                break;
            case RegistryCall::Op::DeleteValue:
                layer.RegistryDeleteValue(call.root, call.path, call.name);
                break;
            case RegistryCall::Op::DeleteKey:
                layer.RegistryDeleteKey(call.root, call.path);
                break;
        }
    }
}

// A call made directly: what the layer asks of advapi32 for it, and nothing else.
struct RawCall {
    RegistryCall::Op op;
    HKEY root;
    std::string path;
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;  // Set: the bytes written
};

std::vector<RawCall> ToRaw(const std::vector<RegistryCall>& calls) {
    std::vector<RawCall> raw;
    for (const auto& call : calls) {
        RawCall made{call.op, RootKey(call.root), call.path, call.name, call.type, {}};
        if (call.op == RegistryCall::Op::Set) {
            if (call.type == REG_SZ) {
                const std::string text = registry::ToText(call.value);
                made.data.assign(text.begin(), text.end());
                made.data.push_back(0);
            } else if (call.type == REG_DWORD) {
                const auto number = static_cast<DWORD>(registry::ToInt32(call.value));
                made.data.resize(4);
                std::memcpy(made.data.data(), &number, 4);
            }
        }
        raw.push_back(std::move(made));
    }
    return raw;
}

void Get(const RawCall& call) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(call.root, call.path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, call.name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        if ((type == REG_SZ || type == REG_BINARY) && size > 0) {
            std::vector<BYTE> data(size);
            RegQueryValueExA(key, call.name.c_str(), nullptr, &type, data.data(), &size);
        } else if (type == REG_DWORD) {
            DWORD number = 0;
            DWORD four = sizeof number;
            RegQueryValueExA(key, call.name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&number), &four);
        }
    }
    RegCloseKey(key);
}

void Directly(const std::vector<RawCall>& calls) {
    for (const auto& call : calls) {
        switch (call.op) {
            case RegistryCall::Op::Get:
                Get(call);
                break;
            case RegistryCall::Op::Set: {
                HKEY key = nullptr;
                RegCreateKeyExA(call.root, call.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                0x3F, nullptr, &key, nullptr);
                if (call.type == REG_SZ || call.type == REG_DWORD) {
                    RegSetValueExA(key, call.name.c_str(), 0, call.type, call.data.data(),
                                   static_cast<DWORD>(call.data.size()));
                }
                RegCloseKey(key);
                break;
            }
            case RegistryCall::Op::DeleteValue: {
                HKEY key = nullptr;
                if (RegOpenKeyExA(call.root, call.path.c_str(), 0, 0x3F, &key) == ERROR_SUCCESS) {
                    RegDeleteValueA(key, call.name.c_str());
                    RegCloseKey(key);
                }
                break;
            }
            case RegistryCall::Op::DeleteKey:
                RegDeleteKeyA(call.root, call.path.c_str());
                break;
        }
    }
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& hz) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(hz.QuadPart);
}

template <typename Run>
double MicrosecondsPerStartup(int startups, Run&& run) {
    LARGE_INTEGER hz;
    LARGE_INTEGER from;
    LARGE_INTEGER to;
    QueryPerformanceFrequency(&hz);
    QueryPerformanceCounter(&from);
    for (int i = 0; i < startups; ++i) {
        run();
    }
    QueryPerformanceCounter(&to);
    return Seconds(from, to, hz) * 1e6 / startups;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
    const int startupsPerRound = argc > 2 ? std::atoi(argv[2]) : 10;

    registry::MemoryRegistry store;
    bench::SeedToolbarOn(store);
    const auto calls = bench::RecordStartup(store);
    const auto steadyState = bench::Snapshot(store);
    const auto raw = ToRaw(calls);

    registry_test::RegistryOverride isolated;
    SeedRealRegistry(steadyState);
    registry::AdvapiRegistry advapi;
    toolkit::ScriptedServices services;
    registry::modRegistry layer(advapi, services);

    std::size_t gets = 0;
    std::size_t sets = 0;
    std::size_t deletes = 0;
    for (const auto& call : calls) {
        (call.op == RegistryCall::Op::Get   ? gets
         : call.op == RegistryCall::Op::Set ? sets
                                            : deletes)++;
    }
    std::printf("one start-up: %zu registry calls (%zu reads, %zu writes, %zu deletions)\n",
                calls.size(), gets, sets, deletes);

    // Warm both paths once: keys exist, pages are in.
    ThroughLayer(layer, calls);
    Directly(raw);

    std::vector<double> layerTimes;
    std::vector<double> rawTimes;
    for (int round = 0; round < rounds; ++round) {
        const auto viaLayer = [&] { ThroughLayer(layer, calls); };
        const auto direct = [&] { Directly(raw); };
        if (round % 2 == 0) {
            layerTimes.push_back(MicrosecondsPerStartup(startupsPerRound, viaLayer));
            rawTimes.push_back(MicrosecondsPerStartup(startupsPerRound, direct));
        } else {
            rawTimes.push_back(MicrosecondsPerStartup(startupsPerRound, direct));
            layerTimes.push_back(MicrosecondsPerStartup(startupsPerRound, viaLayer));
        }
    }
    if (!services.messages.empty()) {
        std::printf("the layer showed %zu message boxes\n", services.messages.size());
        return 1;
    }
    const double layerMedian = bench::Median(layerTimes);
    const double rawMedian = bench::Median(rawTimes);
    bench::PrintFigure("registry_calls_per_startup", static_cast<double>(calls.size()), "calls");
    bench::PrintFigure("registry_layer_us", layerMedian, "us");
    bench::PrintFigure("registry_raw_us", rawMedian, "us");
    bench::PrintFigure("registry_ratio", layerMedian / rawMedian, "x");
    return 0;
}
